#include "app/applicationstate.h"
#include "app/decimal.h"
#include "db/recordset.h"
#include "db/tenderdatabase.h"
#include "tests/killhelper.h"
#include "tests/support/testenv.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTest>
#include <csignal>

// The tender file must survive a kill at any moment: the helper saves quoted items and renames the
// vendor through the application's own save rules while this test kills it again and again.
class tst_Kill : public QObject
{
    Q_OBJECT

    static bool runHelper(const TestFolder& folder, const QStringList& args, QProcess& helper)
    {
        helper.start(QStringLiteral(QUILLBID_KILLHELPER), QStringList{folder.path()} + args);
        return helper.waitForStarted();
    }

    // Every row's columns belong to one item, and the vendor's name is the same in every row and in
    // CT_Vendor. Returns the number of rows.
    static int checkRows(const TestFolder& folder)
    {
        const QString vendor = folder.scalar(QStringLiteral("Select VendorName From CT_Vendor Order By ID"));
        if (folder.count(QStringLiteral("CT_Vendor")) != 1 || !vendor.startsWith(QLatin1String("Vendor ")))
            qFatal("vendor row lost or changed: %s", qPrintable(vendor));
        const int stale = folder.count(QStringLiteral("Quotations"), QStringLiteral("Vendor <> '") + vendor + QLatin1Char('\''));
        if (stale != 0)
            qFatal("the rename to %s reached only some rows: %d left", qPrintable(vendor), stale);
        Recordset rs(QStringLiteral("Select * From Quotations"), AppState::ConnectionString, CursorType::ForwardOnly,
                     LockType::ReadOnly);
        int rows = 0;
        for (; !rs.eof(); rs.moveNext(), ++rows) {
            const QuotationDraft item = killItem(rs.field(QStringLiteral("Remarks")).toLongLong(), vendor);
            const std::pair<const char*, QString> texts[] = {
                {"Generic", item.generic}, {"Brand", item.brand}, {"Manufacturer", item.manufacturer},
                {"HSNCode", item.hsnCode}, {"DrugStrength", item.drugStrength}, {"FreeOfCostOffer", item.freeOfCostOffer}};
            for (const auto& [column, expected] : texts)
                if (rs.field(QLatin1String(column)).toString() != expected)
                    qFatal("row %s half written: %s", qPrintable(item.remarks), column);
            const std::pair<const char*, QString> numbers[] = {
                {"CostOfPackBeforeDiscountWithoutVAT", item.cost},
                {"Discount%", item.discount}, {"MRPOfPackWithoutVAT", item.mrpWithoutTax},
                {"MRPOfPackWithVAT", item.mrpWithTax}, {"WarrantyInMonths", item.warrantyInMonths}};
            for (const auto& [column, expected] : numbers)
                if (Decimal::parse(rs.field(QLatin1String(column)).toString()) != Decimal::parse(expected))
                    qFatal("row %s half written: %s", qPrintable(item.remarks), column);
        }
        return rows;
    }

private Q_SLOTS:
    void killedAtAnyMomentTheFileStaysWhole()
    {
        TestFolder folder;
        TenderDatabase::closeConnection();
        {
            QProcess seed;
            QVERIFY(runHelper(folder, {QStringLiteral("seed"), QStringLiteral("300")}, seed));
            QVERIFY(seed.waitForFinished(60000));
            QVERIFY2(seed.exitCode() == 0, seed.readAllStandardError().constData());
        }
        QRandomGenerator random(QRandomGenerator::global()->generate());
        QElapsedTimer clock;
        clock.start();
        int kills = 0, midSave = 0, rows = 300;
        qint64 first = 1000;
        // At least 20 kills; more while time allows, up to 15 s.
        while (kills < 20 || (kills < 40 && clock.elapsed() < 15000)) {
            QProcess helper;
            QVERIFY(runHelper(folder, {QStringLiteral("run"), QString::number(first)}, helper));
            QVERIFY2(helper.waitForReadyRead(30000), helper.readAllStandardError().constData());
            QTest::qSleep(static_cast<int>(random.bounded(150)));
            QVERIFY2(helper.state() == QProcess::Running, helper.readAllStandardError().constData());
            ::kill(static_cast<pid_t>(helper.processId()), SIGKILL);
            QVERIFY(helper.waitForFinished(10000));
            ++kills;
            first += 100000;
            if (QFile::exists(folder.databasePath() + QStringLiteral("-journal")))
                ++midSave;  // killed inside a write: the engine must put the file back

            QCOMPARE(folder.scalar(QStringLiteral("PRAGMA integrity_check")), QStringLiteral("ok"));
            const int now = checkRows(folder);
            QVERIFY(now >= rows);
            rows = now;
            // This process's connection stays open: it holds no lock between statements, and the next
            // read after a kill finds the helper's journal and rolls it back as any connection would.
        }
        qInfo("%d kills in %lld ms, %d inside a write; %d rows", kills, clock.elapsed(), midSave, rows);
        QVERIFY(midSave > 0);
        QVERIFY(rows > 300);
    }
};

QTEST_MAIN(tst_Kill)
#include "tst_kill.moc"
