#pragma once

#include <QString>

// Refuses a second copy of the application on the same application folder, whoever started it: the
// lock is a file beside the tender database, so another user, a second login or a remote session
// sees it too. The hold is the system's lock on the open file, which ends with the process that
// holds it however that ends (a crash or a kill included), so a lock left by a dead copy frees itself.
class SingleInstanceGuard
{
public:
    enum class Outcome {
        Acquired,
        HeldByAnother,  // another copy runs on this folder
        CannotLock,     // the lock file could not be made or locked: see reason()
    };

    explicit SingleInstanceGuard(const QString& applicationFolder);
    ~SingleInstanceGuard();
    SingleInstanceGuard(const SingleInstanceGuard&) = delete;
    SingleInstanceGuard& operator=(const SingleInstanceGuard&) = delete;

    Outcome outcome() const { return m_outcome; }
    bool acquired() const { return m_outcome == Outcome::Acquired; }
    // The system's reason, for CannotLock ("No space left on device", "Permission denied").
    const QString& reason() const { return m_reason; }
    const QString& path() const { return m_path; }
    static QString lockFilePath(const QString& applicationFolder);

private:
    QString m_path;
    int m_fd = -1;
    Outcome m_outcome = Outcome::CannotLock;
    QString m_reason;
};
