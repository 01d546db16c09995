#pragma once

#include "app/decimal.h"

#include <QString>
#include <QVariant>
#include <optional>

// The figures of one quoted item's cost and MRP tables on the Price Bid, computed exactly from the
// stored row and printed rounded to 4 decimals (halves to even) as "0.0000". A Null column gives
// empty cells wherever it takes part; a ratio of 0 ends the export (ExportError, division by zero).
struct PriceBidInputs {
    std::optional<Decimal> cost;      // C: CostOfPackBeforeDiscountWithoutVAT
    std::optional<Decimal> discount;  // D: Discount%
    std::optional<Decimal> costTax;   // T: CostVAT%
    std::optional<Decimal> ratio;     // Q: QuantityInEachStripOrPack
    std::optional<Decimal> mrp;       // M: MRPOfPackWithoutVAT
    std::optional<Decimal> mrpTax;    // V: MRPVAT%

    // From a column value as the recordset gives it; throws ExportError (type mismatch) for a value
    // that is not a number.
    static std::optional<Decimal> number(const QVariant& value);
};

// The number cells' texts, in the order of the table columns (the tax-code cells not included).
struct PriceBidFigures {
    // C, D, A, B | X, B + X
    QString packCost[6];
    // C / Q, D, a, b | x, b + x
    QString unitCost[6];
    // M | Y, M + Y
    QString packMrp[3];
    // M / Q | Y / Q, M / Q + Y / Q
    QString unitMrp[3];
};

PriceBidFigures computePriceBidFigures(const PriceBidInputs& in);

// "0.0000": the value rounded to 4 decimals, halves to even; empty for Null.
QString priceBidNumber(const std::optional<Decimal>& value);
