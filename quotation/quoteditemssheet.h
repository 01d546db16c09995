#pragma once

#include "sheets/workbook.h"

#include <QString>
#include <vector>

// The quoted items as one spreadsheet: the stored columns under readable headers, then the figures the
// pricing rules derive from them. The same layout is read back by the price-list import, so a supplier
// exports, changes prices in a spreadsheet and imports again.
namespace QuotedItemsSheet {

struct Column {
    enum class Kind { Text, Number, Whole, Flag, Date, Derived };
    const char* header;
    const char* stored;  // the Quotations column; none for a derived figure
    Kind kind;
};

const std::vector<Column>& columns();
QString header(const char* storedColumn);  // the header of a stored column

// The order of the Price Bid, so that the sheet and the printed bid list the items alike.
QString priceBidOrder();

// Every Quotations row in the Price Bid's order; with no rows, the header alone (the blank price list a
// supplier fills in). Throws DbError.
Sheets::Sheet build();

} // namespace QuotedItemsSheet
