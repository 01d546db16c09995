// End to end: the vendor's road through the started application, from the main menu into every screen it
// reaches and back, with the real companions (pick list, calculators, list, export, reports, master tables).
// Each screen has its own tests; these catch what goes wrong between them.
#include "app/frmMain.h"
#include "app/singleinstance.h"
#include "app/startup.h"
#include "quotation/frmEdit.h"
#include "vendor/vendorrecord.h"
#include "wizarddriver.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <memory>

using namespace Wizard;

namespace {

const QString Vendor = QStringLiteral("D'Souza Pharma Distributors");
const QString Brand = QStringLiteral("Acavelo 25 mg Tablet");

// Acts on the next modal screen; a failed check closes it, so that the test ends instead of waiting in it.
void inModal(const QString& objectName, std::function<void(QWidget*)> action)
{
    whenModal([objectName, action](QWidget* screen) {
        QCOMPARE(screen->objectName(), objectName);
        action(screen);
        if (QTest::currentTestFailed() && screen->isVisible()) {
            if (auto* dialog = qobject_cast<QDialog*>(screen))
                dialog->reject();
            else
                screen->close();
        }
    });
}

void chooseFromList(QWidget* screen, const char* comboName, const QString& entry)
{
    auto* combo = control<QComboBox>(screen, comboName);
    combo->setFocus(Qt::MouseFocusReason);
    combo->setCurrentIndex(combo->findText(entry));
    QVERIFY2(combo->currentIndex() > 0 || combo->currentText() == entry, qPrintable(entry));
}

// Narrows the open pick list by words and hands back the row `description`.
void pickFromList(QWidget* find, const QString& words, const QString& description)
{
    QTest::keyClicks(control<QLineEdit>(find, "txtFind"), words);
    click(find, "cmdMaster(2)");
    auto* list = control<QAbstractItemView>(find, "lvData");
    const ListRow row = findRow(list, 1, description);
    QVERIFY2(row, qPrintable(description));
    clickRow(list, row);
    click(find, "cmdMaster(1)");
}

QString fileText(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// The application started on a fresh copy of the demo tender, as the vendor starts it.
struct Application {
    TestFolder folder;
    MessageBoxScript boxes;
    std::unique_ptr<SingleInstanceGuard> guard;
    frmMain* menu = nullptr;

    Application()
    {
        // The report templates lie beside the database, as the build lays them out.
        const QDir reports(QStringLiteral(QUILLBID_DATA_DIR "/reports"));
        for (const QString& name : reports.entryList({QStringLiteral("*.rpt")}, QDir::Files))
            QFile::copy(reports.filePath(name), folder.filePath(name));
        if (startApplication(folder.path(), guard))
            menu = DefaultInstance<frmMain>::existing();
    }
    void press(int button) const { click(menu, QStringLiteral("cmdMaster(%1)").arg(button)); }
    QString column(const QString& name) const
    {
        return folder.scalar(QStringLiteral("Select \"%1\" From Quotations").arg(name));
    }
};

// Company/Vendor Details from the main menu: every mandatory field typed, then Save & Close.
void enterVendorDetails(const Application& app)
{
    inModal("frmVendor", [](QWidget* form) {
        for (int i = 0; i < VendorRecord::FieldCount; ++i) {
            const VendorRecord::Field& field = VendorRecord::fields()[size_t(i)];
            const QString value = i == VendorRecord::VendorName       ? Vendor
                                  : i == VendorRecord::CreditPeriod   ? QStringLiteral("30")
                                  : i == VendorRecord::DeliveryPeriod ? QStringLiteral("7")
                                  : field.missingText                 ? QStringLiteral("Pune 4")
                                                                      : QString();
            auto* box = control<QWidget>(form, QLatin1String(field.textBox));
            box->setFocus(Qt::MouseFocusReason);
            QTest::keyClicks(box, value);
        }
        click(form, "cmdMaster(1)");
    });
    app.press(0);
}

// The cost calculator from Step 2: the cost of a pack before discount, 10% off, GST 12%, handed back by Select.
void costThroughCalculator(frmQ2* q2, const QString& cost, const QString& withTax)
{
    inModal("frmCalculator", [cost, withTax](QWidget* calc) {
        activate(calc);
        typeAndLeave(calc, "txtCost", cost);
        typeAndLeave(calc, "txtDiscount", "10");
        chooseFromList(calc, "cboCostVAT", "GST 12%");
        click(calc, "cmdCalculator");
        QCOMPARE(text(calc, "txtCostAftVAT"), withTax);
        click(calc, "cmdMaster(1)");
    });
    click(q2, "cmdCostCalculator");
}

// Step 2 as the vendor fills it: the packing through the pick list, the cost and the MRP through their calculators.
void fillStep2ThroughCompanions(frmQ2* q2)
{
    typeAndLeave(q2, "txtHSNCode", "30049099");

    inModal("frmFind", [](QWidget* find) { pickFromList(find, "strip 10", "Strip of 10"); });
    click(q2, "cmdCT(0)");
    QCOMPARE(text(q2, "txtDrugPacking"), QString("Strip of 10"));
    QCOMPARE(text(q2, "txtQty"), QString("10"));

    costThroughCalculator(q2, "100", "100.8");

    inModal("frmCalcMRP", [](QWidget* calc) {
        activate(calc);
        typeAndLeave(calc, "txtCost", "224");
        chooseFromList(calc, "cboCostVAT", "GST 12%");
        click(calc, "cmdMaster(1)");
    });
    click(q2, "cmdCalculator");
}

// Enter Quotation from the main menu down to the saved row; `another` answers whether to quote one more.
void quoteAcavelo(Application& app, QMessageBox::StandardButton another = QMessageBox::No)
{
    app.press(6);
    frmQ1* step1 = DefaultInstance<frmQ1>::existing();
    QVERIFY(step1 && step1->isVisible());
    QVERIFY(!app.menu->isVisible());
    activate(step1);
    chooseBrand(step1, "acavelo 25", Brand);
    click(step1, "cmdMaster(1)");
    frmQ2* q2 = step2();
    QVERIFY(q2 && q2->isVisible());
    activate(q2);
    fillStep2ThroughCompanions(q2);
    if (QTest::currentTestFailed())
        return;
    // The figures themselves are Step 2's test and the stored row's below.
    QCOMPARE(text(q2, "txtCostAftVAT"), QString("100.8"));
    QCOMPARE(app.boxes.count(), 0);

    click(q2, "cmdMaster(1)");
    frmQ3* q3 = step3();
    QVERIFY2(q3 && q3->isVisible(), qPrintable(app.boxes.texts().join('|')));
    activate(q3);
    app.boxes.answer(another);
    click(q3, "cmdMaster(1)");
    QCOMPARE(app.boxes.texts(), QStringList{"Quotation Saved\r\n\r\nDo you want to add more item to quotation now?"});
    flushDeletes();
}

frmEdit* openQuotedItems(const Application& app)
{
    app.press(7);
    frmEdit* list = DefaultInstance<frmEdit>::existing();
    if (list)
        activate(list);
    return list;
}

QAbstractItemView* lines(const frmEdit* list)
{
    return control<QAbstractItemView>(list, "lvItems");
}

} // namespace

class tst_EndToEnd : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void cleanup()
    {
        closeScreens();
        QVERIFY(visibleTopLevels().isEmpty());
    }

