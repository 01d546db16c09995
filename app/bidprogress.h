#pragma once

#include <QString>

// How far the vendor's bid has come, as the main menu tells it.
struct BidProgress {
    long quotedItems = 0;
};

// Throws DbError.
BidProgress readBidProgress(const QString& connectionString);
// "Quoted items: N"
QString progressText(const BidProgress& progress);
