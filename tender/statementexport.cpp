#include "tender/statementexport.h"

#include "output/exporterror.h"
#include "output/reportrenderer.h"
#include "tender/comparison.h"

#include <QFileInfo>
#include <algorithm>

namespace {

using Sheets::Cell;
using namespace Tender;

// Columns of the statement that hold numbers, with the decimals they are shown with (-1: as stored).
int statementDecimals(int column)
{
    switch (column) {
    case 0: return 0;     // Line
    case 5: return -1;    // QtyReqPerYear
    case 12: return -1;   // UnitsPerPack
    case 13: case 14: return 4;
    case 15: return 2;
    default: return -2;   // text
    }
}

int decimalsOf(const QString& text)
{
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    return point < 0 ? 0 : static_cast<int>(text.size() - point - 1);
}

Cell numberCell(const QString& text, int decimals)
{
    return Cell::number(text, decimals < 0 ? decimalsOf(text) : decimals);
}

Cell typedCell(const QString& text, int decimals)
{
    if (decimals == -2)
        return text.isEmpty() ? Cell::empty() : Cell::textCell(text);
    return numberCell(text, decimals);
}

Sheets::Sheet buildStatementSheet(const Comparison& comparison, bool withAlternatives)
{
    Sheets::Sheet sheet;
    sheet.name = QStringLiteral("Statement");
    sheet.header = statementHeader();
    if (withAlternatives)
        sheet.header << QStringLiteral("Alternatives");
    for (const StatementRow& row : comparison.rows) {
        const QStringList fields = statementFields(row);
        std::vector<Cell> cells;
        cells.reserve(static_cast<size_t>(fields.size()) + 1);
        for (int c = 0; c < fields.size(); ++c)
            cells.push_back(typedCell(fields[c], statementDecimals(c)));
        if (withAlternatives)
            cells.push_back(typedCell(row.alternatives.join(QStringLiteral("; ")), -2));
        sheet.addRow(std::move(cells), row.rank == 1);
    }
    return sheet;
}

QString escaped(const QString& text)
{
    return text.toHtmlEscaped();
}

void htmlTable(QString& html, const Sheets::Sheet& sheet, const QString& caption)
{
    html += QStringLiteral("<h2>%1</h2>\n<table width=\"100%\" cellspacing=\"0\" cellpadding=\"2\">\n<thead><tr>").arg(escaped(caption));
    for (const QString& h : sheet.header)
        html += QStringLiteral("<th>%1</th>").arg(escaped(h));
    html += QStringLiteral("</tr></thead>\n<tbody>\n");
    for (size_t r = 0; r < sheet.rows.size(); ++r) {
        const bool highlight = r < sheet.highlighted.size() && sheet.highlighted[r];
        html += highlight ? QStringLiteral("<tr class=\"l1\" bgcolor=\"#c6efce\">") : QStringLiteral("<tr>");
        for (const Cell& c : sheet.rows[r])
            html += (c.kind == Cell::Kind::Number ? QStringLiteral("<td class=\"n\" align=\"right\" style=\"white-space: nowrap\">") : QStringLiteral("<td>")) +
                    escaped(c.text) + QStringLiteral("</td>");
        html += QStringLiteral("</tr>\n");
    }
    if (sheet.rows.empty())
        html += QStringLiteral("<tr><td colspan=\"%1\">None</td></tr>\n").arg(sheet.header.size());
    html += QStringLiteral("</tbody>\n</table>\n");
}

} // namespace

