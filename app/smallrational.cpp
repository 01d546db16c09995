#include "app/smallrational.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <stdexcept>

namespace {

using Int = SmallRational::Int;
using UInt = unsigned __int128;

constexpr int MaxPower = 38;  // 10^38 is the largest power of ten below 2^127

constexpr std::array<Int, MaxPower + 1> Powers = [] {
    std::array<Int, MaxPower + 1> p{};
    p[0] = 1;
    for (int i = 1; i <= MaxPower; ++i)
        p[i] = p[i - 1] * 10;
    return p;
}();

// Checked helpers: false when the result does not fit.
bool mul(Int a, Int b, Int& r)
{
    return !__builtin_mul_overflow(a, b, &r);
}
bool add(Int a, Int b, Int& r)
{
    return !__builtin_add_overflow(a, b, &r);
}
bool sub(Int a, Int b, Int& r)
{
    return !__builtin_sub_overflow(a, b, &r);
}

// Truncating division and remainder, b > 0. A 128-bit division is a library call many times slower
// than the processor's own, and nearly every operand here fits in 64 bits.
void divide(Int a, Int b, Int& quotient, Int& remainder)
{
    constexpr Int Max64 = Int(0x7fffffffffffffffLL);
    if (b <= Max64 && a <= Max64 && a >= -Max64) {
        const long long a64 = static_cast<long long>(a), b64 = static_cast<long long>(b);
        quotient = a64 / b64;
        remainder = a64 % b64;
        return;
    }
    quotient = a / b;
    remainder = a % b;
}

// Whether d (> 0) divides n, and the quotient.
bool divides(Int d, Int n, Int& quotient)
{
    Int remainder;
    divide(n, d, quotient, remainder);
    return remainder == 0;
}

} // namespace

std::optional<SmallRational> SmallRational::parse(std::string_view text)
{
    // Long enough for any price, rate or quantity, short enough that the value and 10^places fit.
    constexpr int MaxDigits = 36;
    size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (negative)
        ++i;
    Int num = 0;
    int digits = 0;
    int places = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.') {
            if (point)
                return std::nullopt;
            point = true;
            continue;
        }
        if (c < '0' || c > '9' || digits == MaxDigits)
            return std::nullopt;
        num = num * 10 + (c - '0');
        ++digits;
        places += point ? 1 : 0;
    }
    // "12", "12.", "12.5" and ".5" are numbers; "", "-" and "." are not.
    if (digits == 0)
        return std::nullopt;
    return SmallRational(negative ? -num : num, Powers[places]);
}

std::optional<SmallRational> SmallRational::fromShortestDouble(double value)
{
    if (value == 0)
        return SmallRational();
    const double magnitude = std::fabs(value);
    if (!(magnitude >= 1e-20 && magnitude <= 1e20))
        return std::nullopt;
    // The shortest digits that read back as the same double, as "1.2345e+02". In scientific form:
    // the plain form writes a large whole number's every digit rather than the shortest ones.
    char text[64];
    const std::to_chars_result written = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific);
    if (written.ec != std::errc())
        return std::nullopt;
    const std::string_view all(text, static_cast<size_t>(written.ptr - text));
    const size_t e = all.find('e');
    std::optional<SmallRational> mantissa = parse(all.substr(0, e));
    if (!mantissa || e == std::string_view::npos)
        return mantissa;
    int exponent = 0;
    const char* from = text + e + 1;
    if (*from == '+')
        ++from;
    if (std::from_chars(from, written.ptr, exponent).ec != std::errc() || exponent < -MaxPower || exponent > MaxPower)
        return std::nullopt;
    SmallRational r = *mantissa;
    if (exponent >= 0 ? !mul(r.m_num, Powers[exponent], r.m_num) : !mul(r.m_den, Powers[-exponent], r.m_den))
        return std::nullopt;
    return r;
}

