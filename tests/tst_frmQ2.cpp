#include "app/decimal.h"
#include "app/frmMain.h"
#include "tests/support/screentest.h"
#include "wizarddriver.h"

#include <QLabel>
#include <QTest>

using namespace Wizard;

// Step 2: lists and captions, the summaries on screen, the field checks and Next's checks in order.
class tst_frmQ2 : public ScreenTest
{
    Q_OBJECT
private:
    static frmQ2* openStep2(const QString& words = "acavelo", const QString& brand = "Acavelo 25 mg Tablet")
    {
        frmQ1* step1 = openStep1();
        chooseBrand(step1, words, brand);
        click(step1, "cmdMaster(1)");
        frmQ2* q2 = step2();
        if (q2)
            activate(q2);
        return q2;
    }
    static QString caption(QWidget* w, const QString& name) { return control<QLabel>(w, name)->text(); }

private Q_SLOTS:
    void cleanup()
    {
        closeScreens();
        ScreenTest::cleanup();
    }

    void loadsListsAndTakesTheBrand()
    {
        frmQ2* q2 = openStep2();
        QVERIFY(q2);
        QCOMPARE(text(q2, "txtGeneric"), QString("Acarbose"));
        QCOMPARE(text(q2, "txtManufacturer"), QString("Elvora Biosciences"));
        QCOMPARE(text(q2, "txtDrugStrength"), QString("25 mg"));

        // Each list starts with an empty entry; item data is the row's ID; the "P" lists run parallel.
        auto* packings = control<QComboBox>(q2, "cboDrugPacking");
        auto* ratios = control<QComboBox>(q2, "cboDrugPackingP");
        QCOMPARE(packings->count(), folder->count("CT_DrugPackings") + 1);
        QCOMPARE(ratios->count(), packings->count());
        QCOMPARE(packings->itemText(0), QString());
        const int strip10 = packings->findText("Strip of 10");
        QCOMPARE(packings->itemData(strip10).toLongLong(), 9);
        QCOMPARE(ratios->itemText(strip10), QString("10"));
        // Taxes in load order: by percentage.
        QCOMPARE(control<QComboBox>(q2, "cboCostVATP")->itemText(9), QString("18"));
    }

    // A brand without a drug form leaves the form unchosen; a strength the list lacks leaves the strength as
    // it was (empty after Back).
    void activationTakesFormAndStrengthOnce()
    {
        folder->exec("INSERT INTO CT_Brands (ID, Code, Description, AddedByVendor, Generic, DrugForm, DrugStrength) "
                    "VALUES (9001, '9001', 'Zzformless', 1, 'Acarbose', NULL, 'No such strength')");
        frmQ2* q2 = openStep2();
        QCOMPARE(text(q2, "txtDrugForm"), QString("Tablet"));
        // The vendor changes the form; coming back from Step 1 with the same brand does not undo it...
        pick(q2, "cboDrugForms", "txtDrugForm", "Capsule");
        q2->hide();
        q2->show();
        QCOMPARE(text(q2, "txtDrugForm"), QString("Capsule"));
        // ... but a new Next from Step 1 does.
        click(q2, "cmdMaster(0)");
        frmQ1* step1 = DefaultInstance<frmQ1>::existing();
        chooseBrand(step1, "zzformless", "Zzformless");
        click(step1, "cmdMaster(1)");
        QCOMPARE(text(q2, "txtDrugForm"), QString());
        QCOMPARE(control<QComboBox>(q2, "cboDrugForms")->currentIndex(), -1);
        QCOMPARE(text(q2, "txtDrugStrength"), QString());
        QCOMPARE(control<QComboBox>(q2, "cboStrength")->currentIndex(), -1);
        QCOMPARE(text(q2, "txtManufacturer"), QString());
    }

