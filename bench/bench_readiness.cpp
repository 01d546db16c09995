// The readiness of a large bid (the synthetic tender's quoted items against its yearly lines), which the
// main menu recomputes each time it comes back, next to the raw read of the same rows; and the
// submission copy next to the bid digest it verifies. Prints figures; not a test.
#include "app/applicationstate.h"
#include "bench/benchtiming.h"
#include "db/keyedfile.h"
#include "db/tenderbuilder.h"
#include "db/tenderdatabase.h"
#include "tender/biddigest.h"
#include "tender/readiness.h"
#include "tender/submission.h"

#include <QGuiApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

using Bench::bestMs;
using Bench::rawRead;

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);  // the receipt is painted
    QTemporaryDir folder;
    TenderBuilder::buildSynthetic(folder.filePath(QLatin1String(TenderDatabase::FileName)), {});
    AppState::reset(folder.path());
    sqlite3* live = TenderDatabase::connection(AppState::ConnectionString);
    // The synthetic tender has no yearly lines: one per quoted generic, strength and form, and as many
    // again that nobody quoted.
    sqlite3_exec(live, "INSERT INTO CT_QtyPerYears (Generic, Strength, DrugForm, DrugPacking, QtyReqPerYear) "
                       "SELECT DISTINCT Generic, DrugStrength, DrugForm, DrugPacking, 1000 FROM Quotations; "
                       "INSERT INTO CT_QtyPerYears (Generic, Strength, DrugForm, DrugPacking, QtyReqPerYear) "
                       "SELECT Generic || ' unquoted', Strength, DrugForm, DrugPacking, 10 FROM CT_QtyPerYears",
                 nullptr, nullptr, nullptr);
    const KeyedFile file(live);

    Tender::Readiness r;
    const double readiness = bestMs(5, [&] { r = Tender::readReadiness(file); });
    const double raw = bestMs(5, [&] {
        rawRead("Select * From Quotations");
        rawRead("Select * From CT_QtyPerYears");
    });
    std::printf("readiness (%ld items, %zu lines, %ld covered, %zu findings), best of 5: %.1f ms\n", r.quotedItems,
                r.lines.size(), r.covered, r.findings.size(), readiness);
    std::printf("raw statement, full read of Quotations and CT_QtyPerYears, best of 5: %.1f ms\n", raw);

    const double digest = bestMs(5, [&] { (void)Tender::bidDigest(file); });
    const QString copy = folder.filePath(QStringLiteral("copy.klmt"));
    const double submission = bestMs(3, [&] {
        QFile::remove(copy);
        (void)Tender::writeSubmissionCopy(live, copy, QDateTime::currentDateTime());
    });
    std::printf("bid digest of the live file, best of 5: %.1f ms\n", digest);
    std::printf("submission copy (backup, re-open, check, digest, receipt), best of 3: %.1f ms\n", submission);
    TenderDatabase::closeConnection();
    return 0;
}
