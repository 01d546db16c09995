#pragma once

#include "db/schema.h"
#include "db/valueconversion.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <optional>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// Cursor and lock types, numbered as the screens name them.
enum class CursorType { ForwardOnly = 0, Keyset = 1, Dynamic = 2, Static = 3 };
enum class LockType { ReadOnly = 1, Pessimistic = 2, Optimistic = 3 };

// A recordset opened with an SQL text and the connection string, walked row by row, read and written by
// column name. The rows are read in full when it opens, so no statement or transaction stays open
// between operations. A recordset opened for change on "Select * From T [Where ...]" writes its changes
// back to T by the row's ID; addNew + update inserts and reads back the new row, ID included.
//
// Values come back as QVariant: a null QVariant for Null; bool for Boolean columns; QDateTime for dates;
// qlonglong for whole-number columns; and, for decimal columns (money, rates, ratios), the exact decimal
// text ("10.8", "100") so that money never passes through binary floating point in the screens.
//
// Every failure throws DbError (number, source, description).
class Recordset
{
public:
    Recordset() = default;
    Recordset(const QString& sql, const QString& connectionString, CursorType cursor, LockType lock);
    ~Recordset() { close(); }
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    void open(const QString& sql, const QString& connectionString, CursorType cursor, LockType lock);
    void close();
    bool isOpen() const { return m_open; }

    bool eof() const;
    void moveNext();
    void moveFirst();
    long recordCount() const;

    int fieldCount() const { return static_cast<int>(m_columns.size()); }
    QString fieldName(int index) const;
    bool hasField(const QString& name) const;
    // The index of the field named `name` (any case), -1 when there is none: a caller that reads a
    // column of thousands of rows looks it up once.
    int fieldIndex(const QString& name) const;
    QVariant field(const QString& name) const;
    QVariant field(int index) const;
    // The value in any row, without moving: a list view showing a large read-only result reads the
    // rows it paints instead of converting them all up front. `row` counts from 0 in the order read.
    QVariant valueAt(long row, int index) const;

    // Changes to the current (or new) row; written by update(). Moving on writes pending changes first.
    void setField(const QString& name, const QVariant& value);
    void addNew();
    void update();
    void cancelUpdate();
    void deleteCurrent();
    bool editing() const { return m_adding || !m_pending.isEmpty(); }

private:
    struct Column {
        QString name;
        QString declaredType;
        std::optional<ColumnType> type;  // worked out once, not for every value read
    };
    // A row as stored: its values are converted only when a field is read, so a long list pays for
    // the columns it shows and not for every column of every row. Reading thousands of rows costs as
    // much in fresh memory touched as in anything else, so a row is one block: its cells, then the
    // texts they point into.
    // Sixteen bytes: a number, or where the text lies in the row's block, as the storage class says.
    struct Cell {
        union {
            qint64 integer = 0;
            double real;
            struct {
                quint32 offset;
                quint32 size;
            } text;
        };
        quint8 storage = 5;  // null
    };
    struct Row {
        std::unique_ptr<Cell[]> block;  // fieldCount() cells, then the texts
        bool deleted = false;
    };
    // `cells` with their offsets counted from the start of `texts`.
    static Row packRow(const std::vector<Cell>& cells, QByteArrayView texts);
    static void storeCell(std::vector<Cell>& cells, QByteArray& texts, size_t index, sqlite3_stmt* stmt, int column);
    static ValueConversion::StoredValue storedOf(const Row& row, int index);
    QVariant valueOf(const Row& row, int index) const;
    qlonglong idOf(const Row& row) const;

    void requireOpen() const;
    void requireUpdatable() const;
    const Row& currentRow() const;
    void loadTableColumns();
    Row readRow(qlonglong id);

    sqlite3* m_db = nullptr;
    bool m_open = false;
    LockType m_lock = LockType::ReadOnly;
    QString m_table;
    std::vector<Column> m_columns;
    QHash<QString, QString> m_tableColumnTypes;      // lower-cased table column -> declared type
    QHash<QString, QString> m_tableColumnNames;      // lower-cased -> exact table column name
    std::vector<Row> m_rows;
    size_t m_position = 0;
    bool m_adding = false;
    struct Pending {
        QVariant value;                         // as given, for reads before update()
        ValueConversion::EngineValue stored;    // as converted when it was set, for the write
    };
    QHash<QString, Pending> m_pending;               // exact table column name -> new value
};
