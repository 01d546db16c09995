#include "db/keyedfile.h"

#include "db/sqltext.h"
#include "db/tenderdatabase.h"

#include <memory>
#include <sqlite3.h>

namespace {

struct StatementDeleter {
    void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};

} // namespace

KeyedFile::KeyedFile(const QString& path)
    : m_owned(TenderDatabase::openKeyedReadOnly(path, QLatin1String(TenderDatabase::Password))), m_db(m_owned.get())
{
}

int KeyedFile::Row::columnCount() const
{
    return sqlite3_column_count(m_stmt);
}

bool KeyedFile::Row::isNull(int column) const
{
    return sqlite3_column_type(m_stmt, column) == SQLITE_NULL;
}

ValueConversion::StoredValue KeyedFile::Row::stored(int column) const
{
    return ValueConversion::storedValue(m_stmt, column);
}

QString KeyedFile::Row::text(int column) const
{
    const ValueConversion::StoredValue v = stored(column);
    switch (v.storage) {
    case SQLITE_NULL: return QString();
    case SQLITE_INTEGER: return QString::number(v.integer);
    case SQLITE_FLOAT: return ValueConversion::decimalTextFromDouble(v.real);
    default: return QString::fromUtf8(v.text);
    }
}

qint64 KeyedFile::Row::integer(int column) const
{
    return sqlite3_column_int64(m_stmt, column);
}

void KeyedFile::forEachRow(const QString& sql, const std::function<void(const Row&)>& onRow) const
{
    sqlite3_stmt* raw = nullptr;
    int rc = sqlite3_prepare_v2(m_db, sql.toUtf8().constData(), -1, &raw, nullptr);
    std::unique_ptr<sqlite3_stmt, StatementDeleter> stmt(raw);
    if (rc != SQLITE_OK)
        TenderDatabase::raiseEngineError(m_db, rc);
    const Row row(raw);
    while ((rc = sqlite3_step(raw)) == SQLITE_ROW)
        onRow(row);
    if (rc != SQLITE_DONE)
        TenderDatabase::raiseEngineError(m_db, rc);
}

QString KeyedFile::integrityCheck() const
{
    QString first;
    forEachRow(QStringLiteral("PRAGMA integrity_check"), [&](const Row& row) {
        if (first.isEmpty())
            first = row.text(0);
    });
    return first;
}

bool KeyedFile::hasTable(const QString& name) const
{
    bool found = false;
    forEachRow(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type='table' AND name='") + escapeSqlText(name) + QLatin1Char('\''),
               [&](const Row&) { found = true; });
    return found;
}
