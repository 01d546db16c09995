#include "quotation/picklistsql.h"

#include "db/sqltext.h"

#include <QStringList>

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
    QStringList conditions;
    // Split at single blanks: runs of blanks give empty pieces, which are skipped.
    for (const QString& piece : searchText.trimmed().split(QLatin1Char(' '))) {
        const QString word = piece.trimmed();
        if (!word.isEmpty())
            conditions << QStringLiteral("Description like '%") + escapeSqlText(word) + QStringLiteral("%'");
    }
    if (conditions.isEmpty())
        return QString();
    return QStringLiteral("Where ") + conditions.join(QStringLiteral(" And "));
}

QString pickListFilterSql(int kind, const QString& condition)
{
    const QString table = pickListTable(kind);
    if (table.isEmpty())
        return QString();
    return QStringLiteral("Select * From ") + table + QStringLiteral(" ") + condition +
           QStringLiteral(" Order By Description");
}
