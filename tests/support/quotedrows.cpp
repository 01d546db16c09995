#include "tests/support/quotedrows.h"

#include "app/applicationstate.h"
#include "db/recordset.h"
#include "quotation/quotationsave.h"
#include "db/tenderdatabase.h"

#include <sqlite3.h>

QuotationDraft sampleQuotation()
{
    QuotationDraft q;
    q.vendor = QStringLiteral("Vendor");
    q.generic = QStringLiteral("Acarbose");
    q.brand = QStringLiteral("Acavelo 25 mg Tablet");
    q.manufacturer = QStringLiteral("Own Make Ltd");
    q.hsnCode = QStringLiteral("30049099");
    q.drugPacking = QStringLiteral("Strip of 10");
    q.quantityPerPack = QStringLiteral("10");
    q.drugForm = QStringLiteral("Tablet");
    q.drugStrength = QStringLiteral("25 mg");
    q.cost = QStringLiteral("100");
    q.discount = QStringLiteral("10");
    q.costTaxCode = QStringLiteral("GST 12%");
    q.costTaxPercent = QStringLiteral("12");
    q.mrpWithTax = QStringLiteral("224");
    q.mrpTaxCode = QStringLiteral("GST 12%");
    q.mrpTaxPercent = QStringLiteral("12");
    q.creditPeriodInDays = QStringLiteral("45");
    q.deliveryPeriodInDays = QStringLiteral("15");
    q.warrantyInMonths = QStringLiteral("6");
    q.researchMolecule = true;
    q.freeOfCostOffer = QStringLiteral("Buy 10 get 1");
    q.remarks = QStringLiteral("Stored remark");
    q.derive();
    return q;
}

qint64 storeQuotation(const QuotationDraft& item, qint64 id)
{
    Recordset rs(QStringLiteral("Select * From Quotations Where ID=0"), AppState::ConnectionString, CursorType::Keyset,
                 LockType::Pessimistic);
    rs.addNew();
    if (id != 0)
        rs.setField(QStringLiteral("ID"), id);
    QuotationSave::writeColumns(rs, item);
    rs.update();
    const qint64 stored = rs.field(QStringLiteral("ID")).toLongLong();
    rs.close();
    return stored;
}

void storeReadyBid()
{
    const char* vendor = "INSERT INTO CT_Vendor (VendorName, Address, State, TINNumber, CreditPeriodInDays, DeliveryPeriodInDays) "
                         "VALUES ('Acme Pharma', '1 Mill Road', 'Maharashtra', '27AAACA1234A1Z5', 30, 15)";
    if (sqlite3_exec(TenderDatabase::connection(AppState::ConnectionString), vendor, nullptr, nullptr, nullptr) != SQLITE_OK)
        qFatal("could not store the vendor");
    AppState::CurrentVendorName = QStringLiteral("Acme Pharma");
    storeQuotation(sampleQuotation());
}
