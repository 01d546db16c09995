#include "output/pricebidtables.h"

#include "output/exporterror.h"

namespace {

using Number = std::optional<Decimal>;

// Null takes part in arithmetic as it does in the page: the result is Null, and so an empty cell.
Number operator+(const Number& a, const Number& b)
{
    return a && b ? Number(*a + *b) : std::nullopt;
}

Number operator-(const Number& a, const Number& b)
{
    return a && b ? Number(*a - *b) : std::nullopt;
}

Number operator*(const Number& a, const Number& b)
{
    return a && b ? Number(*a * *b) : std::nullopt;
}

// Only a divisor that is there can be zero: a Null ratio empties the cells instead of ending the export.
Number operator/(const Number& a, const Number& b)
{
    if (!a || !b)
        return std::nullopt;
    if (b->isZero())
        throw ExportError(ExportErrorNumber::DivisionByZero, QStringLiteral("Division by zero"));
    return *a / *b;
}

Number rounded4(const Number& a)
{
    return a ? Number(a->roundHalfEven(4)) : std::nullopt;
}

} // namespace

std::optional<Decimal> PriceBidInputs::number(const QVariant& value)
{
    if (value.isNull())
        return std::nullopt;
    std::optional<Decimal> parsed = Decimal::parse(value.toString().trimmed());
    if (!parsed)
        throw ExportError(ExportErrorNumber::TypeMismatch, QStringLiteral("Type mismatch"));
    return parsed;
}

QString priceBidNumber(const std::optional<Decimal>& value)
{
    return value ? value->toFixed(4) : QString();
}

PriceBidFigures computePriceBidFigures(const PriceBidInputs& in)
{
    const Number& C = in.cost;
    const Number& D = in.discount;
    const Number& T = in.costTax;
    const Number& Q = in.ratio;
    const Number& M = in.mrp;
    const Number& V = in.mrpTax;
    const Number hundred = Decimal(100);

    // Pack row: A, B and X stay exact; only the printed figures are rounded.
    const Number A = C * D / hundred;
    const Number B = C - A;
    const Number X = B * T / hundred;

    // Lowest-unit row: the unit cost after discount is rounded first and the tax is taken on the
    // rounded figure, so x and b + x can differ in the last place from the pack row divided by Q.
    const Number unitCost = C / Q;
    const Number a = A / Q;
    const Number b = rounded4(unitCost - a);
    const Number x = b * T / hundred;

    const Number Y = M * V / hundred;
    const Number unitMrp = M / Q;
    const Number unitTax = Y / Q;

    const Number packCost[6] = {C, D, A, B, X, B + X};
    const Number unitCostRow[6] = {unitCost, D, a, b, x, b + x};
    const Number packMrp[3] = {M, Y, M + Y};
    const Number unitMrpRow[3] = {unitMrp, unitTax, unitMrp + unitTax};
    PriceBidFigures f;
    for (int i = 0; i < 6; ++i) {
        f.packCost[i] = priceBidNumber(packCost[i]);
        f.unitCost[i] = priceBidNumber(unitCostRow[i]);
    }
    for (int i = 0; i < 3; ++i) {
        f.packMrp[i] = priceBidNumber(packMrp[i]);
        f.unitMrp[i] = priceBidNumber(unitMrpRow[i]);
    }
    return f;
}
