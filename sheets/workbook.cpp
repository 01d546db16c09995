#include "sheets/workbook.h"

#include "output/exporterror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <xlsxwriter.h>

namespace {

[[noreturn]] void fail(const QString& path, const QString& what)
{
    throw ExportError(ExportErrorNumber::FileAccess, QStringLiteral("Cannot write '%1': %2").arg(path, what));
}

void check(lxw_error error, const QString& path)
{
    if (error != LXW_NO_ERROR)
        fail(path, QString::fromUtf8(lxw_strerror(error)));
}

// Sheet names are limited to 31 characters and some punctuation.
std::string sheetName(const QString& name)
{
    QString n = name;
    for (const QChar c : QStringLiteral("[]:*?/\\"))
        n.replace(c, QLatin1Char(' '));
    return n.left(31).toStdString();
}

QString numberFormat(int decimals)
{
    return decimals > 0 ? QStringLiteral("0.") + QString(decimals, QLatin1Char('0')) : QStringLiteral("0");
}

// One format per look a cell can have, made on first use.
class Formats
{
public:
    explicit Formats(lxw_workbook* book) : m_book(book)
    {
        m_header = workbook_add_format(book);
        format_set_bold(m_header);
        format_set_bg_color(m_header, 0xDDE6E4);
        format_set_bottom(m_header, LXW_BORDER_THIN);
    }
    lxw_format* header() const { return m_header; }
    lxw_format* cell(const Sheets::Cell& cell, bool highlight)
    {
        const int decimals = cell.kind == Sheets::Cell::Kind::Number ? cell.decimals : -1;
        lxw_format*& f = m_cells[{decimals, highlight}];
        if (!f) {
            f = workbook_add_format(m_book);
            if (decimals >= 0)
                format_set_num_format(f, numberFormat(decimals).toLatin1().constData());
            if (highlight)
                format_set_bg_color(f, 0xC6EFCE);
        }
        return f;
    }

private:
    lxw_workbook* m_book;
    lxw_format* m_header;
    std::map<std::pair<int, bool>, lxw_format*> m_cells;
};

void writeSheet(lxw_workbook* book, Formats& formats, const Sheets::Sheet& sheet, const QString& path)
{
    lxw_worksheet* ws = workbook_add_worksheet(book, sheetName(sheet.name).c_str());
    if (!ws)
        fail(path, QStringLiteral("cannot add the sheet '%1'").arg(sheet.name));
    const int columns = static_cast<int>(sheet.header.size());
    std::vector<int> widths(static_cast<size_t>(columns), 0);
    for (int c = 0; c < columns; ++c) {
        const QByteArray text = sheet.header[c].toUtf8();
        check(worksheet_write_string(ws, 0, static_cast<lxw_col_t>(c), text.constData(), formats.header()), path);
        widths[static_cast<size_t>(c)] = static_cast<int>(sheet.header[c].size()) + 3;  // room for the filter button
    }
    for (size_t r = 0; r < sheet.rows.size(); ++r) {
        const bool highlight = r < sheet.highlighted.size() && sheet.highlighted[r];
        const auto row = static_cast<lxw_row_t>(r + 1);
        const std::vector<Sheets::Cell>& cells = sheet.rows[r];
        for (size_t c = 0; c < cells.size() && c < static_cast<size_t>(columns); ++c) {
            const Sheets::Cell& cell = cells[c];
            const auto col = static_cast<lxw_col_t>(c);
            lxw_format* format = formats.cell(cell, highlight);
            switch (cell.kind) {
            case Sheets::Cell::Kind::Empty:
                if (highlight)
                    check(worksheet_write_blank(ws, row, col, format), path);
                break;
            case Sheets::Cell::Kind::Text:
                check(worksheet_write_string(ws, row, col, cell.text.toUtf8().constData(), format), path);
                break;
            case Sheets::Cell::Kind::Number:
                // The file format stores every number as a binary double: the exact decimal is handed
                // over only here, as its text, and the cell's format shows it with its decimals.
                check(worksheet_write_number(ws, row, col, std::strtod(cell.text.toLatin1().constData(), nullptr), format), path);
                break;
            }
            widths[c] = std::max(widths[c], static_cast<int>(cell.text.size()));
        }
    }
    for (int c = 0; c < columns; ++c)
        worksheet_set_column(ws, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c),
                             std::clamp(widths[static_cast<size_t>(c)] + 1, 6, 60), nullptr);
    if (columns > 0) {
        worksheet_freeze_panes(ws, 1, 0);
        check(worksheet_autofilter(ws, 0, 0, static_cast<lxw_row_t>(sheet.rows.size()), static_cast<lxw_col_t>(columns - 1)), path);
    }
}

// Moves a finished temporary file over the target.
void moveIntoPlace(const QString& partial, const QString& path)
{
    std::error_code ec;
    std::filesystem::rename(QFile::encodeName(partial).toStdString(), QFile::encodeName(path).toStdString(), ec);
    if (ec) {
        QFile::remove(partial);
        fail(path, QString::fromStdString(ec.message()));
    }
}

} // namespace

namespace Sheets {

Cell Cell::number(const QString& decimalText, int decimals)
{
    if (decimalText.isEmpty())
        return {};
    return {Kind::Number, decimalText, decimals};
}

void writeXlsx(const QString& path, const std::vector<Sheet>& sheets)
{
    const QFileInfo target(path);
    if (!target.absoluteDir().exists())
        fail(path, QStringLiteral("the folder does not exist"));
    const QString partial = target.absoluteFilePath() + QStringLiteral(".partial");
    QFile::remove(partial);
    lxw_workbook_options options{};
    // Rows go to the file as they are written, strings inline: a statement of a hundred thousand rows
    // is neither held in memory nor looked up in a shared-string table.
    options.constant_memory = LXW_TRUE;
    const QByteArray tmpdir = QFile::encodeName(target.absolutePath());
    options.tmpdir = const_cast<char*>(tmpdir.constData());
    lxw_workbook* book = workbook_new_opt(QFile::encodeName(partial).constData(), &options);
    if (!book)
        fail(path, QStringLiteral("cannot create the workbook"));
    try {
        Formats formats(book);
        for (const Sheet& sheet : sheets)
            writeSheet(book, formats, sheet, path);
    } catch (...) {
        workbook_close(book);
        QFile::remove(partial);
        throw;
    }
    const lxw_error closed = workbook_close(book);
    if (closed != LXW_NO_ERROR) {
        QFile::remove(partial);
        fail(path, QString::fromUtf8(lxw_strerror(closed)));
    }
    moveIntoPlace(partial, path);
}

QByteArray csvRecord(const QStringList& fields)
{
    QByteArray line;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line += ',';
        const QByteArray f = fields[i].toUtf8();
        if (f.contains(',') || f.contains('"') || f.contains('\n') || f.contains('\r')) {
            QByteArray quoted = f;
            quoted.replace("\"", "\"\"");
            line += '"' + quoted + '"';
        } else {
            line += f;
        }
    }
    line += "\r\n";
    return line;
}

QByteArray csvText(const Sheet& sheet)
{
    QByteArray out = csvRecord(sheet.header);
    for (const std::vector<Cell>& row : sheet.rows) {
        QStringList fields;
        for (const Cell& c : row)
            fields << c.text;
        out += csvRecord(fields);
    }
    return out;
}

void writeCsv(const QString& path, const Sheet& sheet)
{
    writeWholeFile(path, csvText(sheet));
}

void writeWholeFile(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        fail(path, file.errorString());
    if (file.write(bytes) != bytes.size() || !file.commit())
        fail(path, file.errorString());
}

} // namespace Sheets
