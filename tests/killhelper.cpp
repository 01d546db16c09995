// Saves quoted items and renames the vendor on a tender as fast as it can, through the application's
// own save rules, until it is killed (tst_kill kills it at random moments).
//   killhelper FOLDER seed COUNT   the vendor "Vendor 0" and items 1..COUNT, then exit
//   killhelper FOLDER run FIRST    items FIRST, FIRST+1, ...: new ones, edits of seeded ones, and a
//                                  vendor rename every third item; prints "ready" once the file is open
#include "app/applicationstate.h"
#include "db/tenderdatabase.h"
#include "quotation/quotationsave.h"
#include "tests/killhelper.h"
#include "vendor/vendorrecord.h"

#include <QDateTime>
#include <QRandomGenerator>
#include <cstdio>

namespace {

// The one place that calls the save rules, so that a change of their signature is met here alone.
bool saveItem(const QuotationDraft& item, qint64 overId)
{
    const QuotationSave::Outcome outcome =
        QuotationSave::save(item, overId > 0, overId > 0 ? QVariant(overId) : QVariant(), QDateTime::currentDateTime());
    if (outcome.refusal != QuotationSave::Refusal::None)
        std::fprintf(stderr, "refused: %s\n", qPrintable(outcome.message));
    return outcome.refusal == QuotationSave::Refusal::None;
}

void renameVendor(const QString& name)
{
    VendorRecord::Texts texts = VendorRecord::load(AppState::ConnectionString);
    const QString current = texts[VendorRecord::VendorName];
    texts[VendorRecord::VendorName] = name;
    VendorRecord::fillEmptyPeriods(texts);
    VendorRecord::save(texts, current, AppState::ConnectionString);
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 4)
        return 2;
    AppState::reset(QString::fromLocal8Bit(argv[1]));
    const QByteArray mode = argv[2];
    const qint64 number = QByteArray(argv[3]).toLongLong();
    try {
        if (mode == "seed") {
            renameVendor(QStringLiteral("Vendor 0"));
            DbTransaction transaction(AppState::ConnectionString);
            for (qint64 k = 1; k <= number; ++k)
                if (!saveItem(killItem(k, QStringLiteral("Vendor 0")), 0))
                    return 3;
            transaction.commit();
            return 0;
        }
        QString vendor = VendorRecord::load(AppState::ConnectionString)[VendorRecord::VendorName];
        std::printf("ready\n");
        std::fflush(stdout);
        const qint64 seeded = 100;  // edits go to the first seeded rows, which every tender here has
        for (qint64 k = number;; ++k) {
            const qint64 overId = k % 4 == 3 ? 1 + QRandomGenerator::global()->bounded(seeded) : 0;
            if (!saveItem(killItem(k, vendor), overId))
                return 3;
            if (k % 3 == 0) {
                vendor = QStringLiteral("Vendor ") + QString::number(k);
                renameVendor(vendor);
            }
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 4;
    }
}
