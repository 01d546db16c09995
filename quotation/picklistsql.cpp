#include "quotation/picklistsql.h"

#include "quotation/wordfilter.h"

QString pickListTable(int kind)
{
    switch (kind) {
    case 1: return QStringLiteral("CT_DrugPackings");
    case 2: return QStringLiteral("CT_DrugForms");
    case 3: return QStringLiteral("CT_Strengths");
    case 4: return QStringLiteral("CT_Generics");
    default: return QString();
    }
}

QString pickListFullSql(int kind)
{
    const QString table = pickListTable(kind);
    if (table.isEmpty())
        return QString();
    return QStringLiteral("Select * From ") + table + QStringLiteral(" Order By Description");
}

QString pickListCondition(const QString& searchText)
{
    // The same word search as Step 1's lists.
    return WordFilter::clause(searchText);
}

QString pickListFilterSql(int kind, const QString& condition)
{
    const QString table = pickListTable(kind);
    if (table.isEmpty())
        return QString();
    return QStringLiteral("Select * From ") + table + QStringLiteral(" ") + condition +
           QStringLiteral(" Order By Description");
}
