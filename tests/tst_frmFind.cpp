#include "app/applicationstate.h"
#include "app/screens.h"
#include "fakewizard.h"
#include "quotation/frmFind.h"
#include "support/testenv.h"
#include "tests/support/screentest.h"

#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

namespace {

// Opens the pick list for `kind` as its opener would, with the opener's current value and, when Step 2
// opens it, Step 2; `inside` acts on it while it is up. A failed check closes the dialog, so the test
// ends instead of waiting in it.
void pick(int kind, const QString& current, FakeStep2* step2, const std::function<void(QWidget*)>& inside)
{
    AppState::PickListKind = quint8(kind);
    AppState::PickedItemID = 0;
    AppState::PickedItemText.clear();
    whenModal([&](QWidget* dialog) {
        inside(dialog);
        if (QTest::currentTestFailed() && dialog->isVisible())
            dialog->close();
    });
    showPickList(step2, current, step2);
}

QTreeWidget* list(QWidget* dialog)
{
    return control<QTreeWidget>(dialog, "lvData");
}

QStringList descriptions(QWidget* dialog)
{
    QStringList out;
    for (int i = 0; i < list(dialog)->topLevelItemCount(); ++i)
        out << list(dialog)->topLevelItem(i)->text(1);
    return out;
}

QString selectedDescription(QWidget* dialog)
{
    const QList<QTreeWidgetItem*> selected = list(dialog)->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text(1);
}

void filter(QWidget* dialog, const QString& words)
{
    auto* find = control<QLineEdit>(dialog, "txtFind");
    find->clear();
    QTest::keyClicks(find, words);
    QTest::mouseClick(control<QPushButton>(dialog, "cmdMaster(2)"), Qt::LeftButton);
}

void click(QWidget* dialog, const char* button)
{
    QTest::mouseClick(control<QPushButton>(dialog, button), Qt::LeftButton);
}

void selectRow(QWidget* dialog, const QString& description)
{
    const QList<QTreeWidgetItem*> found = list(dialog)->findItems(description, Qt::MatchExactly, 1);
    QVERIFY(!found.isEmpty());
    list(dialog)->setCurrentItem(found.first());
}

} // namespace

