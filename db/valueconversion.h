#pragma once

#include "db/schema.h"

#include <QString>
#include <QVariant>
#include <optional>

struct sqlite3_stmt;

// Conversions between the engine's stored values and the values the screens read and write,
// decided by the column's declared type.
namespace ValueConversion {

// One value as the engine stored it, before conversion. `text` points into memory the caller keeps.
struct StoredValue {
    int storage = 5;  // the engine's storage class: 1 integer, 2 real, 3 text, 4 blob, 5 null
    qint64 integer = 0;
    double real = 0;
    QByteArrayView text;
};
StoredValue storedValue(sqlite3_stmt* stmt, int i);
QVariant fromStored(const StoredValue& value, std::optional<ColumnType> type);

// The stored value of column i of the current statement row, as the recordset hands it out.
QVariant fromStatement(sqlite3_stmt* stmt, int i, const QString& declaredType);
// The same with the column's type worked out once for the whole read (nullopt: an expression such as
// Max(ID), read by what is stored).
QVariant fromStatement(sqlite3_stmt* stmt, int i, std::optional<ColumnType> type);
std::optional<ColumnType> columnTypeOf(const QString& declaredType);

// A value as the engine is handed it for a column: Null, a whole number or a UTF-8 text.
struct EngineValue {
    int storage = 5;  // 1 integer, 3 text, 5 null
    qint64 integer = 0;
    QByteArray text;
};
// `value` converted for a column of `declaredType`. Throws DbError when the column cannot take the value
// (a non-number in a number column, a 16-bit overflow, ...).
EngineValue toEngine(const QVariant& value, const QString& declaredType, const QString& column);
// Binds to parameter `param` (1-based).
void bind(sqlite3_stmt* stmt, int param, const EngineValue& value);
// Both at once.
void bind(sqlite3_stmt* stmt, int param, const QVariant& value, const QString& declaredType, const QString& column);

// The exact, shortest decimal text of a double as the engine stored it ("10.8", "1e-05" -> "0.00001").
QString decimalTextFromDouble(double value);

inline constexpr const char* DateTimeFormat = "yyyy-MM-dd HH:mm:ss";

} // namespace ValueConversion
