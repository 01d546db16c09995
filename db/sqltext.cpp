#include "db/sqltext.h"

#include <QRegularExpression>

QString escapeSqlText(const QString& value)
{
    QString doubled = value;
    doubled.replace(QLatin1Char('\''), QLatin1String("''"));
    return doubled;
}

bool isSqlNumber(const QString& value)
{
    static const QRegularExpression number(QStringLiteral("^-?(\\d+(\\.\\d*)?|\\.\\d+)$"));
    return number.match(value).hasMatch();
}
