#include "app/applicationstate.h"
#include "app/loadapplicationstate.h"
#include "app/defaultinstance.h"
#include "app/frmMain.h"
#include "app/singleinstance.h"
#include "app/startup.h"
#include "tests/support/testenv.h"

#include "db/tenderdatabase.h"
#include "db/tenderfilecheck.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSysInfo>
#include <QTest>
#include <csignal>
#include <sqlite3.h>

namespace {

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// A database made with its own key (empty: none), holding what `sql` creates.
void makeDatabase(const QString& path, const QByteArray& key, const char* sql)
{
    QFile::remove(path);
    sqlite3* db = nullptr;
    QCOMPARE(sqlite3_open(QFile::encodeName(path).constData(), &db), SQLITE_OK);
    if (!key.isEmpty())
        sqlite3_key(db, key.constData(), static_cast<int>(key.size()));
    QCOMPARE(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
}

enum class Spoil { Missing, Empty, Plain, OtherKey, Garbage, NoTables, ColumnGone, Truncated, PageDamaged };

} // namespace
Q_DECLARE_METATYPE(Spoil)

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

    void aCopyInAnotherProcessHoldsTheFolderUntilItDies()
    {
        // The lock lies beside the tender, so any process that can see the folder sees it: here a
        // separate program holds it, as a copy started by another user or session would.
        TestFolder folder;
        const QString lockPath = SingleInstanceGuard::lockFilePath(folder.path());
        QCOMPARE(QFileInfo(lockPath).absolutePath(), QFileInfo(folder.databasePath()).absolutePath());
        QProcess holder;
        // --no-fork: the program that holds the lock is the one process the test kills.
        holder.start(QStringLiteral("flock"), {QStringLiteral("--nonblock"), QStringLiteral("--no-fork"), lockPath,
                                               QStringLiteral("sh"), QStringLiteral("-c"), QStringLiteral("echo held; exec sleep 60")});
        if (!holder.waitForStarted())
            QSKIP("the flock program is not installed here");
        QVERIFY(holder.waitForReadyRead(10000));
        {
            MessageBoxScript boxes;
            std::unique_ptr<SingleInstanceGuard> guard;
            QVERIFY(!startApplication(folder.path(), guard));
            QCOMPARE(boxes.last().text, alreadyRunningText());
        }
        // Killed without a chance to tidy up, the other copy frees the folder all the same.
        ::kill(static_cast<pid_t>(holder.processId()), SIGKILL);
        QVERIFY(holder.waitForFinished(10000));
        QVERIFY(QFile::exists(lockPath));
        SingleInstanceGuard after(folder.path());
        QVERIFY(after.acquired());
    }

