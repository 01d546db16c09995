#pragma once

#include <QString>
#include <memory>

struct sqlite3;

// The connection string keeps the familiar shape "Provider=...;Data Source=<file>;Database Password=<pw>".
struct ConnectionSettings {
    QString dataSource;
    QString password;
};

namespace TenderDatabase {

inline constexpr const char* FileName = "Tender.klmt";
inline constexpr const char* Password = "QVPN27081962";

// "Provider=SQLCipher;Data Source=" + folder + "/Tender.klmt" + ";Database Password=QVPN27081962"
QString buildConnectionString(const QString& applicationFolder);
// Throws DbError when a part is missing.
ConnectionSettings parseConnectionString(const QString& connectionString);

// The process-wide connection for a connection string. Deriving the key costs about 0.2 s by design,
// so the connection is opened on first use and kept; it holds no transaction between operations and
// the journal is the default rollback journal, so the one file on disk is complete after every
// operation and may be copied while the application runs. Throws DbError (missing file, wrong
// password, not a database).
sqlite3* connection(const QString& connectionString);
// Closes the kept connection, if any (at exit, and by tests that replace the file).
void closeConnection();

// An open database; closing it is the handle's last act.
struct DatabaseCloser {
    void operator()(sqlite3* db) const;
};
using DatabaseHandle = std::unique_ptr<sqlite3, DatabaseCloser>;

// Opens a database file with the key (or creates it, for the hospital's tool).
DatabaseHandle openKeyed(const QString& path, const QString& password, bool create);
// The same for reading a file someone else wrote (a returned bid): nothing is ever written to it.
DatabaseHandle openKeyedReadOnly(const QString& path, const QString& password);
// The engine's last error on a handle, as a DbError.
[[noreturn]] void raiseEngineError(sqlite3* db, int resultCode);

} // namespace TenderDatabase

// Rows that must stand or fall together. Rolls back unless committed.
class DbTransaction
{
public:
    explicit DbTransaction(const QString& connectionString);
    ~DbTransaction();
    DbTransaction(const DbTransaction&) = delete;
    DbTransaction& operator=(const DbTransaction&) = delete;
    // A statement of this transaction's own (one without rows to read); throws DbError.
    void execute(const char* sql);
    void commit();

private:
    sqlite3* m_db;
    bool m_open = false;
};
