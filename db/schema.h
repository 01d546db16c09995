#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// The tables and columns of the tender database. Names are the ones every screen uses in its SQL texts.
enum class ColumnType {
    Id,        // the row key, assigned by the database
    Text,
    Integer,   // long integer
    SmallInt,  // 16-bit integer (periods in days)
    Decimal,   // an exact decimal number (money, rates, ratios, quantities)
    Boolean,
    DateTime,
};

struct ColumnDef {
    QString name;
    ColumnType type;
};

struct TableDef {
    QString name;
    std::vector<ColumnDef> columns;
};

namespace Schema {
const std::vector<TableDef>& tables();
const TableDef* table(const QString& name);  // case-insensitive, nullptr when unknown
// The declared type that the engine records for a column type; the recordset layer reads it back.
QString declaredType(ColumnType type);
ColumnType typeFromDeclared(const QString& declared);
QString createTableSql(const TableDef& table);
// Whether the column holds a quantity a list shows right-aligned (integers and decimals, not the ID).
bool isNumberColumn(const QString& table, const QString& column);
}
