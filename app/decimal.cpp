#include "app/decimal.h"

#include <QRegularExpression>
#include <stdexcept>

namespace {

mpz_class pow10(int places)
{
    mpz_class p;
    mpz_ui_pow_ui(p.get_mpz_t(), 10, static_cast<unsigned long>(places));
    return p;
}

// Parses "-12.345" style text that is already known to be a number.
mpq_class rationalFromText(const QString& text)
{
    std::string digits;
    digits.reserve(static_cast<size_t>(text.size()));
    int fractionDigits = 0;
    bool afterPoint = false;
    for (const QChar c : text) {
        if (c == QLatin1Char('.'))
            afterPoint = true;
        else if (c != QLatin1Char('-')) {
            digits += static_cast<char>(c.unicode());
            fractionDigits += afterPoint ? 1 : 0;
        }
    }
    mpq_class value(mpz_class(digits.empty() ? std::string("0") : digits, 10), pow10(fractionDigits));
    value.canonicalize();
    return text.startsWith(QLatin1Char('-')) ? mpq_class(-value) : value;
}

bool terminates(const mpz_class& denominator)
{
    mpz_class d = denominator;
    while (mpz_divisible_ui_p(d.get_mpz_t(), 2))
        d /= 2;
    while (mpz_divisible_ui_p(d.get_mpz_t(), 5))
        d /= 5;
    return d == 1;
}

// Compares 2*remainder with the denominator: <0 below a half, 0 exactly a half, >0 above.
int cmp_twice(const mpz_class& remainder, const mpz_class& denominator)
{
    return cmp(mpz_class(remainder * 2), denominator);
}

} // namespace

bool Decimal::isNumeric(const QString& text)
{
    // An optional minus, then ASCII digits with at most one point, and at least one digit. Every
    // stored figure is read through here, so it is a plain scan rather than a pattern.
    bool digit = false, point = false;
    for (qsizetype i = text.startsWith(QLatin1Char('-')) ? 1 : 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            digit = true;
        else if (c == QLatin1Char('.') && !point)
            point = true;
        else
            return false;
    }
    return digit;
}

std::optional<Decimal> Decimal::parse(const QString& text)
{
    if (!isNumeric(text))
        return std::nullopt;
    return Decimal(rationalFromText(text));
}

Decimal Decimal::leadingNumber(const QString& text)
{
    static const QRegularExpression leading(QStringLiteral("^\\s*(-?\\d*\\.?\\d*)"));
    const QString found = leading.match(text).captured(1);
    if (!isNumeric(found))
        return Decimal();
    return Decimal(rationalFromText(found));
}

Decimal Decimal::operator/(const Decimal& o) const
{
    if (o.isZero())
        throw std::domain_error("division by zero");
    return Decimal(mpq_class(m_value / o.m_value));
}

Decimal Decimal::roundHalfEven(int places) const
{
    const mpz_class scale = pow10(places);
    const mpq_class scaled = m_value * scale;
    // floor division of numerator by denominator, then look at the remainder against one half.
    mpz_class quotient, remainder;
    mpz_fdiv_qr(quotient.get_mpz_t(), remainder.get_mpz_t(), scaled.get_num_mpz_t(), scaled.get_den_mpz_t());
    const int cmp = cmp_twice(remainder, scaled.get_den());
    if (cmp > 0 || (cmp == 0 && mpz_odd_p(quotient.get_mpz_t())))
        quotient += 1;
    return Decimal(mpq_class(quotient, scale));
}

QString Decimal::toText() const
{
    const Decimal exact = terminates(m_value.get_den()) ? *this : roundHalfEven(10);
    int places = 0;
    mpz_class den = exact.m_value.get_den();
    while (den != 1) {
        // a terminating denominator divides some power of ten
        ++places;
        if (mpz_divisible_p(pow10(places).get_mpz_t(), den.get_mpz_t()))
            break;
    }
    QString text = exact.toFixed(places);
    return text;
}

QString Decimal::toFixed(int places) const
{
    const Decimal rounded = roundHalfEven(places);
    const mpz_class scaled = mpz_class(rounded.m_value * pow10(places));
    mpz_class magnitude = abs(scaled);
    std::string digits = magnitude.get_str(10);
    if (places > 0) {
        if (static_cast<int>(digits.size()) <= places)
            digits.insert(0, static_cast<size_t>(places + 1) - digits.size(), '0');
        digits.insert(digits.size() - static_cast<size_t>(places), 1, '.');
    }
    QString text = QString::fromStdString(digits);
    if (sgn(scaled) < 0)
        text.prepend(QLatin1Char('-'));
    return text;
}
