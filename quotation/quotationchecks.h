#pragma once

#include <QString>
#include <functional>
#include <optional>

struct QuotationDraft;

// The checks that guard a quoted item, as functions of the draft: each gives the first check that
// fails (its message and the field to put the focus in), or nothing when the item passes. The wizard
// shows what comes back; a row that never went through a screen is refused with the same message.
namespace QuotationChecks {

// The Step 2 field a failed check puts the focus in.
enum class Field { None, Manufacturer, HSNCode, DrugPacking, DrugForm, DrugStrength, Cost, Discount, CostTax, MRPWithTax, MRP, MRPTax };
// Its control's objectName on Step 2 ("txtManufacturer", "cboCostVAT", ...); empty for None.
QString controlName(Field field);

struct Failure {
    enum class Box {
        Info,     // title "Info", information icon, OK
        Warning,  // title "Confirm", exclamation icon, OK
    };
    QString message;          // empty when the vendor already answered a question with No
    Field focus = Field::None;  // None: the focus stays where it is
    Box box = Box::Info;
    bool focusFirst = false;  // the focus moves before the box shows
};

// Asked in the middle of Next's checks: true to go on with the checks after it.
using Question = std::function<bool(const QString& question)>;

// The checks of Step 2's Next, in their order. A cost of 0 is asked about through `goOnWithZeroCost`
// (title "Confirm", Yes/No, No the default); No stops with the focus on the cost. The summaries are
// taken from the draft as they stand: a draft built outside the screens is derived first.
std::optional<Failure> checkNext(const QuotationDraft& d, const Question& goOnWithZeroCost);

// Entering the MRP with tax needs the cost, the discount and the cost tax first (the focus moves first).
std::optional<Failure> checkMrpPrerequisites(const QuotationDraft& d);

// The warnings of leaving a Step 2 field; none of them keeps the focus except the discount's.
std::optional<Failure> checkHsnCodeLeft(const QuotationDraft& d);
std::optional<Failure> checkCostLeft(const QuotationDraft& d);
std::optional<Failure> checkMrpLeft(const QuotationDraft& d);
// Compares with the cost after discount with tax of the last recalculation.
std::optional<Failure> checkMrpWithTaxLeft(const QuotationDraft& d);
// Above 99 is refused and the focus returns to the discount; 99 itself passes.
std::optional<Failure> checkDiscountLeft(const QuotationDraft& d);

} // namespace QuotationChecks
