#pragma once

#include <optional>
#include <string_view>

// An exact rational held in two 128-bit integers, for loops over thousands of rows where a Decimal's
// allocations and gcd canonicalisation cost far more than the arithmetic itself. Values are exactly
// those Decimal would compute; only their range is smaller.
//
// No gcd is ever taken: the inputs are short decimal texts, so denominators are powers of ten, or such
// a power times one divisor, and the larger of two denominators is nearly always a multiple of the
// smaller. An operation whose result would not fit marks it as lost (ok() is false) instead of
// wrapping; a lost value poisons everything computed from it, and the caller repeats the work with
// Decimal. A lost value says nothing about its sign or size.
class SmallRational
{
public:
    using Int = __int128;

    constexpr SmallRational() = default;
    constexpr explicit SmallRational(long long whole) : m_num(whole) {}

    // Text that passes Decimal::isNumeric in plain ASCII (optional minus, digits, at most one point);
    // nullopt for anything else, including numbers too long to hold, so that the caller falls back to
    // Decimal::parse and gets its answer, whatever it is.
    static std::optional<SmallRational> parse(std::string_view text);
    // The value of the shortest decimal text that reads back as `value` (what the database layer
    // hands out for a stored double); nullopt for infinities, NaN and magnitudes outside 1e-20..1e20.
    static std::optional<SmallRational> fromShortestDouble(double value);

    bool ok() const { return m_den != 0; }
    bool isZero() const { return m_num == 0; }

    SmallRational operator+(const SmallRational& o) const { return sum(o, false); }
    SmallRational operator-(const SmallRational& o) const { return sum(o, true); }
    SmallRational operator*(const SmallRational& o) const;
    // Dividing by zero throws std::domain_error, as Decimal does: callers check their divisors first.
    SmallRational operator/(const SmallRational& o) const;

    // Rounded to `places` decimals (0..30), halves to the even neighbour.
    SmallRational roundHalfEven(int places) const;
    // Rounded half to even to `places` decimals (0..30) and written with exactly that many ("0.0000")
    // into `out`, which has room for MaxFixedChars; returns the length, or 0 when the value is lost or
    // does not fit.
    static constexpr int MaxFixedChars = 48;
    int toFixed(int places, char* out) const;

    Int numerator() const { return m_num; }
    Int denominator() const { return m_den; }  // > 0 while ok()
    // Decimal digits of an integer, with a leading minus when negative; returns the length (at most 40).
    static int formatInteger(Int value, char* out);

private:
    constexpr SmallRational(Int num, Int den) : m_num(num), m_den(den) {}
    static SmallRational lost() { return SmallRational(0, 0); }
    SmallRational sum(const SmallRational& o, bool subtract) const;
    // The value times 10^places rounded half to even to a whole number; nullopt when lost or too large.
    std::optional<Int> roundedUnits(int places) const;

    Int m_num = 0;
    Int m_den = 1;  // 0 once lost
};
