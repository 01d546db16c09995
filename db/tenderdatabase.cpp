#include "db/tenderdatabase.h"

#include "db/dberror.h"

#include <QFileInfo>
#include <sqlite3.h>

namespace {

const QString EngineSource = QStringLiteral("Tender Database");

struct KeptConnection {
    QString connectionString;
    TenderDatabase::DatabaseHandle db;
};

KeptConnection& kept()
{
    static KeptConnection k;
    return k;
}

void execOrRaise(sqlite3* db, const char* sql)
{
    const int rc = sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        TenderDatabase::raiseEngineError(db, rc);
}

} // namespace

namespace TenderDatabase {

QString buildConnectionString(const QString& applicationFolder)
{
    return QStringLiteral("Provider=SQLCipher;Data Source=") + applicationFolder + QLatin1Char('/') +
           QLatin1String(FileName) + QStringLiteral(";Database Password=") + QLatin1String(Password);
}

ConnectionSettings parseConnectionString(const QString& connectionString)
{
    ConnectionSettings settings;
    bool haveSource = false;
    for (const QString& part : connectionString.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const qsizetype eq = part.indexOf(QLatin1Char('='));
        if (eq < 0)
            continue;
        const QString key = part.left(eq).trimmed();
        const QString value = part.mid(eq + 1);
        if (key.compare(QLatin1String("Data Source"), Qt::CaseInsensitive) == 0) {
            settings.dataSource = value;
            haveSource = true;
        } else if (key.endsWith(QLatin1String("Database Password"), Qt::CaseInsensitive)) {
            settings.password = value;
        }
    }
    if (!haveSource || settings.dataSource.isEmpty())
        throw DbError(DbErrorNumber::BadConnectionString, EngineSource,
                      QStringLiteral("The connection string names no data source."));
    return settings;
}

void raiseEngineError(sqlite3* db, int resultCode)
{
    const QString message = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(resultCode));
    throw DbError(resultCode, EngineSource, message);
}

void DatabaseCloser::operator()(sqlite3* db) const
{
    sqlite3_close_v2(db);
}

namespace {

DatabaseHandle openKeyedWithFlags(const QString& path, const QString& password, bool create, bool readOnly)
{
    if (!create && !QFileInfo::exists(path))
        throw DbError(DbErrorNumber::FileNotFound, EngineSource, QStringLiteral("Could not find file '%1'.").arg(path));
    sqlite3* raw = nullptr;
    const int flags = (readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | (create ? SQLITE_OPEN_CREATE : 0);
    int rc = sqlite3_open_v2(path.toUtf8().constData(), &raw, flags, nullptr);
    DatabaseHandle handle(raw);  // the engine hands back a handle even when the open fails
    sqlite3* db = handle.get();
    if (rc != SQLITE_OK) {
        const QString message = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(rc));
        throw DbError(rc, EngineSource, message + QStringLiteral(" (") + path + QLatin1Char(')'));
    }
    const QByteArray key = password.toUtf8();
    rc = sqlite3_key(db, key.constData(), static_cast<int>(key.size()));
    if (rc != SQLITE_OK)
        raiseEngineError(db, rc);
    // A wrong key only shows on the first statement that reads the file.
    execOrRaise(db, "SELECT count(*) FROM sqlite_master");
    sqlite3_busy_timeout(db, 3000);
    // Every page read from the file is decrypted and its checksum verified; a cache that holds a
    // large tender's lists (up to 64 MB, taken only as pages are read) spares a second Show All or
    // export doing all of that again.
    execOrRaise(db, "PRAGMA cache_size = -65536");
    sqlite3_extended_result_codes(db, 0);
    return handle;
}

} // namespace

DatabaseHandle openKeyed(const QString& path, const QString& password, bool create)
{
    return openKeyedWithFlags(path, password, create, false);
}

DatabaseHandle openKeyedReadOnly(const QString& path, const QString& password)
{
    return openKeyedWithFlags(path, password, false, true);
}

sqlite3* connection(const QString& connectionString)
{
    KeptConnection& k = kept();
    if (k.db && k.connectionString == connectionString)
        return k.db.get();
    closeConnection();
    const ConnectionSettings settings = parseConnectionString(connectionString);
    k.db = openKeyed(settings.dataSource, settings.password, false);
    k.connectionString = connectionString;
    return k.db.get();
}

void closeConnection()
{
    KeptConnection& k = kept();
    k.db.reset();
    k.connectionString.clear();
}

} // namespace TenderDatabase

DbTransaction::DbTransaction(const QString& connectionString)
    : m_db(TenderDatabase::connection(connectionString))
{
    execOrRaise(m_db, "BEGIN IMMEDIATE");
    m_open = true;
}

DbTransaction::~DbTransaction()
{
    if (m_open)
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
}

void DbTransaction::execute(const char* sql)
{
    execOrRaise(m_db, sql);
}

void DbTransaction::commit()
{
    execOrRaise(m_db, "COMMIT");
    m_open = false;
}
