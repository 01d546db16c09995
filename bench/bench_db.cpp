// Speed of the recordset layer on a large synthetic tender. Prints figures; not a test.
#include "app/applicationstate.h"
#include "bench/benchtiming.h"
#include "db/recordset.h"
#include "db/tenderbuilder.h"
#include "db/tenderdatabase.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>
#include <sqlite3.h>

using Bench::medianMs;

namespace {

long readAll(const QString& sql)
{
    Recordset rs(sql, AppState::ConnectionString, CursorType::ForwardOnly, LockType::ReadOnly);
    long n = 0;
    while (!rs.eof()) {
        (void)rs.field(QStringLiteral("Description"));
        ++n;
        rs.moveNext();
    }
    return n;
}

long rawCount(const char* sql)
{
    sqlite3* db = TenderDatabase::connection(AppState::ConnectionString);
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr);
    long n = 0;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        (void)sqlite3_column_text(stmt, 2);
        ++n;
    }
    sqlite3_finalize(stmt);
    return n;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir folder;
    QElapsedTimer build;
    build.start();
    TenderBuilder::buildSynthetic(folder.filePath(QLatin1String(TenderDatabase::FileName)), {});
    std::printf("build synthetic tender (5000 generics, 50000 brands, 5000 quotations): %.0f ms\n",
                static_cast<double>(build.elapsed()));
    AppState::reset(folder.path());

    QElapsedTimer first;
    first.start();
    TenderDatabase::connection(AppState::ConnectionString);
    std::printf("first connection (key derivation): %.1f ms\n", static_cast<double>(first.nsecsElapsed()) / 1e6);

    const double oneRow = medianMs(200, [] {
        Recordset rs(QStringLiteral("Select * From CT_Options"), AppState::ConnectionString, CursorType::ForwardOnly, LockType::ReadOnly);
        (void)rs.field(QStringLiteral("TenderDuration"));
    });
    std::printf("recordset open + first row (one-row query), median: %.3f ms (target < 2 ms)\n", oneRow);

    long rows = 0;
    const double brands = medianMs(5, [&] { rows = readAll(QStringLiteral("Select * From CT_Brands Order By Description")); });
    std::printf("full read of CT_Brands (%ld rows), median: %.1f ms\n", rows, brands);

    const double filtered = medianMs(5, [&] {
        rows = readAll(QStringLiteral("Select * From CT_Brands Where Description like '%Brandex%' And Description like '%Tablet%' Order By Description"));
    });
    std::printf("two-word like filter on CT_Brands (%ld rows), median: %.1f ms\n", rows, filtered);

    const double raw = medianMs(5, [&] { rows = rawCount("Select * From CT_Brands Order By Description"); });
    std::printf("raw statement, full read of CT_Brands (%ld rows), median: %.1f ms\n", rows, raw);
    const double rawFiltered = medianMs(5, [&] {
        rows = rawCount("Select * From CT_Brands Where Description like '%Brandex%' And Description like '%Tablet%' Order By Description");
    });
    std::printf("raw statement, two-word like filter (%ld rows), median: %.1f ms\n", rows, rawFiltered);
    TenderDatabase::closeConnection();
    return 0;
}
