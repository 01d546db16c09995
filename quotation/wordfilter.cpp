#include "quotation/wordfilter.h"

#include "db/sqltext.h"


namespace WordFilter {

QString clause(const QString& text)
{
    const QString conditions = wordConditions(QStringLiteral("Description"), text, QStringLiteral("And"));
    return conditions.isEmpty() ? QString() : QStringLiteral("Where ") + conditions;
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
