#pragma once

#include "masters/masterlist.h"

#include <QtGlobal>

class QString;
class QWidget;
class Step2Link;

// Entry points by which one subsystem opens the screens of another. Each subsystem defines its own
// in its folder; the callers need not know the screens' classes.

// vendor/
void showVendorDetails(QWidget* parent);     // frmVendor, modal

// quotation/
// Step 1 of the wizard, modeless. The caller has hidden its own window and set WizardFromMainMenu;
// with QuotationEditMode set, Step 1 loads the stored row QuotationEditKey into all three steps.
void startQuotationWizard();
void showQuotedItemsList();                  // frmEdit, modeless (shown again when the wizard ends)
// After Step 3 stored an edited row: the quoted items list refreshes that row in place.
void refreshQuotedItem(qint64 quotationId);
// frmFind, modal; kind in PickListKind, result in PickedItemID/Text. The row whose description is
// `currentValue` is pre-selected; `step2` (when Step 2 opened it) has its list refilled after Add/Edit.
void showPickList(QWidget* parent, const QString& currentValue, Step2Link* step2 = nullptr);
// frmCalculator and frmCalcMRP, modal: they show Step 2's item and hand their result back to it.
void showCostCalculator(Step2Link& step2, QWidget* parent);
void showMRPCalculator(Step2Link& step2, QWidget* parent);

// masters/
void showMasterEditor(MasterList list, QWidget* parent);  // modal
void showMasterTablesMenu(QWidget* parent);  // frmMast, modal
void showQtyPerYear(QWidget* parent);        // frmQtyPerYear, modal

// tender/
// frmReadiness, modal. A double click on a quoted line hides `parent`'s window and opens the item in the
// wizard for editing.
void showReadiness(QWidget* parent);

// output/
void showExportScreen(QWidget* parent);      // frmHTML, modal
void showReportPrinting(QWidget* parent);    // frmCrystal, modal
void showQtyReqPdf(QWidget* parent);         // frmPDF, modal