    // ---- 1. The main menu and the vendor details

    void quotationNeedsTheVendorFirst()
    {
        Application app;
        QVERIFY(app.menu && app.menu->isVisible());
        app.press(6);
        app.press(7);
        QCOMPARE(app.boxes.texts(), (QStringList{"Please enter vendor details before entering quotation",
                                                 "Please enter vendor details before editing quotation"}));
        QVERIFY(app.menu->isVisible());
        QVERIFY(!DefaultInstance<frmQ1>::exists());
        QVERIFY(!control<QLabel>(app.menu, "lblVendor")->isVisible());

        enterVendorDetails(app);
        QCOMPARE(app.boxes.count(), 2);
        QCOMPARE(app.folder.scalar("Select VendorName From CT_Vendor"), Vendor);
        QVERIFY(control<QLabel>(app.menu, "lblVendor")->isVisible());
        QCOMPARE(control<QLabel>(app.menu, "lblVendor")->text(), "Vendor: " + Vendor);
        // Now the wizard opens: quoteAcavelo's road, which every test below takes.
    }

    // ---- 2. Enter Quotation with the real companions

    void enterQuotationStoresTheRow()
    {
        Application app;
        enterVendorDetails(app);
        quoteAcavelo(app);
        if (QTest::currentTestFailed())
            return;
        QVERIFY(app.menu->isVisible());
        QVERIFY(!DefaultInstance<frmQ1>::exists() && !DefaultInstance<frmQ2>::exists() && !DefaultInstance<frmQ3>::exists());
        QCOMPARE(app.folder.count("Quotations"), 1);
        const std::pair<const char*, const char*> stored[] = {
            {"Vendor", "D'Souza Pharma Distributors"}, {"Brand", "Acavelo 25 mg Tablet"}, {"Generic", "Acarbose"},
            {"Manufacturer", "Elvora Biosciences"},     {"HSNCode", "30049099"},             {"DrugPacking", "Strip of 10"},
            {"DrugForm", "Tablet"},                     {"DrugStrength", "25 mg"},           {"QuantityInEachStripOrPack", "10"},
            {"CostOfPackBeforeDiscountWithoutVAT", "100"}, {"Discount%", "10"},             {"CostVATCode", "GST 12%"},
            {"CostVAT%", "12"},                         {"MRPOfPackWithoutVAT", "200"},      {"MRPOfPackWithVAT", "224"},
            {"MRPVATCode", "GST 12%"},                  {"MRPVAT%", "12"},                   {"CreditPeriodInDays", "30"},
            {"DeliveryPeriodInDays", "7"}};
        for (auto [column, value] : stored)
            QCOMPARE(app.column(column), QString(value));
    }

