#pragma once

#include <QString>

// The SQL texts of the quantity-required list. No widgets here, so the filter can be tested alone.
namespace QtyPerYearFilter {

// The full list, in the hospital's order.
QString fullListSql();

// The filter condition from the four filter fields, without "Where": every generic word and every
// strength word must occur, the drug form and the drug packing must match exactly. Generic words are
// bracketed together. Empty when no field holds anything (the caller then asks for a few characters).
// Values go in with their apostrophes doubled; text without apostrophes comes out unchanged.
QString condition(const QString& generic, const QString& strength, const QString& drugForm, const QString& drugPacking);

// "Select * From CT_QtyPerYears Where " + condition + " Order By Generic"
QString filteredSql(const QString& condition);

} // namespace QtyPerYearFilter
