#include "app/bidprogress.h"

#include "db/recordset.h"

BidProgress readBidProgress(const QString& connectionString)
{
    Recordset rs(QStringLiteral("Select Count(*) As Items From Quotations"), connectionString, CursorType::ForwardOnly,
                 LockType::ReadOnly);
    BidProgress progress;
    progress.quotedItems = rs.field(QStringLiteral("Items")).toLongLong();
    return progress;
}

QString progressText(const BidProgress& progress)
{
    return QStringLiteral("Quoted items: %1").arg(progress.quotedItems);
}
