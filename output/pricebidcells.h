#pragma once

#include "app/smallrational.h"
#include "output/pricebidtables.h"

#include <QByteArray>
#include <optional>
#include <string_view>

// One quoted item's number cells on the Price Bid as page bytes, ready to be written as often as the
// page shows them. Nearly every item is worked out with SmallRational; an item whose numbers do not
// fit is worked out again with Decimal, so the cells are the same either way.
struct PriceBidCells {
    struct Text {
        char chars[SmallRational::MaxFixedChars];
        int size = 0;
        QByteArray longer;  // a Decimal figure too long for `chars` (a stored double of 1e300)
        std::string_view view() const
        {
            return longer.isEmpty() ? std::string_view(chars, static_cast<size_t>(size))
                                    : std::string_view(longer.constData(), static_cast<size_t>(longer.size()));
        }
    };
    Text ratio;  // Q, in the Packing row
    Text packCost[6];
    Text unitCost[6];
    Text packMrp[3];
    Text unitMrp[3];
};

// The inputs as PriceBidInputs has them (nullopt for Null), held as SmallRational.
struct SmallPriceBidInputs {
    std::optional<SmallRational> cost, discount, costTax, ratio, mrp, mrpTax;
};

// False when some figure does not fit: then use the Decimal overload. Throws ExportError (division by
// zero) exactly where computePriceBidFigures does.
bool priceBidCells(const SmallPriceBidInputs& in, PriceBidCells& out);
void priceBidCells(const PriceBidInputs& in, PriceBidCells& out);
