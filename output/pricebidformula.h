#pragma once

#include <optional>

// The Price Bid's arithmetic, written once for both number types: Decimal for any row, SmallRational
// for the quick path that nearly every row takes. One text of the formula means the two cannot drift
// apart in what they compute, where they round or when they refuse a ratio of 0.
namespace PriceBidFormula {

template <class N>
using Number = std::optional<N>;

// The unrounded values behind the number cells, in the order of the table columns.
template <class N>
struct Values {
    Number<N> packCost[6];  // C, D, A, B | X, B + X
    Number<N> unitCost[6];  // C / Q, D, a, b | x, b + x
    Number<N> packMrp[3];   // M | Y, M + Y
    Number<N> unitMrp[3];   // M / Q | Y / Q, M / Q + Y / Q
};

// Throws ExportError (division by zero); out of line so that this header needs no Qt.
[[noreturn]] void divisionByZero();

// Null takes part in arithmetic as it does in the page: the result is Null, and so an empty cell.
template <class N>
Number<N> operator+(const Number<N>& a, const Number<N>& b)
{
    return a && b ? Number<N>(*a + *b) : std::nullopt;
}
template <class N>
Number<N> operator-(const Number<N>& a, const Number<N>& b)
{
    return a && b ? Number<N>(*a - *b) : std::nullopt;
}
template <class N>
Number<N> operator*(const Number<N>& a, const Number<N>& b)
{
    return a && b ? Number<N>(*a * *b) : std::nullopt;
}
template <class N>
Number<N> operator/(const Number<N>& a, const Number<N>& b)
{
    if (!a || !b)
        return std::nullopt;
    if (b->isZero())
        divisionByZero();
    return Number<N>(*a / *b);
}
template <class N>
Number<N> rounded4(const Number<N>& a)
{
    return a ? Number<N>(a->roundHalfEven(4)) : std::nullopt;
}

// C cost of the pack before discount, D discount %, T cost tax %, Q units in the pack, M MRP of the
// pack without tax, V MRP tax %.
template <class N>
Values<N> compute(const Number<N>& C, const Number<N>& D, const Number<N>& T, const Number<N>& Q, const Number<N>& M,
                  const Number<N>& V)
{
    const Number<N> hundred = N(100);
    Values<N> v;

    // Pack row: A, B and X stay exact; only the printed figures are rounded.
    const Number<N> A = C * D / hundred;
    const Number<N> B = C - A;
    const Number<N> X = B * T / hundred;
    v.packCost[0] = C;
    v.packCost[1] = D;
    v.packCost[2] = A;
    v.packCost[3] = B;
    v.packCost[4] = X;
    v.packCost[5] = B + X;

    // Lowest-unit row: the unit cost after discount is rounded first and the tax is taken on the
    // rounded figure, so x and b + x can differ in the last place from the pack row divided by Q.
    const Number<N> unitCost = C / Q;
    const Number<N> a = A / Q;
    const Number<N> b = rounded4(unitCost - a);
    const Number<N> x = b * T / hundred;
    v.unitCost[0] = unitCost;
    v.unitCost[1] = D;
    v.unitCost[2] = a;
    v.unitCost[3] = b;
    v.unitCost[4] = x;
    v.unitCost[5] = b + x;

    const Number<N> Y = M * V / hundred;
    v.packMrp[0] = M;
    v.packMrp[1] = Y;
    v.packMrp[2] = M + Y;

    const Number<N> unitMrp = M / Q;
    const Number<N> unitTax = Y / Q;
    v.unitMrp[0] = unitMrp;
    v.unitMrp[1] = unitTax;
    v.unitMrp[2] = unitMrp + unitTax;
    return v;
}

} // namespace PriceBidFormula
