#pragma once

#include "db/tenderdatabase.h"
#include "db/valueconversion.h"

#include <QString>
#include <functional>

struct sqlite3_stmt;

// One tender file opened on its own, read-only, by whoever holds this object: a returned bid read
// beside others on several threads cannot share the process-wide connection. Closes on destruction.
// Every failure throws DbError.
class KeyedFile
{
public:
    // Opens `path` with the tender's key and checks the key with a first read.
    explicit KeyedFile(const QString& path);
    // Reads through a connection someone else owns and closes (the application's kept connection),
    // so the vendor's screens read their one open file with the same readers.
    explicit KeyedFile(sqlite3* borrowed) : m_db(borrowed) {}
    KeyedFile(const KeyedFile&) = delete;
    KeyedFile& operator=(const KeyedFile&) = delete;

    // The current row of a query, read by column index as the engine stored it.
    class Row
    {
    public:
        explicit Row(sqlite3_stmt* stmt) : m_stmt(stmt) {}
        int columnCount() const;
        bool isNull(int column) const;
        ValueConversion::StoredValue stored(int column) const;
        // Text as stored; a number in its shortest decimal text; Null as "".
        QString text(int column) const;
        qint64 integer(int column) const;

    private:
        sqlite3_stmt* m_stmt;
    };

    // Runs `sql` and hands each row to `onRow`.
    void forEachRow(const QString& sql, const std::function<void(const Row&)>& onRow) const;
    // "ok" when the file passes the engine's own check, else its first complaint.
    QString integrityCheck() const;
    bool hasTable(const QString& name) const;

private:
    TenderDatabase::DatabaseHandle m_owned;  // empty when borrowed
    sqlite3* m_db = nullptr;
};
