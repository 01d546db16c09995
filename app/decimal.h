#pragma once

#include <QString>
#include <gmpxx.h>
#include <optional>

// An exact decimal number for money, rates and quantities. Arithmetic is exact (a GMP rational);
// rounding happens only where a caller asks for it, halves going to the even neighbour.
class Decimal
{
public:
    Decimal() = default;
    explicit Decimal(long long whole) : m_value(static_cast<long>(whole)) {}

    // The strict numeric test: the whole text is a number (optional minus, digits, at most one point).
    // An empty text is not numeric.
    static bool isNumeric(const QString& text);
    static std::optional<Decimal> parse(const QString& text);
    // A field's value: its leading number (blanks skipped, digits with at most one point, up to the
    // first other character); an empty or non-numeric text reads as 0.
    static Decimal leadingNumber(const QString& text);

    Decimal operator+(const Decimal& o) const { return Decimal(mpq_class(m_value + o.m_value)); }
    Decimal operator-(const Decimal& o) const { return Decimal(mpq_class(m_value - o.m_value)); }
    Decimal operator*(const Decimal& o) const { return Decimal(mpq_class(m_value * o.m_value)); }
    // Dividing by zero throws std::domain_error: callers check their divisors first.
    Decimal operator/(const Decimal& o) const;
    Decimal operator-() const { return Decimal(mpq_class(-m_value)); }

    bool operator==(const Decimal& o) const { return m_value == o.m_value; }
    bool operator<(const Decimal& o) const { return m_value < o.m_value; }
    bool operator>(const Decimal& o) const { return m_value > o.m_value; }
    bool operator<=(const Decimal& o) const { return m_value <= o.m_value; }
    bool operator>=(const Decimal& o) const { return m_value >= o.m_value; }
    bool isZero() const { return sgn(m_value) == 0; }

    Decimal roundHalfEven(int places) const;
    // Plain decimal text with a point, no grouping, no trailing zeros ("10.8", "100", "-0.5").
    // A value with no finite decimal form is first rounded to 10 places.
    QString toText() const;
    // Rounded half to even to `places` decimals and written with exactly that many ("0.0000").
    QString toFixed(int places) const;

    bool isWhole() const { return m_value.get_den() == 1; }
    const mpq_class& rational() const { return m_value; }

private:
    explicit Decimal(mpq_class v) : m_value(std::move(v)) { m_value.canonicalize(); }
    mpq_class m_value;
};
