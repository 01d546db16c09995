#include "masters/qtyperyearfilter.h"

#include "db/sqltext.h"

#include <QStringList>

namespace {

// "Column like '%word%' And " for each word of the text (split at single blanks, empty pieces skipped).
QString likeEveryWord(const QString& column, const QString& text)
{
    QString joined;
    for (const QString& piece : text.trimmed().split(QLatin1Char(' '))) {
        const QString word = piece.trimmed();
        if (!word.isEmpty())
            joined += column + QStringLiteral(" like '%") + escapeSqlText(word) + QStringLiteral("%' And ");
    }
    return joined;
}

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
        const QString words = likeEveryWord(QStringLiteral("Generic"), generic);
        if (words.size() > 7)
            where += QLatin1Char('(') + withoutLastAnd(words) + QStringLiteral(") And ");
    }
    if (!strength.trimmed().isEmpty())
        where += likeEveryWord(QStringLiteral("Strength"), strength);
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
