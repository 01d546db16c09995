#pragma once

#include <QString>

class QComboBox;

// Fills a list of descriptions (each entry's item data the row's ID) and, when `partner` is given, its
// hidden parallel list of the `partnerColumn` values, from `sql`: an empty entry in both, then one
// entry per row at the same index. The partner entry goes in first, so that a handler of the list's
// selection finds it there. The lists are not cleared first. Throws DbError.
void fillParallelLists(QComboBox* list, QComboBox* partner, const QString& partnerColumn, const QString& sql);

// Tax codes (CT_Tax.Description) with their percentages (Tax) beside them.
inline void fillTaxCodeLists(QComboBox* codes, QComboBox* percentages, const QString& sql)
{
    fillParallelLists(codes, percentages, QStringLiteral("Tax"), sql);
}
