#include "vendor/vendorrecord.h"

#include "app/trimblanks.h"
#include "db/recordset.h"
#include "db/tenderdatabase.h"

namespace VendorRecord {

const std::array<Field, FieldCount>& fields()
{
    static const std::array<Field, FieldCount> all{{
        {"Company/Vendor Name", "txtVendorName", "VendorName", 100, "Please enter the Vendor Name", false},
        {"Address", "txtAddress", "Address", 200, "Please enter the Address", true},
        {"City", "txtCity", "City", 100, "Please enter the City", false},
        {"State", "txtState", "State", 100, "Please enter the State", false},
        {"PIN Code", "txtPINCode", "PINCode", 100, "Please enter the PIN Code", false},
        {"Contact Person", "txtContactPerson", "ContactPerson", 100, "Please enter the Contact Person", false},
        {"Phone Number", "txtPhoneNumber", "PhoneNumber", 100, "Please enter the Phone Number", false},
        {"Mobile Number", "txtMobileNumber", "MobileNumber", 100, "Please enter the Mobile Number", false},
        // The fax and TIN columns kept their names when they came to hold the GST details.
        {"GST Registration State", "txtFaxNumber", "FaxNumber", 100, "Please enter the GST Registration State", false},
        {"Email Address", "txtEmailAddress", "EmailAddress", 100, "Please enter the Email Address", false},
        {"GST Number", "txtTINNumber", "TINNumber", 100, "Please enter the GST Registration Number", false},
        // Three digits always fit the 16-bit periods of the Application State.
        {"Credit Period", "txtCreditPeriod", "CreditPeriodInDays", 3, nullptr, false},
        {"Delivery Period", "txtDeliveryPeriod", "DeliveryPeriodInDays", 3, nullptr, false},
        {"Remarks", "txtRemarks", "Remarks", 255, nullptr, true},
    }};
    return all;
}

const std::array<int, 11>& mandatoryCheckOrder()
{
    static const std::array<int, 11> order{VendorName,   Address,     City,         State,
                                           PINCode,      ContactPerson, PhoneNumber, MobileNumber,
                                           EmailAddress, GSTNumber,   GSTState};
    return order;
}

std::optional<int> firstMissing(const Texts& texts)
{
    for (int field : mandatoryCheckOrder())
        if (trimBlanks(texts[static_cast<size_t>(field)]).isEmpty())
            return field;
    return std::nullopt;
}

QString missingFieldText(int field)
{
    return QString::fromLatin1(fields()[static_cast<size_t>(field)].missingText) + QStringLiteral("\r\nSave Aborted.");
}

void fillEmptyPeriods(Texts& texts)
{
    for (int field : {CreditPeriod, DeliveryPeriod})
        if (texts[static_cast<size_t>(field)].isEmpty())
            texts[static_cast<size_t>(field)] = QStringLiteral("0");
}

Texts load(const QString& connectionString)
{
    Texts texts;
    Recordset rs(QStringLiteral("Select * From CT_Vendor"), connectionString, CursorType::ForwardOnly, LockType::ReadOnly);
    if (!rs.eof()) {
        for (size_t i = 0; i < texts.size(); ++i) {
            const QVariant value = rs.field(QLatin1String(fields()[i].column));
            const bool period = i == CreditPeriod || i == DeliveryPeriod;
            texts[i] = value.isNull() ? (period ? QStringLiteral("0") : QString()) : value.toString();
        }
    }
    rs.close();
    return texts;
}

void save(const Texts& texts, const QString& currentVendorName, const QString& connectionString)
{
    DbTransaction transaction(connectionString);
    const QString& name = texts[VendorName];
    if (currentVendorName.isEmpty() || currentVendorName != name) {
        Recordset quotations(QStringLiteral("Select * From QuotationS"), connectionString, CursorType::Keyset,
                             LockType::Pessimistic);
        while (!quotations.eof()) {
            quotations.setField(QStringLiteral("Vendor"), name);
            quotations.update();
            quotations.moveNext();
        }
        quotations.close();
    }

    Recordset vendor(QStringLiteral("Select * From CT_Vendor"), connectionString, CursorType::Keyset, LockType::Pessimistic);
    if (vendor.eof())
        vendor.addNew();
    for (size_t i = 0; i < texts.size(); ++i)
        vendor.setField(QLatin1String(fields()[i].column), texts[i]);
    vendor.update();
    vendor.close();
    transaction.commit();
}

} // namespace VendorRecord
