#pragma once

#include "app/decimal.h"

#include <QString>

// The arithmetic of Step 2's summaries, on the texts of its fields. Every derived figure is rounded to
// 4 decimals, halves to even, and each later figure reads the earlier figures back from their rounded
// texts, exactly as the screen shows them, so that the summary adds up the way the vendor sees it.
namespace Pricing {

struct Inputs {
    QString cost;          // txtCost: one pack before discount, without tax
    QString discount;      // txtDiscount: percent
    QString costTax;       // the percentage that belongs to the chosen cost tax code
    QString costTaxCode;   // cboCostVAT text
    QString mrpWithTax;    // txtMRPWithTax: one pack with tax
    QString mrpTax;        // the percentage that belongs to the chosen MRP tax code
    QString mrpTaxCode;    // cboMRPVAT text
    QString qty;           // txtQty: smallest units in one pack (the packing's ratio)
};

// Per pack and per smallest unit. All empty when the block could not run.
struct CostSummary {
    bool computed = false;
    QString costBefDisc, discAmt, costAftDisc, vatAmt, costAftVAT;
    QString costLUBefDisc, luDiscAmt, costLUAftDisc, luVATAmt, costLUAftVAT;
};

struct MrpSummary {
    bool computed = false;
    QString mrp;  // txtMRP, derived from the MRP with tax; empty (keep the field) when not computed
    QString withoutVAT, vatAmt, withVAT;
    QString withoutVATLU, vatAmtLU, withVATLU;
};

// Runs when cost, quantity and discount are numbers and a cost tax code is chosen. A tax percentage
// that is not a number leaves the block empty; a quantity of 0 leaves the per-unit figures empty
// instead of dividing by zero.
CostSummary costBlock(const Inputs& in);
// Runs when the MRP with tax and the MRP tax code are given and the quantity is a number. A tax
// percentage that is not a number (or that makes 100 + tax zero) leaves the block empty; a quantity of
// 0 leaves the per-unit figures empty.
MrpSummary mrpBlock(const Inputs& in);

// A derived figure as the fields hold it: 4 decimals, half to even, shortest text.
QString rounded(const Decimal& value);

// The packing's ratio usable as a divisor: a number and not zero.
bool isUsableQuantity(const QString& qty);

} // namespace Pricing
