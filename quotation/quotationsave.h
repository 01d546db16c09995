#pragma once

#include "quotation/quotationdraft.h"

#include <QDateTime>
#include <QString>
#include <QVariant>

class Recordset;

// Storing one quoted item as a row of Quotations, apart from the screens that gather its values.
namespace QuotationSave {

enum class Refusal { None, NoEditKey, RowMissing, Duplicate };

struct Outcome {
    Refusal refusal = Refusal::None;
    QString message;   // the refusal's text for the vendor; empty when stored
    qint64 id = 0;     // the stored row's ID
};

// A whole-number term as stored: its text, or "0" when blank.
QString termOrZero(const QString& text);

// The rows that quote the same brand in the same packing, form and strength (texts doubled-quoted).
QString duplicateCheckSql(const QString& brand, const QString& packing, const QString& form,
                          const QString& strength);

// Writes the item's columns, Vendor to Remarks in the table's order, on the recordset's current (or new)
// row; the figures go as the texts they are and the database converts them to the column types.
void writeColumns(Recordset& rs, const QuotationDraft& item);

// Edit mode (editMode true) writes over the row editKey, with EditedOn; otherwise a new row is added
// with AddedOn, unless brand, packing, form and strength are already quoted. Refusals come back in the
// outcome; database errors (a value a column cannot take included) are thrown as DbError, and then
// nothing is stored.
Outcome save(const QuotationDraft& item, bool editMode, const QVariant& editKey, const QDateTime& now);

} // namespace QuotationSave
