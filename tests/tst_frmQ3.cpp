#include "app/frmMain.h"
#include "quotation/frmEdit.h"
#include "tests/support/quotedrows.h"
#include "tests/support/screentest.h"
#include "wizarddriver.h"

#include <QLabel>
#include <QPointer>
#include <QTimer>
#include <QTest>
#include <QWindow>

using namespace Wizard;

// Step 3 and the save: the whole road of one quoted item, the stored row, refusals and edit mode.
class tst_frmQ3 : public ScreenTest
{
    Q_OBJECT
private:
    // Step 1 to Step 3 for a brand, with Step 2 complete.
    static frmQ3* openStep3(const QString& words = "acavelo", const QString& brand = "Acavelo 25 mg Tablet",
                            const QString& packing = QStringLiteral("Strip of 10"))
    {
        frmQ1* step1 = DefaultInstance<frmQ1>::existing();
        if (!step1)
            step1 = openStep1();
        chooseBrand(step1, words, brand);
        click(step1, "cmdMaster(1)");
        frmQ2* q2 = step2();
        activate(q2);
        fillStep2(q2, packing);
        click(q2, "cmdMaster(1)");
        frmQ3* q3 = step3();
        if (q3)
            activate(q3);
        return q3;
    }
    QString column(const QString& name, const QString& where = "1=1")
    {
        return folder->scalar(QStringLiteral("SELECT \"%1\" FROM Quotations WHERE %2").arg(name, where));
    }
private Q_SLOTS:
    void init()
    {
        ScreenTest::init();
        AppState::QuotationEditMode = false;
        AppState::QuotationEditKey = QString();
    }
    void cleanup()
    {
        closeScreens();
        ScreenTest::cleanup();
    }

    // The road of one item from the main menu to the stored row, and back to the main menu.
    void fullRoadStoresTheRow()
    {
        AppState::CurrentVendorName = "Sahyadri Pharma Distributors";
        AppState::CurrentCreditPeriod = 30;
        AppState::CurrentDeliveryPeriod = 7;
        DefaultInstance<frmMain>::get().hide();
        frmQ3* q3 = openStep3();
        QVERIFY(q3 && q3->isVisible());
        QCOMPARE(boxes->count(), 0);
        // Step 3 repeats Step 2's captions, which follow the packing and the tax.
        QCOMPARE(control<QLabel>(q3, "lblPacking(6)")->text(), QString("Cost Tax Amount (GST 12%)"));

        typeAndLeave(q3, "txtWarrantyMonths", "12");
        typeAndLeave(q3, "txtFreeOfCostOffer", "Buy 10 get 1 free");
        typeAndLeave(q3, "txtRemarks", "Cold chain");
        QTest::mouseClick(control<QRadioButton>(q3, "optResearchMolecule(0)"), Qt::LeftButton);
        QVERIFY(control<QRadioButton>(q3, "optResearchMolecule(0)")->font().bold());
        QVERIFY(!control<QRadioButton>(q3, "optResearchMolecule(1)")->font().bold());

        const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
        boxes->answer(QMessageBox::No);
        click(q3, "cmdMaster(1)");
        QCOMPARE(boxes->count(), 1);

        QCOMPARE(folder->count("Quotations"), 1);
        // The columns only this step fills; the rest of the row is the end-to-end road's to check.
        const QStringList expected[] = {{"BrandAddedByVendor", "false"},
                                        {"WarrantyInMonths", "12"},       {"ResearchMolecule", "true"},
                                        {"FreeOfCostOffer", "Buy 10 get 1 free"}, {"Remarks", "Cold chain"}};
        for (const QStringList& pair : expected)
            QCOMPARE(column(pair[0]), pair[1]);
        QVERIFY(!column("AddedOn").isEmpty());
        QVERIFY(column("EditedOn").isEmpty());
        const QDateTime added = QDateTime::fromString(column("AddedOn"), Qt::ISODate);
        if (added.isValid())
            QVERIFY(added >= before);

        // All three steps are gone and the main menu is back.
        flushDeletes();
        QVERIFY(!DefaultInstance<frmQ1>::exists() && !DefaultInstance<frmQ2>::exists() &&
                !DefaultInstance<frmQ3>::exists());
        QVERIFY(DefaultInstance<frmMain>::existing()->isVisible());
    }

