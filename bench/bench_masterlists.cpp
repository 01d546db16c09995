// Show all on a large brands list: the time to a filled list next to the raw read of the same rows.
// Prints figures; not a test.
#include "app/applicationstate.h"
#include "app/recordlistview.h"
#include "bench/benchtiming.h"
#include "db/recordset.h"
#include "db/tenderbuilder.h"
#include "db/tenderdatabase.h"
#include "masters/masterlisteditor.h"
#include "masters/masterlistrules.h"

#include <QApplication>
#include <QPushButton>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>

using Bench::bestMs;
using Bench::rawRead;

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
    auto* list = brands->findChild<RecordListView*>(QStringLiteral("lvBrands"));
    const double filled = bestMs(5, [&] {
        showAll->click();
        QApplication::processEvents();
    });
    const double read = bestMs(5, [&] {
        (void)readMasterRows(brands->kind(), QStringLiteral("Select * From CT_Brands Order By Description"));
    });
    std::printf("list rows read (recordset open, columns looked up), best of 5: %.1f ms\n", read);
    const double open = bestMs(5, [&] {
        Recordset rs(QStringLiteral("Select * From CT_Brands Order By Description"), AppState::ConnectionString,
                     CursorType::ForwardOnly, LockType::ReadOnly);
    });
    std::printf("recordset open alone, best of 5: %.1f ms\n", open);
    long rows = 0;
    const double raw = bestMs(5, [&] { rows = rawRead("Select * From CT_Brands Order By Description"); });
    std::printf("brands editor, Show all (%d rows listed), best of 5: %.1f ms\n", list->rowCount(), filled);
    std::printf("raw statement, full read of CT_Brands (%ld rows), best of 5: %.1f ms\n", rows, raw);
    std::printf("ratio: %.2f (target: within 3, and under 300 ms)\n", filled / raw);
    brands.reset();
    TenderDatabase::closeConnection();
    return 0;
}
