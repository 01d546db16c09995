#include "output/pricebidcells.h"

#include "output/pricebidformula.h"

namespace {

using Number = std::optional<SmallRational>;

// Empty for Null, as priceBidNumber; false when the value was lost on the way.
bool format(const Number& value, PriceBidCells::Text& text)
{
    if (!value) {
        text.size = 0;
        return true;
    }
    text.size = value->toFixed(4, text.chars);
    return text.size > 0;
}

void copy(const QString& figure, PriceBidCells::Text& text)
{
    // Figures are digits, a point and a minus: one byte each.
    if (figure.size() > SmallRational::MaxFixedChars) {
        text.longer = figure.toLatin1();
        return;
    }
    text.longer.clear();
    text.size = static_cast<int>(figure.size());
    for (int i = 0; i < text.size; ++i)
        text.chars[i] = static_cast<char>(figure[i].unicode());
}

} // namespace

bool priceBidCells(const SmallPriceBidInputs& in, PriceBidCells& out)
{
    const PriceBidFormula::Values<SmallRational> v =
        PriceBidFormula::compute<SmallRational>(in.cost, in.discount, in.costTax, in.ratio, in.mrp, in.mrpTax);
    bool ok = format(in.ratio, out.ratio);
    for (int i = 0; i < 6; ++i)
        ok = format(v.packCost[i], out.packCost[i]) && format(v.unitCost[i], out.unitCost[i]) && ok;
    for (int i = 0; i < 3; ++i)
        ok = format(v.packMrp[i], out.packMrp[i]) && format(v.unitMrp[i], out.unitMrp[i]) && ok;
    return ok;
}

void priceBidCells(const PriceBidInputs& in, PriceBidCells& out)
{
    const PriceBidFigures f = computePriceBidFigures(in);
    copy(priceBidNumber(in.ratio), out.ratio);
    for (int i = 0; i < 6; ++i) {
        copy(f.packCost[i], out.packCost[i]);
        copy(f.unitCost[i], out.unitCost[i]);
    }
    for (int i = 0; i < 3; ++i) {
        copy(f.packMrp[i], out.packMrp[i]);
        copy(f.unitMrp[i], out.unitMrp[i]);
    }
}
