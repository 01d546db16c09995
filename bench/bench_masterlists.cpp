// Show all on a large brands list: the time to a filled list next to the raw read of the same rows.
// Prints figures; not a test.
#include "app/applicationstate.h"
#include "db/recordset.h"
#include "db/tenderbuilder.h"
#include "db/tenderdatabase.h"
#include "masters/masterlisteditor.h"
#include "masters/masterlistrules.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <sqlite3.h>
#include <vector>

namespace {

double medianMs(int runs, const std::function<void()>& work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        work();
        times.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

long rawRead(const char* sql)
{
    sqlite3* db = TenderDatabase::connection(AppState::ConnectionString);
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr);
    long n = 0;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        for (int c = 0; c < sqlite3_column_count(stmt); ++c)
            (void)sqlite3_column_text(stmt, c);
        ++n;
    }
    sqlite3_finalize(stmt);
    return n;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QTemporaryDir folder;
    TenderBuilder::buildSynthetic(folder.filePath(QLatin1String(TenderDatabase::FileName)), {});
    AppState::reset(folder.path());
    TenderDatabase::connection(AppState::ConnectionString);

    std::unique_ptr<MasterListEditor> brands(createMasterEditor(MasterList::Brands, nullptr));
    brands->show();
    auto* showAll = brands->findChild<QPushButton*>(QStringLiteral("cmdMaster(2)"));
    auto* list = brands->findChild<QTreeWidget*>(QStringLiteral("lvBrands"));
    const double filled = medianMs(5, [&] {
        showAll->click();
        QApplication::processEvents();
    });
    const double read = medianMs(5, [&] {
        (void)readMasterRows(brands->kind(), QStringLiteral("Select * From CT_Brands Order By Description"));
    });
    std::printf("rows read through the recordset, median: %.1f ms\n", read);
    const double open = medianMs(5, [&] {
        Recordset rs(QStringLiteral("Select * From CT_Brands Order By Description"), AppState::ConnectionString,
                     CursorType::ForwardOnly, LockType::ReadOnly);
    });
    std::printf("recordset open alone, median: %.1f ms\n", open);
    long rows = 0;
    const double raw = medianMs(5, [&] { rows = rawRead("Select * From CT_Brands Order By Description"); });
    std::printf("brands editor, Show all (%d rows listed), median: %.1f ms\n", list->topLevelItemCount(), filled);
    std::printf("raw statement, full read of CT_Brands (%ld rows), median: %.1f ms\n", rows, raw);
    std::printf("ratio: %.2f (target: within 3, and under 300 ms)\n", filled / raw);
    brands.reset();
    TenderDatabase::closeConnection();
    return 0;
}
