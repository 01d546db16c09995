#pragma once

// Drives the Quotation Wizard as the vendor would: open Step 1, find and click a brand, fill Step 2.
#include "app/applicationstate.h"
#include "app/frmMain.h"
#include "app/defaultinstance.h"
#include "app/screens.h"
#include "quotation/frmQ1.h"
#include "quotation/frmQ2.h"
#include "quotation/frmQ3.h"
#include "quotation/frmEdit.h"
#include "support/listrows.h"
#include "support/testenv.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace Wizard {

inline void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

// Closes whatever a test left open: the wizard, the quoted items list and the main menu.
inline void closeScreens()
{
    frmQ1::unloadWizard(false);
    if (frmEdit* list = DefaultInstance<frmEdit>::existing())
        list->close();
    if (frmMain* menu = DefaultInstance<frmMain>::existing())
        menu->close();
    flushDeletes();
}

// Makes the window the active one, so that focus moves (and the field-leave checks) happen as on screen.
inline void activate(QWidget* w)
{
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
}

inline frmQ1* openStep1(bool fromMainMenu = true)
{
    AppState::WizardFromMainMenu = fromMainMenu;
    startQuotationWizard();
    frmQ1* step1 = DefaultInstance<frmQ1>::existing();
    if (step1 && step1->isVisible())
        activate(step1);
    return step1;
}

inline QString text(const QWidget* window, const char* lineEdit)
{
    return control<QLineEdit>(window, lineEdit)->text();
}

inline void click(QWidget* window, const QString& button)
{
    QTest::mouseClick(control<QPushButton>(window, button), Qt::LeftButton);
}

// Filters the brands by `words` and clicks the row of `brand`.
inline void chooseBrand(frmQ1* step1, const QString& words, const QString& brand)
{
    auto* box = control<QLineEdit>(step1, "txtBrand");
    box->clear();
    QTest::keyClicks(box, words);
    click(step1, "cmdMaster(5)");
    auto* list = control<QAbstractItemView>(step1, "lvBrands");
    const ListRow row = findRow(list, 1, brand);
    QVERIFY2(row, qPrintable(brand));
    clickRow(list, row);
}

inline frmQ2* step2()
{
    return DefaultInstance<frmQ2>::existing();
}

inline frmQ3* step3()
{
    return DefaultInstance<frmQ3>::existing();
}

// Selects an entry of one of Step 2's hidden lists by text, as the pick-list dialog would.
inline void pick(frmQ2* q2, const char* list, const char* box, const QString& text)
{
    auto* combo = control<QComboBox>(q2, list);
    const int index = combo->findText(text);
    QVERIFY2(index > 0, qPrintable(text));
    combo->setCurrentIndex(index);
    control<QLineEdit>(q2, box)->setText(text);
}

// Types into a field and leaves it with Tab, as the vendor does.
inline void typeAndLeave(QWidget* window, const QString& field, const QString& text)
{
    auto* edit = control<QLineEdit>(window, field);
    edit->setFocus(Qt::MouseFocusReason);
    edit->selectAll();
    if (text.isEmpty())
        QTest::keyClick(edit, Qt::Key_Delete);
    else
        QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Tab);
}

inline void chooseTax(frmQ2* q2, const QString& code)
{
    auto* combo = control<QComboBox>(q2, "cboCostVAT");
    combo->setFocus(Qt::MouseFocusReason);
    combo->setCurrentIndex(combo->findText(code));
    QTest::keyClick(combo, Qt::Key_Tab);
}

// A complete Step 2 for the Acarbose 25 mg tablet: Strip of 10, cost 100, discount 10, GST 12%, MRP 224.
inline void fillStep2(frmQ2* q2, const QString& packing = QStringLiteral("Strip of 10"))
{
    typeAndLeave(q2, "txtHSNCode", "30049099");
    pick(q2, "cboDrugPacking", "txtDrugPacking", packing);
    typeAndLeave(q2, "txtCost", "100");
    typeAndLeave(q2, "txtDiscount", "10");
    chooseTax(q2, "GST 12%");
    typeAndLeave(q2, "txtMRPWithTax", "224");
}

} // namespace Wizard
