#include "db/sqltext.h"

#include <QRegularExpression>
#include <QStringList>

QString escapeSqlText(const QString& value)
{
    QString doubled = value;
    doubled.replace(QLatin1Char('\''), QLatin1String("''"));
    // The engine reads a statement only up to a NUL, so one inside a value would cut the statement
    // short and leave its quote open; no name or search word has a use for it.
    doubled.remove(QChar(0));
    return doubled;
}

bool isSqlNumber(const QString& value)
{
    static const QRegularExpression number(QStringLiteral("^-?(\\d+(\\.\\d*)?|\\.\\d+)$"));
    return number.match(value).hasMatch();
}

QString wordConditions(const QString& column, const QString& text, const QString& joiner)
{
    QStringList parts;
    for (const QString& piece : text.trimmed().split(QLatin1Char(' '))) {
        const QString word = piece.trimmed();
        if (!word.isEmpty())
            parts << column + QStringLiteral(" like '%") + escapeSqlText(word) + QStringLiteral("%'");
    }
    return parts.join(QLatin1Char(' ') + joiner + QLatin1Char(' '));
}
