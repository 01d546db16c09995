#pragma once

#include "app/decimal.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

class KeyedFile;

// The comparable side of one quoted item (a Quotations row) and of one line of the hospital's yearly
// requirement, with the rules that relate them. The vendor's own screens read the same values from
// their one open file; the hospital's comparison reads them from many.
namespace Tender {

// Text as matching sees it: trimmed, inner runs of blanks as one space, case folded.
QString matchKey(const QString& text);

struct Offer {
    qlonglong id = 0;
    QString generic, drugForm, strength;
    QString brand, manufacturer, packing, hsnCode;
    Decimal unitsPerPack;       // QuantityInEachStripOrPack
    Decimal cost;               // one pack before discount, without tax
    Decimal discount;           // percent
    Decimal costTax;            // percent
    QString costTaxCode;
    Decimal mrpWithoutTax;      // one pack
    Decimal mrpWithTax;         // one pack
    QString mrpTaxCode;
    Decimal mrpTax;             // percent
};

struct RequiredLine {
    qlonglong id = 0;
    QString generic, strength, drugForm, drugPacking;
    Decimal qtyPerYear;  // units of the line's drug form, whatever the pack
};

// An offer can be ranked only when its pack holds something.
bool isComparable(const Offer& offer);
// One pack after discount, before tax: C × (100 − D) / 100.
Decimal costAfterDiscount(const Offer& offer);
// One unit after discount, with tax: C × (100 − D) / 100 × (100 + T) / 100 / Q, exact; nullopt when
// the offer is not comparable.
std::optional<Decimal> unitCost(const Offer& offer);
// MRP of a pack with tax / Q; nullopt when the offer is not comparable.
std::optional<Decimal> unitMrp(const Offer& offer);

// How findings name an offer: "Brand (packing)".
QString itemText(const Offer& offer);

// What is wrong with an offer's own figures whatever the tender: the MRP without tax at or below the
// cost after discount without tax, and cost and MRP taxed under different codes. In that order.
QStringList pricingProblems(const Offer& offer);

// Generic and drug form equal, and the strength too where the line gives one.
bool matches(const RequiredLine& line, const Offer& offer);

// Read from an open tender file: every quoted item in ID order, every required line in ID order.
// A Null figure reads as 0, as a blank term does in the wizard. Throw DbError.
std::vector<Offer> readOffers(const KeyedFile& file);
std::vector<RequiredLine> readRequiredLines(const KeyedFile& file);

// Makes offers of quoted rows read as text by another query (the bid digest's), so that a reader that
// needs both reads the rows once.
class OfferReader {
public:
    // The query's column names; every column of an offer must be among them.
    explicit OfferReader(const QStringList& columnNames);
    Offer offer(const QStringList& values) const;

private:
    std::array<int, 17> m_index{};
};

} // namespace Tender
