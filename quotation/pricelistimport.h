#pragma once

#include "quotation/quotationdraft.h"
#include "sheets/xlsxreader.h"

#include <QDateTime>
#include <QString>
#include <vector>

// A supplier's price list (the quoted-items sheet filled in, as .xlsx or .csv) turned into quoted
// items: each row is matched to the tender's own lists, built into a QuotationDraft, derived and
// checked exactly as the wizard checks an item typed by hand, then stored by the wizard's save rules.
namespace PriceListImport {

// The rows of a price list, its header first. .xlsx (first sheet) or .csv (UTF-8, comma), by the name's
// ending; throws Sheets::ReadError with a message for the vendor.
std::vector<Sheets::ReadRow> readFile(const QString& path);

enum class Action { New, Update, Refused };
QString actionText(Action action);

struct Line {
    int line = 0;
    QString brand;    // as the row gives them
    QString packing;
    Action action = Action::Refused;
    QString reason;   // why it was refused
    QuotationDraft item;
    qint64 id = 0;    // the quoted row an Update replaces
};

struct Preview {
    std::vector<Line> lines;
    int count(Action action) const;
    QString summary() const;  // "N new, M updated, K refused"
};

// Matches every row against the tender in the database. A required column missing from the header is
// a Sheets::ReadError; a database failure a DbError.
Preview prepare(const std::vector<Sheets::ReadRow>& rows, const QString& vendor);

// Stores every New and Update line in one transaction and returns how many; on any failure nothing is
// stored and the DbError is thrown.
int apply(const Preview& preview, const QDateTime& now);

} // namespace PriceListImport
