#include "app/frmMain.h"
#include "tests/support/quotedrows.h"
#include "tests/support/screentest.h"
#include "wizarddriver.h"

#include <QTest>

using namespace Wizard;

// Step 1: finding a generic or a brand, choosing the brand, the already-quoted refusal and the edit load.
class tst_frmQ1 : public ScreenTest
{
    Q_OBJECT
private:
    static QAbstractItemView* brands(QWidget* w) { return control<QAbstractItemView>(w, "lvBrands"); }
    static QAbstractItemView* generics(QWidget* w) { return control<QAbstractItemView>(w, "lvGenerics"); }

    // The sample item, row 7, quoting `brand`.
    static void storeBrand(const QString& brand)
    {
        QuotationDraft q = sampleQuotation();
        q.brand = brand;
        storeQuotation(q, 7);
    }

private Q_SLOTS:
    void cleanup()
    {
        closeScreens();
        ScreenTest::cleanup();
    }

    void startsEmptyAndListsOnShowAll()
    {
        frmQ1* step1 = openStep1();
        QVERIFY(step1->isVisible());
        QCOMPARE(rowCount(generics(step1)), 0);
        QCOMPARE(rowCount(brands(step1)), 0);

        click(step1, "cmdMaster(3)");
        QCOMPARE(rowCount(generics(step1)), folder->count("CT_Generics"));
        QCOMPARE(rowAt(generics(step1), 0).data(0, frmQ1::TagRole).toString(),
                 folder->scalar("SELECT ID FROM CT_Generics ORDER BY Description LIMIT 1"));

        // Show All brands empties the generic list, and the other way round.
        click(step1, "cmdMaster(6)");
        QCOMPARE(rowCount(generics(step1)), 0);
        QCOMPARE(rowCount(brands(step1)), folder->count("CT_Brands"));
        QVERIFY(brands(step1)->selectionModel()->selectedRows().isEmpty());
        click(step1, "cmdMaster(3)");
        QCOMPARE(rowCount(brands(step1)), 0);
        QCOMPARE(boxes->count(), 0);
    }

