#include "quotation/wordfilter.h"

#include "db/sqltext.h"

#include <QStringList>

namespace WordFilter {

QString clause(const QString& text)
{
    QStringList conditions;
    for (const QString& piece : text.trimmed().split(QLatin1Char(' '))) {
        const QString word = piece.trimmed();
        if (!word.isEmpty())
            conditions << QStringLiteral("Description like '%") + escapeSqlText(word) + QStringLiteral("%'");
    }
    if (conditions.isEmpty())
        return {};
    return QStringLiteral("Where ") + conditions.join(QStringLiteral(" And "));
}

QString genericsSql(const QString& clause)
{
    return QStringLiteral("Select * From CT_Generics ") + clause + QStringLiteral(" Order By Description");
}

QString brandsSql(const QString& clause)
{
    return QStringLiteral("Select * From CT_Brands ") + clause + QStringLiteral(" Order By Description");
}

QString brandsOfGenericSql(const QString& generic)
{
    return QStringLiteral("Select * From CT_Brands ") + QStringLiteral("Where Generic like '") + escapeSqlText(generic) +
           QStringLiteral("'") + QStringLiteral(" Order By Description");
}

QString brandOfGenericSql(const QString& brand, const QString& generic)
{
    return QStringLiteral("Select * From CT_Brands ") + QStringLiteral("Where Description='") + escapeSqlText(brand) +
           QStringLiteral("' And Generic='") + escapeSqlText(generic) + QStringLiteral("'") +
           QStringLiteral(" Order By Description");
}

QString quotedBrandSql(const QString& brand)
{
    return QStringLiteral("Select * From Quotations Where Brand='") + escapeSqlText(brand) + QStringLiteral("'");
}

} // namespace WordFilter
