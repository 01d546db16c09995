#include "db/recordset.h"

#include "db/dberror.h"
#include "db/tenderdatabase.h"
#include "db/valueconversion.h"

#include <QRegularExpression>
#include <algorithm>
#include <cstring>
#include <memory>
#include <sqlite3.h>

namespace {

const QString LayerSource = QStringLiteral("Recordset");

struct StatementDeleter {
    void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};
using Statement = std::unique_ptr<sqlite3_stmt, StatementDeleter>;

Statement prepare(sqlite3* db, const QString& sql)
{
    sqlite3_stmt* raw = nullptr;
    const QByteArray utf8 = sql.toUtf8();
    const int rc = sqlite3_prepare_v2(db, utf8.constData(), static_cast<int>(utf8.size()), &raw, nullptr);
    Statement stmt(raw);
    if (rc != SQLITE_OK)
        TenderDatabase::raiseEngineError(db, rc);
    return stmt;
}

void runToEnd(sqlite3* db, sqlite3_stmt* stmt)
{
    const int rc = sqlite3_step(stmt);
    if (rc != SQLITE_DONE && rc != SQLITE_ROW)
        TenderDatabase::raiseEngineError(db, rc);
}

QString quotedName(const QString& name)
{
    return QLatin1Char('"') + QString(name).replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
}

// The table a "Select ... From T ..." text reads, where changes are written back.
QString tableOf(const QString& sql)
{
    static const QRegularExpression from(QStringLiteral("\\bfrom\\s+\\[?([A-Za-z_][A-Za-z0-9_]*)\\]?"),
                                         QRegularExpression::CaseInsensitiveOption);
    return from.match(sql).captured(1);
}

} // namespace

Recordset::Recordset(const QString& sql, const QString& connectionString, CursorType cursor, LockType lock)
{
    open(sql, connectionString, cursor, lock);
}

void Recordset::open(const QString& sql, const QString& connectionString, CursorType, LockType lock)
{
    close();
    m_db = TenderDatabase::connection(connectionString);
    Statement stmt = prepare(m_db, sql);
    const int count = sqlite3_column_count(stmt.get());
    for (int i = 0; i < count; ++i) {
        const char* declared = sqlite3_column_decltype(stmt.get(), i);
        const QString declaredType = declared ? QString::fromUtf8(declared) : QString();
        m_columns.push_back({QString::fromUtf8(sqlite3_column_name(stmt.get(), i)), declaredType,
                             ValueConversion::columnTypeOf(declaredType)});
    }
    std::vector<Cell> cells(static_cast<size_t>(count));
    for (;;) {
        const int rc = sqlite3_step(stmt.get());
        if (rc == SQLITE_DONE)
            break;
        if (rc != SQLITE_ROW)
            TenderDatabase::raiseEngineError(m_db, rc);
        // Numbers and sizes first, then the block of the exact size and the texts into it, asking the
        // engine for each column's type once rather than once for the size and again for the value.
        size_t at = cells.size() * sizeof(Cell);
        for (int i = 0; i < count; ++i) {
            Cell& cell = cells[static_cast<size_t>(i)];
            cell = Cell();
            cell.storage = static_cast<quint8>(sqlite3_column_type(stmt.get(), i));
            if (cell.storage == SQLITE_INTEGER) {
                cell.integer = sqlite3_column_int64(stmt.get(), i);
            } else if (cell.storage == SQLITE_FLOAT) {
                cell.real = sqlite3_column_double(stmt.get(), i);
            } else if (cell.storage != SQLITE_NULL) {
                // The text (a blob too) first, so that its length is counted in UTF-8 bytes.
                sqlite3_column_text(stmt.get(), i);
                cell.text.offset = static_cast<quint32>(at);
                cell.text.size = static_cast<quint32>(sqlite3_column_bytes(stmt.get(), i));
                at += cell.text.size;
            }
        }
        Row row;
        row.block.reset(new Cell[(at + sizeof(Cell) - 1) / sizeof(Cell)]);
        std::copy(cells.begin(), cells.end(), row.block.get());
        char* block = reinterpret_cast<char*>(row.block.get());
        for (int i = 0; i < count; ++i) {
            const Cell& cell = cells[static_cast<size_t>(i)];
            if ((cell.storage == SQLITE_TEXT || cell.storage == SQLITE_BLOB) && cell.text.size > 0)
                std::memcpy(block + cell.text.offset, sqlite3_column_text(stmt.get(), i), cell.text.size);
        }
        m_rows.push_back(std::move(row));
    }
    m_lock = lock;
    m_table = tableOf(sql);
    m_position = 0;
    m_open = true;
}

