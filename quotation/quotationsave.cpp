#include "quotation/quotationsave.h"

#include "app/applicationstate.h"
#include "db/recordset.h"
#include "db/sqltext.h"

namespace QuotationSave {

namespace {

const QString CRLF = QStringLiteral("\r\n");

} // namespace

void writeColumns(Recordset& rs, const QuotationDraft& v)
{
    // Assigned in the column order of the table, after AddedOn or EditedOn.
    rs.setField(QStringLiteral("Vendor"), v.vendor);
    rs.setField(QStringLiteral("Generic"), v.generic);
    rs.setField(QStringLiteral("Brand"), v.brand);
    rs.setField(QStringLiteral("Manufacturer"), v.manufacturer);
    rs.setField(QStringLiteral("HSNCode"), v.hsnCode);
    rs.setField(QStringLiteral("BrandAddedByVendor"), v.brandAddedByVendor);
    rs.setField(QStringLiteral("DrugPacking"), v.drugPacking);
    rs.setField(QStringLiteral("DrugForm"), v.drugForm);
    rs.setField(QStringLiteral("QuantityInEachStripOrPack"), v.quantityPerPack);
    rs.setField(QStringLiteral("DrugStrength"), v.drugStrength);
    rs.setField(QStringLiteral("CostOfPackBeforeDiscountWithoutVAT"), v.cost);
    rs.setField(QStringLiteral("Discount%"), v.discount);
    rs.setField(QStringLiteral("CostVATCode"), v.costTaxCode);
    rs.setField(QStringLiteral("CostVAT%"), v.costTaxPercent);
    rs.setField(QStringLiteral("MRPOfPackWithoutVAT"), v.mrpWithoutTax);
    rs.setField(QStringLiteral("MRPOfPackWithVAT"), v.mrpWithTax);
    rs.setField(QStringLiteral("MRPVATCode"), v.mrpTaxCode);
    rs.setField(QStringLiteral("MRPVAT%"), v.mrpTaxPercent);
    rs.setField(QStringLiteral("CreditPeriodInDays"), termOrZero(v.creditPeriodInDays));
    rs.setField(QStringLiteral("DeliveryPeriodInDays"), termOrZero(v.deliveryPeriodInDays));
    rs.setField(QStringLiteral("WarrantyInMonths"), termOrZero(v.warrantyInMonths));
    rs.setField(QStringLiteral("ResearchMolecule"), v.researchMolecule);
    rs.setField(QStringLiteral("FreeOfCostOffer"), v.freeOfCostOffer);
    rs.setField(QStringLiteral("Remarks"), v.remarks);
}

QString termOrZero(const QString& text)
{
    return text.trimmed().isEmpty() ? QStringLiteral("0") : text;
}

QString duplicateCheckSql(const QString& brand, const QString& packing, const QString& form, const QString& strength)
{
    return QStringLiteral("Select * From Quotations Where Brand='") + escapeSqlText(brand) + QStringLiteral("' And ") +
           QStringLiteral("DrugPacking='") + escapeSqlText(packing) + QStringLiteral("' And ") +
           QStringLiteral("DrugForm='") + escapeSqlText(form) + QStringLiteral("' And ") +
           QStringLiteral("DrugStrength='") + escapeSqlText(strength) + QStringLiteral("'");
}

Outcome save(const QuotationDraft& item, bool editMode, const QVariant& editKey, const QDateTime& now)
{
    Outcome outcome;
    Recordset rs;
    if (editMode) {
        const QString key = editKey.toString();
        if (key.isEmpty()) {
            outcome.refusal = Refusal::NoEditKey;
            outcome.message = QStringLiteral("Cannot modify at this time. Try again.");
            return outcome;
        }
        // The key is spliced bare, so only a number may reach the SQL text; anything else names no row.
        if (isSqlNumber(key))
            rs.open(QStringLiteral("Select * From Quotations Where ID=") + key, AppState::ConnectionString,
                    CursorType::Keyset, LockType::Pessimistic);
        if (!rs.isOpen() || rs.eof()) {
            rs.close();
            outcome.refusal = Refusal::RowMissing;
            outcome.message = QStringLiteral("ID: ") + key + QStringLiteral(" does not exist. Cannot continue save.");
            return outcome;
        }
        rs.setField(QStringLiteral("EditedOn"), now);
    } else {
        rs.open(duplicateCheckSql(item.brand, item.drugPacking, item.drugForm, item.drugStrength),
                AppState::ConnectionString, CursorType::Keyset, LockType::Pessimistic);
        if (!rs.eof()) {
            rs.close();
            outcome.refusal = Refusal::Duplicate;
            outcome.message = QStringLiteral("Brand: ") + item.brand + CRLF + QStringLiteral("Drug Packing: ") +
                              item.drugPacking + CRLF + QStringLiteral("Drug Form: ") + item.drugForm + CRLF +
                              QStringLiteral("Drug Strength: ") + item.drugStrength + CRLF + CRLF +
                              QStringLiteral("Item already quoted by vendor. Cannot continue save.");
            return outcome;
        }
        rs.addNew();
        rs.setField(QStringLiteral("AddedOn"), now);
    }
    writeColumns(rs, item);
    rs.update();
    outcome.id = rs.field(QStringLiteral("ID")).toLongLong();
    rs.close();
    return outcome;
}

} // namespace QuotationSave