    void packingAndFormCaptions()
    {
        frmQ2* q2 = openStep2();
        // The brand's form was chosen on activation, before any packing.
        QCOMPARE(caption(q2, "lblPacking(3)"), QString("Tablet in "));
        pick(q2, "cboDrugPacking", "txtDrugPacking", "Strip of 10");
        QCOMPARE(caption(q2, "lblPacking(3)"), QString("Tablet(s) in Strip of 10"));
        QCOMPARE(caption(q2, "lblPacking(0)"), QString("Cost of Strip of 10 before Discount"));
        QCOMPARE(text(q2, "txtQty"), QString("10"));
        // Choosing the form after the packing: no "(s)".
        pick(q2, "cboDrugForms", "txtDrugForm", "Tablet");
        control<QComboBox>(q2, "cboDrugForms")->setCurrentIndex(0);
        pick(q2, "cboDrugForms", "txtDrugForm", "Tablet");
        QCOMPARE(caption(q2, "lblPacking(3)"), QString("Tablet in Strip of 10"));
        QCOMPARE(caption(q2, "lblLowestUnit(0)"), QString("Cost of Tablet before Discount"));
        // A form outside Injection, Capsule and Tablet never takes "(s)".
        pick(q2, "cboDrugForms", "txtDrugForm", "Syrup");
        pick(q2, "cboDrugPacking", "txtDrugPacking", "Bottle of 100");
        QCOMPARE(caption(q2, "lblPacking(3)"), QString("Syrup in Bottle of 100"));
        // Unselecting the packing restores the design captions and empties the quantity.
        control<QComboBox>(q2, "cboDrugPacking")->setCurrentIndex(-1);
        QCOMPARE(caption(q2, "lblPacking(3)"), QString("Quantity in each Strip/Pack"));
        QCOMPARE(text(q2, "txtQty"), QString());
        control<QComboBox>(q2, "cboDrugForms")->setCurrentIndex(-1);
        QCOMPARE(caption(q2, "lblLowestUnit(0)"), QString("Cost of ____ before Discount"));
    }

    void summariesFollowTheFields()
    {
        frmQ2* q2 = openStep2();
        fillStep2(q2);
        QCOMPARE(boxes->count(), 0);
        const std::pair<const char*, const char*> figures[] = {
            {"txtCostBefDisc", "100"},   {"txtDiscAmt", "10"},      {"txtCostAftDisc", "90"},   {"txtVATAmt", "10.8"},
            {"txtCostAftVAT", "100.8"},  {"txtCostLUBefDisc", "10"}, {"txtLUDiscAmt", "1"},     {"txtCostLUAftDisc", "9"},
            {"txtLUVATAmt", "1.08"},     {"txtCostLUAftVAT", "10.08"}, {"txtMRP", "200"},       {"txtMRPWithoutVAT", "200"},
            {"txtMRPVATAmt", "24"},      {"txtMRPWithVAT", "224"},  {"txtMRPWithoutVATLU", "20"}, {"txtMRPVATAmtLU", "2.4"},
            {"txtMRPWithVATLU", "22.4"}};
        for (auto [name, value] : figures)
            QCOMPARE(text(q2, name), QString(value));
        QCOMPARE(control<QComboBox>(q2, "cboMRPVAT")->currentText(), QString("GST 12%"));
        QCOMPARE(caption(q2, "lblPacking(8)"), QString("Cost Tax Amount (GST 12%)"));
        // The MRP that is not a whole number: 100 at 12%.
        typeAndLeave(q2, "txtMRPWithTax", "100");
        QCOMPARE(text(q2, "txtMRP"), QString("89.2857"));
        QCOMPARE(text(q2, "txtMRPVATAmt"), QString("10.7143"));
        QCOMPARE(text(q2, "txtMRPWithVAT"), QString("100"));
        QCOMPARE(boxes->last().text, QString("MRP cannot be <= Cost with tax. Please correct."));

        // No MRP tax: the MRP summary empties, the cost summary stays.
        control<QComboBox>(q2, "cboMRPVAT")->setCurrentIndex(0);
        q2->CalcCost();
        QCOMPARE(text(q2, "txtMRPWithVAT"), QString());
        QCOMPARE(text(q2, "txtCostAftVAT"), QString("100.8"));
    }

