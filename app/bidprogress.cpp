#include "app/bidprogress.h"

#include "db/keyedfile.h"
#include "tender/readiness.h"

BidProgress readBidProgress(const QString& connectionString)
{
    const KeyedFile file(TenderDatabase::connection(connectionString));
    const Tender::Readiness r = Tender::readReadiness(file);
    return {r.quotedItems, r.covered, static_cast<long>(r.lines.size())};
}

QString progressText(const BidProgress& progress)
{
    return QStringLiteral("Quoted items: %1 \u00b7 required lines covered: %2 of %3")
        .arg(progress.quotedItems)
        .arg(progress.linesCovered)
        .arg(progress.lines);
}
