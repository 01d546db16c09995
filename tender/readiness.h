#pragma once

#include "app/decimal.h"
#include "sheets/workbook.h"
#include "tender/offer.h"

#include <QString>
#include <optional>
#include <vector>

class KeyedFile;

// How ready the vendor's own bid is: which of the hospital's lines it covers and at what price, what
// the bid is worth at the yearly quantities, and what in it could get it disqualified.
namespace Tender {

struct LineCoverage {
    RequiredLine line;
    // The matching item with the lowest unit cost (the earliest on a tie); without a comparable one,
    // the first matching item, priced at nothing.
    std::optional<Offer> best;
    std::optional<Decimal> unitCost;
    Decimal yearlyValue;  // unit cost × yearly quantity, exact
    bool quoted() const { return best.has_value(); }
};

struct ReadinessFinding {
    qlonglong quotationId = 0;  // 0: about the vendor, not an item
    QString item;
    QString problem;
};

struct Readiness {
    long quotedItems = 0;
    std::vector<LineCoverage> lines;
    long covered = 0;
    Decimal bidValue;  // exact; shown to 2 decimals
    std::vector<ReadinessFinding> findings;
};

// Throws DbError.
Readiness readReadiness(const KeyedFile& file);

// "Covered M of L lines · bid value at yearly quantities: X"
QString totalsText(const Readiness& readiness);
// The lines and findings as two sheets, for the export.
std::vector<Sheets::Sheet> readinessSheets(const Readiness& readiness);

} // namespace Tender