    // What the calculators and the pick list hand back through Step2Link.
    void appliesWhatItsCompanionsHandBack()
    {
        frmQ2* q2 = openStep2();
        fillStep2(q2);
        Step2Link& link = *q2;
        QCOMPARE(link.chosenBrandManufacturer(), QString("Elvora Biosciences"));
        link.applyCost("50", "0", "GST 5%");
        QCOMPARE(text(q2, "txtCostAftVAT"), QString("52.5"));
        QCOMPARE(control<QComboBox>(q2, "cboMRPVAT")->currentText(), QString("GST 5%"));
        // A tax code the list lacks: the figures are written whole (past the typing limit), the tax
        // selection and the summaries stay.
        link.applyCost("1785714285712.5", "50", "No such tax");
        QCOMPARE(text(q2, "txtCost"), QString("1785714285712.5"));
        QCOMPARE(link.draft().costTaxCode, QString("GST 5%"));
        QCOMPARE(text(q2, "txtCostAftVAT"), QString("52.5"));
        link.applyMrp("100", "112", "IGST 12%");
        QCOMPARE(text(q2, "txtMRPWithTax"), QString("112"));
        QCOMPARE(text(q2, "txtMRPVATAmt"), QString("12"));
        QCOMPARE(link.draft().mrpTaxPercent, QString("12"));

        // A refill empties the list first and keeps the ratios in step.
        folder->exec("INSERT INTO CT_DrugPackings (ID, Code, Description, AddedByVendor, Packing, Ratio) "
                    "VALUES (90001, '90001', 'Aaa new entry', 1, 'Strip', 7)");
        link.refillList(1);
        auto* packings = control<QComboBox>(q2, "cboDrugPacking");
        QCOMPARE(packings->count(), folder->count("CT_DrugPackings") + 1);
        QCOMPARE(control<QComboBox>(q2, "cboDrugPackingP")->count(), packings->count());
        QCOMPARE(packings->itemData(1).toLongLong(), qint64(90001));
        QCOMPARE(control<QComboBox>(q2, "cboDrugPackingP")->itemText(1), QString("7"));
        QCOMPARE(boxes->count(), 0);
    }

    // An empty discount becomes 0; a refused one keeps the focus (the limit itself is the checks' test).
    void discountField()
    {
        frmQ2* q2 = openStep2();
        typeAndLeave(q2, "txtDiscount", "");
        QCOMPARE(text(q2, "txtDiscount"), QString("0"));
        QCOMPARE(boxes->count(), 0);
        typeAndLeave(q2, "txtDiscount", "99.5");
        QCOMPARE(boxes->count(), 1);
        QCOMPARE(QApplication::focusWidget(), control<QLineEdit>(q2, "txtDiscount"));
    }

