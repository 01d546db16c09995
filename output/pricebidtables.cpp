#include "output/pricebidtables.h"

#include "output/exporterror.h"
#include "output/pricebidformula.h"

void PriceBidFormula::divisionByZero()
{
    throw ExportError(ExportErrorNumber::DivisionByZero, QStringLiteral("Division by zero"));
}

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
    const PriceBidFormula::Values<Decimal> v =
        PriceBidFormula::compute<Decimal>(in.cost, in.discount, in.costTax, in.ratio, in.mrp, in.mrpTax);
    PriceBidFigures f;
    for (int i = 0; i < 6; ++i) {
        f.packCost[i] = priceBidNumber(v.packCost[i]);
        f.unitCost[i] = priceBidNumber(v.unitCost[i]);
    }
    for (int i = 0; i < 3; ++i) {
        f.packMrp[i] = priceBidNumber(v.packMrp[i]);
        f.unitMrp[i] = priceBidNumber(v.unitMrp[i]);
    }
    return f;
}
