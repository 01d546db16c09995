#include "app/applicationstate.h"
#include "app/defaultinstance.h"
#include "app/frmMain.h"
#include "tests/support/screentest.h"
#include "vendor/vendorrecord.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {

QString button(int index)
{
    return QStringLiteral("cmdMaster(%1)").arg(index);
}

QString info(int index)
{
    return QStringLiteral("lblInfo(%1)").arg(index);
}

frmMain* openMenu()
{
    frmMain& menu = DefaultInstance<frmMain>::get();
    menu.show();
    return &menu;
}

// Counts the times a window is hidden (the wizard and the quoted items list hide the main menu while
// they run, and may show it again before the test looks).
class HideCounter : public QObject
{
public:
    explicit HideCounter(QWidget* w) { w->installEventFilter(this); }
    int hides = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Hide)
            ++hides;
        return false;
    }
};

} // namespace

class tst_frmMain : public ScreenTest
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void cleanup()
    {
        // Whatever a button opened (a stand-in or, later, the real screen) goes before the menu.
        closeWindowsMenuLast();
        QVERIFY(!DefaultInstance<frmMain>::exists());
        ScreenTest::cleanup();
    }

    void captionsNameTheTender_data()
    {
        QTest::addColumn<QString>("duration");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("helpline");
        QTest::newRow("tender") << "Tender 2027-28" << " Kelmont Hospital, Tender 2027-28 Submission Software"
                                << "Tender 2027-28 Software Helpline Numbers: 020-55501003, 020-55501004";
        QTest::newRow("no tender title") << "" << " Kelmont Hospital,  Submission Software"
                                         << " Software Helpline Numbers: 020-55501003, 020-55501004";
    }
    void captionsNameTheTender()
    {
        QFETCH(QString, duration);
        QFETCH(QString, caption);
        QFETCH(QString, helpline);
        AppState::CurrentTenderDuration = duration;
        frmMain* menu = openMenu();
        QCOMPARE(menu->windowTitle(), caption);
        QCOMPARE(control<QLabel>(menu, "lblTenderDuration")->text(), duration);
        QCOMPARE(control<QLabel>(menu, "lblHelpline")->text(), helpline);
    }

    // The vendor sees six buttons, top to bottom and in Tab order: vendor details, enter quotation,
    // quoted items, master tables, exit, bid readiness; the others stay hidden with their explanations.
    void sixButtonsInOrder()
    {
        frmMain* menu = openMenu();
        menu->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(menu));
        const QStringList order{button(0), button(6), button(7), button(10), "cmdReadiness", button(9)};
        for (int index = 0; index < frmMain::ButtonCount; ++index) {
            QCOMPARE(control<QPushButton>(menu, button(index))->isVisible(), order.contains(button(index)));
            QCOMPARE(control<QLabel>(menu, info(index))->isVisible(), order.contains(button(index)));
        }
        QVERIFY(!control<QPushButton>(menu, "Command1")->isVisible());
        int previousBottom = -1;
        for (const QString& name : order) {
            const QRect r = control<QPushButton>(menu, name)->geometry();
            QVERIFY(r.top() > previousBottom);
            previousBottom = r.bottom();
        }
        // Tab goes down the column and round to the first button again.
        control<QPushButton>(menu, button(0))->setFocus();
        for (int step = 0; step <= order.size(); ++step) {
            QTRY_VERIFY(control<QPushButton>(menu, order[step % order.size()])->hasFocus());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
    }

    // Without one the label stays hidden: see leavingTheVendorFormUnsavedKeepsTheLabel.
    void vendorLabelShowsTheKnownVendor()
    {
        AppState::CurrentVendorName = "Acme Pharma";
        frmMain* menu = openMenu();
        QVERIFY(control<QLabel>(menu, "lblVendor")->isVisible());
        QCOMPARE(control<QLabel>(menu, "lblVendor")->text(), QString("Vendor: Acme Pharma"));
    }

    void vendorGuardStopsTheQuotationButtons_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::newRow("brands") << button(5) << "Please enter vendor details before entering quotation";
        QTest::newRow("enter quotation") << button(6) << "Please enter vendor details before entering quotation";
        QTest::newRow("quoted items") << button(7) << "Please enter vendor details before editing quotation";
        QTest::newRow("master tables") << button(10) << "Please enter vendor details before entering quotation";
        QTest::newRow("bid readiness") << "cmdReadiness" << "Please enter vendor details before entering quotation";
    }
    void vendorGuardStopsTheQuotationButtons()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        frmMain* menu = openMenu();
        HideCounter hidden(menu);
        control<QPushButton>(menu, name)->click();
        QCOMPARE(boxes->count(), 1);
        QCOMPARE(boxes->last().title, QString("Info"));
        QCOMPARE(boxes->last().text, text);
        QCOMPARE(boxes->last().icon, QMessageBox::Information);
        QCOMPARE(boxes->last().buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(hidden.hides, 0);
        QVERIFY(menu->isVisible());
        QVERIFY(!AppState::WizardFromMainMenu);
        QCOMPARE(visibleTopLevels(), QList<QWidget*>{menu});
    }

    // Enter quotation hides the menu too: see vendorButtonOpensTheFormAndGreetsTheVendor.
    void quotedItemsHidesTheMenu()
    {
        AppState::CurrentVendorName = "Acme Pharma";
        frmMain* menu = openMenu();
        HideCounter hidden(menu);
        control<QPushButton>(menu, button(7))->click();
        QCOMPARE(hidden.hides, 1);
        QVERIFY(!AppState::WizardFromMainMenu);
        QVERIFY(DefaultInstance<frmMain>::exists());
    }

    void vendorButtonOpensTheFormAndGreetsTheVendor()
    {
        frmMain* menu = openMenu();
        QString seen;
        whenModal([&](QWidget* form) {
            seen = form->objectName();
            // Every field the form requires; the periods may stay empty.
            for (int i = VendorRecord::VendorName; i < VendorRecord::CreditPeriod; ++i) {
                const QString box = QLatin1String(VendorRecord::fields()[size_t(i)].textBox), text = i ? "x" : "Acme Pharma";
                if (auto* line = form->findChild<QLineEdit*>(box))
                    line->setText(text);
                else
                    control<QPlainTextEdit>(form, box)->setPlainText(text);
            }
            QTest::mouseClick(control<QPushButton>(form, "cmdMaster(1)"), Qt::LeftButton);
        });
        control<QPushButton>(menu, button(0))->click();
        QCOMPARE(seen, QString("frmVendor"));
        QCOMPARE(boxes->count(), 0);
        QVERIFY(control<QLabel>(menu, "lblVendor")->isVisible());
        QCOMPARE(control<QLabel>(menu, "lblVendor")->text(), QString("Vendor: Acme Pharma"));
        QCOMPARE(folder->count("CT_Vendor"), 1);

        // The guard lets the quotation buttons through from now on.
        HideCounter hidden(menu);
        control<QPushButton>(menu, button(6))->click();
        QCOMPARE(hidden.hides, 1);
        QVERIFY(AppState::WizardFromMainMenu);
    }

    void leavingTheVendorFormUnsavedKeepsTheLabel()
    {
        frmMain* menu = openMenu();
        whenModal([](QWidget* form) {
            control<QLineEdit>(form, "txtVendorName")->setText("Acme Pharma");
            QTest::mouseClick(control<QPushButton>(form, "cmdMaster(0)"), Qt::LeftButton);  // Yes is the default answer
        });
        control<QPushButton>(menu, button(0))->click();
        QCOMPARE(boxes->texts(), QStringList{"Do you want to close without save?"});
        QVERIFY(!control<QLabel>(menu, "lblVendor")->isVisible());
        QCOMPARE(folder->count("CT_Vendor"), 0);
    }

    void trimPassStripsBrandBlanks()
    {
        folder->exec("Insert Into CT_Brands (ID, Code, Description, Generic, Manufacturer) Values "
                    "(9001, 'V1', '  Padded Brand 10 mg  ', ' Padded Generic ', '  Maker  '), "
                    "(9002, 'V2', 'Tidy', Null, Null)");
        const int rows = folder->count("CT_Brands");
        frmMain* menu = openMenu();
        control<QPushButton>(menu, "Command1")->click();
        QCOMPARE(folder->count("CT_Brands"), rows);
        QCOMPARE(folder->scalar("Select Description From CT_Brands Where ID = 9001"), QString("Padded Brand 10 mg"));
        QCOMPARE(folder->scalar("Select Generic From CT_Brands Where ID = 9001"), QString("Padded Generic"));
        // Only the two named columns are trimmed; Null stays Null.
        QCOMPARE(folder->scalar("Select Manufacturer From CT_Brands Where ID = 9001"), QString("  Maker  "));
        QCOMPARE(folder->count("CT_Brands", "ID = 9002 And Generic Is Null"), 1);
        QCOMPARE(folder->count("CT_Brands", "Description Like ' %' Or Description Like '% ' Or Generic Like ' %' Or Generic Like '% '"), 0);
    }

    void trimPassIsAllOrNothing()
    {
        folder->exec("Insert Into CT_Brands (ID, Code, Description, Generic) Values (9001, 'V1', ' Early ', 'G'), (9002, 'V2', ' Late ', 'G')");
        folder->exec("Create Trigger refuse_late Before Update On CT_Brands When Old.ID = 9002 "
                    "Begin Select Raise(Abort, 'row locked'); End");
        frmMain* menu = openMenu();
        control<QPushButton>(menu, "Command1")->click();
        QCOMPARE(boxes->count(), 1);
        QCOMPARE(boxes->last().title, QString("Error"));
        QVERIFY(boxes->last().text.endsWith("\rrow locked"));
        QCOMPARE(folder->scalar("Select Description From CT_Brands Where ID = 9001"), QString(" Early "));
        QVERIFY(menu->isVisible());
    }

    void exitClosesTheMenu()
    {
        frmMain* menu = openMenu();
        QSignalSpy destroyed(menu, &QObject::destroyed);
        control<QPushButton>(menu, button(9))->click();
        QVERIFY(!menu->isVisible());
        QVERIFY(!DefaultInstance<frmMain>::exists());
        QVERIFY(menu->testAttribute(Qt::WA_QuitOnClose));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(destroyed.count(), 1);
    }
};

QTEST_MAIN(tst_frmMain)
#include "tst_frmMain.moc"
