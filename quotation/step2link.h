#pragma once

#include "quotation/quotationdraft.h"

#include <QString>

// What Step 2 offers the screens it opens: the cost and MRP calculators read the item and hand their
// result back, the pick-list dialog has a list refilled after the reference list behind it changed.
// Step 2 implements it; the test stand-ins do too.
class Step2Link
{
public:
    virtual ~Step2Link() = default;

    // The item as Step 2 holds it now.
    virtual QuotationDraft draft() const = 0;
    // The manufacturer of the brand row chosen in Step 1 (the stored one when a row is edited), which
    // the cost calculator shows whatever the vendor typed in Step 2.
    virtual QString chosenBrandManufacturer() const = 0;

    // The cost calculator's result: cost and discount are written as given; the tax code is selected
    // when Step 2's list holds it, and only then are the summaries recomputed.
    virtual void applyCost(const QString& costBeforeDiscount, const QString& discount, const QString& taxCode) = 0;
    // The MRP calculator's result, in the same way for the MRP fields and the MRP tax.
    virtual void applyMrp(const QString& mrpWithoutTax, const QString& mrpWithTax, const QString& taxCode) = 0;
    // Empties the list of pick-list kind `kind` (1 packings, 2 drug forms, 3 strengths) and fills it
    // again from its whole table.
    virtual void refillList(int kind) = 0;
};
