#include "tests/support/screentest.h"

#include "app/applicationstate.h"
#include "app/screens.h"
#include "masters/frmQtyPerYear.h"
#include "masters/qtyperyearfilter.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <algorithm>
#include <memory>

class tst_frmQtyPerYear : public ScreenTest
{
    Q_OBJECT
private:
    static QStringList column(const QTreeWidget* list, int col)
    {
        QStringList out;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            out << list->topLevelItem(i)->text(col);
        return out;
    }
    static void choose(QComboBox* combo, const QString& text)
    {
        const int index = combo->findText(text);
        QVERIFY2(index > 0, qPrintable(text));
        combo->setCurrentIndex(index);
    }

private slots:

    void opensWithTheFullListInTheHospitalsOrder()
    {
        AppState::MasterEditMode = true;
        auto screen = std::make_unique<frmQtyPerYear>();
        QVERIFY(!AppState::MasterEditMode);
        auto* list = control<QTreeWidget>(screen.get(), "lvQtyPerYears");
        QCOMPARE(list->topLevelItemCount(), folder->count("CT_QtyPerYears"));
        QCOMPARE(list->topLevelItem(0)->data(0, frmQtyPerYear::KeyRole).toString(), QStringLiteral("K1"));
        QCOMPARE(list->topLevelItem(399)->data(0, frmQtyPerYear::KeyRole).toString(), QStringLiteral("K400"));

        // Sorted by generic, then packing, form and strength (Null, shown empty, sorts first).
        for (int i = 1; i < list->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* a = list->topLevelItem(i - 1);
            const QTreeWidgetItem* b = list->topLevelItem(i);
            const QStringList ka{a->text(0), a->text(3), a->text(2), a->text(1)};
            const QStringList kb{b->text(0), b->text(3), b->text(2), b->text(1)};
            QVERIFY2(std::lexicographical_compare(ka.begin(), ka.end(), kb.begin(), kb.end()) || ka == kb,
                     qPrintable(ka.join('|') + " before " + kb.join('|')));
        }
        // The row with ID 28 as the hospital gave it; a Null strength and packing show as empty text.
        bool seen = false;
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* item = list->topLevelItem(i);
            if (item->data(0, frmQtyPerYear::TagRole).toLongLong() == 28) {
                QCOMPARE((QStringList{item->text(0), item->text(1), item->text(2), item->text(3), item->text(4)}),
                         (QStringList{"Amoxicillin + Clavulanic Acid", "500 mg + 125 mg", "Tablet", "Strip of 10", "90000"}));
                seen = true;
            }
        }
        QVERIFY(seen);
        QCOMPARE(column(list, 1).count(QString()), folder->count("CT_QtyPerYears", "Strength Is Null"));
        QCOMPARE(column(list, 3).count(QString()), folder->count("CT_QtyPerYears", "DrugPacking Is Null"));
        QCOMPARE(boxes->count(), 0);
    }

    void dropDownsHoldAnEmptyItemThenEveryDescription()
    {
        frmQtyPerYear screen;
        const struct {
            const char* name;
            const char* table;
        } combos[] = {{"cboStrength", "CT_Strengths"}, {"cboDrugForms", "CT_DrugForms"}, {"cboDrugPacking", "CT_DrugPackings"}};
        for (const auto& c : combos) {
            auto* combo = control<QComboBox>(&screen, c.name);
            QCOMPARE(combo->count(), folder->count(c.table) + 1);
            QCOMPARE(combo->itemText(0), QString());
            QCOMPARE(combo->itemText(1), folder->scalar(QString("Select Description From %1 Order By Description").arg(c.table)));
        }
    }

    void filterByTheExampleFindsTheOneRowSortedByGeneric()
    {
        frmQtyPerYear screen;
        screen.show();
        QTest::keyClicks(control<QLineEdit>(&screen, "txtGeneric"), "amox clav");
        QTest::keyClicks(control<QLineEdit>(&screen, "txtStrength"), "500");
        choose(control<QComboBox>(&screen, "cboDrugForms"), "Tablet");
        QTest::mouseClick(control<QPushButton>(&screen, "cmdMaster(1)"), Qt::LeftButton);
        auto* list = control<QTreeWidget>(&screen, "lvQtyPerYears");
        QCOMPARE(list->topLevelItemCount(), 1);
        QCOMPARE(list->topLevelItem(0)->data(0, frmQtyPerYear::TagRole).toLongLong(), 28);
        QCOMPARE(list->topLevelItem(0)->data(0, frmQtyPerYear::KeyRole).toString(), QStringLiteral("K1"));

        // Generic words alone: every match, ordered by generic only.
        control<QLineEdit>(&screen, "txtStrength")->clear();
        control<QComboBox>(&screen, "cboDrugForms")->setCurrentIndex(0);
        control<QLineEdit>(&screen, "txtGeneric")->setText("amox");
        control<QAction>(&screen, "mnuFilter")->trigger();
        QCOMPARE(list->topLevelItemCount(), folder->count("CT_QtyPerYears", "Generic like '%amox%'"));
        const QStringList generics = column(list, 0);
        QVERIFY(std::is_sorted(generics.begin(), generics.end()));

        // Blanks around and between words add nothing; strength words must all match too.
        control<QLineEdit>(&screen, "txtGeneric")->setText("  amox   clav ");
        control<QLineEdit>(&screen, "txtStrength")->setText("500 mg");
        control<QAction>(&screen, "mnuFilter")->trigger();
        QCOMPARE(list->topLevelItemCount(), folder->count("CT_QtyPerYears", "Generic like '%amox%' And Generic like '%clav%' "
                                                                           "And Strength like '%500%' And Strength like '%mg%'"));
        QVERIFY(list->topLevelItemCount() > 0);
        QCOMPARE(boxes->count(), 0);
        screen.close();
    }

    void packingAloneFilters()
    {
        frmQtyPerYear screen;
        choose(control<QComboBox>(&screen, "cboDrugPacking"), "Strip of 10");
        control<QPushButton>(&screen, "cmdMaster(1)")->click();
        auto* list = control<QTreeWidget>(&screen, "lvQtyPerYears");
        QCOMPARE(list->topLevelItemCount(), folder->count("CT_QtyPerYears", "DrugPacking = 'Strip of 10'"));
        QVERIFY(list->topLevelItemCount() > 0);
        QCOMPARE(column(list, 3).count("Strip of 10"), list->topLevelItemCount());
        QCOMPARE(boxes->count(), 0);
    }

    void emptyFieldsAskForAFewCharactersAndKeepTheList()
    {
        frmQtyPerYear screen;
        auto* list = control<QTreeWidget>(&screen, "lvQtyPerYears");
        control<QLineEdit>(&screen, "txtGeneric")->setText("   ");
        // The strength drop-down is not part of the filter.
        choose(control<QComboBox>(&screen, "cboStrength"), "500 mg");
        control<QPushButton>(&screen, "cmdMaster(1)")->click();
        QCOMPARE(boxes->count(), 1);
        QCOMPARE(boxes->last().title, QStringLiteral("Info"));
        QCOMPARE(boxes->last().icon, QMessageBox::Information);
        QCOMPARE(boxes->last().text, QStringLiteral("Please enter few characters of a Generic and then click on filter."));
        QCOMPARE(list->topLevelItemCount(), 400);
    }

    void noMatchEmptiesTheListWithoutAMessageAndShowAllKeepsTheFields()
    {
        frmQtyPerYear screen;
        auto* list = control<QTreeWidget>(&screen, "lvQtyPerYears");
        control<QLineEdit>(&screen, "txtGeneric")->setText("zzzz");
        choose(control<QComboBox>(&screen, "cboDrugForms"), "Tablet");
        control<QPushButton>(&screen, "cmdMaster(1)")->click();
        QCOMPARE(list->topLevelItemCount(), 0);
        QCOMPARE(boxes->count(), 0);

        control<QPushButton>(&screen, "cmdMaster(2)")->click();
        QCOMPARE(list->topLevelItemCount(), 400);
        QCOMPARE(list->topLevelItem(0)->data(0, frmQtyPerYear::KeyRole).toString(), QStringLiteral("K1"));
        QCOMPARE(control<QLineEdit>(&screen, "txtGeneric")->text(), QStringLiteral("zzzz"));
        QCOMPARE(control<QComboBox>(&screen, "cboDrugForms")->currentText(), QStringLiteral("Tablet"));
        control<QLineEdit>(&screen, "txtGeneric")->clear();
        control<QAction>(&screen, "mnuFilter")->trigger();
        control<QAction>(&screen, "mnuShowAll")->trigger();
        QCOMPARE(list->topLevelItemCount(), 400);
        QCOMPARE(boxes->count(), 0);
    }

    void anApostropheCannotBeTypedButAPastedOneStillFinds()
    {
        frmQtyPerYear screen;
        screen.show();
        auto* generic = control<QLineEdit>(&screen, "txtGeneric");
        QTest::keyClicks(generic, "Ringer's");
        QCOMPARE(generic->text(), QStringLiteral("Ringers"));
        // Should one slip through, it is doubled in the SQL and matches the hospital's row.
        screen.LoadQtyList(QtyPerYearFilter::filteredSql(QtyPerYearFilter::condition("Ringer's", "", "", "")));
        QCOMPARE(control<QTreeWidget>(&screen, "lvQtyPerYears")->topLevelItemCount(), 2);
        QCOMPARE(boxes->count(), 0);
        screen.close();
    }

    void aFailingLoadShowsTheErrorBoxAndKeepsTheList()
    {
        frmQtyPerYear screen;
        screen.LoadQtyList("Select * From CT_NoSuchTable");
        QCOMPARE(boxes->count(), 1);
        QCOMPARE(boxes->last().title, QStringLiteral("Error"));
        QVERIFY(boxes->last().text.startsWith("Error #"));
        QCOMPARE(control<QTreeWidget>(&screen, "lvQtyPerYears")->topLevelItemCount(), 400);
    }

    void menusAndButtonsOpenTheirScreens()
    {
        frmQtyPerYear screen;
        screen.show();
        QCOMPARE(modalOpenedBy([&] { control<QPushButton>(&screen, "cmdMaster(3)")->click(); }), QStringLiteral("frmPDF"));
        QCOMPARE(modalOpenedBy([&] { control<QAction>(&screen, "mnuPrint")->trigger(); }), QStringLiteral("frmCrystal"));

        // Save and Excel do nothing on a read-only list.
        control<QAction>(&screen, "mnuSave")->trigger();
        control<QAction>(&screen, "mnuExcel")->trigger();
        QCOMPARE(boxes->count(), 0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        control<QPushButton>(&screen, "cmdMaster(0)")->click();
        QVERIFY(!screen.isVisible());
    }

    void opensModallyAndEachOpeningStartsAfresh()
    {
        whenModal([](QWidget* w) {
            QCOMPARE(w->objectName(), QStringLiteral("frmQtyPerYear"));
            control<QLineEdit>(w, "txtGeneric")->setText("amox");
            control<QAction>(w, "mnuBack")->trigger();
        });
        showQtyPerYear(nullptr);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        whenModal([](QWidget* w) {
            QCOMPARE(control<QLineEdit>(w, "txtGeneric")->text(), QString());
            w->close();
        });
        showQtyPerYear(nullptr);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

QTEST_MAIN(tst_frmQtyPerYear)
#include "tst_frmQtyPerYear.moc"