    void reactivationRestoresDefaultPeriods()
    {
        AppState::CurrentCreditPeriod = 30;
        AppState::CurrentDeliveryPeriod = 7;
        frmQ3* q3 = openStep3();
        control<QLineEdit>(q3, "txtCreditPeriodDays")->setText("90");
        control<QLineEdit>(q3, "txtWarrantyMonths")->setText("24");
        control<QLineEdit>(q3, "txtRemarks")->setText("kept");
        click(q3, "cmdMaster(0)");
        QVERIFY(!q3->isVisible());
        QVERIFY(step2()->isVisible());
        // Step 2 kept its entries on the way back.
        QCOMPARE(text(step2(), "txtCost"), QString("100"));
        click(step2(), "cmdMaster(1)");
        QVERIFY(q3->isVisible());
        QCOMPARE(text(q3, "txtCreditPeriodDays"), QString("30"));
        QCOMPARE(text(q3, "txtWarrantyMonths"), QString("24"));
        QCOMPARE(text(q3, "txtRemarks"), QString("kept"));

        // Clear empties this step's own entries only.
        control<QRadioButton>(q3, "optResearchMolecule(0)")->setChecked(true);
        boxes->answer(QMessageBox::Yes);
        click(q3, "cmdMaster(2)");
        QVERIFY(control<QRadioButton>(q3, "optResearchMolecule(1)")->isChecked());
        QCOMPARE(text(q3, "txtRemarks"), QString());
        QCOMPARE(text(q3, "txtCreditPeriodDays"), QString());
        QCOMPARE(text(q3, "txtBrand"), QString("Acavelo 25 mg Tablet"));
        QCOMPARE(text(q3, "txtCostAftVAT"), QString("100.8"));
    }

    // A refusal of the save rules is shown, then "Could not Save Quotation"; the wizard stays.
    void refusedSaveKeepsTheWizard()
    {
        // Stored under another name, so that Step 1 lets the brand through; only the save compares.
        QuotationDraft stored = sampleQuotation();
        stored.generic = "Other generic";
        stored.brand = "renamed";
        storeQuotation(stored, 5);
        frmQ3* q3 = openStep3();
        folder->exec("UPDATE Quotations SET Brand = 'Acavelo 25 mg Tablet' WHERE ID = 5");
        click(q3, "cmdMaster(1)");
        QCOMPARE(boxes->count(), 2);
        QVERIFY(boxes->boxes()[0].text.endsWith("Item already quoted by vendor. Cannot continue save."));
        QCOMPARE(boxes->last().text, QString("Could not Save Quotation"));
        QCOMPARE(folder->count("Quotations"), 1);
        QVERIFY(q3->isVisible() && step2() && DefaultInstance<frmQ1>::exists());
    }

