#include "quotation/calculatormath.h"

namespace {

Decimal round4(const Decimal& value)
{
    return value.roundHalfEven(4);
}

} // namespace

CostFigures calculateCost(CostBasis basis, const Decimal& cost, const Decimal& discountPercent,
                          const Decimal& taxPercent)
{
    const Decimal hundred(100);
    CostFigures out;
    if (basis == CostBasis::InclusiveOfTaxAndDiscount) {
        const Decimal withTax = round4(cost);
        const Decimal tax = round4(cost - cost * hundred / (hundred + taxPercent));
        const Decimal afterDiscount = round4(cost * hundred / (hundred + taxPercent));
        // The discount is worked back from the rounded cost after discount.
        const Decimal discount = round4(afterDiscount * discountPercent / (hundred - discountPercent));
        const Decimal beforeDiscount = round4(afterDiscount + discount);
        out.costAftVAT = withTax.toText();
        out.vatAmt = tax.toText();
        out.costAftDisc = afterDiscount.toText();
        out.discAmt = discount.toText();
        out.costBefDisc = beforeDiscount.toText();
    } else {
        const Decimal beforeDiscount = round4(cost);
        // From the cost as typed, not from its rounded figure.
        const Decimal discount = round4(cost * discountPercent / hundred);
        const Decimal afterDiscount = round4(beforeDiscount - discount);
        const Decimal tax = round4(afterDiscount * taxPercent / hundred);
        const Decimal withTax = round4(afterDiscount + tax);
        out.costBefDisc = beforeDiscount.toText();
        out.discAmt = discount.toText();
        out.costAftDisc = afterDiscount.toText();
        out.vatAmt = tax.toText();
        out.costAftVAT = withTax.toText();
    }
    return out;
}

QString mrpWithoutTax(const Decimal& mrpWithTax, const Decimal& taxPercent)
{
    const Decimal hundred(100);
    return round4(mrpWithTax * hundred / (hundred + taxPercent)).toText();
}

std::optional<Decimal> usableTaxPercent(const QString& text)
{
    std::optional<Decimal> tax = Decimal::parse(text.trimmed());
    if (!tax || *tax < Decimal(0))
        return std::nullopt;
    return tax;
}
