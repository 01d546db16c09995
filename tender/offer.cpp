#include "tender/offer.h"

#include "db/keyedfile.h"

namespace {

Decimal decimalOf(const KeyedFile::Row& row, int column)
{
    const QString text = row.text(column);
    if (text.isEmpty())
        return Decimal();
    // A figure that is stored as text but is not a number cannot be priced; it counts as 0 rather
    // than stopping the whole comparison, and a pack of 0 shows up among the findings.
    return Decimal::parse(text.trimmed()).value_or(Decimal());
}

const Decimal Hundred(100);

} // namespace

namespace Tender {

QString matchKey(const QString& text)
{
    return text.simplified().toCaseFolded();
}

bool isComparable(const Offer& offer)
{
    return offer.unitsPerPack > Decimal();
}

Decimal costAfterDiscount(const Offer& offer)
{
    return offer.cost * (Hundred - offer.discount) / Hundred;
}

std::optional<Decimal> unitCost(const Offer& offer)
{
    if (!isComparable(offer))
        return std::nullopt;
    return costAfterDiscount(offer) * (Hundred + offer.costTax) / Hundred / offer.unitsPerPack;
}

std::optional<Decimal> unitMrp(const Offer& offer)
{
    if (!isComparable(offer))
        return std::nullopt;
    return offer.mrpWithTax / offer.unitsPerPack;
}

QString itemText(const Offer& offer)
{
    return QStringLiteral("%1 (%2)").arg(offer.brand, offer.packing);
}

QStringList pricingProblems(const Offer& offer)
{
    QStringList problems;
    if (offer.mrpWithoutTax <= costAfterDiscount(offer))
        problems << QStringLiteral("MRP without tax is at or below the cost after discount without tax");
    if (matchKey(offer.costTaxCode) != matchKey(offer.mrpTaxCode))
        problems << QStringLiteral("Cost tax code %1 differs from MRP tax code %2").arg(offer.costTaxCode, offer.mrpTaxCode);
    return problems;
}

bool matches(const RequiredLine& line, const Offer& offer)
{
    if (matchKey(line.generic) != matchKey(offer.generic) || matchKey(line.drugForm) != matchKey(offer.drugForm))
        return false;
    const QString strength = matchKey(line.strength);
    return strength.isEmpty() || strength == matchKey(offer.strength);
}

std::vector<Offer> readOffers(const KeyedFile& file)
{
    std::vector<Offer> offers;
    file.forEachRow(QStringLiteral(
        "SELECT ID, Generic, DrugForm, DrugStrength, Brand, Manufacturer, DrugPacking, QuantityInEachStripOrPack, "
        "CostOfPackBeforeDiscountWithoutVAT, \"Discount%\", \"CostVAT%\", CostVATCode, MRPOfPackWithoutVAT, "
        "MRPOfPackWithVAT, MRPVATCode, \"MRPVAT%\", HSNCode FROM Quotations ORDER BY ID"),
        [&](const KeyedFile::Row& row) {
            Offer o;
            o.id = row.integer(0);
            o.generic = row.text(1);
            o.drugForm = row.text(2);
            o.strength = row.text(3);
            o.brand = row.text(4);
            o.manufacturer = row.text(5);
            o.packing = row.text(6);
            o.unitsPerPack = decimalOf(row, 7);
            o.cost = decimalOf(row, 8);
            o.discount = decimalOf(row, 9);
            o.costTax = decimalOf(row, 10);
            o.costTaxCode = row.text(11);
            o.mrpWithoutTax = decimalOf(row, 12);
            o.mrpWithTax = decimalOf(row, 13);
            o.mrpTaxCode = row.text(14);
            o.mrpTax = decimalOf(row, 15);
            o.hsnCode = row.text(16);
            offers.push_back(std::move(o));
        });
    return offers;
}

std::vector<RequiredLine> readRequiredLines(const KeyedFile& file)
{
    std::vector<RequiredLine> lines;
    file.forEachRow(QStringLiteral("SELECT ID, Generic, Strength, DrugForm, DrugPacking, QtyReqPerYear "
                                   "FROM CT_QtyPerYears ORDER BY ID"),
                    [&](const KeyedFile::Row& row) {
                        RequiredLine l;
                        l.id = row.integer(0);
                        l.generic = row.text(1);
                        l.strength = row.text(2);
                        l.drugForm = row.text(3);
                        l.drugPacking = row.text(4);
                        l.qtyPerYear = decimalOf(row, 5);
                        lines.push_back(std::move(l));
                    });
    return lines;
}

} // namespace Tender