class tst_frmFind : public ScreenTest
{
    Q_OBJECT
private Q_SLOTS:
    void kinds_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("table");
        QTest::newRow("packings") << 1 << "CT_DrugPackings";
        QTest::newRow("forms") << 2 << "CT_DrugForms";
        QTest::newRow("strengths") << 3 << "CT_Strengths";
        QTest::newRow("generics") << 4 << "CT_Generics";
        QTest::newRow("no such kind") << 9 << "";
    }
    void kinds()
    {
        QFETCH(int, kind);
        QFETCH(QString, table);
        const int rows = table.isEmpty() ? 0 : folder->count(table);
        const QString first = table.isEmpty() ? QString()
                                              : folder->scalar("Select Description From " + table + " Order By Description");
        pick(kind, QString(), nullptr, [&](QWidget* dialog) {
            QCOMPARE(list(dialog)->topLevelItemCount(), rows);
            if (rows > 0) {
                QTreeWidgetItem* top = list(dialog)->topLevelItem(0);
                QCOMPARE(top->text(0), QString("1"));
                QCOMPARE(top->data(0, frmFind::KeyRole).toString(), QString("K1"));
                QCOMPARE(top->text(1), first);
                QCOMPARE(list(dialog)->topLevelItem(rows - 1)->data(0, frmFind::KeyRole).toString(),
                         "K" + QString::number(rows));
            }
            // The Add/Edit button is hidden for every kind.
            QVERIFY(!control<QPushButton>(dialog, "cmdMaster(4)")->isVisible());
            click(dialog, "cmdMaster(0)");
        });
        QCOMPARE(boxes->count(), 0);
        QCOMPARE(AppState::PickedItemID, qint64(0));
    }

    void currentValueIsSelectedBeforeAndAfterFilter()
    {
        pick(1, "Pouch of 5", nullptr, [&](QWidget* dialog) {
            QCOMPARE(selectedDescription(dialog), QString("Pouch of 5"));
            QTreeWidgetItem* current = list(dialog)->selectedItems().first();
            // Far down the list, and scrolled into view.
            QVERIFY(list(dialog)->indexOfTopLevelItem(current) > 30);
            QVERIFY(list(dialog)->viewport()->rect().intersects(list(dialog)->visualItemRect(current)));

            filter(dialog, "of   5");
            QVERIFY(descriptions(dialog).contains("Pouch of 5"));
            QCOMPARE(selectedDescription(dialog), QString("Pouch of 5"));
            filter(dialog, "Bottle");
            QCOMPARE(selectedDescription(dialog), QString());
            click(dialog, "cmdMaster(0)");
        });
    }

    void filterNeedsEveryWord()
    {
        pick(1, QString(), nullptr, [&](QWidget* dialog) {
            filter(dialog, "  Bottle    00 ");
            QCOMPARE(descriptions(dialog),
                     (QStringList{"Bottle of 100", "Bottle of 1000", "Bottle of 200", "Bottle of 500"}));
            // Any order, anywhere in the description.
            filter(dialog, "00 Bottle");
            QCOMPARE(descriptions(dialog).size(), 4);
            click(dialog, "cmdMaster(3)");
            QCOMPARE(list(dialog)->topLevelItemCount(), folder->count("CT_DrugPackings"));
            click(dialog, "cmdMaster(0)");
        });
        QCOMPARE(boxes->count(), 0);
    }

    void blankSearchAndNoResults()
    {
        pick(2, QString(), nullptr, [&](QWidget* dialog) {
            filter(dialog, "Tab");
            const QStringList before = descriptions(dialog);
            QVERIFY(!before.isEmpty());
            filter(dialog, "    ");
            QCOMPARE(boxes->texts(), QStringList{"Please enter few characters of and then click on filter."});
            QCOMPARE(descriptions(dialog), before);

            filter(dialog, "Tab zzzz");
            QCOMPARE(boxes->last().text, QString("No data found"));
            QCOMPARE(list(dialog)->topLevelItemCount(), 0);
            click(dialog, "cmdMaster(1)");
            QCOMPARE(boxes->last().text, QString("Choose an item in above list and then click select button"));
            QVERIFY(dialog->isVisible());
            click(dialog, "cmdMaster(0)");
        });
        QCOMPARE(boxes->count(), 3);
        QCOMPARE(AppState::PickedItemID, qint64(0));
    }

    void closeAndBackAfterFilterHandNothingBack()
    {
        pick(2, QString(), nullptr, [&](QWidget* dialog) {
            filter(dialog, "Tablet");
            selectRow(dialog, "Tablet");
            click(dialog, "cmdMaster(0)");
        });
        QCOMPARE(AppState::PickedItemID, qint64(0));
        QCOMPARE(AppState::PickedItemText, QString());

        pick(2, QString(), nullptr, [&](QWidget* dialog) {
            selectRow(dialog, "Tablet");
            // Escape leaves as Close does.
            QTest::keyClick(list(dialog), Qt::Key_Escape);
            QVERIFY(!dialog->isVisible());
        });
        QCOMPARE(AppState::PickedItemID, qint64(0));
    }

    void doubleClickAndSelectHandBackTheRow()
    {
        QString clicked;
        pick(3, QString(), nullptr, [&](QWidget* dialog) {
            filter(dialog, "500 mg");
            QTreeWidgetItem* row = list(dialog)->topLevelItem(1);
            clicked = row->text(1);
            const QPoint at = list(dialog)->visualItemRect(row).center();
            QTest::mouseClick(list(dialog)->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(list(dialog)->viewport(), Qt::LeftButton, {}, at);
            QTRY_VERIFY(!dialog->isVisible());
        });
        QCOMPARE(AppState::PickedItemText, clicked);
        QCOMPARE(AppState::PickedItemID,
                 folder->scalar("Select ID From CT_Strengths Where Description = '" + clicked + "'").toLongLong());
    }

    void largeRowIdsComeBackWhole_data()
    {
        QTest::addColumn<qint64>("id");
        QTest::newRow("above 16 bits signed") << qint64(32768);
        QTest::newRow("above 32 bits") << qint64(5000000000LL);
    }
    void largeRowIdsComeBackWhole()
    {
        QFETCH(qint64, id);
        folder->exec(QString("Insert Into CT_DrugForms (ID, Code, Description, AddedByVendor) Values (%1, '%1', "
                            "'Lozenge', 1)").arg(id));
        pick(2, QString(), nullptr, [&](QWidget* dialog) {
            filter(dialog, "Lozenge");
            selectRow(dialog, "Lozenge");
            click(dialog, "cmdMaster(1)");
        });
        QCOMPARE(AppState::PickedItemID, id);
        QCOMPARE(AppState::PickedItemText, QString("Lozenge"));
    }

    void aFailedLoadShowsTheErrorBoxAndAnEmptyList()
    {
        folder->exec("Drop Table CT_Strengths");
        pick(3, QString(), nullptr, [&](QWidget* dialog) {
            QCOMPARE(list(dialog)->topLevelItemCount(), 0);
            click(dialog, "cmdMaster(0)");
        });
        QCOMPARE(boxes->count(), 1);
        QVERIFY(boxes->last().text.startsWith("Error #"));
    }

    void addEditReloadsTheListAndStep2_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("remembered");
        QTest::newRow("packings") << 1 << "CT_DrugPackings" << "Box of 5";
        QTest::newRow("forms") << 2 << "CT_DrugForms" << "Capsule";
        QTest::newRow("strengths") << 3 << "CT_Strengths" << "10 mcg";
    }
    void addEditReloadsTheListAndStep2()
    {
        QFETCH(int, kind);
        QFETCH(QString, table);
        QFETCH(QString, remembered);
        FakeStep2 step2;
        const QString extra = kind == 1 ? ", Ratio" : "";
        const QString extraValue = kind == 1 ? ", 7" : "";
        pick(kind, QString(), &step2, [&](QWidget* dialog) {
            selectRow(dialog, remembered);
            // What the master editor will have added by the time it returns.
            folder->exec("Insert Into " + table + " (ID, Code, Description, AddedByVendor" + extra +
                        ") Values (90001, '90001', 'Aaa new entry', 1" + extraValue + ")");
            // Once the editors exist they open modally here; close them as the user would.
            QTimer closer;
            QObject::connect(&closer, &QTimer::timeout, [] {
                QWidget* modal = QApplication::activeModalWidget();
                if (modal && modal->objectName() != "frmFind")
                    modal->close();
            });
            closer.start(20);
            control<QPushButton>(dialog, "cmdMaster(4)")->click();
            closer.stop();

            QCOMPARE(list(dialog)->topLevelItemCount(), folder->count(table));
            QVERIFY(descriptions(dialog).contains("Aaa new entry"));
            QCOMPARE(selectedDescription(dialog), remembered);
            click(dialog, "cmdMaster(0)");
        });
        // Step 2 refills the same list (what a refill does is Step 2's own test).
        QCOMPARE(step2.refills, std::vector<int>{kind});
    }

    void cleanup()
    {
        AppState::PickListKind = 0;
        AppState::PickedItemID = 0;
        AppState::PickedItemText.clear();
        ScreenTest::cleanup();  // no screen may outlive its test
    }
};

QTEST_MAIN(tst_frmFind)
#include "tst_frmFind.moc"
