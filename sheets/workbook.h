#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// A spreadsheet as the writers hand it over: sheets of a header row and rows of typed cells. Numbers
// travel as their exact decimal text, already rounded by the caller; the workbook stores them as numbers
// with a number format of that many decimals, so a spreadsheet can add them up.
namespace Sheets {

struct Cell {
    enum class Kind { Empty, Text, Number };
    Kind kind = Kind::Empty;
    QString text;      // the text, or the number's decimal text ("12.3400")
    int decimals = 0;  // for a number: the decimals its format shows

    static Cell empty() { return {}; }
    static Cell textCell(const QString& text) { return {Kind::Text, text, 0}; }
    // A number cell from its decimal text; an empty text gives an empty cell.
    static Cell number(const QString& decimalText, int decimals);
};

struct Sheet {
    QString name;
    QStringList header;
    std::vector<std::vector<Cell>> rows;
    std::vector<bool> highlighted;  // per row; missing entries are not highlighted

    void addRow(std::vector<Cell> cells, bool highlight = false)
    {
        rows.push_back(std::move(cells));
        highlighted.push_back(highlight);
    }
};

// Writes an .xlsx workbook: per sheet a bold, frozen header row with an autofilter, columns as wide as
// their contents (within limits), highlighted rows shaded. The workbook is written under a temporary
// name beside `path` and moved into place only when complete; on any failure nothing is left at either
// name and ExportError is thrown.
void writeXlsx(const QString& path, const std::vector<Sheet>& sheets);

// Writes the sheet's header and rows as CSV: UTF-8 without a byte-order mark, comma-separated, fields
// quoted only when they hold a comma, a quote or a line break (quotes doubled), each record ended by
// CR LF. Numbers as their decimal text. Through a temporary file, as above.
void writeCsv(const QString& path, const Sheet& sheet);
// Writes `bytes` as the whole file at `path` through a temporary file, as above (the HTML pages of the
// statement and of the writers that are not sheets).
void writeWholeFile(const QString& path, const QByteArray& bytes);
QByteArray csvText(const Sheet& sheet);
QByteArray csvRecord(const QStringList& fields);

} // namespace Sheets
