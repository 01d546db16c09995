#pragma once

#include "output/reportcontent.h"
#include "sheets/workbook.h"

#include <QString>
#include <vector>

namespace Tender {

struct Comparison;

// The comparative statement as files for the committee. Each writer goes through a temporary file and
// throws ExportError, leaving nothing at the path, when it cannot finish.
Sheets::Sheet statementSheet(const Comparison& comparison);  // the CSV's columns
std::vector<Sheets::Sheet> statementWorkbook(const Comparison& comparison);  // Statement, Suppliers, Findings, Files
// One printable page with the same content.
QString statementHtml(const Comparison& comparison);

void writeStatementCsv(const Comparison& comparison, const QString& path);
void writeStatementXlsx(const Comparison& comparison, const QString& path);
void writeStatementHtml(const Comparison& comparison, const QString& path);
// The statement as a landscape report for the report engine, which previews, prints and writes it as
// PDF like every other report: the ranked lines as its table, then the suppliers, the findings and the
// files, each under its own heading, and the L1 total at the end.
ReportContent statementReport(const Comparison& comparison);
// A PDF of that report; needs a Gui application for its fonts.
void writeStatementPdf(const Comparison& comparison, const QString& path);

// By the path's extension (.csv, .xlsx, .html or .htm, .pdf); false when the extension is none of these.
bool writeStatement(const Comparison& comparison, const QString& path);

} // namespace Tender
