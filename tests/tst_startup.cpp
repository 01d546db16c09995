#include "app/applicationstate.h"
#include "app/loadapplicationstate.h"
#include "app/defaultinstance.h"
#include "app/frmMain.h"
#include "app/singleinstance.h"
#include "app/startup.h"
#include "tests/support/testenv.h"

#include <QFile>
#include <QSysInfo>
#include <QTest>

class tst_Startup : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup()
    {
        if (frmMain* menu = DefaultInstance<frmMain>::existing())
            menu->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(visibleTopLevels().isEmpty());
    }

    void secondCopyIsRefusedWithoutOpeningTheDatabase()
    {
        TestFolder folder;
        SingleInstanceGuard first(folder.path());
        QVERIFY(first.acquired());
        MessageBoxScript boxes;
        std::unique_ptr<SingleInstanceGuard> guard;
        AppState::ConnectionString.clear();
        QVERIFY(!startApplication(folder.path(), guard));
        QCOMPARE(boxes.count(), 1);
        QCOMPARE(boxes.last().title, QStringLiteral("Information"));
        QCOMPARE(boxes.last().text, QStringLiteral("Pharmacy Quillbid is already running\r\n"
                                                    "If it is not present at the tarkbar, press Ctrl+Alt+Del and End Task"));
        QCOMPARE(boxes.last().icon, QMessageBox::Information);
        QVERIFY(AppState::ConnectionString.isEmpty());
        QVERIFY(!DefaultInstance<frmMain>::exists());
    }

    void anotherFolderOrALockLeftByACrashDoesNotCount()
    {
        TestFolder folder, other;
        SingleInstanceGuard first(folder.path());
        SingleInstanceGuard elsewhere(other.path());
        QVERIFY(elsewhere.acquired());

        TestFolder crashed;
        QFile lock(SingleInstanceGuard::lockFilePath(crashed.path()));
        QVERIFY(lock.open(QIODevice::WriteOnly));
        lock.write("999999\nquillbid\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        lock.close();
        SingleInstanceGuard recovered(crashed.path());
        QVERIFY(recovered.acquired());
    }

    void startsOnTheMainMenuWithTheTenderLoaded()
    {
        TestFolder folder;
        folder.exec(QStringLiteral("INSERT INTO CT_Vendor (VendorName, CreditPeriodInDays, DeliveryPeriodInDays) VALUES ('Kavira Pharma', 45, 7)"));
        folder.exec(QStringLiteral("INSERT INTO CT_Vendor (VendorName, CreditPeriodInDays, DeliveryPeriodInDays) VALUES ('Second Row', 1, 1)"));
        MessageBoxScript boxes;
        std::unique_ptr<SingleInstanceGuard> guard;
        QVERIFY(startApplication(folder.path(), guard));
        QCOMPARE(boxes.count(), 0);
        QCOMPARE(AppState::ConnectionString, QStringLiteral("Provider=SQLCipher;Data Source=") + folder.path() +
                                                 QStringLiteral("/Tender.klmt;Database Password=QVPN27081962"));
        QCOMPARE(AppState::CurrentVendorName, QStringLiteral("Kavira Pharma"));  // the first row only
        QCOMPARE(AppState::CurrentCreditPeriod, qint16(45));
        QCOMPARE(AppState::CurrentDeliveryPeriod, qint16(7));
        QCOMPARE(AppState::CurrentTenderDuration, QStringLiteral("Tender 2027-28"));
        QCOMPARE(AppState::CurrentOrganization.toString(), QStringLiteral("Kelmont Hospital Pharmacy"));
        QVERIFY(DefaultInstance<frmMain>::exists());
        QVERIFY(DefaultInstance<frmMain>::get().isVisible());
    }

    void emptyVendorTableAndNullOrganizationLoadQuietly()
    {
        TestFolder folder;
        folder.exec(QStringLiteral("UPDATE CT_Options SET Organization=NULL"));
        MessageBoxScript boxes;
        LoadApplicationState();
        QCOMPARE(boxes.count(), 0);
        QVERIFY(AppState::CurrentVendorName.isEmpty());
        QVERIFY(AppState::CurrentOrganization.isNull());
        QVERIFY(!AppState::CurrentOrgAddress.isNull());
        QVERIFY(!QApplication::overrideCursor());
    }

    void nullTenderDurationShowsTheErrorBoxAndKeepsWhatWasLoaded()
    {
        TestFolder folder;
        folder.exec(QStringLiteral("INSERT INTO CT_Vendor (VendorName, CreditPeriodInDays, DeliveryPeriodInDays) VALUES ('Kavira Pharma', 30, 15)"));
        folder.exec(QStringLiteral("UPDATE CT_Options SET TenderDuration=NULL"));
        MessageBoxScript boxes;
        LoadApplicationState();
        QCOMPARE(boxes.count(), 1);
        QCOMPARE(boxes.last().title, QStringLiteral("Error"));
        QCOMPARE(boxes.last().text,
                 QStringLiteral("Error #94 was generated at location LoadApplicationState\rInvalid use of Null"));
        QCOMPARE(AppState::CurrentVendorName, QStringLiteral("Kavira Pharma"));
        QVERIFY(AppState::CurrentTenderDuration.isEmpty());
        QVERIFY(!QApplication::overrideCursor());
    }

    // A vendor row the summary cannot hold stops the load at the bad value, with the error box.
    void aBadVendorRowStopsTheLoad_data()
    {
        QTest::addColumn<QString>("values");  // VendorName, CreditPeriodInDays, DeliveryPeriodInDays
        QTest::addColumn<QString>("error");
        QTest::addColumn<QString>("vendorLoaded");
        QTest::newRow("no name") << "NULL, 30, 15"
                                 << "Error #94 was generated at location LoadApplicationState\rInvalid use of Null" << "";
        QTest::newRow("credit period above 32,767")
            << "'Kavira Pharma', 32768, 15" << "Error #6 was generated at location LoadApplicationState\rOverflow"
            << "Kavira Pharma";
        QTest::newRow("delivery period below -32,768")
            << "'Kavira Pharma', 30, -40000" << "Error #6 was generated at location LoadApplicationState\rOverflow"
            << "Kavira Pharma";
    }
    void aBadVendorRowStopsTheLoad()
    {
        QFETCH(QString, values);
        QFETCH(QString, error);
        QFETCH(QString, vendorLoaded);
        TestFolder folder;
        folder.exec(QStringLiteral("INSERT INTO CT_Vendor (VendorName, CreditPeriodInDays, DeliveryPeriodInDays) VALUES (%1)").arg(values));
        MessageBoxScript boxes;
        LoadApplicationState();
        QCOMPARE(boxes.count(), 1);
        QCOMPARE(boxes.last().text, error);
        QCOMPARE(AppState::CurrentVendorName, vendorLoaded);
        QCOMPARE(AppState::CurrentDeliveryPeriod, qint16(0));
        QVERIFY(AppState::CurrentTenderDuration.isEmpty());
        QVERIFY(!QApplication::overrideCursor());
    }

    void missingDatabaseStillShowsTheMainMenu()
    {
        TestFolder folder(TestFolder::Content::None);
        MessageBoxScript boxes;
        std::unique_ptr<SingleInstanceGuard> guard;
        QVERIFY(startApplication(folder.path(), guard));
        QCOMPARE(boxes.count(), 1);
        QCOMPARE(boxes.last().title, QStringLiteral("Error"));
        QVERIFY(boxes.last().text.contains(QStringLiteral("Tender.klmt")));
        QVERIFY(DefaultInstance<frmMain>::get().isVisible());
    }
};

QTEST_MAIN(tst_Startup)
#include "tst_startup.moc"