    void aLockThatCannotBeMadeIsNotTakenForASecondCopy()
    {
        TestFolder folder;
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("Tender.klmt.lock")));  // even root cannot open this for writing
        MessageBoxScript boxes;
        std::unique_ptr<SingleInstanceGuard> guard;
        QVERIFY(!startApplication(folder.path(), guard));
        QCOMPARE(boxes.count(), 1);
        QCOMPARE(boxes.last().title, QStringLiteral("Error"));
        QCOMPARE(boxes.last().text, lockNotMadeText(folder.filePath(QStringLiteral("Tender.klmt.lock")), QStringLiteral("Is a directory")));
        QVERIFY(!DefaultInstance<frmMain>::exists());
    }

    void aFileThatCannotServeIsNamedOnceAndLeftAsItWas_data()
    {
        QTest::addColumn<Spoil>("spoil");
        QTest::addColumn<QString>("firstLine");
        QTest::newRow("missing") << Spoil::Missing << "The tender file %1 was not found.";
        QTest::newRow("zero length") << Spoil::Empty << "The tender file %1 is empty (0 bytes).";
        QTest::newRow("not encrypted") << Spoil::Plain
                                       << "The file %1 is not a tender file: it is not protected with the tender's password.";
        const QString wrongKey = "The tender file %1 cannot be opened with the tender's password: it is damaged, or it is not a tender file.";
        QTest::newRow("another key") << Spoil::OtherKey << wrongKey;
        QTest::newRow("foreign bytes") << Spoil::Garbage << wrongKey;
        QTest::newRow("no tender tables") << Spoil::NoTables << "The file %1 is not a tender file: the table CT_Vendor is missing.";
        QTest::newRow("a column gone") << Spoil::ColumnGone
                                       << "The file %1 is not a tender file: the column TenderDuration of CT_Options is missing.";
        QTest::newRow("cut short") << Spoil::Truncated << "The tender file %1 is damaged.";
        QTest::newRow("one page spoilt") << Spoil::PageDamaged << "The tender file %1 is damaged.";
    }
    void aFileThatCannotServeIsNamedOnceAndLeftAsItWas()
    {
        QFETCH(Spoil, spoil);
        QFETCH(QString, firstLine);
        TestFolder folder;
        TenderDatabase::closeConnection();
        const QString path = folder.databasePath();
        QByteArray demo = fileBytes(path);
        switch (spoil) {
        case Spoil::Missing: QFile::remove(path); break;
        case Spoil::Empty: writeBytes(path, {}); break;
        case Spoil::Plain: makeDatabase(path, {}, "CREATE TABLE CT_Vendor (ID INTEGER)"); break;
        case Spoil::OtherKey: makeDatabase(path, "ABCD00000000", "CREATE TABLE CT_Vendor (ID INTEGER)"); break;
        case Spoil::Garbage: writeBytes(path, QByteArray("%PDF-1.4\n") + QByteArray(8000, '\x5a')); break;
        case Spoil::NoTables: makeDatabase(path, TenderDatabase::Password, "CREATE TABLE Other (ID INTEGER)"); break;
        case Spoil::ColumnGone: folder.exec("ALTER TABLE CT_Options DROP COLUMN TenderDuration"); break;
        case Spoil::Truncated: writeBytes(path, demo.left(demo.size() / 2)); break;
        case Spoil::PageDamaged:
            for (qsizetype i = demo.size() / 2; i < demo.size() / 2 + 64; ++i)
                demo[i] = static_cast<char>(demo[i] ^ 0x5a);
            writeBytes(path, demo);
            break;
        }
        TenderDatabase::closeConnection();
        const QByteArray before = fileBytes(path);
        MessageBoxScript boxes;
        std::unique_ptr<SingleInstanceGuard> guard;
        QVERIFY(!startApplication(folder.path(), guard));
        QCOMPARE(boxes.count(), 1);
        QCOMPARE(boxes.last().title, QStringLiteral("Error"));
        const QStringList lines = boxes.last().text.split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0], firstLine.arg(path));
        QVERIFY(!DefaultInstance<frmMain>::exists());
        QCOMPARE(fileBytes(path), before);
        QCOMPARE(QFile::exists(path), spoil != Spoil::Missing);
        QVERIFY(!QFile::exists(path + QStringLiteral("-journal")));
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

    // A value the summary cannot hold stops the load there, with the error box; what came before stays loaded.
    void aBadValueStopsTheLoad_data()
    {
        QTest::addColumn<QString>("values");  // VendorName, CreditPeriodInDays, DeliveryPeriodInDays
        QTest::addColumn<bool>("noTenderDuration");
        QTest::addColumn<QString>("error");
        QTest::addColumn<QString>("vendorLoaded");
        QTest::addColumn<int>("deliveryLoaded");
        const QString null = "Error #94 was generated at location LoadApplicationState\rInvalid use of Null";
        const QString overflow = "Error #6 was generated at location LoadApplicationState\rOverflow";
        QTest::newRow("no tender duration") << "'Kavira Pharma', 30, 15" << true << null << "Kavira Pharma" << 15;
        QTest::newRow("no vendor name") << "NULL, 30, 15" << false << null << "" << 0;
        QTest::newRow("credit period above 32,767") << "'Kavira Pharma', 32768, 15" << false << overflow << "Kavira Pharma" << 0;
        QTest::newRow("delivery period below -32,768") << "'Kavira Pharma', 30, -40000" << false << overflow << "Kavira Pharma" << 0;
    }
    void aBadValueStopsTheLoad()
    {
        QFETCH(QString, values);
        QFETCH(bool, noTenderDuration);
        QFETCH(QString, error);
        QFETCH(QString, vendorLoaded);
        QFETCH(int, deliveryLoaded);
        TestFolder folder;
        folder.exec(QStringLiteral("INSERT INTO CT_Vendor (VendorName, CreditPeriodInDays, DeliveryPeriodInDays) VALUES (%1)").arg(values));
        if (noTenderDuration)
            folder.exec(QStringLiteral("UPDATE CT_Options SET TenderDuration=NULL"));
        MessageBoxScript boxes;
        LoadApplicationState();
        QCOMPARE(boxes.count(), 1);
        QCOMPARE(boxes.last().title, QStringLiteral("Error"));
        QCOMPARE(boxes.last().text, error);
        QCOMPARE(AppState::CurrentVendorName, vendorLoaded);
        QCOMPARE(AppState::CurrentDeliveryPeriod, qint16(deliveryLoaded));
        QVERIFY(AppState::CurrentTenderDuration.isEmpty());
        QVERIFY(!QApplication::overrideCursor());
    }

    void aSaveCutShortByACrashIsPutBackBeforeTheCheck()
    {
        // A rollback journal left by a killed copy is the engine's own business: the check must see
        // the file as it was before the interrupted save, not call it damaged.
        TestFolder folder;
        const QString path = folder.databasePath();
        TenderDatabase::closeConnection();
        const QByteArray before = fileBytes(path);
        folder.exec("PRAGMA cache_size=1; BEGIN; UPDATE CT_Brands SET Description = Description || ' x'");
        const QByteArray journal = fileBytes(path + QStringLiteral("-journal"));
        const QByteArray changed = fileBytes(path);
        QVERIFY(!journal.isEmpty());
        QVERIFY(changed != before);
        TenderDatabase::closeConnection();  // the open transaction goes with it, and its journal
        writeBytes(path, changed);
        writeBytes(path + QStringLiteral("-journal"), journal);
        MessageBoxScript boxes;
        std::unique_ptr<SingleInstanceGuard> guard;
        QVERIFY(startApplication(folder.path(), guard));
        QCOMPARE(boxes.count(), 0);
        QCOMPARE(folder.count(QStringLiteral("CT_Brands"), QStringLiteral("Description Like '% x'")), 0);
    }
};

QTEST_MAIN(tst_Startup)
#include "tst_startup.moc"
