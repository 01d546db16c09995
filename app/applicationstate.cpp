#include "app/applicationstate.h"

#include "db/dberror.h"
#include "db/recordset.h"
#include "db/tenderdatabase.h"

#include <limits>

namespace AppState {

void reset(const QString& applicationFolder)
{
    ApplicationFolder = applicationFolder;
    ConnectionString = TenderDatabase::buildConnectionString(applicationFolder);
    CurrentVendorName.clear();
    CurrentCreditPeriod = 0;
    CurrentDeliveryPeriod = 0;
    CurrentOrganization = QVariant();
    CurrentOrgAddress = QVariant();
    CurrentTenderDuration.clear();
    MasterEditMode = false;
    MasterEditKey = QVariant();
    QuotationEditMode = false;
    QuotationEditKey = QVariant();
    WizardFromMainMenu = false;
    PickListKind = 0;
    PickedItemID = 0;
    PickedItemText.clear();
    CalculatorCaller = 0;
    Step2NeedsReset = false;
}

} // namespace AppState

namespace {

const QString Source = QStringLiteral("LoadApplicationState");

QString requireText(const QVariant& value)
{
    if (value.isNull())
        throw DbError(DbErrorNumber::InvalidUseOfNull, Source, QStringLiteral("Invalid use of Null"));
    return value.toString();
}

qint16 requireInt16(const QVariant& value)
{
    if (value.isNull())
        throw DbError(DbErrorNumber::InvalidUseOfNull, Source, QStringLiteral("Invalid use of Null"));
    bool ok = false;
    const qlonglong n = value.toLongLong(&ok);
    if (!ok)
        throw DbError(13, Source, QStringLiteral("Type mismatch"));
    if (n < std::numeric_limits<qint16>::min() || n > std::numeric_limits<qint16>::max())
        throw DbError(DbErrorNumber::Overflow, Source, QStringLiteral("Overflow"));
    return static_cast<qint16>(n);
}

} // namespace

void readApplicationState()
{
    Recordset vendor(QStringLiteral("Select * From CT_Vendor"), AppState::ConnectionString,
                     CursorType::ForwardOnly, LockType::ReadOnly);
    if (!vendor.eof()) {
        AppState::CurrentVendorName = requireText(vendor.field(QStringLiteral("VendorName")));
        AppState::CurrentCreditPeriod = requireInt16(vendor.field(QStringLiteral("CreditPeriodInDays")));
        AppState::CurrentDeliveryPeriod = requireInt16(vendor.field(QStringLiteral("DeliveryPeriodInDays")));
    }
    vendor.close();

    Recordset options(QStringLiteral("Select * From CT_Options"), AppState::ConnectionString,
                      CursorType::ForwardOnly, LockType::ReadOnly);
    if (!options.eof()) {
        AppState::CurrentOrganization = options.field(QStringLiteral("Organization"));
        AppState::CurrentOrgAddress = options.field(QStringLiteral("OrgAddress"));
        AppState::CurrentTenderDuration = requireText(options.field(QStringLiteral("TenderDuration")));
    }
}