SmallRational SmallRational::sum(const SmallRational& o, bool subtract) const
{
    if (!ok() || !o.ok())
        return lost();
    Int a = m_num;
    Int b = o.m_num;
    Int den = m_den;
    // Bring both to the larger denominator where one divides the other (decimals of different
    // lengths); otherwise to the product of the two.
    Int factor;
    if (m_den != o.m_den) {
        if (divides(m_den, o.m_den, factor)) {
            den = o.m_den;
            if (!mul(a, factor, a))
                return lost();
        } else if (divides(o.m_den, m_den, factor)) {
            if (!mul(b, factor, b))
                return lost();
        } else if (!mul(a, o.m_den, a) || !mul(b, m_den, b) || !mul(m_den, o.m_den, den)) {
            return lost();
        }
    }
    Int num;
    if (subtract ? !sub(a, b, num) : !add(a, b, num))
        return lost();
    return SmallRational(num, den);
}

SmallRational SmallRational::operator*(const SmallRational& o) const
{
    Int num, den;
    if (!ok() || !o.ok() || !mul(m_num, o.m_num, num) || !mul(m_den, o.m_den, den))
        return lost();
    return SmallRational(num, den);
}

SmallRational SmallRational::operator/(const SmallRational& o) const
{
    if (!ok() || !o.ok())
        return lost();
    if (o.m_num == 0)
        throw std::domain_error("division by zero");
    Int num, den;
    if (!mul(m_num, o.m_den, num) || !mul(m_den, o.m_num, den))
        return lost();
    if (den < 0 && (!sub(0, num, num) || !sub(0, den, den)))
        return lost();
    return SmallRational(num, den);
}

std::optional<SmallRational::Int> SmallRational::roundedUnits(int places) const
{
    if (!ok() || places < 0 || places > 30)
        return std::nullopt;
    const Int scale = Powers[places];
    Int scaled, factor;
    // A decimal with no more places than asked for needs no rounding.
    if (divides(m_den, scale, factor))
        return mul(m_num, factor, scaled) ? std::optional<Int>(scaled) : std::nullopt;
    if (!mul(m_num, scale, scaled))
        return std::nullopt;
    // Floor division, then the remainder against one half of the denominator.
    Int quotient, remainder;
    divide(scaled, m_den, quotient, remainder);
    if (remainder < 0) {
        quotient -= 1;
        remainder += m_den;
    }
    const Int rest = m_den - remainder;
    if (remainder > rest || (remainder == rest && (quotient & 1) != 0))
        quotient += 1;
    return quotient;
}

SmallRational SmallRational::roundHalfEven(int places) const
{
    const std::optional<Int> units = roundedUnits(places);
    return units ? SmallRational(*units, Powers[places]) : lost();
}

int SmallRational::formatInteger(Int value, char* out)
{
    char digits[40];
    int n = 0;
    UInt magnitude = value < 0 ? UInt(0) - static_cast<UInt>(value) : static_cast<UInt>(value);
    // Most values fit in 64 bits, whose division is far cheaper.
    while (magnitude > UInt(~0ULL)) {
        digits[n++] = static_cast<char>('0' + static_cast<int>(magnitude % 10));
        magnitude /= 10;
    }
    unsigned long long small = static_cast<unsigned long long>(magnitude);
    do {
        digits[n++] = static_cast<char>('0' + static_cast<int>(small % 10));
        small /= 10;
    } while (small != 0);
    int length = 0;
    if (value < 0)
        out[length++] = '-';
    while (n > 0)
        out[length++] = digits[--n];
    return length;
}

int SmallRational::toFixed(int places, char* out) const
{
    const std::optional<Int> units = roundedUnits(places);
    if (!units)
        return 0;
    // The digits with zeros in front up to one before the point: 5 units at 4 places is "0.0005".
    char digits[44 + 32];
    const int sign = *units < 0 ? 1 : 0;
    char* magnitude = digits + 32;
    int n = formatInteger(*units, magnitude - sign) - sign;
    while (n < places + 1) {
        *--magnitude = '0';
        ++n;
    }
    int length = 0;
    if (sign)
        out[length++] = '-';
    std::memcpy(out + length, magnitude, static_cast<size_t>(n - places));
    length += n - places;
    if (places > 0) {
        out[length++] = '.';
        std::memcpy(out + length, magnitude + n - places, static_cast<size_t>(places));
        length += places;
    }
    return length;
}
