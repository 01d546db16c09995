#include "tender/biddigest.h"

#include "db/keyedfile.h"
#include "db/schema.h"

#include <QCryptographicHash>
#include <QStringList>

namespace {

constexpr char UnitSeparator = '\x1f';
constexpr char RecordSeparator = '\x1e';

QStringList columnNames(const QString& table, bool withId)
{
    QStringList names;
    for (const ColumnDef& c : Schema::table(table)->columns)
        if (withId || c.type != ColumnType::Id)
            names << c.name;
    return names;
}

QString selectColumns(const QString& table, bool withId)
{
    QStringList quoted;
    for (const QString& name : columnNames(table, withId))
        quoted << QLatin1Char('"') + name + QLatin1Char('"');
    return QStringLiteral("SELECT %1 FROM \"%2\" ORDER BY ID").arg(quoted.join(QLatin1Char(',')), table);
}

void appendValues(QByteArray& out, const QStringList& values)
{
    for (qsizetype i = 0; i < values.size(); ++i) {
        if (i > 0)
            out += UnitSeparator;
        out += values[i].toUtf8();
    }
}

void readValues(QStringList& values, const KeyedFile::Row& row)
{
    values.clear();
    for (int i = 0; i < row.columnCount(); ++i)
        values << row.text(i);
}

} // namespace

namespace Tender {

QStringList bidQuotedColumns()
{
    return columnNames(QStringLiteral("Quotations"), true);
}

QByteArray bidCanonicalText(const KeyedFile& file, const QuotedRowVisitor& onQuotedRow)
{
    QByteArray text;
    QStringList values;
    bool vendorSeen = false;
    // One vendor row: the first, as every screen reads it.
    file.forEachRow(selectColumns(QStringLiteral("CT_Vendor"), false) + QStringLiteral(" LIMIT 1"),
                    [&](const KeyedFile::Row& row) {
                        readValues(values, row);
                        appendValues(text, values);
                        vendorSeen = true;
                    });
    // Without a vendor row the first record is empty, so the quoted rows still start after a separator
    // and cannot be taken for vendor details.
    if (!vendorSeen)
        text += QByteArray(Schema::table(QStringLiteral("CT_Vendor"))->columns.size() - 2, UnitSeparator);
    file.forEachRow(selectColumns(QStringLiteral("Quotations"), true), [&](const KeyedFile::Row& row) {
        text += RecordSeparator;
        readValues(values, row);
        appendValues(text, values);
        if (onQuotedRow)
            onQuotedRow(values);
    });
    return text;
}

QByteArray bidDigest(const KeyedFile& file, const QuotedRowVisitor& onQuotedRow)
{
    return QCryptographicHash::hash(bidCanonicalText(file, onQuotedRow), QCryptographicHash::Sha256);
}

QString formatBidDigest(const QByteArray& digest)
{
    const QString hex = QString::fromLatin1(digest.toHex());
    QStringList groups;
    for (qsizetype i = 0; i < hex.size(); i += 8)
        groups << hex.mid(i, 8);
    return groups.join(QLatin1Char(' '));
}

} // namespace Tender
