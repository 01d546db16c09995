#include "app/applicationstate.h"
#include "app/defaultinstance.h"
#include "app/frmMain.h"
#include "quotation/frmQ1.h"
#include "tender/frmReadiness.h"
#include "tests/support/quotedrows.h"
#include "tests/support/screentest.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

namespace {

QStringList column(const QTreeWidget* list, int c)
{
    QStringList texts;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        texts << list->topLevelItem(i)->text(c);
    return texts;
}

} // namespace

// The demo tender (400 lines, Acarbose 25 mg Tablet × 18000 first) with a complete vendor and the sample
// item quoted: 18000 × 10.08 = 181440.
class tst_frmReadiness : public ScreenTest
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        ScreenTest::init();
        storeReadyBid();
    }

    void cleanup()
    {
        frmQ1::unloadWizard(false);  // closed otherwise, it would show the quoted-items list
        closeWindowsMenuLast();
        ScreenTest::cleanup();
    }

    void menuOpensItAndADoubleClickEditsTheQuotedItem()
    {
        frmMain& menu = DefaultInstance<frmMain>::get();
        menu.show();
        QCOMPARE(control<QLabel>(&menu, "lblProgress")->text(), QString("Quoted items: 1 \u00b7 required lines covered: 1 of 400"));
        QStringList seen;
        whenModal([&](QWidget* screen) {
            seen << screen->windowTitle();
            auto* lines = control<QTreeWidget>(screen, "lvLines");
            seen << control<QLabel>(screen, "lblTotals")->text() << QString::number(lines->topLevelItemCount())
                 << lines->topLevelItem(0)->text(5) + " " + lines->topLevelItem(0)->text(7) + " " + lines->topLevelItem(0)->text(8);
            control<QCheckBox>(screen, "chkUnquoted")->setChecked(true);
            seen << QString::number(column(lines, 5).count("No")) + " of " + QString::number(lines->topLevelItemCount());
            control<QCheckBox>(screen, "chkUnquoted")->setChecked(false);
            emit lines->itemDoubleClicked(lines->topLevelItem(0), 0);
        });
        control<QPushButton>(&menu, "cmdReadiness")->click();
        QCOMPARE(seen, (QStringList{"Bid Readiness", "Covered 1 of 400 lines \u00b7 bid value at yearly quantities: 181440.00",
                                    "400", "Yes 10.0800 181440.00", "399 of 399"}));
        QVERIFY(!menu.isVisible());
        QVERIFY(DefaultInstance<frmQ1>::exists());
        QVERIFY(AppState::QuotationEditMode);
        QCOMPARE(AppState::QuotationEditKey.toLongLong(), 1);
    }

    void submissionCopyAndExport()
    {
        SaveFileScript saves;
        frmReadiness screen;
        screen.show();
        QCOMPARE(column(control<QTreeWidget>(&screen, "lvFindings"), 0), QStringList{"No findings"});

        const QString copy = folder->filePath("Acme Pharma - Tender.klmt");
        saves.answer(copy);
        control<QPushButton>(&screen, "cmdSubmit")->click();
        QCOMPARE(saves.requests().back().initialName, QString("Acme Pharma - Tender.klmt"));
        QCOMPARE(boxes->last().title, QString("Info"));
        QVERIFY2(boxes->last().text.startsWith("Submission copy saved"), qPrintable(boxes->last().text));
        const QString receipt = folder->filePath("Acme Pharma - Submission Receipt.pdf");
        QVERIFY(boxes->last().text.contains(copy) && boxes->last().text.contains(receipt));
        QVERIFY(QFileInfo::exists(copy) && QFileInfo::exists(receipt));

        // The open file itself is never a destination.
        saves.answer(folder->databasePath());
        control<QPushButton>(&screen, "cmdSubmit")->click();
        QCOMPARE(boxes->last().title, QString("Error"));
        QCOMPARE(folder->count("Quotations"), 1);

        saves.answer(folder->filePath("readiness"));
        control<QPushButton>(&screen, "cmdExport")->click();
        QCOMPARE(boxes->last().title, QString("Exported Successfully"));
        QVERIFY(QFileInfo(folder->filePath("readiness.xlsx")).size() > 0);
        screen.close();
    }
};

QTEST_MAIN(tst_frmReadiness)
#include "tst_frmReadiness.moc"