void Recordset::close()
{
    m_open = false;
    m_db = nullptr;
    m_table.clear();
    m_columns.clear();
    m_tableColumnTypes.clear();
    m_tableColumnNames.clear();
    m_rows.clear();
    m_position = 0;
    m_adding = false;
    m_pending.clear();
}

void Recordset::requireOpen() const
{
    if (!m_open)
        throw DbError(3704, LayerSource, QStringLiteral("Operation is not allowed when the object is closed."));
}

void Recordset::requireUpdatable() const
{
    requireOpen();
    if (m_lock == LockType::ReadOnly || m_table.isEmpty())
        throw DbError(DbErrorNumber::NotUpdatable, LayerSource,
                      QStringLiteral("Current Recordset does not support updating."));
}

bool Recordset::eof() const
{
    requireOpen();
    return m_position >= m_rows.size();
}

void Recordset::moveNext()
{
    requireOpen();
    if (editing())
        update();
    if (m_position >= m_rows.size())
        throw DbError(DbErrorNumber::NoCurrentRecord, LayerSource,
                      QStringLiteral("Either BOF or EOF is True, or the current record has been deleted."));
    ++m_position;
}

void Recordset::moveFirst()
{
    requireOpen();
    if (editing())
        update();
    m_position = 0;
}

long Recordset::recordCount() const
{
    requireOpen();
    long n = 0;
    for (const Row& r : m_rows)
        n += r.deleted ? 0 : 1;
    return n;
}

QString Recordset::fieldName(int index) const
{
    requireOpen();
    if (index < 0 || index >= fieldCount())
        throw DbError(DbErrorNumber::ItemNotFound, LayerSource, QStringLiteral("Item cannot be found in the collection."));
    return m_columns[static_cast<size_t>(index)].name;
}

bool Recordset::hasField(const QString& name) const
{
    return fieldIndex(name) >= 0;
}

int Recordset::fieldIndex(const QString& name) const
{
    // A short scan beats hashing a lower-cased copy of the name on every field read.
    for (size_t i = 0; i < m_columns.size(); ++i)
        if (m_columns[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    return -1;
}

const Recordset::Row& Recordset::currentRow() const
{
    if (m_position >= m_rows.size())
        throw DbError(DbErrorNumber::NoCurrentRecord, LayerSource,
                      QStringLiteral("Either BOF or EOF is True, or the current record has been deleted."));
    const Row& row = m_rows[m_position];
    if (row.deleted)
        throw DbError(3167, LayerSource, QStringLiteral("Record is deleted."));
    return row;
}

QVariant Recordset::field(const QString& name) const
{
    requireOpen();
    if (!m_pending.isEmpty()) {
        const QString tableColumn = m_tableColumnNames.value(name.toLower());
        if (!tableColumn.isEmpty() && m_pending.contains(tableColumn))
            return m_pending.value(tableColumn).value;
    }
    const int index = fieldIndex(name);
    if (index < 0)
        throw DbError(DbErrorNumber::ItemNotFound, LayerSource,
                      QStringLiteral("Item cannot be found in the collection corresponding to the requested name: %1.").arg(name));
    if (m_adding)
        return QVariant();
    return field(index);
}

QVariant Recordset::field(int index) const
{
    requireOpen();
    if (index < 0 || index >= fieldCount())
        throw DbError(DbErrorNumber::ItemNotFound, LayerSource, QStringLiteral("Item cannot be found in the collection."));
    return valueOf(currentRow(), index);
}

QVariant Recordset::valueAt(long row, int index) const
{
    requireOpen();
    if (row < 0 || static_cast<size_t>(row) >= m_rows.size() || index < 0 || index >= fieldCount())
        throw DbError(DbErrorNumber::ItemNotFound, LayerSource, QStringLiteral("Item cannot be found in the collection."));
    return valueOf(m_rows[static_cast<size_t>(row)], index);
}

void Recordset::loadTableColumns()
{
    if (!m_tableColumnTypes.isEmpty())
        return;
    Statement stmt = prepare(m_db, QStringLiteral("PRAGMA table_info(%1)").arg(quotedName(m_table)));
    for (;;) {
        const int rc = sqlite3_step(stmt.get());
        if (rc == SQLITE_DONE)
            break;
        if (rc != SQLITE_ROW)
            TenderDatabase::raiseEngineError(m_db, rc);
        const QString name = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt.get(), 1)));
        const QString type = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt.get(), 2)));
        m_tableColumnTypes.insert(name.toLower(), type);
        m_tableColumnNames.insert(name.toLower(), name);
    }
    if (m_tableColumnTypes.isEmpty())
        throw DbError(SQLITE_ERROR, LayerSource, QStringLiteral("no such table: %1").arg(m_table));
}

