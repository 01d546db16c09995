#pragma once

#include "app/decimal.h"

#include <QString>

// The arithmetic of the cost and MRP calculators, on exact decimals. Every figure is rounded to
// 4 decimals (halves to even) as it is produced, and where a later figure is built from an earlier
// one it uses the rounded figure, just as the screen reads back the text it wrote.

// How the cost the vendor typed is to be read.
enum class CostBasis {
    InclusiveOfTaxAndDiscount = 0,  // the price paid: discount taken off and tax added already
    ExclusiveOfTaxAndDiscount = 1,  // the list price: neither in it
};

// The five results of the cost calculator, as the shortest decimal texts ("10.8", "100").
struct CostFigures {
    QString costBefDisc;
    QString discAmt;
    QString costAftDisc;
    QString vatAmt;
    QString costAftVAT;
};

// `discountPercent` must be below 100 and `taxPercent` above -100 (both are divisors once added
// to or taken from 100); the screens refuse other values before they get here.
CostFigures calculateCost(CostBasis basis, const Decimal& cost, const Decimal& discountPercent,
                          const Decimal& taxPercent);

// The MRP without tax of a pack whose MRP with tax is `mrpWithTax`, as the shortest decimal text.
QString mrpWithoutTax(const Decimal& mrpWithTax, const Decimal& taxPercent);

// The tax percentage held in a parallel list entry, when it is usable as one (a number, not negative).
std::optional<Decimal> usableTaxPercent(const QString& text);
