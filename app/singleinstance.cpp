#include "app/singleinstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>
#include <unistd.h>

QString SingleInstanceGuard::lockFilePath(const QString& applicationFolder)
{
    const QByteArray folder = QFileInfo(applicationFolder).absoluteFilePath().toUtf8();
    const QString hash = QString::fromLatin1(QCryptographicHash::hash(folder, QCryptographicHash::Sha1).toHex().left(16));
    // Per user: the user's runtime folder, or the shared temporary folder with the user's id in the name.
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty() || !QFileInfo(dir).isWritable())
        dir = QDir::tempPath();
    return QDir(dir).filePath(QStringLiteral("quillbid-%1-%2.lock").arg(getuid()).arg(hash));
}

SingleInstanceGuard::SingleInstanceGuard(const QString& applicationFolder)
    : m_lock(std::make_unique<QLockFile>(lockFilePath(applicationFolder)))
{
    // The lock is held for the whole run, so it must never turn stale by age; only a dead owner frees it.
    m_lock->setStaleLockTime(0);
    m_acquired = m_lock->tryLock(0);
}

SingleInstanceGuard::~SingleInstanceGuard()
{
    if (m_acquired)
        m_lock->unlock();
}
