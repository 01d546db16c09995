// Exact decimals from text: whatever is accepted as a number is made of a sign, digits and one point,
// reads back from its own text, and survives the arithmetic and rounding the screens apply to it.
#include "app/decimal.h"

#include <QString>
#include <cstdlib>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

bool onlyNumberCharacters(const QString& text)
{
    for (const QChar c : text)
        if (!(c.isDigit() && c.unicode() < 0x80) && c != QLatin1Char('-') && c != QLatin1Char('.'))
            return false;
    return true;
}

bool terminates(const Decimal& value)
{
    mpz_class d = value.rational().get_den();
    while (mpz_divisible_ui_p(d.get_mpz_t(), 2))
        d /= 2;
    while (mpz_divisible_ui_p(d.get_mpz_t(), 5))
        d /= 5;
    return d == 1;
}

void checkNumber(const Decimal& value)
{
    // Text that has a finite decimal form is written exactly; any other is rounded to 10 places.
    const std::optional<Decimal> again = Decimal::parse(value.toText());
    check(again.has_value());
    check(*again == (terminates(value) ? value : value.roundHalfEven(10)));
    const Decimal rounded = value.roundHalfEven(4);
    check(rounded.roundHalfEven(4) == rounded);
    check(Decimal::parse(rounded.toFixed(4)).value() == rounded);
    check(Decimal::parse(value.toFixed(2)).has_value());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Field texts are short; the arithmetic on thousand-digit numbers proves nothing more.
    if (size > 512)
        return 0;
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const qsizetype split = text.indexOf(QLatin1Char('|'));
    const QString first = split < 0 ? text : text.left(split);
    const QString second = split < 0 ? QString() : text.mid(split + 1);

    const std::optional<Decimal> a = Decimal::parse(first);
    check(a.has_value() == Decimal::isNumeric(first));
    if (a) {
        check(onlyNumberCharacters(first));
        checkNumber(*a);
        check(Decimal::leadingNumber(first) == *a);
    }
    const Decimal lead = Decimal::leadingNumber(first);
    checkNumber(lead);

    const std::optional<Decimal> b = Decimal::parse(second);
    if (a && b) {
        check(*a + *b - *b == *a);
        check((*a * *b).roundHalfEven(4) == (*b * *a).roundHalfEven(4));
        if (!b->isZero()) {
            const Decimal q = *a / *b;
            check(q * *b == *a);
            checkNumber(q);
        }
    }
    return 0;
}