    // "Add more" starts afresh; the brand just quoted is refused; Close goes back to the menu.
    void quotingAnotherRefusesTheSameBrand()
    {
        Application app;
        enterVendorDetails(app);
        quoteAcavelo(app, QMessageBox::Yes);
        if (QTest::currentTestFailed())
            return;
        frmQ1* step1 = DefaultInstance<frmQ1>::existing();
        QVERIFY(step1 && step1->isVisible());
        QVERIFY(!app.menu->isVisible());
        QCOMPARE(rowCount(control<QAbstractItemView>(step1, "lvBrands")), 0);
        activate(step1);
        chooseBrand(step1, "acavelo 25", Brand);
        click(step1, "cmdMaster(1)");
        QVERIFY(app.boxes.last().text.startsWith("You have already quoted drug: " + Brand + "."));
        QVERIFY(step1->isVisible());
        QVERIFY(!DefaultInstance<frmQ2>::exists() || !step2()->isVisible());
        click(step1, "cmdMaster(0)");
        QVERIFY(app.menu->isVisible());
        QCOMPARE(app.folder.count("Quotations"), 1);
    }

    // ---- 3. View/Edit: the list, the wizard in edit mode, and back to the refreshed list

    // Leaving an edit without saving goes back to the list and changes nothing; a saved edit refreshes the
    // list's line in place.
    void editFromTheListRefreshesTheLine()
    {
        Application app;
        enterVendorDetails(app);
        quoteAcavelo(app);
        if (QTest::currentTestFailed())
            return;
        frmEdit* list = openQuotedItems(app);
        QVERIFY(list && list->isVisible());
        QVERIFY(!app.menu->isVisible());
        app.boxes.clear();
        QAbstractItemView* lv = lines(list);
        QCOMPARE(rowCount(lv), 1);
        QCOMPARE(rowAt(lv, 0).text(1), Brand);
        QCOMPARE(rowAt(lv, 0).text(8), QString("100"));
        // The chosen line's Edit, then Next on Step 1: Step 2 with the stored item.
        auto editToStep2 = [&]() -> frmQ2* {
            clickRow(lv, rowAt(lv, 0));
            click(list, "cmdMaster(1)");
            frmQ1* step1 = DefaultInstance<frmQ1>::existing();
            if (!step1 || !step1->isVisible() || list->isVisible() || app.menu->isVisible())
                return nullptr;
            activate(step1);
            click(step1, "cmdMaster(1)");
            if (frmQ2* q2 = step2(); q2 && q2->isVisible()) {
                activate(q2);
                return q2;
            }
            return nullptr;
        };

        frmQ2* q2 = editToStep2();
        QVERIFY(q2);
        typeAndLeave(q2, "txtCost", "150");
        click(q2, "cmdMaster(0)");
        click(DefaultInstance<frmQ1>::existing(), "cmdMaster(0)");
        flushDeletes();
        QVERIFY(!DefaultInstance<frmQ1>::exists() && !DefaultInstance<frmQ2>::exists());
        QVERIFY(list->isVisible() && !app.menu->isVisible());
        QVERIFY(!AppState::QuotationEditMode);
        QCOMPARE(rowAt(lv, 0).text(8), QString("100"));
        QCOMPARE(app.column("CostOfPackBeforeDiscountWithoutVAT"), QString("100"));

        q2 = editToStep2();
        QVERIFY(q2);
        QCOMPARE(text(q2, "txtCost"), QString("100"));
        costThroughCalculator(q2, "120", "120.96");
        QCOMPARE(text(q2, "txtCostAftVAT"), QString("120.96"));
        click(q2, "cmdMaster(1)");
        frmQ3* q3 = step3();
        QVERIFY2(q3 && q3->isVisible(), qPrintable(app.boxes.texts().join('|')));
        activate(q3);
        click(q3, "cmdMaster(1)");
        QCOMPARE(app.boxes.texts().join('|'), QString("Quotation Saved"));
        flushDeletes();

        // The same list comes back with the line refreshed in place; the menu waits until it closes.
        QCOMPARE(DefaultInstance<frmEdit>::existing(), list);
        QVERIFY(list->isVisible());
        QVERIFY(!app.menu->isVisible());
        QCOMPARE(rowCount(lv), 1);
        QCOMPARE(rowAt(lv, 0).text(0), QString("1"));
        QCOMPARE(rowAt(lv, 0).text(8), QString("120"));
        QCOMPARE(app.folder.count("Quotations"), 1);
        QCOMPARE(app.column("CostOfPackBeforeDiscountWithoutVAT"), QString("120"));
        click(list, "cmdMaster(0)");
        QVERIFY(app.menu->isVisible());
    }

