#include "quotation/quotationdraft.h"

#include "db/recordset.h"

namespace {

QString storedText(const Recordset& rs, const char* column)
{
    const QVariant v = rs.field(QLatin1String(column));
    return v.isNull() ? QString() : v.toString();
}

bool storedFlag(const Recordset& rs, const char* column)
{
    const QVariant v = rs.field(QLatin1String(column));
    return !v.isNull() && v.toBool();
}

} // namespace

Pricing::Inputs QuotationDraft::pricingInputs() const
{
    Pricing::Inputs in;
    in.cost = cost;
    in.discount = discount;
    in.costTax = costTaxPercent;
    in.costTaxCode = costTaxCode;
    in.mrpWithTax = mrpWithTax;
    in.mrpTax = mrpTaxPercent;
    in.mrpTaxCode = mrpTaxCode;
    in.qty = quantityPerPack;
    return in;
}

void QuotationDraft::derive()
{
    const Pricing::Inputs in = pricingInputs();
    costSummary = Pricing::costBlock(in);
    mrpSummary = Pricing::mrpBlock(in);
    if (mrpSummary.computed)
        mrpWithoutTax = mrpSummary.mrp;
}

QuotationDraft QuotationDraft::fromStoredRow(const Recordset& rs)
{
    QuotationDraft d;
    d.vendor = storedText(rs, "Vendor");
    d.generic = storedText(rs, "Generic");
    d.brand = storedText(rs, "Brand");
    d.brandAddedByVendor = storedFlag(rs, "BrandAddedByVendor");
    d.manufacturer = storedText(rs, "Manufacturer");
    d.hsnCode = storedText(rs, "HSNCode");
    d.drugPacking = storedText(rs, "DrugPacking");
    d.quantityPerPack = storedText(rs, "QuantityInEachStripOrPack");
    d.drugForm = storedText(rs, "DrugForm");
    d.drugStrength = storedText(rs, "DrugStrength");
    d.cost = storedText(rs, "CostOfPackBeforeDiscountWithoutVAT");
    d.discount = storedText(rs, "Discount%");
    d.costTaxCode = storedText(rs, "CostVATCode");
    d.costTaxPercent = storedText(rs, "CostVAT%");
    d.mrpWithoutTax = storedText(rs, "MRPOfPackWithoutVAT");
    d.mrpWithTax = storedText(rs, "MRPOfPackWithVAT");
    d.mrpTaxCode = storedText(rs, "MRPVATCode");
    d.mrpTaxPercent = storedText(rs, "MRPVAT%");
    d.creditPeriodInDays = storedText(rs, "CreditPeriodInDays");
    d.deliveryPeriodInDays = storedText(rs, "DeliveryPeriodInDays");
    d.warrantyInMonths = storedText(rs, "WarrantyInMonths");
    d.researchMolecule = storedFlag(rs, "ResearchMolecule");
    d.freeOfCostOffer = storedText(rs, "FreeOfCostOffer");
    d.remarks = storedText(rs, "Remarks");
    // The summaries are derived; the stored MRP without tax stands as it was stored.
    const Pricing::Inputs in = d.pricingInputs();
    d.costSummary = Pricing::costBlock(in);
    d.mrpSummary = Pricing::mrpBlock(in);
    return d;
}
