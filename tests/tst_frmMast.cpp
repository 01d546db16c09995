#include "app/screens.h"
#include "masters/frmMast.h"
#include "tests/support/screentest.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

namespace {

const QString WrongPassword = QStringLiteral("Please enter correct password.\r\n\r\nIn case you want to add new Generic, "
                                             "drug form, strength or drug packing, please contact software helpline numbers.");

struct Menu {
    std::unique_ptr<frmMast> window = std::make_unique<frmMast>();
    Menu()
    {
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    QPushButton* button(int i) const { return control<QPushButton>(window.get(), QStringLiteral("cmdMaster(%1)").arg(i)); }
    QLabel* info(int i) const { return control<QLabel>(window.get(), QStringLiteral("lblInfo(%1)").arg(i)); }
    QString enabled() const
    {
        QString pattern;
        for (int i = 0; i < 4; ++i)
            pattern += button(i)->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
        return pattern;
    }
    void unlock(const QString& password) const
    {
        QLineEdit* pwd = control<QLineEdit>(window.get(), QStringLiteral("txtPWD"));
        pwd->clear();
        QTest::keyClicks(pwd, password);
        QTest::mouseClick(control<QPushButton>(window.get(), QStringLiteral("cmdUnlock")), Qt::LeftButton);
    }
};

} // namespace

class tst_frmMast : public ScreenTest
{
    Q_OBJECT
private Q_SLOTS:

    void opensLocked()
    {
        Menu m;
        QCOMPARE(m.enabled(), QStringLiteral("0000"));
        QVERIFY(m.button(4)->isEnabled());
        QVERIFY(m.button(5)->isEnabled());
        QCOMPARE(control<QLineEdit>(m.window.get(), QStringLiteral("txtPWD"))->echoMode(), QLineEdit::Password);
    }

    void unlock_data()
    {
        QTest::addColumn<QStringList>("passwords");  // typed one after another
        QTest::addColumn<QString>("enabled");        // buttons 0 to 3 afterwards
        QTest::addColumn<bool>("refused");           // the last one shows the wrong-password message
        QTest::newRow("all four") << QStringList{"quartzfog"} << "1111" << false;
        QTest::newRow("all four in capitals") << QStringList{"QUARTZFOG"} << "1111" << false;
        QTest::newRow("leading blank") << QStringList{" quartzfog"} << "0000" << true;
        QTest::newRow("trailing blank") << QStringList{"elk "} << "0000" << true;
        QTest::newRow("a password's start") << QStringList{"quartz"} << "0000" << true;
        QTest::newRow("generics") << QStringList{"elk"} << "1000" << false;
        QTest::newRow("drug forms") << QStringList{"Fern"} << "0100" << false;
        QTest::newRow("strengths") << QStringList{"moth"} << "0010" << false;
        QTest::newRow("packings, any case") << QStringList{"KeLp"} << "0001" << false;
        QTest::newRow("empty") << QStringList{""} << "0000" << true;
        QTest::newRow("one replaces another") << QStringList{"elk", "fern"} << "0100" << false;
        QTest::newRow("all, then strengths") << QStringList{"quartzfog", "moth"} << "0010" << false;
        QTest::newRow("wrong keeps unlock") << QStringList{"quartzfog", "wrong"} << "1111" << true;
    }
    void unlock()
    {
        QFETCH(QStringList, passwords);
        QFETCH(QString, enabled);
        QFETCH(bool, refused);
        Menu m;
        for (const QString& p : passwords)
            m.unlock(p);
        QCOMPARE(m.enabled(), enabled);
        QCOMPARE(boxes->count(), refused ? 1 : 0);
        if (refused) {
            QCOMPARE(boxes->last().title, QStringLiteral("Info"));
            QCOMPARE(boxes->last().text, WrongPassword);
            QCOMPARE(control<QLineEdit>(m.window.get(), QStringLiteral("txtPWD"))->text(), passwords.last());
        }
        // Unlocked labels black, locked ones greyed.
        for (int i = 0; i < 4; ++i)
            QCOMPARE(m.info(i)->palette().color(QPalette::WindowText) == QColor(Qt::black), enabled.at(i) == '1');
    }

    void buttonsOpenTheirEditors_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("editor");
        QTest::newRow("generics") << 0 << "frmGenerics";
        QTest::newRow("drug forms") << 1 << "frmDrugForms";
        QTest::newRow("strengths") << 2 << "frmStrengths";
        QTest::newRow("packings") << 3 << "frmDrugPacking";
        QTest::newRow("brands, no password") << 4 << "frmBrands";
    }
    void buttonsOpenTheirEditors()
    {
        QFETCH(int, button);
        QFETCH(QString, editor);
        Menu m;
        if (button < 4)
            m.unlock(QStringLiteral("quartzfog"));
        QCOMPARE(modalOpenedBy([&] { QTest::mouseClick(m.button(button), Qt::LeftButton); }), editor);
        // Back from the editor, the unlock stays.
        QCOMPARE(m.enabled(), button < 4 ? QStringLiteral("1111") : QStringLiteral("0000"));
        QVERIFY(m.window->isVisible());
    }

    void lockedAgainOnEveryOpening()
    {
        QString first;
        QString second;
        whenModal([&](QWidget* w) {
            control<QLineEdit>(w, QStringLiteral("txtPWD"))->setText(QStringLiteral("quartzfog"));
            control<QPushButton>(w, QStringLiteral("cmdUnlock"))->click();
            first = w->findChild<QPushButton*>(QStringLiteral("cmdMaster(0)"))->isEnabled() ? "open" : "locked";
            control<QPushButton>(w, QStringLiteral("cmdMaster(5)"))->click();
        });
        showMasterTablesMenu(nullptr);
        whenModal([&](QWidget* w) {
            second = w->findChild<QPushButton*>(QStringLiteral("cmdMaster(0)"))->isEnabled() ? "open" : "locked";
            w->findChild<QAction*>(QStringLiteral("mnuBack"))->trigger();
        });
        showMasterTablesMenu(nullptr);
        QCOMPARE(first, QStringLiteral("open"));
        QCOMPARE(second, QStringLiteral("locked"));
    }
};

QTEST_MAIN(tst_frmMast)
#include "tst_frmMast.moc"
