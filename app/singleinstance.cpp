#include "app/singleinstance.h"

#include "db/tenderdatabase.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

QString SingleInstanceGuard::lockFilePath(const QString& applicationFolder)
{
    return QDir(applicationFolder).filePath(QLatin1String(TenderDatabase::FileName) + QStringLiteral(".lock"));
}

SingleInstanceGuard::SingleInstanceGuard(const QString& applicationFolder) : m_path(lockFilePath(applicationFolder))
{
    const QByteArray name = QFile::encodeName(m_path);
    // The file is made once and left in place: removing it on exit would let a copy that opened the
    // old file and one that made a new one both believe they hold the lock.
    m_fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    // A lock file that another user made may not be writable here; reading is enough to lock it.
    if (m_fd < 0 && errno == EACCES)
        m_fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
    if (m_fd < 0) {
        m_reason = QString::fromLocal8Bit(std::strerror(errno));
        return;
    }
    if (::flock(m_fd, LOCK_EX | LOCK_NB) == 0) {
        m_outcome = Outcome::Acquired;
        return;
    }
    if (errno == EWOULDBLOCK) {
        m_outcome = Outcome::HeldByAnother;
    } else {
        m_reason = QString::fromLocal8Bit(std::strerror(errno));
    }
    ::close(m_fd);
    m_fd = -1;
}

SingleInstanceGuard::~SingleInstanceGuard()
{
    if (m_fd >= 0)
        ::close(m_fd);  // closing ends the hold
}