    // More brands than a 16-bit counter can number: every row still gets its own key.
    void rowKeysStayUniqueOnLargeLists()
    {
        folder->exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 70000) "
                    "INSERT INTO CT_Brands (ID, Code, Description, AddedByVendor, Generic) "
                    "SELECT 100000 + i, 'X' || i, 'Zzbulk ' || i, 0, 'Acarbose' FROM n");
        frmQ1* step1 = openStep1();
        QTest::keyClicks(control<QLineEdit>(step1, "txtBrand"), "zzbulk");
        click(step1, "cmdMaster(5)");
        QAbstractItemView* list = brands(step1);
        QCOMPARE(rowCount(list), 70000);
        QCOMPARE(rowAt(list, 32767).data(0, frmQ1::KeyRole).toString(), QString("32768K"));
        QCOMPARE(rowAt(list, 69999).data(0, frmQ1::KeyRole).toString(), QString("70000K"));
    }

    void vendorRowsAreMarkedYes()
    {
        folder->exec("INSERT INTO CT_Brands (ID, Code, Description, AddedByVendor, Generic) "
                    "VALUES (9001, '9001', 'Zzownbrand 5 mg Tablet', 1, 'Acarbose')");
        frmQ1* step1 = openStep1();
        chooseBrand(step1, "zzownbrand", "Zzownbrand 5 mg Tablet");
        const ListRow row = rowAt(brands(step1), 0);
        QCOMPARE(row.text(4), QString("Yes"));
        QCOMPARE(row.text(2), QString());  // Null manufacturer shows empty
        QCOMPARE(row.data(0, frmQ1::TagRole).toLongLong(), 9001);
    }

    void wordFilterNeedsEveryWord()
    {
        frmQ1* step1 = openStep1();
        // Repeated blanks between words add no condition; every word must occur, in any order.
        QTest::keyClicks(control<QLineEdit>(step1, "txtBrand"), "TABLET  25  acaxiv");
        click(step1, "cmdMaster(5)");
        QCOMPARE(rowCount(brands(step1)), 1);
        QCOMPARE(rowAt(brands(step1), 0).text(1), QString("Acaxiv 25 mg Tablet"));
        QCOMPARE(boxes->count(), 0);

        QTest::keyClicks(control<QLineEdit>(step1, "txtGeneric"), "acar");
        click(step1, "cmdMaster(2)");
        QCOMPARE(rowCount(generics(step1)), 1);
        QCOMPARE(rowCount(brands(step1)), 0);

        // The search boxes refuse the apostrophe as it is typed.
        control<QLineEdit>(step1, "txtBrand")->clear();
        QTest::keyClicks(control<QLineEdit>(step1, "txtBrand"), "O'Neil");
        QCOMPARE(control<QLineEdit>(step1, "txtBrand")->text(), QString("ONeil"));
    }

    void blankFilterTextOnlyTells_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("message");
        QTest::newRow("generics") << "txtGeneric" << "cmdMaster(2)"
                                  << "Please enter few characters of a generic and then click on filter.";
        QTest::newRow("brands") << "txtBrand" << "cmdMaster(5)"
                                << "Please enter few characters of a Brand and then click on filter by brand.";
    }
    void blankFilterTextOnlyTells()
    {
        QFETCH(QString, box);
        QFETCH(QString, button);
        QFETCH(QString, message);
        frmQ1* step1 = openStep1();
        click(step1, "cmdMaster(3)");
        const int listed = rowCount(generics(step1));
        QTest::keyClicks(control<QLineEdit>(step1, box), "   ");
        click(step1, button);
        QCOMPARE(boxes->texts(), QStringList{message});
        QCOMPARE(rowCount(generics(step1)), listed);
    }

    void genericClickListsItsBrands()
    {
        frmQ1* step1 = openStep1();
        QTest::keyClicks(control<QLineEdit>(step1, "txtGeneric"), "acarbose");
        click(step1, "cmdMaster(2)");
        clickRow(generics(step1), rowAt(generics(step1), 0));
        QCOMPARE(rowCount(brands(step1)), 3);
        QVERIFY(brands(step1)->selectionModel()->selectedRows().isEmpty());

        // A brand click fills the ten display boxes->
        clickRow(brands(step1), findRow(brands(step1), 1, "Acaxiv 25 mg Tablet"));
        QCOMPARE(control<QLineEdit>(step1, "txtManuf")->text(), QString("Nexivra Pharma"));
        QCOMPARE(control<QLineEdit>(step1, "txtSubCategory")->text(), QString("Alpha-glucosidase Inhibitors"));
        QCOMPARE(control<QLineEdit>(step1, "txtTentativeCons")->text(), QString("1200"));

        // Moving through the brands with the keyboard shows each row as a click does.
        const int at = findRow(brands(step1), 1, "Acaxiv 25 mg Tablet").row();
        const int next = at + 1 < rowCount(brands(step1)) ? at + 1 : at - 1;
        QTest::keyClick(brands(step1), next > at ? Qt::Key_Down : Qt::Key_Up);
        QCOMPARE(control<QLineEdit>(step1, "txtItem")->text(), rowAt(brands(step1), next).text(1));
        QCOMPARE(control<QLineEdit>(step1, "txtDrugStrength")->text(), rowAt(brands(step1), next).text(6));

        // A double click acts as Next.
        clickRow(brands(step1), rowAt(brands(step1), next), true);
        QVERIFY(step2() && step2()->isVisible());
    }

    void genericWithoutBrandSaysSo()
    {
        folder->exec("INSERT INTO CT_Generics (ID, Code, Description, AddedByVendor) VALUES (9001, '9001', 'Zzlonely', 1)");
        frmQ1* step1 = openStep1();
        QTest::keyClicks(control<QLineEdit>(step1, "txtGeneric"), "zzlonely");
        click(step1, "cmdMaster(2)");
        QCOMPARE(rowAt(generics(step1), 0).text(2), QString("Yes"));
        clickRow(generics(step1), rowAt(generics(step1), 0));
        QCOMPARE(rowCount(brands(step1)), 0);
        QCOMPARE(boxes->last().text, QString("No brand found for generic\r\nZzlonely"));

        QTest::keyClicks(control<QLineEdit>(step1, "txtBrand"), "nosuchbrandatall");
        click(step1, "cmdMaster(5)");
        QCOMPARE(boxes->last().text, QString("No brand found"));
    }

    void nextNeedsAChosenBrandThenOpensStep2()
    {
        frmQ1* step1 = openStep1();
        click(step1, "cmdMaster(1)");
        QCOMPARE(boxes->last().text, QString("Please choose a brand, before moving to step 2"));
        // Right after a filter nothing is selected.
        QTest::keyClicks(control<QLineEdit>(step1, "txtBrand"), "aca");
        click(step1, "cmdMaster(5)");
        QVERIFY(rowCount(brands(step1)) > 0);
        click(step1, "cmdMaster(1)");
        QCOMPARE(boxes->count(), 2);
        QVERIFY(step1->isVisible());
        QVERIFY(!step2());

        chooseBrand(step1, "acavelo", "Acavelo 25 mg Tablet");
        boxes->clear();
        click(step1, "cmdMaster(1)");
        QCOMPARE(boxes->count(), 0);
        QVERIFY(!step1->isVisible());
        QVERIFY(step2() && step2()->isVisible());
        QCOMPARE(control<QLineEdit>(step2(), "txtBrand")->text(), QString("Acavelo 25 mg Tablet"));
        QVERIFY(!AppState::Step2NeedsReset);  // Step 2 took the form and strength
    }

    void alreadyQuotedBrandIsRefused()
    {
        // The stored brand's apostrophe must not break the look-up.
        folder->exec("UPDATE CT_Brands SET Description = 'Acavelo''s 25 mg Tablet' WHERE ID = 1");
        storeBrand("Acavelo's 25 mg Tablet");
        frmQ1* step1 = openStep1();
        chooseBrand(step1, "acavelo", "Acavelo's 25 mg Tablet");
        click(step1, "cmdMaster(1)");
        QCOMPARE(boxes->count(), 1);
        QVERIFY(boxes->last().text.startsWith("You have already quoted drug: Acavelo's 25 mg Tablet."));
        QVERIFY(step1->isVisible());
        QVERIFY(!step2());
    }

    void clearAsksFirst()
    {
        frmQ1* step1 = openStep1();
        chooseBrand(step1, "acavelo", "Acavelo 25 mg Tablet");
        boxes->answer(QMessageBox::No);
        click(step1, "cmdMaster(8)");
        QCOMPARE(rowCount(brands(step1)), 1);
        boxes->answer(QMessageBox::Yes);
        click(step1, "cmdMaster(8)");
        QCOMPARE(rowCount(brands(step1)), 0);
        QVERIFY(control<QLineEdit>(step1, "txtBrand")->text().isEmpty());
        QVERIFY(control<QLineEdit>(step1, "txtItem")->text().isEmpty());
    }

    void closeReturnsToTheStarter()
    {
        AppState::QuotationEditMode = false;
        frmQ1* step1 = openStep1(true);
        chooseBrand(step1, "acavelo", "Acavelo 25 mg Tablet");
        click(step1, "cmdMaster(1)");
        // Back on Step 2, then Close on Step 1 unloads all steps.
        click(step2(), "cmdMaster(0)");
        QVERIFY(step1->isVisible());
        AppState::QuotationEditKey = QStringLiteral("3");
        click(step1, "cmdMaster(0)");
        flushDeletes();
        QVERIFY(!DefaultInstance<frmQ1>::exists());
        QVERIFY(!DefaultInstance<frmQ2>::exists());
        QVERIFY(DefaultInstance<frmMain>::exists() && DefaultInstance<frmMain>::existing()->isVisible());
        QCOMPARE(AppState::QuotationEditKey.toString(), QString());
    }

    void editModeFillsAllThreeSteps()
    {
        storeBrand("Acaxiv 25 mg Tablet");
        AppState::QuotationEditMode = true;
        AppState::QuotationEditKey = 7;
        frmQ1* step1 = openStep1(false);
        QCOMPARE(boxes->count(), 0);
        QCOMPARE(brands(step1)->selectionModel()->selectedRows().size(), 1);
        QCOMPARE(control<QLineEdit>(step1, "txtManuf")->text(), QString("Own Make Ltd"));
        for (const char* name : {"cmdMaster(8)", "cmdMaster(2)", "cmdMaster(3)", "cmdMaster(5)", "cmdMaster(6)",
                                 "cmdMaster(7)"})
            QVERIFY(!control<QPushButton>(step1, name)->isEnabled());
        QVERIFY(!control<QLineEdit>(step1, "txtGeneric")->isEnabled());
        QVERIFY(!brands(step1)->isEnabled());
        QVERIFY(control<QPushButton>(step1, "cmdMaster(1)")->isEnabled());

        // Steps 2 and 3 are loaded, unseen, with the stored values.
        QVERIFY(step2() && !step2()->isVisible());
        QCOMPARE(control<QLineEdit>(step2(), "txtQty")->text(), QString("10"));
        QCOMPARE(control<QLineEdit>(step2(), "txtCostAftVAT")->text(), QString("100.8"));
        QCOMPARE(control<QComboBox>(step2(), "cboMRPVAT")->currentText(), QString("GST 12%"));
        QVERIFY(step3() && !step3()->isVisible());
        QCOMPARE(control<QLineEdit>(step3(), "txtRemarks")->text(), QString("Stored remark"));
        QVERIFY(control<QRadioButton>(step3(), "optResearchMolecule(0)")->isChecked());

        // The quoted brand passes Next in edit mode, and Step 2 keeps the stored manufacturer.
        click(step1, "cmdMaster(1)");
        QCOMPARE(boxes->count(), 0);
        QVERIFY(step2()->isVisible());
        QCOMPARE(control<QLineEdit>(step2(), "txtManufacturer")->text(), QString("Own Make Ltd"));

        // Back on an edited item keeps Step 2's entries.
        click(step2(), "cmdMaster(0)");
        QCOMPARE(boxes->count(), 0);
        QVERIFY(step1->isVisible());
        QCOMPARE(control<QLineEdit>(step2(), "txtCost")->text(), QString("100"));
        QCOMPARE(control<QLineEdit>(step2(), "txtDrugPacking")->text(), QString("Strip of 10"));
    }

    void editOfAMissingRowSaysSo()
    {
        AppState::QuotationEditMode = true;
        AppState::QuotationEditKey = 99;
        frmQ1* step1 = openStep1(false);
        QCOMPARE(boxes->count(), 1);
        QCOMPARE(boxes->last().text, QString("Could not find ID. cannot continue editing"));
        QCOMPARE(rowCount(brands(step1)), 0);
    }
};

QTEST_MAIN(tst_frmQ1)
#include "tst_frmQ1.moc"
