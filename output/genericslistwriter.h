#pragma once

#include <QString>

class ExportProgress;

// The hospital's list of generics as an HTML page, marking the entries it pre-loaded and those the
// vendor added. The page replaces the file at `path` only when it is complete (see HtmlExportFile).
namespace GenericsListWriter {

// Throws ExportError or DbError; when it throws nothing is written at `path`.
void write(const QString& path, ExportProgress* progress = nullptr);

} // namespace GenericsListWriter
