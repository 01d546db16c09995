#include "db/sqltext.h"

#include <QRegularExpression>

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
