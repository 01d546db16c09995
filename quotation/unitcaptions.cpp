#include "quotation/unitcaptions.h"

namespace UnitCaptions {

namespace {

struct Caption {
    int index;
    const char* design;
    const char* before;
    const char* after;
};

const Caption PackingCaptions[] = {
    {0, "Cost of ____ before Discount", "Cost of ", " before Discount"},
    {1, "Cost of ____ after Discount without Tax", "Cost of ", " after Discount without Tax"},
    {2, "Cost of ____ after Discount with Tax", "Cost of ", " after Discount with Tax"},
    {4, "MRP of ____ with Tax", "MRP of ", " with Tax"},
    {5, "MRP of ____ without Tax", "MRP of ", " without Tax"},
    {6, "Cost of ___ before Discount without Tax", "Cost of ", " before Discount without Tax"},
    {7, "MRP of ___ without Tax", "MRP of ", " without Tax"},
    {10, "MRP of ___ with Tax", "MRP of ", " with Tax"},
};
const Caption LowestUnitCaptions[] = {
    {0, "Cost of ____ before Discount", "Cost of ", " before Discount"},
    {1, "Cost of ____ after Discount without Tax", "Cost of ", " after Discount without Tax"},
    {2, "Cost of ____ after Discount with Tax", "Cost of ", " after Discount with Tax"},
    {3, "MRP of ____ with Tax", "MRP of ", " with Tax"},
    {4, "MRP of ____ without Tax", "MRP of ", " without Tax"},
};

template <size_t N>
QString caption(const Caption (&table)[N], int index, const QString& unit)
{
    for (const Caption& c : table)
        if (c.index == index)
            return unit.isEmpty() ? QLatin1String(c.design) : QLatin1String(c.before) + unit + QLatin1String(c.after);
    return QString();
}

} // namespace

QString packing(int index, const QString& packing)
{
    return caption(PackingCaptions, index, packing);
}

QString lowestUnit(int index, const QString& form)
{
    return caption(LowestUnitCaptions, index, form);
}

QString quantityDesign()
{
    return QStringLiteral("Quantity in each Strip/Pack");
}

QString quantityForPacking(const QString& form, const QString& packing)
{
    if (packing.isEmpty())
        return quantityDesign();
    const bool counted = form == QLatin1String("Injection") || form == QLatin1String("Capsule") ||
                         form == QLatin1String("Tablet");
    return form + (counted ? QStringLiteral("(s) in ") : QStringLiteral(" in ")) + packing;
}

QString quantityForForm(const QString& form, const QString& packing)
{
    return form.isEmpty() ? quantityDesign() : form + QStringLiteral(" in ") + packing;
}

QString costTaxAmount(const QString& code)
{
    return QStringLiteral("Cost Tax Amount (") + code + QStringLiteral(")");
}

QString mrpTaxAmount(const QString& code)
{
    return QStringLiteral("MRP Tax Amount (") + code + QStringLiteral(")");
}

} // namespace UnitCaptions
