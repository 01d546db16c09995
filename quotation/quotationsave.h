#pragma once

#include <QDateTime>
#include <QString>
#include <QVariant>

// Storing one quoted item as a row of Quotations, apart from the screens that gather its values.
namespace QuotationSave {

// The values of the 25 columns, as the wizard's fields show them.
struct Values {
    QString vendor;
    QString generic;
    QString brand;
    QString manufacturer;
    QString hsnCode;
    bool brandAddedByVendor = false;
    QString drugPacking;
    QString drugForm;
    QString quantityInEachStripOrPack;
    QString drugStrength;
    QString costOfPackBeforeDiscountWithoutVAT;
    QString discountPercent;
    QString costVATCode;
    QString costVATPercent;
    QString mrpOfPackWithoutVAT;
    QString mrpOfPackWithVAT;
    QString mrpVATCode;
    QString mrpVATPercent;
    QString creditPeriodInDays;    // as typed; a blank term is stored as 0
    QString deliveryPeriodInDays;
    QString warrantyInMonths;
    bool researchMolecule = false;
    QString freeOfCostOffer;
    QString remarks;
};

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

// Edit mode (editMode true) writes over the row editKey, with EditedOn; otherwise a new row is added
// with AddedOn, unless brand, packing, form and strength are already quoted. Refusals come back in the
// outcome; database errors (a value a column cannot take included) are thrown as DbError, and then
// nothing is stored.
Outcome save(const Values& values, bool editMode, const QVariant& editKey, const QDateTime& now);

} // namespace QuotationSave