    void editSaveWritesOverTheRow()
    {
        QuotationDraft stored = sampleQuotation();
        stored.brand = "Acaxiv 25 mg Tablet";
        stored.cost = "55";
        storeQuotation(stored, 5);
        // An identical second row: an edit makes no duplicate check.
        storeQuotation(stored, 6);
        AppState::QuotationEditMode = true;
        AppState::QuotationEditKey = 5;
        AppState::MasterEditMode = true;
        frmQ1* step1 = openStep1(false);
        QCOMPARE(boxes->count(), 0);
        click(step1, "cmdMaster(1)");
        frmQ2* q2 = step2();
        activate(q2);
        QCOMPARE(text(q2, "txtCost"), QString("55"));
        typeAndLeave(q2, "txtCost", "50");
        click(q2, "cmdMaster(1)");
        frmQ3* q3 = step3();
        QVERIFY(q3 && q3->isVisible());
        QCOMPARE(text(q3, "txtCreditPeriodDays"), QString("45"));  // the stored terms stay
        QCOMPARE(text(q3, "txtRemarks"), QString("Stored remark"));
        click(q3, "cmdMaster(1)");
        // Then the quoted items list comes back (a stand-in here, which tells so).
        // Which columns an edit writes is the save rules' test.
        QCOMPARE(boxes->texts().first(), QString("Quotation Saved"));
        QCOMPARE(folder->count("Quotations"), 2);
        QCOMPARE(column("CostOfPackBeforeDiscountWithoutVAT", "ID = 5"), QString("50"));
        QCOMPARE(column("Manufacturer", "ID = 5"), QString("Own Make Ltd"));
        // The hand-over is reset.
        QVERIFY(!AppState::QuotationEditMode);
        QCOMPARE(AppState::QuotationEditKey.toString(), QString());
        QVERIFY(!AppState::MasterEditMode);
    }

    // A value the column cannot take goes to the error box, then the refusal; nothing is stored.
    void databaseErrorIsReported()
    {
        frmQ3* q3 = openStep3();
        control<QLineEdit>(q3, "txtHSNCode")->setText("3004");
        step2()->findChild<QLineEdit*>("txtDiscount")->setText("ten");
        boxes->answer(QMessageBox::No);
        click(q3, "cmdMaster(1)");
        QCOMPARE(boxes->count(), 2);
        QVERIFY(boxes->boxes()[0].text.startsWith("Error #"));
        QCOMPARE(boxes->last().text, QString("Could not Save Quotation"));
        QCOMPARE(folder->count("Quotations"), 0);
    }

    // Closing a step by the window system (its close box is gone, yet the system can still close it) ends
    // that step only, never the application, even when it is the one window shown.
    void closingAnyStepNeverEndsTheApplication_data()
    {
        QTest::addColumn<int>("step");
        QTest::newRow("Step 1") << 1;
        QTest::newRow("Step 2") << 2;
        QTest::newRow("Step 3") << 3;
    }
    void closingAnyStepNeverEndsTheApplication()
    {
        QFETCH(int, step);
        DefaultInstance<frmMain>::get().hide();
        QWidget* shown = openStep1();
        if (step > 1) {
            frmQ3* q3 = openStep3();
            shown = q3;
            if (step == 2) {
                click(q3, "cmdMaster(0)");
                shown = step2();
            }
        }
        QCOMPARE(visibleTopLevels(), QList<QWidget*>{shown});
        QPointer<QWidget> closed = shown;
        // Inside the application's event loop, where the last window closing would end it.
        bool ended = true;
        QTimer stop;
        stop.setSingleShot(true);
        connect(&stop, &QTimer::timeout, [&] {
            ended = false;
            QCoreApplication::exit(0);
        });
        QTimer::singleShot(0, qApp, [&] {
            closed->windowHandle()->close();
            stop.start(200);
        });
        QCoreApplication::exec();
        QVERIFY(!ended);
        QVERIFY(!closed || !closed->isVisible());
    }

    void fromTheQuotedListReturnsThere()
    {
        frmQ1* step1 = openStep1(false);
        QVERIFY(step1);
        frmQ3* q3 = openStep3();
        QCOMPARE(text(q3, "txtCreditPeriodDays"), QString());  // no default periods outside the main menu road
        click(q3, "cmdMaster(1)");
        QCOMPARE(folder->count("Quotations"), 1);
        QCOMPARE(boxes->texts().first(), QString("Quotation Saved\r\n\r\nDo you want to add more item to quotation now?"));
        flushDeletes();
        QVERIFY(!DefaultInstance<frmQ1>::exists());
    }
};

QTEST_MAIN(tst_frmQ3)
#include "tst_frmQ3.moc"