namespace Tender {

Sheets::Sheet statementSheet(const Comparison& comparison)
{
    return buildStatementSheet(comparison, false);
}

std::vector<Sheets::Sheet> statementWorkbook(const Comparison& comparison)
{
    std::vector<Sheets::Sheet> sheets;
    sheets.push_back(buildStatementSheet(comparison, true));

    Sheets::Sheet suppliers;
    suppliers.name = QStringLiteral("Suppliers");
    suppliers.header = QStringList{QStringLiteral("Vendor"), QStringLiteral("LinesOffered"), QStringLiteral("LinesAtL1"),
                                   QStringLiteral("YearlyValue")};
    for (const SupplierSummary& s : comparison.suppliers)
        suppliers.addRow({Cell::textCell(s.vendor), Cell::number(QString::number(s.linesOffered), 0),
                          Cell::number(QString::number(s.linesAtL1), 0), Cell::number(s.yearlyValue.toFixed(2), 2)});
    suppliers.addRow({Cell::textCell(QStringLiteral("L1 total (the cheapest mix)")), Cell::empty(), Cell::empty(),
                      Cell::number(comparison.l1Total.toFixed(2), 2)},
                     true);
    sheets.push_back(std::move(suppliers));

    Sheets::Sheet findings;
    findings.name = QStringLiteral("Findings");
    findings.header = QStringList{QStringLiteral("Vendor"), QStringLiteral("Item"), QStringLiteral("Finding")};
    for (const Finding& f : comparison.findings)
        findings.addRow({typedCell(f.vendor, -2), Cell::textCell(f.item), Cell::textCell(f.text)});
    sheets.push_back(std::move(findings));

    Sheets::Sheet files;
    files.name = QStringLiteral("Files");
    files.header = QStringList{QStringLiteral("File"), QStringLiteral("Vendor"), QStringLiteral("Status"),
                               QStringLiteral("Reason"), QStringLiteral("QuotedItems"), QStringLiteral("BidDigest"),
                               QStringLiteral("SignedBy"), QStringLiteral("Signature")};
    for (const ReturnedFile& f : comparison.files)
        files.addRow({Cell::textCell(f.fileName()), typedCell(f.vendor, -2),
                      Cell::textCell(f.accepted ? QStringLiteral("Accepted") : QStringLiteral("Refused")),
                      typedCell(f.refusal, -2),
                      f.quotedItems >= 0 ? Cell::number(QString::number(f.quotedItems), 0) : Cell::empty(),
                      typedCell(f.digest, -2), typedCell(f.signedBy(), -2), typedCell(f.signatureText(), -2)});
    sheets.push_back(std::move(files));
    return sheets;
}

QString statementHtml(const Comparison& comparison)
{
    const std::vector<Sheets::Sheet> sheets = statementWorkbook(comparison);
    QString html = QStringLiteral(
        "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>Comparative Statement</title>\n<style>\n"
        "body { font-family: sans-serif; font-size: 9pt; }\n"
        "table { font-size: 7pt; }\n"
        "table { border-collapse: collapse; margin-bottom: 12pt; }\n"
        "th, td { border: 1px solid #999; padding: 2px 4px; vertical-align: top; }\n"
        "th { background: #dde6e4; }\n"
        "td.n { text-align: right; white-space: nowrap; }\n"
        "tr.l1 td { background: #c6efce; }\n"
        "@page { size: A4 landscape; margin: 12mm; }\n"
        "</style>\n</head>\n<body>\n");
    html += QStringLiteral("<h1>Comparative Statement</h1>\n<p><b>%1</b><br>%2<br>%3</p>\n")
                .arg(escaped(comparison.identity.organisation), escaped(comparison.identity.address),
                     escaped(comparison.identity.duration));
    html += QStringLiteral("<p>Files compared: %1 of %2. L1 total (the cheapest mix): %3</p>\n")
                .arg(comparison.acceptedFiles())
                .arg(comparison.files.size())
                .arg(comparison.l1Total.toFixed(2));
    const QStringList captions{QStringLiteral("Statement"), QStringLiteral("Suppliers"), QStringLiteral("Findings"),
                               QStringLiteral("Files")};
    for (size_t i = 0; i < sheets.size(); ++i)
        htmlTable(html, sheets[i], captions[static_cast<qsizetype>(i)]);
    html += QStringLiteral("</body>\n</html>\n");
    return html;
}

void writeStatementCsv(const Comparison& comparison, const QString& path)
{
    Sheets::writeCsv(path, statementSheet(comparison));
}

void writeStatementXlsx(const Comparison& comparison, const QString& path)
{
    Sheets::writeXlsx(path, statementWorkbook(comparison));
}

void writeStatementHtml(const Comparison& comparison, const QString& path)
{
    Sheets::writeWholeFile(path, statementHtml(comparison).toUtf8());
}

ReportContent statementReport(const Comparison& comparison)
{
    ReportContent report;
    report.title = QStringLiteral("Comparative Statement");
    report.heading = {comparison.identity.organisation, comparison.identity.address, comparison.identity.duration};
    report.landscape = true;

    const std::vector<Sheets::Sheet> sheets = statementWorkbook(comparison);
    const Sheets::Sheet& statement = sheets.front();
    for (qsizetype c = 0; c < statement.header.size(); ++c) {
        ReportColumn column;
        column.caption = statement.header[c];
        column.field = statement.header[c];
        // Shares by the longest text, within bounds, so names get room and codes do not take it.
        qsizetype widest = column.caption.size();
        bool number = false;
        for (const auto& row : statement.rows) {
            const Sheets::Cell& cell = row[static_cast<size_t>(c)];
            widest = std::max(widest, cell.text.size());
            number = number || cell.kind == Sheets::Cell::Kind::Number;
        }
        column.width = static_cast<int>(std::clamp<qsizetype>(widest, 4, 30));
        column.alignment = number ? ReportAlignment::Right : ReportAlignment::Left;
        report.columns.push_back(column);
    }
    for (const auto& row : statement.rows) {
        ReportLine line;
        for (const Sheets::Cell& cell : row)
            line.cells << cell.text;
        report.lines.push_back(std::move(line));
    }
    report.rowCount = static_cast<int>(statement.rows.size());

    // The other sheets have columns of their own: each row is one line of "Header: value" pairs.
    for (size_t i = 1; i < sheets.size(); ++i) {
        report.lines.push_back({ReportLine::Kind::GroupHeader, {}, sheets[i].name});
        for (const auto& row : sheets[i].rows) {
            QStringList parts;
            for (size_t c = 0; c < row.size() && c < static_cast<size_t>(sheets[i].header.size()); ++c) {
                if (!row[c].text.isEmpty())
                    parts << sheets[i].header[static_cast<qsizetype>(c)] + QStringLiteral(": ") + row[c].text;
            }
            report.lines.push_back({ReportLine::Kind::GroupTotal, {}, parts.join(QStringLiteral("  \u00B7  "))});
        }
    }
    report.lines.push_back({ReportLine::Kind::Total, {},
                            QStringLiteral("L1 total (the cheapest mix): ") + comparison.l1Total.toFixed(2)});
    return report;
}

void writeStatementPdf(const Comparison& comparison, const QString& path)
{
    const ReportContent content = statementReport(comparison);
    ReportRenderer renderer(content);
    if (writeReportPdf(renderer, path) != PdfResult::Written)
        throw ExportError(ExportErrorNumber::FileAccess, QStringLiteral("Path/File access error: ") + path);
}

bool writeStatement(const Comparison& comparison, const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("csv"))
        writeStatementCsv(comparison, path);
    else if (suffix == QLatin1String("xlsx"))
        writeStatementXlsx(comparison, path);
    else if (suffix == QLatin1String("html") || suffix == QLatin1String("htm"))
        writeStatementHtml(comparison, path);
    else if (suffix == QLatin1String("pdf"))
        writeStatementPdf(comparison, path);
    else
        return false;
    return true;
}

} // namespace Tender
