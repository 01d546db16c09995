#include "quotation/pricing.h"

#include "app/decimal.h"

namespace Pricing {

namespace {

Decimal value(const QString& text)
{
    return Decimal::leadingNumber(text);
}

const Decimal Hundred(100);

} // namespace

QString rounded(const Decimal& v)
{
    return v.roundHalfEven(4).toText();
}

bool isUsableQuantity(const QString& qty)
{
    return Decimal::isNumeric(qty) && !value(qty).isZero();
}

CostSummary costBlock(const Inputs& in)
{
    CostSummary s;
    if (!Decimal::isNumeric(in.cost) || !Decimal::isNumeric(in.qty) || !Decimal::isNumeric(in.discount) ||
        in.costTaxCode.isEmpty() || !Decimal::isNumeric(in.costTax))
        return s;
    s.computed = true;
    const Decimal cost = value(in.cost);
    const Decimal disc = value(in.discount);
    const Decimal tax = value(in.costTax);

    s.costBefDisc = in.cost;
    const Decimal discount = disc * cost / Hundred;
    s.discAmt = rounded(discount);
    // The discount taken off here is the unrounded one; the shown amount is rounded separately.
    s.costAftDisc = rounded(value(s.costBefDisc) - discount);
    s.vatAmt = rounded(tax * value(s.costAftDisc) / Hundred);
    s.costAftVAT = rounded(value(s.vatAmt) + value(s.costAftDisc));

    if (!isUsableQuantity(in.qty))
        return s;
    const Decimal qty = value(in.qty);
    s.costLUBefDisc = rounded(value(s.costBefDisc) / qty);
    s.luDiscAmt = rounded(value(s.discAmt) / qty);
    s.costLUAftDisc = rounded(value(s.costAftDisc) / qty);
    s.luVATAmt = rounded(value(s.vatAmt) / qty);
    s.costLUAftVAT = rounded(value(s.costAftVAT) / qty);
    return s;
}

MrpSummary mrpBlock(const Inputs& in)
{
    MrpSummary s;
    if (in.mrpWithTax.isEmpty() || in.mrpTaxCode.isEmpty() || !Decimal::isNumeric(in.qty) ||
        !Decimal::isNumeric(in.mrpTax))
        return s;
    const Decimal tax = value(in.mrpTax);
    if ((Hundred + tax).isZero())
        return s;
    s.computed = true;

    s.mrp = rounded(value(in.mrpWithTax) * Hundred / (Hundred + tax));
    s.withoutVAT = rounded(value(s.mrp));
    s.vatAmt = rounded(tax * value(s.mrp) / Hundred);
    // May differ from the typed MRP with tax in the fourth decimal: it is rebuilt from rounded parts.
    s.withVAT = rounded(value(s.vatAmt) + value(s.withoutVAT));

    if (!isUsableQuantity(in.qty))
        return s;
    const Decimal qty = value(in.qty);
    s.withoutVATLU = rounded(value(s.withoutVAT) / qty);
    s.vatAmtLU = rounded(value(s.vatAmt) / qty);
    s.withVATLU = rounded(value(s.withVAT) / qty);
    return s;
}

} // namespace Pricing
