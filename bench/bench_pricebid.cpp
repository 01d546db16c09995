// Speed and memory of writing the Price Bid of a large tender, next to writing the same bytes in one
// go. Prints figures; not a test. Given a path, it leaves the page there: the page names its own path,
// so only pages written to the same path can be compared byte for byte between two builds.
#include "app/applicationstate.h"
#include "bench/benchtiming.h"
#include "db/recordset.h"
#include "db/tenderbuilder.h"
#include "db/tenderdatabase.h"
#include "output/pricebidwriter.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>
#include <cstdio>
#include <sys/resource.h>

using Bench::medianMs;

namespace {

long peakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir folder;
    TenderBuilder::SyntheticSize size;
    size.generics = 500;
    size.brands = 5000;
    size.quotations = 5000;
    TenderBuilder::buildSynthetic(folder.filePath(QLatin1String(TenderDatabase::FileName)), size);
    AppState::reset(folder.path());
    AppState::CurrentOrganization = QStringLiteral("Synthetic Hospital");
    AppState::CurrentOrgAddress = QStringLiteral("Road 1, Pune");
    AppState::CurrentTenderDuration = QStringLiteral("Tender 2027-28");
    TenderDatabase::connection(AppState::ConnectionString);

    const QString bid = argc > 1 ? QString::fromLocal8Bit(argv[1]) : folder.filePath(QStringLiteral("bid.html"));
    const long before = peakKilobytes();
    PriceBidWriter::write(bid);  // once for the warm cache and the peak
    const long after = peakKilobytes();
    QFile written(bid);
    written.open(QIODevice::ReadOnly);
    const QByteArray bytes = written.readAll();
    written.close();

    double exportCpu = 0, readCpu = 0, plainCpu = 0;
    const double exportMs = medianMs(5, [&] { PriceBidWriter::write(bid); }, &exportCpu);
    const QString plain = folder.filePath(QStringLiteral("plain.html"));
    const double plainMs = medianMs(5, [&] {
        QFile f(plain);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        f.close();
    }, &plainCpu);
    // The export's file is synced to the disk before it replaces the old one, which writing in one go
    // is not; the same bytes saved that way show how much of the export is the disk's.
    double savedCpu = 0;
    const double savedMs = medianMs(5, [&] {
        QSaveFile f(plain);
        f.setDirectWriteFallback(false);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        f.commit();
    }, &savedCpu);
    // The recordset layer reads every row in full when it opens; that share is not the page's own.
    const double readMs = medianMs(5, [] {
        Recordset rs(QStringLiteral("Select * from Quotations Order by Generic, Brand, DrugForm, DrugPacking, DrugStrength"),
                     AppState::ConnectionString, CursorType::Static, LockType::ReadOnly);
    }, &readCpu);
    std::printf("Price Bid of %d quoted items: %.1f MB, median %.1f ms (target < 500 ms)\n", size.quotations,
                static_cast<double>(bytes.size()) / 1e6, exportMs);
    std::printf("the same bytes written in one go, median: %.1f ms; export / plain write: %.1f (target < 25)\n", plainMs,
                exportMs / plainMs);
    std::printf("of which opening the quoted items' recordset, median: %.1f ms; the page itself: %.1f ms (%.1f x the plain write)\n",
                readMs, exportMs - readMs, (exportMs - readMs) / plainMs);
    std::printf("processor time, medians: export %.1f ms, recordset %.1f ms, page %.1f ms, plain write %.1f ms\n", exportCpu,
                readCpu, exportCpu - readCpu, plainCpu);
    std::printf("the same bytes saved in one go as the export saves them (synced, then moved into place), median: %.1f ms "
                "(processor %.1f ms); export / that: %.1f\n", savedMs, savedCpu, exportMs / savedMs);
    std::printf("peak resident memory: %ld kB before the export, %ld kB after (+%ld kB)\n", before, after, after - before);
    TenderDatabase::closeConnection();
    return 0;
}