    // Entering the MRP before its prerequisites sends the focus to the first one missing.
    void mrpNeedsItsPrerequisites()
    {
        frmQ2* q2 = openStep2();
        control<QLineEdit>(q2, "txtCost")->setText("100");
        control<QLineEdit>(q2, "txtDiscount")->setText("5");
        control<QLineEdit>(q2, "txtMRPWithTax")->setFocus(Qt::TabFocusReason);
        QCOMPARE(boxes->texts(), QStringList{"Please select tax of the item first."});
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("cboCostVAT"));
        control<QComboBox>(q2, "cboCostVAT")->setCurrentIndex(3);
        control<QLineEdit>(q2, "txtMRPWithTax")->setFocus(Qt::TabFocusReason);
        QCOMPARE(boxes->count(), 1);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("txtMRPWithTax"));
    }

    // Next shows the first failing check and moves the focus as it asks; the order itself is the checks' own
    // test. All passed, Step 3 takes over.
    void nextShowsTheFirstFailure()
    {
        frmQ2* q2 = openStep2();
        auto* next = control<QPushButton>(q2, "cmdMaster(1)");
        auto clickNext = [&] {
            // Leaving the focused field may warn on its own; only Next's box counts here.
            next->setFocus(Qt::MouseFocusReason);
            boxes->clear();
            click(q2, "cmdMaster(1)");
        };
        control<QLineEdit>(q2, "txtManufacturer")->clear();
        clickNext();
        QCOMPARE(boxes->texts(), QStringList{"Please enter manufacturer name before moving to step 3"});
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("txtManufacturer"));

        control<QLineEdit>(q2, "txtManufacturer")->setText("Elvora Biosciences");
        fillStep2(q2);
        clickNext();
        QCOMPARE(boxes->count(), 0);
        QVERIFY(!q2->isVisible());
        QVERIFY(step3() && step3()->isVisible());
    }

    // A cost of 0 asks: No stops on the cost, Yes goes on to the next check.
    void zeroCostAsks()
    {
        frmQ2* q2 = openStep2();
        typeAndLeave(q2, "txtHSNCode", "3004");
        pick(q2, "cboDrugPacking", "txtDrugPacking", "Strip of 10");
        control<QLineEdit>(q2, "txtCost")->setText("0");
        boxes->clear();
        boxes->answer(QMessageBox::No);
        click(q2, "cmdMaster(1)");
        QCOMPARE(boxes->count(), 1);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("txtCost"));
        boxes->answer(QMessageBox::Yes);
        click(q2, "cmdMaster(1)");
        QCOMPARE(boxes->count(), 3);
        QCOMPARE(boxes->last().text, QString("Please enter discount % before moving to step 3"));
    }

    void calculatorsNeedAPacking()
    {
        frmQ2* q2 = openStep2();
        for (const char* button : {"cmdCostCalculator", "cmdCalculator"}) {
            boxes->clear();
            click(q2, button);
            QCOMPARE(boxes->count(), 1);
            QCOMPARE(boxes->last().text, QString("Please select Packing."));
        }
        AppState::CalculatorCaller = 0;
        pick(q2, "cboDrugPacking", "txtDrugPacking", "Strip of 10");
        boxes->clear();
        whenModal([](QWidget* calculator) { calculator->close(); });
        click(q2, "cmdCostCalculator");
        QCOMPARE(AppState::CalculatorCaller, quint8(1));
        QVERIFY(!boxes->texts().contains("Please select Packing."));
    }

    void pickListWithoutAPickChangesNothing()
    {
        frmQ2* q2 = openStep2();
        AppState::PickedItemID = 5;
        whenModal([](QWidget* pickList) { pickList->close(); });  // closed without a pick
        click(q2, "cmdCT(1)");
        QCOMPARE(AppState::PickListKind, quint8(2));
        QCOMPARE(AppState::PickedItemID, qint64(0));
        QCOMPARE(text(q2, "txtDrugForm"), QString("Tablet"));
    }

    void addNewTaxRefillsByCodeDescending()
    {
        frmQ2* q2 = openStep2();
        chooseTax(q2, "GST 5%");
        folder->exec("INSERT INTO CT_Tax (ID, Code, Description, AddedByVendor, TaxType, Tax) "
                    "VALUES (10, '10', 'GST 28%', 1, 'GST', 28)");
        whenModal([](QWidget* taxEditor) { taxEditor->close(); });
        click(q2, "cmdCT(3)");
        auto* taxes = control<QComboBox>(q2, "cboCostVAT");
        QCOMPARE(taxes->count(), 11);
        QCOMPARE(taxes->itemText(1), QString("IGST 5%"));  // Description Desc
        // The choice survives the refill, with its percentage in step.
        QCOMPARE(control<QComboBox>(q2, "cboMRPVAT")->currentText(), QString("GST 5%"));
        QCOMPARE(q2->draft().costTaxPercent, QString("5"));
    }

    void backOnANewItemClearsWithoutAsking()
    {
        frmQ2* q2 = openStep2();
        fillStep2(q2);
        boxes->clear();
        click(q2, "cmdMaster(0)");
        QCOMPARE(boxes->count(), 0);
        QVERIFY(!q2->isVisible());
        QVERIFY(DefaultInstance<frmQ1>::existing()->isVisible());
        for (const char* name : {"txtHSNCode", "txtCost", "txtMRPWithTax", "txtCostAftVAT", "txtQty", "txtDrugPacking"})
            QCOMPARE(text(q2, name), QString());
        QCOMPARE(caption(q2, "lblPacking(8)"), QString("Cost Tax Amount"));
    }

    void clearAsks()
    {
        frmQ2* q2 = openStep2();
        fillStep2(q2);
        boxes->clear();
        boxes->answer(QMessageBox::Yes);
        click(q2, "cmdMaster(5)");
        QCOMPARE(text(q2, "txtCost"), QString());
        QCOMPARE(text(q2, "txtBrand"), QString("Acavelo 25 mg Tablet"));
    }
};

QTEST_MAIN(tst_frmQ2)
#include "tst_frmQ2.moc"
