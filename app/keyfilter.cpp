#include "app/keyfilter.h"

#include <QString>

namespace {

bool passes(KeyFilter filter, const QString& textSoFar, QChar c)
{
    switch (filter) {
    case KeyFilter::NoApostrophe:
        return c != QLatin1Char('\'');
    case KeyFilter::WholeNumber:
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    case KeyFilter::DecimalNumber:
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            return true;
        // The test looks at the whole text, whatever is selected.
        return c == QLatin1Char('.') && !textSoFar.contains(QLatin1Char('.'));
    }
    return true;
}

} // namespace

QString filterTyped(KeyFilter filter, const QString& currentText, const QString& typed)
{
    QString kept;
    QString textSoFar = currentText;
    for (QChar c : typed) {
        if (passes(filter, textSoFar, c)) {
            kept += c;
            textSoFar += c;
        }
    }
    return kept;
}
