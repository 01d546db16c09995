#pragma once

#include <QString>
#include <array>
#include <optional>

// The one CT_Vendor row that describes the bidding company, without any widgets: its fields in screen
// order, the load, the mandatory checks and the save. The vendor details form is a thin shell on top.
namespace VendorRecord {

inline constexpr int FieldCount = 14;

// One field of the form: the index of its caption label lblLabel(i) is its index in fields().
struct Field {
    const char* label;        // caption label text
    const char* textBox;      // objectName of the text box
    const char* column;       // CT_Vendor column it is stored in
    int maxLength;
    const char* missingText;  // the refusal when left empty; nullptr for the optional fields
    bool severalLines;
};

// Indexes into fields() (and into Texts).
enum Index {
    VendorName, Address, City, State, PINCode, ContactPerson, PhoneNumber, MobileNumber,
    GSTState /* FaxNumber */, EmailAddress, GSTNumber /* TINNumber */, CreditPeriod, DeliveryPeriod, Remarks
};

const std::array<Field, FieldCount>& fields();

// The mandatory fields in the order the save tests them: the GST number before the GST registration
// state, although it stands after it on screen.
const std::array<int, 11>& mandatoryCheckOrder();

// The texts of the form's fields, indexed as fields().
using Texts = std::array<QString, FieldCount>;

// The first mandatory field (in check order) that holds only blanks, or nothing when all are filled.
std::optional<int> firstMissing(const Texts& texts);
// The "Save Aborted" box text for a missing field: its message, CR LF, "Save Aborted.".
QString missingFieldText(int field);
inline constexpr const char* MissingFieldTitle = "Save Aborted";

// Empty periods are stored, and shown again, as "0".
void fillEmptyPeriods(Texts& texts);

// The stored details of the first CT_Vendor row; all empty when there is none. Null texts load as
// empty, Null periods as "0". Throws DbError.
Texts load(const QString& connectionString);

// Writes the details: when the name differs from `currentVendorName` (exact, case-sensitive) every
// Quotations row takes the new name, then the first CT_Vendor row is changed (or added when the table
// is empty). Both happen in one transaction, so a failure anywhere leaves both tables as they were
// (otherwise every quotation could carry a name that the vendor row does not). Throws DbError.
void save(const Texts& texts, const QString& currentVendorName, const QString& connectionString);

} // namespace VendorRecord
