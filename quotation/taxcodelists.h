#pragma once

#include <QString>

class QComboBox;

// Fills a visible list of tax codes and its hidden parallel list of percentages from `sql` (rows of
// CT_Tax): an empty entry in both, then per row `Description` and `Tax` at the same index.
// The lists are not cleared first. Throws DbError.
void fillTaxCodeLists(QComboBox* codes, QComboBox* percentages, const QString& sql);
