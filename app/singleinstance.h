#pragma once

#include <QString>
#include <memory>

class QLockFile;

// Refuses a second copy of the application started by the same user from the same application folder.
// A lock left behind by a copy that crashed is recognised (its process is gone) and taken over.
class SingleInstanceGuard
{
public:
    explicit SingleInstanceGuard(const QString& applicationFolder);
    ~SingleInstanceGuard();
    bool acquired() const { return m_acquired; }
    static QString lockFilePath(const QString& applicationFolder);

private:
    std::unique_ptr<QLockFile> m_lock;
    bool m_acquired = false;
};
