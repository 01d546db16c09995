// Speed of the spreadsheet road on the synthetic tender: 5,000 quoted items exported to .xlsx, and the
// same 5,000 rows imported as a price list (read, matched, checked, stored), each beside the raw engine
// doing the same work. Prints figures; not a test.
#include "app/applicationstate.h"
#include "bench/benchtiming.h"
#include "db/tenderbuilder.h"
#include "db/tenderdatabase.h"
#include "quotation/pricelistimport.h"
#include "quotation/quoteditemssheet.h"
#include "sheets/workbook.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <sqlite3.h>

using Bench::medianMs;

namespace {

sqlite3* db()
{
    return TenderDatabase::connection(AppState::ConnectionString);
}

void exec(const char* sql)
{
    sqlite3_exec(db(), sql, nullptr, nullptr, nullptr);
}

// The engine alone storing `rows` quoted items in one transaction, one prepared insert.
void rawInserts(int rows)
{
    exec("BEGIN");
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db(),
                       "INSERT INTO Quotations (AddedOn, Vendor, Generic, Brand, Manufacturer, HSNCode, DrugPacking, DrugForm, "
                       "QuantityInEachStripOrPack, DrugStrength, CostOfPackBeforeDiscountWithoutVAT, \"Discount%\", CostVATCode, "
                       "\"CostVAT%\", MRPOfPackWithoutVAT, MRPOfPackWithVAT, MRPVATCode, \"MRPVAT%\") "
                       "VALUES (datetime('now'), 'V', 'G', ?, 'M', '3004', 'Strip of 10', 'Tablet', 10, '5 mg', 100, 5, "
                       "'GST 12%', 12, 200, 224, 'GST 12%', 12)",
                       -1, &stmt, nullptr);
    for (int i = 0; i < rows; ++i) {
        const QByteArray brand = QByteArray("Brand ") + QByteArray::number(i);
        sqlite3_bind_text(stmt, 1, brand.constData(), static_cast<int>(brand.size()), SQLITE_TRANSIENT);
        sqlite3_step(stmt);
        sqlite3_reset(stmt);
    }
    sqlite3_finalize(stmt);
    exec("COMMIT");
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir folder;
    TenderBuilder::buildSynthetic(folder.filePath(QLatin1String(TenderDatabase::FileName)), {});
    AppState::reset(folder.path());
    const QString book = folder.filePath(QStringLiteral("Quoted Items.xlsx"));

    const double exported = medianMs(3, [&] { Sheets::writeXlsx(book, {QuotedItemsSheet::build()}); });
    const double rawRead = medianMs(3, [] { Bench::rawRead("Select * from Quotations Order by Generic, Brand, DrugForm, DrugPacking, DrugStrength"); });
    const double sheet = medianMs(3, [] { (void)QuotedItemsSheet::build(); });
    std::printf("export 5000 quoted items to .xlsx, median: %.0f ms (bound < 1000 ms), of which reading and deriving "
                "%.0f ms; raw engine reading them: %.1f ms\n",
                exported, sheet, rawRead);

    // Every quoted item goes, then comes back from the price list as a new row.
    int stored = 0;
    PriceListImport::Preview preview;
    double read = 0, prepared = 0, applied = 0;
    for (int run = 0; run < 3; ++run) {
        exec("DELETE FROM Quotations");
        double r = 0, p = 0, a = 0;
        std::vector<Sheets::ReadRow> rows;
        r = medianMs(1, [&] { rows = PriceListImport::readFile(book); });
        p = medianMs(1, [&] { preview = PriceListImport::prepare(rows, QStringLiteral("Synthetic Vendor")); });
        a = medianMs(1, [&] { stored = PriceListImport::apply(preview, QDateTime::currentDateTime()); });
        if (run == 0 || r + p + a < read + prepared + applied)
            read = r, prepared = p, applied = a;
    }
    exec("DELETE FROM Quotations");
    const double raw = medianMs(3, [] {
        exec("DELETE FROM Quotations");
        rawInserts(5000);
    });
    std::printf("import a 5000-row price list (%d stored; %s), best of 3: %.0f ms (bound < 2000 ms)\n"
                "  read %.0f ms, match and check %.0f ms, store %.0f ms; raw engine, the same 5000 inserts: %.1f ms\n",
                stored, qPrintable(preview.summary()), read + prepared + applied, read, prepared, applied, raw);
    TenderDatabase::closeConnection();
    return 0;
}
