#pragma once

#include <QString>

// How far the vendor's bid has come, as the main menu tells it.
struct BidProgress {
    long quotedItems = 0;
    long linesCovered = 0;
    long lines = 0;  // the hospital's yearly-quantity lines
};

// Throws DbError.
BidProgress readBidProgress(const QString& connectionString);
// "Quoted items: N · required lines covered: M of L"
QString progressText(const BidProgress& progress);
