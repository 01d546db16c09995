#include "output/backgroundfilewriter.h"

#include "output/exporterror.h"

#ifdef Q_OS_LINUX
#include <fcntl.h>
#endif

namespace {

// Blocks in flight at most: enough to keep the thread busy, few enough to keep memory small.
constexpr int BlockCount = 4;

} // namespace

BackgroundFileWriter::BackgroundFileWriter(QFileDevice& file) : m_file(file), m_current(new char[BlockSize])
{
    for (int i = 1; i < BlockCount; ++i)
        m_spare.emplace_back(new char[BlockSize]);
    m_thread = std::thread([this] { run(); });
}

BackgroundFileWriter::~BackgroundFileWriter()
{
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
        m_queued.clear();
    }
    m_changed.notify_all();
    m_thread.join();
}

void BackgroundFileWriter::throwIfFailed()
{
    if (!m_error.isEmpty())
        throw ExportError(ExportErrorNumber::FileAccess, QStringLiteral("Path/File access error: ") + m_error);
}

void BackgroundFileWriter::hand(size_t used)
{
    std::unique_lock lock(m_mutex);
    throwIfFailed();
    if (used > 0)
        m_queued.push_back({std::move(m_current), used});
    m_changed.notify_all();
    if (used == 0)
        return;
    m_changed.wait(lock, [this] { return !m_spare.empty() || !m_error.isEmpty(); });
    throwIfFailed();
    m_current = std::move(m_spare.back());
    m_spare.pop_back();
}

void BackgroundFileWriter::finish()
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return (m_queued.empty() && !m_writing) || !m_error.isEmpty(); });
    throwIfFailed();
}

void BackgroundFileWriter::run()
{
    // The disk is asked to start on each megabyte as soon as it is written, so that the wait for the
    // whole page to reach it, before it replaces the old one, is short.
    constexpr qint64 WriteBackStep = 1024 * 1024;
    qint64 written = 0;
    qint64 writtenBack = 0;
    for (;;) {
        Queued next;
        {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [this] { return m_stop || !m_queued.empty(); });
            if (m_stop)
                return;
            next = std::move(m_queued.front());
            m_queued.pop_front();
            m_writing = true;
        }
        const bool ok = m_file.write(next.bytes.get(), static_cast<qint64>(next.size)) == static_cast<qint64>(next.size);
        QString error;
        if (!ok) {
            error = m_file.errorString();
            if (error.isEmpty())
                error = QStringLiteral("write failed");
        } else {
            written += static_cast<qint64>(next.size);
#ifdef Q_OS_LINUX
            if (written - writtenBack >= WriteBackStep && m_file.flush()) {
                ::sync_file_range(m_file.handle(), writtenBack, written - writtenBack, SYNC_FILE_RANGE_WRITE);
                writtenBack = written;
            }
#endif
        }
        {
            std::lock_guard lock(m_mutex);
            m_writing = false;
            m_spare.push_back(std::move(next.bytes));
            if (!ok && m_error.isEmpty())
                m_error = error;
        }
        m_changed.notify_all();
    }
}
