#include "db/tenderfilecheck.h"

#include "db/dberror.h"
#include "db/schema.h"
#include "db/tenderdatabase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <sqlite3.h>

namespace TenderFileCheck {

namespace {

// Names of the columns of one table as the file has them, upper-cased (the engine ignores case).
QSet<QString> columnsInFile(sqlite3* db, const QString& table)
{
    QSet<QString> names;
    sqlite3_stmt* stmt = nullptr;
    const QByteArray sql = QStringLiteral("PRAGMA table_info(\"%1\")").arg(table).toUtf8();
    if (sqlite3_prepare_v2(db, sql.constData(), -1, &stmt, nullptr) == SQLITE_OK)
        while (sqlite3_step(stmt) == SQLITE_ROW)
            names.insert(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 1))).toUpper());
    sqlite3_finalize(stmt);
    return names;
}

// The first thing the engine's quick check reports, or "ok". Throws DbError when it cannot run.
QString quickCheck(sqlite3* db)
{
    sqlite3_stmt* stmt = nullptr;
    int rc = sqlite3_prepare_v2(db, "PRAGMA quick_check(1)", -1, &stmt, nullptr);
    QString first;
    if (rc == SQLITE_OK) {
        rc = sqlite3_step(stmt);
        if (rc == SQLITE_ROW)
            first = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
    }
    sqlite3_finalize(stmt);
    if (rc != SQLITE_ROW)
        TenderDatabase::raiseEngineError(db, rc);
    return first;
}

Result look(const QString& connectionString)
{
    Result r;
    r.path = TenderDatabase::parseConnectionString(connectionString).dataSource;
    const QFileInfo info(r.path);
    if (!info.exists()) {
        r.problem = Problem::Missing;
        return r;
    }
    QFile file(r.path);
    if (info.isDir() || !file.open(QIODevice::ReadOnly)) {
        r.problem = Problem::Unreadable;
        r.detail = info.isDir() ? QStringLiteral("it is a folder") : file.errorString();
        return r;
    }
    if (info.size() == 0) {
        r.problem = Problem::Empty;
        return r;
    }
    // An encrypted file begins with random bytes; a plain one with the engine's own signature.
    if (file.read(16) == QByteArray("SQLite format 3", 16)) {
        r.problem = Problem::NotEncrypted;
        return r;
    }
    file.close();

    sqlite3* db = nullptr;
    try {
        db = TenderDatabase::connection(connectionString);
    } catch (const DbError& e) {
        r.problem = e.number() == SQLITE_NOTADB ? Problem::WrongKey
                    : e.number() == SQLITE_CORRUPT ? Problem::Damaged
                                                   : Problem::Unreadable;
        r.detail = e.description();
        return r;
    }
    try {
        for (const TableDef& table : Schema::tables()) {
            const QSet<QString> present = columnsInFile(db, table.name);
            if (present.isEmpty()) {
                r.problem = Problem::NotATender;
                r.detail = QStringLiteral("the table %1 is missing").arg(table.name);
                return r;
            }
            for (const ColumnDef& column : table.columns)
                if (!present.contains(column.name.toUpper())) {
                    r.problem = Problem::NotATender;
                    r.detail = QStringLiteral("the column %1 of %2 is missing").arg(column.name, table.name);
                    return r;
                }
        }
        const QString finding = quickCheck(db);
        if (finding != QLatin1String("ok")) {
            r.problem = Problem::Damaged;
            r.detail = finding;
        }
    } catch (const DbError& e) {
        r.problem = e.number() == SQLITE_NOTADB || e.number() == SQLITE_CORRUPT ? Problem::Damaged : Problem::Unreadable;
        r.detail = e.description();
    }
    return r;
}

} // namespace

Result check(const QString& connectionString)
{
    Result r = look(connectionString);
    if (!r.ok())
        TenderDatabase::closeConnection();
    return r;
}

QString problemText(const Result& r)
{
    const QString file = QDir::toNativeSeparators(r.path);
    const QString newCopy = QStringLiteral("Ask the hospital for a new copy, or restore your submission copy.");
    switch (r.problem) {
    case Problem::None:
        return {};
    case Problem::Missing:
        return QStringLiteral("The tender file %1 was not found.\r\n"
                              "Copy the tender file from the hospital into this folder, then start again.").arg(file);
    case Problem::Unreadable:
        return QStringLiteral("The tender file %1 cannot be read: %2.\r\n"
                              "Check that you may read and write it, then start again.").arg(file, r.detail);
    case Problem::Empty:
        return QStringLiteral("The tender file %1 is empty (0 bytes).\r\n").arg(file) + newCopy;
    case Problem::NotEncrypted:
        return QStringLiteral("The file %1 is not a tender file: it is not protected with the tender's password.\r\n").arg(file) +
               newCopy;
    case Problem::WrongKey:
        return QStringLiteral("The tender file %1 cannot be opened with the tender's password: it is damaged, "
                              "or it is not a tender file.\r\n").arg(file) + newCopy;
    case Problem::NotATender:
        return QStringLiteral("The file %1 is not a tender file: %2.\r\n").arg(file, r.detail) + newCopy;
    case Problem::Damaged:
        return QStringLiteral("The tender file %1 is damaged.\r\n").arg(file) + newCopy;
    }
    return {};
}

} // namespace TenderFileCheck
