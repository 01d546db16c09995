#pragma once

#include "output/pricebidcells.h"

#include <QByteArray>
#include <optional>
#include <string_view>

class Recordset;

// The fields of a quoted item as the Price Bid prints them, read from the recordset's stored values:
// a page of thousands of items would otherwise spend most of its time making a QVariant and a QString
// of every value and converting each line back to bytes. Whatever is not plainly stored (non-ASCII
// text, a number kept as text, an odd double) goes the long way, so the bytes are the same either way.

// A database text as page content, exactly as htmlText gives it in Windows-1252: Null is empty and
// &, < and > are escaped. Plain ASCII text (nearly every name) is the recordset's own bytes.
class PageText
{
public:
    PageText(const Recordset& rs, int column);
    explicit PageText(qint64 whole);
    PageText(const PageText&) = delete;  // may point into itself
    PageText& operator=(const PageText&) = delete;

    std::string_view bytes() const { return m_bytes; }

    // A period in days, as the item shows it; false where the row is left out (0 or Null).
    static bool period(const Recordset& rs, int column, std::optional<PageText>& text);

private:
    std::string_view m_bytes;
    char m_digits[24];
    QByteArray m_encoded;
};

// The number columns of the cost and MRP tables, by index in the recordset.
struct PriceBidColumns {
    int cost, discount, costTax, ratio, mrp, mrpTax;
};

// The current row's number cells. Throws ExportError where computePriceBidFigures and
// PriceBidInputs::number do (type mismatch, division by zero).
void readPriceBidCells(const Recordset& rs, const PriceBidColumns& columns, PriceBidCells& cells);
