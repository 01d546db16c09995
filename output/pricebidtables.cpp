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
Number operator/(const Number& a, const Number& b)
{
    if (!a || !b)
        return std::nullopt;
    if (b->isZero())
        throw ExportError(ExportErrorNumber::DivisionByZero, QStringLiteral("Division by zero"));
    return Number(*a / *b);
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
    const QString text = value.toString().trimmed();
    std::optional<Decimal> parsed = Decimal::parse(text);
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
    const Number hundred = Decimal(100);
    const Number& C = in.cost;
    const Number& D = in.discount;
    const Number& T = in.costTax;
    const Number& Q = in.ratio;
    const Number& M = in.mrp;
    const Number& V = in.mrpTax;

    PriceBidFigures f;

    // Pack row: A, B and X stay exact; only the printed figures are rounded.
    const Number A = C * D / hundred;
    const Number B = C - A;
    const Number X = B * T / hundred;
    f.packCost[0] = priceBidNumber(C);
    f.packCost[1] = priceBidNumber(D);
    f.packCost[2] = priceBidNumber(A);
    f.packCost[3] = priceBidNumber(B);
    f.packCost[4] = priceBidNumber(X);
    f.packCost[5] = priceBidNumber(B + X);

    // Lowest-unit row: the unit cost after discount is rounded first and the tax is taken on the
    // rounded figure, so x and b + x can differ in the last place from the pack row divided by Q.
    const Number unitCost = C / Q;
    const Number a = A / Q;
    const Number b = rounded4(unitCost - a);
    const Number x = b * T / hundred;
    f.unitCost[0] = priceBidNumber(unitCost);
    f.unitCost[1] = priceBidNumber(D);
    f.unitCost[2] = priceBidNumber(a);
    f.unitCost[3] = priceBidNumber(b);
    f.unitCost[4] = priceBidNumber(x);
    f.unitCost[5] = priceBidNumber(b + x);

    const Number Y = M * V / hundred;
    f.packMrp[0] = priceBidNumber(M);
    f.packMrp[1] = priceBidNumber(Y);
    f.packMrp[2] = priceBidNumber(M + Y);

    const Number unitMrp = M / Q;
    const Number unitTax = Y / Q;
    f.unitMrp[0] = priceBidNumber(unitMrp);
    f.unitMrp[1] = priceBidNumber(unitTax);
    f.unitMrp[2] = priceBidNumber(unitMrp + unitTax);
    return f;
}
