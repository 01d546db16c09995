// The list of quoted items: lines, keys and tags, sorting, delete, refresh, and the hand-over to the
// wizard and back.
#include "app/applicationstate.h"
#include "app/defaultinstance.h"
#include "app/frmMain.h"
#include "app/screens.h"
#include "quotation/frmEdit.h"
#include "tests/support/quotedrows.h"
#include "tests/support/testenv.h"

#include <QApplication>
#include <QPointer>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

namespace {

// The sample quoted item as row `id`, under its own brand, generic and remarks.
void insertQuote(int id, const QString& brand, const QString& generic, const QString& remarks = QString())
{
    QuotationDraft q = sampleQuotation();
    q.vendor = "Acme";
    q.brand = brand;
    q.generic = generic;
    q.manufacturer = "Maker " + brand;
    q.hsnCode = "30041010";
    q.drugStrength = "500 mg";
    q.discount = "10.5";
    q.mrpWithoutTax = "200.25";
    q.mrpWithTax = "224.28";
    q.remarks = remarks;
    storeQuotation(q, id);
}

frmEdit& openList()
{
    showQuotedItemsList();
    frmEdit& screen = *DefaultInstance<frmEdit>::existing();
    if (!QTest::qWaitForWindowExposed(&screen))
        qWarning("the list was not exposed");
    return screen;
}

QTreeWidget* list(const frmEdit& screen)
{
    return control<QTreeWidget>(&screen, "lvItems");
}

QStringList column(const frmEdit& screen, int c)
{
    QStringList texts;
    for (int i = 0; i < list(screen)->topLevelItemCount(); ++i)
        texts << list(screen)->topLevelItem(i)->text(c);
    return texts;
}

void click(const frmEdit& screen, int index)
{
    QTest::mouseClick(control<QPushButton>(&screen, QStringLiteral("cmdMaster(%1)").arg(index)), Qt::LeftButton);
}

// A press and then the double click itself, as the window system delivers them (the test library's
// own double click does not reach item views on every platform plugin).
void doubleClick(QWidget* viewport, const QPoint& pos)
{
    QTest::mouseClick(viewport, Qt::LeftButton, {}, pos);
    QMouseEvent press(QEvent::MouseButtonPress, pos, viewport->mapToGlobal(pos), Qt::LeftButton, Qt::LeftButton, {});
    QApplication::sendEvent(viewport, &press);
    QMouseEvent dbl(QEvent::MouseButtonDblClick, pos, viewport->mapToGlobal(pos), Qt::LeftButton, Qt::LeftButton, {});
    QApplication::sendEvent(viewport, &dbl);
    QMouseEvent release(QEvent::MouseButtonRelease, pos, viewport->mapToGlobal(pos), Qt::LeftButton, Qt::NoButton, {});
    QApplication::sendEvent(viewport, &release);
}

void select(const frmEdit& screen, const QString& brand)
{
    QTreeWidget* lv = list(screen);
    for (int i = 0; i < lv->topLevelItemCount(); ++i)
        if (lv->topLevelItem(i)->text(1) == brand)
            lv->setCurrentItem(lv->topLevelItem(i));
}

} // namespace

