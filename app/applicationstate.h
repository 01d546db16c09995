#pragma once

#include <QString>
#include <QVariant>
#include <QtGlobal>

// The process-wide values that start-up loads and through which screens hand values to each other.
// Everything runs on the one user-interface thread, so there is no locking.
namespace AppState {

inline QString ApplicationFolder;        // the folder of the executable, without a trailing separator
inline QString ConnectionString;
inline QString CurrentVendorName;        // empty: no vendor details saved yet
inline qint16 CurrentCreditPeriod = 0;
inline qint16 CurrentDeliveryPeriod = 0;
inline QVariant CurrentOrganization;     // may be Null
inline QVariant CurrentOrgAddress;       // may be Null
inline QString CurrentTenderDuration;
inline bool MasterEditMode = false;
inline QVariant MasterEditKey;
inline bool QuotationEditMode = false;
inline QVariant QuotationEditKey;
inline bool WizardFromMainMenu = false;
inline quint8 PickListKind = 0;          // 1 drug packings, 2 drug forms, 3 drug strengths, 4 generics
inline qint64 PickedItemID = 0;          // 0: nothing picked; wide enough for any row ID
inline QString PickedItemText;
inline quint8 CalculatorCaller = 0;
inline bool Step2NeedsReset = false;

// Back to the values of a new process, then pointed at `applicationFolder` (tests use a temporary one).
void reset(const QString& applicationFolder);

} // namespace AppState

// Loads the vendor and tender summary from the database. Throws DbError at the first failure; the
// values loaded before it keep their new values.
void readApplicationState();
