#pragma once

#include <QFileDevice>
#include <QString>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// Writes blocks of bytes to a file on a thread of its own, so that handing a large page to the system
// (copying it into the file cache and asking the disk to start on it) overlaps with building the
// rest of it. The file is the writer's alone from construction until finish() returns.
class BackgroundFileWriter
{
public:
    static constexpr size_t BlockSize = 256 * 1024;

    explicit BackgroundFileWriter(QFileDevice& file);
    // Stops the thread; blocks not yet written are dropped (the file is being abandoned).
    ~BackgroundFileWriter();
    BackgroundFileWriter(const BackgroundFileWriter&) = delete;
    BackgroundFileWriter& operator=(const BackgroundFileWriter&) = delete;

    // The block being filled, BlockSize bytes.
    char* block() const { return m_current.get(); }
    // Queues the first `used` bytes of the block for writing and makes a fresh block current; waits
    // while every block is in flight. Throws ExportError once a write has failed.
    void hand(size_t used);
    // Waits until every queued block is written. Throws ExportError if a write failed.
    void finish();

private:
    struct Queued {
        std::unique_ptr<char[]> bytes;
        size_t size;
    };
    void run();
    void throwIfFailed();  // with m_mutex held

    QFileDevice& m_file;
    std::unique_ptr<char[]> m_current;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Queued> m_queued;
    std::vector<std::unique_ptr<char[]>> m_spare;
    bool m_writing = false;  // the thread holds a block it took from the queue
    bool m_stop = false;
    QString m_error;         // the first failure, empty while all is well
    std::thread m_thread;
};