class tst_frmEdit : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup()
    {
        DefaultInstance<frmEdit>::release();
        DefaultInstance<frmMain>::release();
        // A window may own another (a dialog over its parent): deleting one can take the other with it.
        QList<QPointer<QWidget>> windows;
        for (QWidget* w : QApplication::topLevelWidgets())
            windows << w;
        for (const QPointer<QWidget>& w : windows)
            delete w.data();
        QVERIFY(!QApplication::overrideCursor());
    }

    void linesKeysAndTags()
    {
        TestFolder folder(TestFolder::Content::Empty);
        insertQuote(5, "Zeta", "Paracetamol", "Keep dry");
        insertQuote(9, "Amoxa", "Amoxicillin");
        folder.exec("UPDATE Quotations SET Remarks = NULL WHERE ID = 9");
        frmEdit& screen = openList();
        QCOMPARE(screen.windowTitle(), QString(" List of Quoted Drugs"));
        QVERIFY(screen.isVisible());
        QTreeWidget* lv = list(screen);
        QStringList headers;
        for (int c = 0; c < lv->columnCount(); ++c)
            headers << lv->headerItem()->text(c);
        QCOMPARE(headers, (QStringList{"SNO", "BRAND", "MANUFACTURER", "GENERIC", "PACKING", "FORM", "RATIO", "STRENGTH",
                                       "COST BEF. DISC. W/O VAT", "DISCOUNT%", "VAT", "MRP W/O VAT", "REMARKS", "HSN CODE"}));
        QCOMPARE(lv->topLevelItemCount(), 2);
        // By brand; numbered in load order; the key is the number and "K"; the tag is the row's ID.
        QTreeWidgetItem* first = lv->topLevelItem(0);
        QStringList texts;
        for (int c = 0; c < 14; ++c)
            texts << first->text(c);
        QCOMPARE(texts, (QStringList{"1", "Amoxa", "Maker Amoxa", "Amoxicillin", "Strip of 10", "Tablet", "10", "500 mg", "100",
                                     "10.5", "GST 12%", "200.25", "", "30041010"}));
        QCOMPARE(first->data(0, frmEdit::KeyRole).toString(), QString("1K"));
        QCOMPARE(first->data(0, frmEdit::TagRole).toLongLong(), 9);
        QCOMPARE(lv->topLevelItem(1)->data(0, frmEdit::KeyRole).toString(), QString("2K"));
        QCOMPARE(lv->topLevelItem(1)->data(0, frmEdit::TagRole).toLongLong(), 5);
        QCOMPARE(lv->topLevelItem(1)->text(12), QString("Keep dry"));
        QStringList captions, tips;
        for (int i = 0; i < 7; ++i) {
            auto* b = control<QPushButton>(&screen, QStringLiteral("cmdMaster(%1)").arg(i));
            captions << b->text();
            tips << b->toolTip();
        }
        QCOMPARE(captions, (QStringList{"&Close", "&Edit", "Print", "Export (Html)", "Export (Excel)", "&Delete", "&Refresh"}));
        QCOMPARE(tips, (QStringList{"", "Edit selected item", "Print using crystal report", "Export as webpage",
                                    "Export as Microsoft Excel sheet", "Delete selected item from quotation", "Edit selected item"}));
    }

    void headerClicksToggleTheOrder()
    {
        TestFolder folder(TestFolder::Content::Empty);
        insertQuote(1, "Beta", "Cetirizine");
        insertQuote(2, "alpha", "Zinc");
        insertQuote(3, "Gamma", "Aspirin");
        frmEdit& screen = openList();
        QCOMPARE(column(screen, 1), (QStringList{"Beta", "Gamma", "alpha"}));  // the database's order
        QHeaderView* header = list(screen)->header();
        const auto clickHeader = [&](int c) {
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionViewportPosition(c) + header->sectionSize(c) / 2, 5));
        };
        clickHeader(3);
        QCOMPARE(column(screen, 3), (QStringList{"Aspirin", "Cetirizine", "Zinc"}));
        clickHeader(3);
        QCOMPARE(column(screen, 3), (QStringList{"Zinc", "Cetirizine", "Aspirin"}));
        clickHeader(1);
        QCOMPARE(column(screen, 1), (QStringList{"alpha", "Beta", "Gamma"}));
        // Refresh brings back the load order and numbering.
        click(screen, 6);
        QCOMPARE(column(screen, 0), (QStringList{"1", "2", "3"}));
        QCOMPARE(column(screen, 1), (QStringList{"Beta", "Gamma", "alpha"}));
    }

    void deleteAskedWithNoAsDefault()
    {
        TestFolder folder(TestFolder::Content::Empty);
        MessageBoxScript boxes;
        insertQuote(1, "Amoxa", "Amoxicillin");
        insertQuote(2, "Beta", "Cetirizine");
        insertQuote(3, "Gamma", "Aspirin");
        frmEdit& screen = openList();
        select(screen, "Beta");
        click(screen, 5);  // answered with the default
        QCOMPARE(boxes.count(), 1);
        QCOMPARE(boxes.last().title, QString("Confirm"));
        QCOMPARE(boxes.last().icon, QMessageBox::Question);
        QCOMPARE(boxes.last().buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(boxes.last().defaultButton, QMessageBox::No);
        QCOMPARE(boxes.last().text, QString("Do you really want to delete following item from quotation?\r\nBrand: Beta\r\n"
                                            "Manufacturer: Maker Beta\r\nGeneric: Cetirizine\r\nDrug Packing: Strip of 10\r\n"
                                            "Drug Form: Tablet\r\nDrug Strength: 500 mg\r\n\r\n"
                                            "WARNING - Do not delete any item after printing the final Price Bid."));
        QCOMPARE(folder.count("Quotations"), 3);
        QCOMPARE(column(screen, 1), (QStringList{"Amoxa", "Beta", "Gamma"}));
        QCOMPARE(AppState::QuotationEditMode, false);

        boxes.answer(QMessageBox::Yes);
        click(screen, 5);
        QCOMPARE(boxes.last().title, QString("Info"));
        QCOMPARE(boxes.last().text, QString("Item deleted successfully."));
        QCOMPARE(folder.count("Quotations"), 2);
        QCOMPARE(folder.count("Quotations", "ID=2"), 0);
        // The serial numbers keep their gap until the list is refreshed.
        QCOMPARE(column(screen, 0), (QStringList{"1", "3"}));
        QCOMPARE(AppState::QuotationEditMode, false);
        QCOMPARE(AppState::QuotationEditKey.toString(), QString());
        click(screen, 6);
        QCOMPARE(column(screen, 0), (QStringList{"1", "2"}));
        QCOMPARE(column(screen, 1), (QStringList{"Amoxa", "Gamma"}));
    }

    void rowGoneBeforeDelete()
    {
        TestFolder folder(TestFolder::Content::Empty);
        MessageBoxScript boxes;
        insertQuote(1, "Amoxa", "Amoxicillin");
        frmEdit& screen = openList();
        folder.exec("DELETE FROM Quotations");
        click(screen, 5);
        QCOMPARE(boxes.texts(), QStringList{"Could not found record for deletion!"});
        QCOMPARE(list(screen)->topLevelItemCount(), 1);
    }

    void emptyListRefusals_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("edit") << 1 << QStringList{"Please select an item to edit"};
        QTest::newRow("print") << 2 << QStringList{"Nothing to print"};
        QTest::newRow("export") << 3 << QStringList{"Nothing to export"};
        QTest::newRow("delete") << 5 << QStringList{"Please select an item to delete"};
    }
    void emptyListRefusals()
    {
        QFETCH(int, button);
        QFETCH(QStringList, texts);
        TestFolder folder(TestFolder::Content::Empty);
        MessageBoxScript boxes;
        frmEdit& screen = openList();
        click(screen, button);
        QCOMPARE(boxes.texts(), texts);
        for (const RecordedBox& b : boxes.boxes()) {
            QCOMPARE(b.title, QString("Info"));
            QCOMPARE(b.icon, QMessageBox::Information);
        }
        QVERIFY(screen.isVisible());
        QCOMPARE(AppState::QuotationEditMode, false);
        // Double-clicking the empty list does nothing either.
        doubleClick(list(screen)->viewport(), QPoint(40, 40));
        QCOMPARE(boxes.texts(), texts);
    }

    void exportOpensTheExportScreenOverTheList()
    {
        TestFolder folder(TestFolder::Content::Empty);
        MessageBoxScript boxes;
        insertQuote(1, "Amoxa", "Amoxicillin");
        frmEdit& screen = openList();
        QString opened;
        whenModal([&](QWidget* modal) {
            opened = modal->objectName();
            QTest::mouseClick(control<QPushButton>(modal, "cmdMaster(6)"), Qt::LeftButton);
        });
        click(screen, 3);
        QCOMPARE(opened, QString("frmHTML"));
        QCOMPARE(boxes.count(), 0);
        QVERIFY(screen.isVisible());
    }

    void editHandsOverAndLineIsRefreshedInPlace()
    {
        TestFolder folder(TestFolder::Content::Empty);
        MessageBoxScript boxes;
        insertQuote(4, "Amoxa", "Amoxicillin");
        insertQuote(7, "Beta", "Cetirizine");
        insertQuote(8, "Gamma", "Aspirin");
        AppState::WizardFromMainMenu = true;
        frmEdit& screen = openList();
        QPointer<frmEdit> kept(&screen);
        QTreeWidget* lv = list(screen);
        select(screen, "Beta");
        const QRect rect = lv->visualItemRect(lv->currentItem());
        doubleClick(lv->viewport(), rect.center());
        QCOMPARE(AppState::QuotationEditMode, true);
        QCOMPARE(AppState::QuotationEditKey.toLongLong(), 7);
        QCOMPARE(AppState::WizardFromMainMenu, false);
        QVERIFY(kept);
        QVERIFY(!kept->isVisible());

        // The wizard stores the row, refreshes its line and shows the list again.
        folder.exec("UPDATE Quotations SET Brand='Betamax', Manufacturer='New Maker', Remarks='Revised', \"Discount%\"=12.25, "
                    "HSNCode='30049099' WHERE ID=7");
        refreshQuotedItem(7);
        showQuotedItemsList();
        QCOMPARE(DefaultInstance<frmEdit>::existing(), kept.data());
        QVERIFY(kept->isVisible());
        QTreeWidgetItem* line = lv->topLevelItem(1);
        QCOMPARE(line->text(0), QString("2"));
        QCOMPARE(line->data(0, frmEdit::KeyRole).toString(), QString("2K"));
        QCOMPARE(line->text(1), QString("Betamax"));
        QCOMPARE(line->text(2), QString("New Maker"));
        QCOMPARE(line->text(9), QString("12.25"));
        QCOMPARE(line->text(12), QString("Revised"));
        QCOMPARE(line->text(13), QString("30049099"));
        // The order stays until the list is refreshed, even though "Betamax" now sorts elsewhere.
        QCOMPARE(column(screen, 1), (QStringList{"Amoxa", "Betamax", "Gamma"}));
        // The other lines are untouched.
        QCOMPARE(lv->topLevelItem(0)->text(1), QString("Amoxa"));
        QCOMPARE(lv->topLevelItem(2)->text(1), QString("Gamma"));
    }

    void editButtonUsesTheSelectedLine()
    {
        TestFolder folder(TestFolder::Content::Empty);
        MessageBoxScript boxes;
        insertQuote(4, "Amoxa", "Amoxicillin");
        insertQuote(7, "Beta", "Cetirizine");
        frmEdit& screen = openList();
        QPointer<frmEdit> kept(&screen);
        select(screen, "Amoxa");
        click(screen, 1);
        QCOMPARE(AppState::QuotationEditMode, true);
        QCOMPARE(AppState::QuotationEditKey.toLongLong(), 4);
        QVERIFY(kept && !kept->isVisible());
    }

    void closeShowsTheMainMenu()
    {
        TestFolder folder(TestFolder::Content::Empty);
        frmEdit& screen = openList();
        QPointer<frmEdit> kept(&screen);
        click(screen, 0);
        QVERIFY(!DefaultInstance<frmEdit>::exists());
        QVERIFY(DefaultInstance<frmMain>::exists());
        QVERIFY(DefaultInstance<frmMain>::existing()->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!kept);
        // The next opening starts afresh.
        insertQuote(1, "Amoxa", "Amoxicillin");
        QCOMPARE(list(openList())->topLevelItemCount(), 1);
    }
};

QTEST_MAIN(tst_frmEdit)
#include "tst_frmEdit.moc"
