#include "masters/qtyperyearfilter.h"

#include "db/sqltext.h"

namespace {

// The text without its trailing "And " (4 characters), trimmed.
QString withoutLastAnd(const QString& text)
{
    return text.left(text.size() - 4).trimmed();
}

} // namespace

namespace QtyPerYearFilter {

QString fullListSql()
{
    return QStringLiteral("Select * From CT_QtyPerYears Order By Generic, DrugPacking, DrugForm, Strength");
}

QString condition(const QString& generic, const QString& strength, const QString& drugForm, const QString& drugPacking)
{
    QString where;
    if (!generic.trimmed().isEmpty()) {
        const QString words = wordConditions(QStringLiteral("Generic"), generic, QStringLiteral("And"));
        if (!words.isEmpty())
            where += QLatin1Char('(') + words + QStringLiteral(") And ");
    }
    const QString strengthWords = wordConditions(QStringLiteral("Strength"), strength, QStringLiteral("And"));
    if (!strengthWords.isEmpty())
        where += strengthWords + QStringLiteral(" And ");
    if (!drugForm.isEmpty())
        where += QStringLiteral("DrugForm = '") + escapeSqlText(drugForm) + QStringLiteral("' And ");
    if (!drugPacking.isEmpty())
        where += QStringLiteral("DrugPacking = '") + escapeSqlText(drugPacking) + QStringLiteral("' And ");
    if (where.size() < 8)
        return QString();
    return withoutLastAnd(where);
}

QString filteredSql(const QString& condition)
{
    return QStringLiteral("Select * From CT_QtyPerYears Where ") + condition + QStringLiteral(" Order By Generic");
}

} // namespace QtyPerYearFilter
