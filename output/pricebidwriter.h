#pragma once

#include <QString>

class ExportProgress;

// The Price Bid page: the organisation's heading, the vendor block from CT_Vendor and every quoted item
// with its description, terms, cost table and MRP table. The page replaces the file at `path` only
// when it is complete (see HtmlExportFile).
namespace PriceBidWriter {

enum class Result { Saved, VendorMissing };

// Throws ExportError or DbError; on any way out other than Saved nothing is written at `path`.
Result write(const QString& path, ExportProgress* progress = nullptr);

} // namespace PriceBidWriter