    // ---- 4. The Price Bid from the list, before and after the vendor is renamed: the new name reaches
    // the menu, the stored quotations and the page.

    static QString exportPriceBid(frmEdit* list, const QString& path)
    {
        SaveFileScript saveAs;
        saveAs.answer(path);
        inModal("frmHTML", [](QWidget* screen) {
            click(screen, "cmdMaster(5)");
            click(screen, "cmdMaster(6)");
        });
        click(list, "cmdMaster(3)");
        return QFile::exists(path) ? fileText(path) : QString();
    }

    void priceBidFromTheListFollowsTheVendorsName()
    {
        Application app;
        enterVendorDetails(app);
        quoteAcavelo(app);
        if (QTest::currentTestFailed())
            return;
        const QString renamed = QStringLiteral("Sahyadri Pharma Distributors");
        inModal("frmVendor", [&](QWidget* form) {
            auto* name = control<QLineEdit>(form, "txtVendorName");
            QCOMPARE(name->text(), Vendor);
            name->setFocus(Qt::MouseFocusReason);
            name->selectAll();
            QTest::keyClicks(name, renamed);
            click(form, "cmdMaster(1)");
        });
        app.press(0);
        QCOMPARE(control<QLabel>(app.menu, "lblVendor")->text(), "Vendor: " + renamed);
        QCOMPARE(app.column("Vendor"), renamed);

        frmEdit* list = openQuotedItems(app);
        QVERIFY(list);
        QTemporaryDir out;
        const QString page = exportPriceBid(list, out.filePath("Price Bid of Pharmacy Items.html"));
        QCOMPARE(app.boxes.last().title, QString("Exported Successfully"));
        QVERIFY(page.contains(Brand));
        QVERIFY(page.contains(renamed));
        QVERIFY(!page.contains("Souza"));
        QVERIFY(list->isVisible());
    }

