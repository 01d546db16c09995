#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>

class KeyedFile;

// The fingerprint of a bid: SHA-256 over a canonical text of the vendor row and the quoted items, so a
// receipt written by the supplier can be matched to the file the hospital received. The text: the
// CT_Vendor row's columns after ID, then every Quotations row in ID order with all its columns in table
// order; each value as text (Null empty, numbers in their shortest decimal text), values joined by the
// unit separator U+001F, rows by the record separator U+001E, encoded as UTF-8.
namespace Tender {

// Sees each quoted row's values, in bidQuotedColumns() order, while the text is made: a reader that
// needs the rows as well as the digest reads them once.
using QuotedRowVisitor = std::function<void(const QStringList& values)>;
QStringList bidQuotedColumns();

// The canonical text itself, for tests and for anyone checking a digest by other means.
QByteArray bidCanonicalText(const KeyedFile& file, const QuotedRowVisitor& onQuotedRow = {});
// The raw 32-byte digest. Throws DbError.
QByteArray bidDigest(const KeyedFile& file, const QuotedRowVisitor& onQuotedRow = {});
// 8 groups of 8 lowercase hex digits separated by spaces.
QString formatBidDigest(const QByteArray& digest);

} // namespace Tender
