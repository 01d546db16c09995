// Step 1 of the Quotation Wizard on a large synthetic tender: time from pressing Show All brands or a
// brand word filter to the filled list view, next to the raw read of the same rows. Prints figures.
#include "app/applicationstate.h"
#include "app/recordlistview.h"
#include "bench/benchtiming.h"
#include "db/tenderbuilder.h"
#include "db/tenderdatabase.h"
#include "quotation/frmQ1.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <cstdio>

using Bench::medianMs;
using Bench::rawRead;

namespace {

void report(const char* what, double raw, double list, long rows)
{
    std::printf("%s (%ld rows): raw read %.1f ms, filled list view %.1f ms, ratio %.2f (target <= 3 and <= 300 ms)\n",
                what, rows, raw, list, list / raw);
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir folder;
    TenderBuilder::buildSynthetic(folder.filePath(QLatin1String(TenderDatabase::FileName)), {});
    AppState::reset(folder.path());
    TenderDatabase::connection(AppState::ConnectionString);

    frmQ1 step1;
    step1.show();
    auto* brands = step1.findChild<RecordListView*>(QStringLiteral("lvBrands"));
    auto* words = step1.findChild<QLineEdit*>(QStringLiteral("txtBrand"));
    auto* showAll = step1.findChild<QPushButton*>(QStringLiteral("cmdMaster(6)"));
    auto* filter = step1.findChild<QPushButton*>(QStringLiteral("cmdMaster(5)"));

    long rows = 0;
    double raw = medianMs(5, [&] { rows = rawRead("Select * From CT_Brands Order By Description"); });
    double list = medianMs(5, [&] {
        showAll->click();
        QCoreApplication::processEvents();
    });
    report("Show All brands", raw, list, brands->rowCount());

    const QString filtered = QStringLiteral(
        "Select * From CT_Brands Where Description like '%Brandex%' And Description like '%Tablet%' Order By Description");
    raw = medianMs(5, [&] { rows = rawRead(filtered.toUtf8().constData()); });
    words->setText(QStringLiteral("Brandex Tablet"));
    list = medianMs(5, [&] {
        filter->click();
        QCoreApplication::processEvents();
    });
    report("brand word filter \"Brandex Tablet\"", raw, list, brands->rowCount());
    return 0;
}