    // ---- 5. A brand of the vendor's own, added through the master tables, is quotable at once

    void newBrandFromMasterTablesIsFoundInStep1()
    {
        Application app;
        enterVendorDetails(app);
        const QString newBrand = QStringLiteral("Zetacarb 50 mg Tablet");
        inModal("frmMast", [&](QWidget* tables) {
            inModal("frmBrands", [&](QWidget* brands) {
                QTest::keyClicks(control<QLineEdit>(brands, "txtBrandDescription"), newBrand);
                QTest::keyClicks(control<QLineEdit>(brands, "txtManufacturer"), "Zeta Labs");
                inModal("frmFind", [](QWidget* find) { pickFromList(find, "acarbose", "Acarbose"); });
                click(brands, "cmdCT(0)");
                QCOMPARE(control<QComboBox>(brands, "cboGeneric")->currentText(), QString("Acarbose"));
                app.boxes.answer(QMessageBox::Yes);
                click(brands, "cmdMaster(3)");
                click(brands, "cmdMaster(0)");
            });
            click(tables, "cmdMaster(4)");
            click(tables, "cmdMaster(5)");
        });
        app.press(10);
        QCOMPARE(app.boxes.last().text, "New Brand: " + newBrand + " added successfully.");
        QCOMPARE(app.folder.count("CT_Brands", "Description='" + newBrand + "' And AddedByVendor=1"), 1);
        QVERIFY(app.menu->isVisible());

        app.press(6);
        frmQ1* step1 = DefaultInstance<frmQ1>::existing();
        QVERIFY(step1);
        activate(step1);
        chooseBrand(step1, "zetacarb", newBrand);
        QCOMPARE(rowAt(control<QAbstractItemView>(step1, "lvBrands"), 0).text(4), QString("Yes"));
        click(step1, "cmdMaster(1)");
        frmQ2* q2 = step2();
        QVERIFY(q2 && q2->isVisible());
        QCOMPARE(text(q2, "txtGeneric"), QString("Acarbose"));
        QCOMPARE(text(q2, "txtManufacturer"), QString("Zeta Labs"));
    }

    // ---- 6. The quoted items report from the list's Print

    void quotedItemsReportFromTheList()
    {
        Application app;
        enterVendorDetails(app);
        quoteAcavelo(app);
        if (QTest::currentTestFailed())
            return;
        frmEdit* list = openQuotedItems(app);
        QVERIFY(list);
        QTemporaryDir out;
        ReportPreviewScript preview(out.path());
        inModal("frmCrystal", [](QWidget* screen) {
            click(screen, "cmdMaster(5)");
            click(screen, "cmdMaster(6)");
        });
        click(list, "cmdMaster(2)");
        QCOMPARE(app.boxes.count(), 1);  // only the save's question
        QCOMPARE(preview.titles, QStringList{"List of Quoted Items"});
        QVERIFY(QFileInfo(preview.pdfFiles.value(0)).size() > 0);
        const QString report = pdfText(preview.pdfFiles.value(0), true);
        // Long names wrap inside their column.
        QVERIFY(report.contains("Acavelo 25"));
        QVERIFY(report.contains("Elvora"));
        QVERIFY(report.contains("Strip of 10"));
        QVERIFY(report.contains("Number of quoted items: 1"));
        QVERIFY(list->isVisible());
    }
};

QTEST_MAIN(tst_EndToEnd)
#include "tst_endtoend.moc"