void Recordset::setField(const QString& name, const QVariant& value)
{
    requireUpdatable();
    loadTableColumns();
    const QString column = m_tableColumnNames.value(name.toLower());
    if (column.isEmpty())
        throw DbError(DbErrorNumber::ItemNotFound, LayerSource,
                      QStringLiteral("Item cannot be found in the collection corresponding to the requested name: %1.").arg(name));
    if (!m_adding)
        currentRow();
    // Converted now, so the error names the field being written, and once: update() writes what this made.
    m_pending.insert(column, {value, ValueConversion::toEngine(value, m_tableColumnTypes.value(name.toLower()), column)});
}

void Recordset::addNew()
{
    requireUpdatable();
    if (editing())
        update();
    loadTableColumns();
    m_adding = true;
    m_pending.clear();
}

void Recordset::cancelUpdate()
{
    m_adding = false;
    m_pending.clear();
}

void Recordset::storeCell(std::vector<Cell>& cells, QByteArray& texts, size_t index, sqlite3_stmt* stmt, int column)
{
    const ValueConversion::StoredValue v = ValueConversion::storedValue(stmt, column);
    Cell& cell = cells[index];
    cell.storage = static_cast<quint8>(v.storage);
    switch (v.storage) {
    case SQLITE_INTEGER: cell.integer = v.integer; break;
    case SQLITE_FLOAT: cell.real = v.real; break;
    case SQLITE_TEXT:
    case SQLITE_BLOB:
        cell.text.offset = static_cast<quint32>(texts.size());
        cell.text.size = static_cast<quint32>(v.text.size());
        texts.append(v.text.data(), v.text.size());
        break;
    default: break;
    }
}

Recordset::Row Recordset::packRow(const std::vector<Cell>& cells, QByteArrayView texts)
{
    const size_t start = cells.size() * sizeof(Cell);
    Row row;
    row.block.reset(new Cell[(start + static_cast<size_t>(texts.size()) + sizeof(Cell) - 1) / sizeof(Cell)]);
    Cell* packed = row.block.get();
    for (size_t i = 0; i < cells.size(); ++i) {
        packed[i] = cells[i];
        if (cells[i].storage == SQLITE_TEXT || cells[i].storage == SQLITE_BLOB)
            packed[i].text.offset += static_cast<quint32>(start);
    }
    if (!texts.isEmpty())
        std::memcpy(reinterpret_cast<char*>(packed) + start, texts.data(), static_cast<size_t>(texts.size()));
    return row;
}

ValueConversion::StoredValue Recordset::storedOf(const Row& row, int index)
{
    const Cell& cell = row.block[static_cast<size_t>(index)];
    ValueConversion::StoredValue v;
    v.storage = cell.storage;
    switch (cell.storage) {
    case SQLITE_INTEGER: v.integer = cell.integer; break;
    case SQLITE_FLOAT: v.real = cell.real; break;
    case SQLITE_TEXT:
    case SQLITE_BLOB:
        v.text = QByteArrayView(reinterpret_cast<const char*>(row.block.get()) + cell.text.offset, cell.text.size);
        break;
    default: break;
    }
    return v;
}

