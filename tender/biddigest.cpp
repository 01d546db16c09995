#include "tender/biddigest.h"

#include "db/keyedfile.h"
#include "db/schema.h"

#include <QCryptographicHash>
#include <QStringList>

namespace {

constexpr char UnitSeparator = '\x1f';
constexpr char RecordSeparator = '\x1e';

QString selectColumns(const QString& table, bool withId)
{
    QStringList names;
    for (const ColumnDef& c : Schema::table(table)->columns)
        if (withId || c.type != ColumnType::Id)
            names << QLatin1Char('"') + c.name + QLatin1Char('"');
    return QStringLiteral("SELECT %1 FROM \"%2\" ORDER BY ID").arg(names.join(QLatin1Char(',')), table);
}

void appendValues(QByteArray& out, const KeyedFile::Row& row)
{
    for (int i = 0; i < row.columnCount(); ++i) {
        if (i > 0)
            out += UnitSeparator;
        out += row.text(i).toUtf8();
    }
}

} // namespace

namespace Tender {

QByteArray bidCanonicalText(const KeyedFile& file)
{
    QByteArray text;
    bool vendorSeen = false;
    // One vendor row: the first, as every screen reads it.
    file.forEachRow(selectColumns(QStringLiteral("CT_Vendor"), false) + QStringLiteral(" LIMIT 1"),
                    [&](const KeyedFile::Row& row) {
                        appendValues(text, row);
                        vendorSeen = true;
                    });
    // Without a vendor row the first record is empty, so the quoted rows still start after a separator
    // and cannot be taken for vendor details.
    if (!vendorSeen)
        text += QByteArray(Schema::table(QStringLiteral("CT_Vendor"))->columns.size() - 2, UnitSeparator);
    file.forEachRow(selectColumns(QStringLiteral("Quotations"), true), [&](const KeyedFile::Row& row) {
        text += RecordSeparator;
        appendValues(text, row);
    });
    return text;
}

QByteArray bidDigest(const KeyedFile& file)
{
    return QCryptographicHash::hash(bidCanonicalText(file), QCryptographicHash::Sha256);
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
