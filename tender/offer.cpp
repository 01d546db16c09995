#include "tender/offer.h"

#include "db/keyedfile.h"

namespace {

Decimal decimalOf(const QString& text)
{
    if (text.isEmpty())
        return Decimal();
    // A figure that is stored as text but is not a number cannot be priced; it counts as 0 rather
    // than stopping the whole comparison, and a pack of 0 shows up among the findings.
    return Decimal::parse(text.trimmed()).value_or(Decimal());
}

// The columns an offer is made of, in the order of OfferReader's fields.
const char* const OfferColumns[] = {"ID", "Generic", "DrugForm", "DrugStrength", "Brand", "Manufacturer", "DrugPacking",
                                    "QuantityInEachStripOrPack", "CostOfPackBeforeDiscountWithoutVAT", "Discount%",
                                    "CostVAT%", "CostVATCode", "MRPOfPackWithoutVAT", "MRPOfPackWithVAT", "MRPVATCode",
                                    "MRPVAT%", "HSNCode"};

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

OfferReader::OfferReader(const QStringList& columnNames)
{
    for (size_t i = 0; i < std::size(OfferColumns); ++i) {
        m_index[i] = static_cast<int>(columnNames.indexOf(QLatin1String(OfferColumns[i])));
        Q_ASSERT(m_index[i] >= 0);
    }
}

Offer OfferReader::offer(const QStringList& values) const
{
    const auto at = [&](int field) { return values.at(m_index[static_cast<size_t>(field)]); };
    Offer o;
    o.id = at(0).toLongLong();
    o.generic = at(1);
    o.drugForm = at(2);
    o.strength = at(3);
    o.brand = at(4);
    o.manufacturer = at(5);
    o.packing = at(6);
    o.unitsPerPack = decimalOf(at(7));
    o.cost = decimalOf(at(8));
    o.discount = decimalOf(at(9));
    o.costTax = decimalOf(at(10));
    o.costTaxCode = at(11);
    o.mrpWithoutTax = decimalOf(at(12));
    o.mrpWithTax = decimalOf(at(13));
    o.mrpTaxCode = at(14);
    o.mrpTax = decimalOf(at(15));
    o.hsnCode = at(16);
    return o;
}

std::vector<Offer> readOffers(const KeyedFile& file)
{
    QStringList names;
    for (const char* c : OfferColumns)
        names << QLatin1String(c);
    const OfferReader reader(names);
    QStringList quoted;
    for (const QString& n : names)
        quoted << QLatin1Char('"') + n + QLatin1Char('"');
    std::vector<Offer> offers;
    QStringList values;
    file.forEachRow(QStringLiteral("SELECT %1 FROM Quotations ORDER BY ID").arg(quoted.join(QLatin1Char(','))),
                    [&](const KeyedFile::Row& row) {
                        values.clear();
                        for (int c = 0; c < row.columnCount(); ++c)
                            values << row.text(c);
                        offers.push_back(reader.offer(values));
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
                        l.qtyPerYear = decimalOf(row.text(5));
                        lines.push_back(std::move(l));
                    });
    return lines;
}

} // namespace Tender