QVariant Recordset::valueOf(const Row& row, int index) const
{
    return ValueConversion::fromStored(storedOf(row, index), m_columns[static_cast<size_t>(index)].type);
}

qlonglong Recordset::idOf(const Row& row) const
{
    return valueOf(row, fieldIndex(QStringLiteral("ID"))).toLongLong();
}

Recordset::Row Recordset::readRow(qlonglong id)
{
    Statement stmt = prepare(m_db, QStringLiteral("SELECT * FROM %1 WHERE ID=?").arg(quotedName(m_table)));
    sqlite3_bind_int64(stmt.get(), 1, id);
    std::vector<Cell> cells(m_columns.size());
    QByteArray texts;
    // A failing read raises its error: an empty row here would show the change as lost although it
    // was stored.
    const int rc = sqlite3_step(stmt.get());
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        TenderDatabase::raiseEngineError(m_db, rc);
    if (rc == SQLITE_ROW) {
        // The table's own column order may differ from the recordset's: match by name.
        for (int i = 0; i < sqlite3_column_count(stmt.get()); ++i) {
            const int index = fieldIndex(QString::fromUtf8(sqlite3_column_name(stmt.get(), i)));
            if (index >= 0)
                storeCell(cells, texts, static_cast<size_t>(index), stmt.get(), i);
        }
    }
    return packRow(cells, texts);
}

void Recordset::update()
{
    requireUpdatable();
    if (!editing())
        return;
    loadTableColumns();
    const QStringList columns = m_pending.keys();
    qlonglong id = 0;
    if (m_adding) {
        QStringList names, marks;
        for (const QString& c : columns) {
            names << quotedName(c);
            marks << QStringLiteral("?");
        }
        const QString sql = columns.isEmpty()
                                ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quotedName(m_table))
                                : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                      .arg(quotedName(m_table), names.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
        Statement stmt = prepare(m_db, sql);
        for (int i = 0; i < columns.size(); ++i)
            ValueConversion::bind(stmt.get(), i + 1, m_pending.value(columns[i]).stored);
        runToEnd(m_db, stmt.get());
        id = sqlite3_last_insert_rowid(m_db);
    } else {
        const int idIndex = fieldIndex(QStringLiteral("ID"));
        if (idIndex < 0)
            throw DbError(DbErrorNumber::NotUpdatable, LayerSource,
                          QStringLiteral("Current Recordset does not support updating: it has no ID column."));
        id = idOf(currentRow());
        QStringList assignments;
        for (const QString& c : columns)
            assignments << quotedName(c) + QStringLiteral("=?");
        Statement stmt = prepare(m_db, QStringLiteral("UPDATE %1 SET %2 WHERE ID=?")
                                           .arg(quotedName(m_table), assignments.join(QLatin1Char(','))));
        int param = 1;
        for (const QString& c : columns)
            ValueConversion::bind(stmt.get(), param++, m_pending.value(c).stored);
        sqlite3_bind_int64(stmt.get(), param, id);
        runToEnd(m_db, stmt.get());
    }
    // Refresh the buffered row from the table so reads show what was stored (the new ID included).
    Row refreshed = readRow(id);
    if (m_adding) {
        m_rows.push_back(std::move(refreshed));
        m_position = m_rows.size() - 1;
    } else {
        m_rows[m_position] = std::move(refreshed);
    }
    m_adding = false;
    m_pending.clear();
}

void Recordset::deleteCurrent()
{
    requireUpdatable();
    cancelUpdate();
    const int idIndex = fieldIndex(QStringLiteral("ID"));
    if (idIndex < 0)
        throw DbError(DbErrorNumber::NotUpdatable, LayerSource,
                      QStringLiteral("Current Recordset does not support updating: it has no ID column."));
    const qlonglong id = idOf(currentRow());
    Statement stmt = prepare(m_db, QStringLiteral("DELETE FROM %1 WHERE ID=?").arg(quotedName(m_table)));
    sqlite3_bind_int64(stmt.get(), 1, id);
    runToEnd(m_db, stmt.get());
    m_rows[m_position].deleted = true;
}
