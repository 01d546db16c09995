#include "sheets/xlsxreader.h"

#include <QRegularExpression>
#include <QXmlStreamReader>
#include <memory>
#include <zip.h>

namespace Sheets {

namespace {

struct ArchiveCloser {
    void operator()(zip_t* z) const { zip_discard(z); }
};
struct EntryCloser {
    void operator()(zip_file_t* f) const { zip_fclose(f); }
};

const QString NotAWorkbook = QStringLiteral("The file is not an Excel workbook (.xlsx).");

// One part of the package, unpacked no further than the limit whatever its header claims.
QByteArray part(zip_t* archive, const QString& name, bool required)
{
    const zip_int64_t index = zip_name_locate(archive, name.toUtf8().constData(), 0);
    if (index < 0) {
        if (required)
            throw ReadError(NotAWorkbook);
        return {};
    }
    std::unique_ptr<zip_file_t, EntryCloser> entry(zip_fopen_index(archive, static_cast<zip_uint64_t>(index), 0));
    if (!entry)
        throw ReadError(NotAWorkbook);
    QByteArray bytes;
    char buffer[65536];
    for (;;) {
        const zip_int64_t n = zip_fread(entry.get(), buffer, sizeof buffer);
        if (n < 0)
            throw ReadError(QStringLiteral("The workbook is damaged: %1 cannot be unpacked.").arg(name));
        if (n == 0)
            break;
        if (bytes.size() + n > MaxUnpackedPartBytes)
            throw ReadError(QStringLiteral("The workbook unpacks to more than %1 MB; it cannot be a price list.")
                                .arg(MaxUnpackedPartBytes / (1024 * 1024)));
        bytes.append(buffer, static_cast<qsizetype>(n));
    }
    return bytes;
}

[[noreturn]] void brokenXml(const QString& name, const QXmlStreamReader& xml)
{
    throw ReadError(QStringLiteral("The workbook is damaged: %1, line %2: %3")
                        .arg(name)
                        .arg(xml.lineNumber())
                        .arg(xml.errorString()));
}

// The text of an element holding <t> runs (a shared string or an inline string), the reader left at
// its end. Rich text puts its runs one level down; nothing deeper is followed.
QString runsText(QXmlStreamReader& xml, int depth = 0)
{
    QString text;
    while (xml.readNextStartElement()) {
        if (xml.name() == u"t")
            text += xml.readElementText();
        else if (xml.name() == u"r" && depth == 0)
            text += runsText(xml, 1);
        else
            xml.skipCurrentElement();  // phonetic runs and run properties
    }
    return text;
}

QStringList sharedStrings(const QByteArray& bytes)
{
    QStringList strings;
    if (bytes.isEmpty())
        return strings;  // a workbook whose texts are all inline has none
    QXmlStreamReader xml(bytes);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == u"si") {
            if (strings.size() >= MaxRows * MaxColumns)
                throw ReadError(QStringLiteral("The workbook holds too many texts to be a price list."));
            strings << runsText(xml);
        }
    }
    if (xml.hasError())
        brokenXml(QStringLiteral("the shared strings"), xml);
    return strings;
}

// The first sheet's part: the workbook names its sheets in order, its relations name their parts.
QString firstSheetPart(zip_t* archive)
{
    QString relationId;
    {
        QXmlStreamReader xml(part(archive, QStringLiteral("xl/workbook.xml"), true));
        while (!xml.atEnd() && relationId.isEmpty()) {
            xml.readNext();
            if (xml.isStartElement() && xml.name() == u"sheet")
                for (const QXmlStreamAttribute& a : xml.attributes())
                    if (a.name() == u"id")
                        relationId = a.value().toString();
        }
        if (xml.hasError())
            brokenXml(QStringLiteral("the workbook"), xml);
    }
    if (relationId.isEmpty())
        throw ReadError(QStringLiteral("The workbook has no sheet."));
    QXmlStreamReader xml(part(archive, QStringLiteral("xl/_rels/workbook.xml.rels"), true));
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == u"Relationship" && xml.attributes().value("Id") == relationId) {
            const QString target = xml.attributes().value("Target").toString();
            return target.startsWith(QLatin1Char('/')) ? target.mid(1) : QStringLiteral("xl/") + target;
        }
    }
    if (xml.hasError())
        brokenXml(QStringLiteral("the workbook's relations"), xml);
    throw ReadError(NotAWorkbook);
}

// "AB12" -> 27 (0-based column); -1 when the reference names no column within the limit.
int columnOf(QStringView reference)
{
    int column = 0;
    qsizetype i = 0;
    for (; i < reference.size() && reference[i].isLetter(); ++i) {
        column = column * 26 + (reference[i].toUpper().unicode() - 'A' + 1);
        if (column > MaxColumns)
            return -1;
    }
    return i == 0 ? -1 : column - 1;
}

} // namespace

QString plainNumber(const QString& stored)
{
    static const QRegularExpression shape(QStringLiteral("^(-?)(\\d*)(?:\\.(\\d*))?(?:[eE]([+-]?\\d{1,3}))?$"));
    const QRegularExpressionMatch m = shape.match(stored.trimmed());
    if (!m.hasMatch() || (m.captured(2).isEmpty() && m.captured(3).isEmpty()))
        return {};
    QString digits = m.captured(2) + m.captured(3);
    // The point sits after `point` digits; an exponent moves it.
    qsizetype point = m.captured(2).size() + m.captured(4).toInt();
    while (!digits.isEmpty() && digits.front() == QLatin1Char('0')) {
        digits.remove(0, 1);
        --point;
    }
    if (digits.isEmpty())
        return QStringLiteral("0");
    constexpr int Significant = 15;
    if (digits.size() > Significant) {
        const QString rest = digits.mid(Significant);
        digits.truncate(Significant);
        const bool half = rest.front() == QLatin1Char('5') && rest.mid(1).count(QLatin1Char('0')) == rest.size() - 1;
        const bool up = rest.front() > QLatin1Char('5') || (rest.front() == QLatin1Char('5') && !half) ||
                        (half && (digits.back().digitValue() % 2 == 1));
        if (up) {
            qsizetype i = digits.size() - 1;
            while (i >= 0 && digits[i] == QLatin1Char('9'))
                digits[i--] = QLatin1Char('0');
            if (i < 0) {
                digits.prepend(QLatin1Char('1'));
                ++point;
            } else {
                digits[i] = QChar(digits[i].unicode() + 1);
            }
        }
    }
    QString whole, fraction;
    if (point <= 0) {
        whole = QStringLiteral("0");
        fraction = QString(-point, QLatin1Char('0')) + digits;
    } else if (point >= digits.size()) {
        whole = digits + QString(point - digits.size(), QLatin1Char('0'));
    } else {
        whole = digits.left(point);
        fraction = digits.mid(point);
    }
    while (fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);
    return m.captured(1) + whole + (fraction.isEmpty() ? QString() : QLatin1Char('.') + fraction);
}

std::vector<ReadRow> readXlsx(const QByteArray& workbook)
{
    if (workbook.size() > MaxWorkbookBytes)
        throw ReadError(QStringLiteral("The workbook is larger than %1 MB; it cannot be a price list.")
                            .arg(MaxWorkbookBytes / (1024 * 1024)));
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(workbook.constData(), static_cast<zip_uint64_t>(workbook.size()), 0, &error);
    if (!source)
        throw ReadError(NotAWorkbook);
    std::unique_ptr<zip_t, ArchiveCloser> archive(zip_open_from_source(source, ZIP_RDONLY, &error));
    zip_error_fini(&error);
    if (!archive) {
        zip_source_free(source);
        throw ReadError(NotAWorkbook);
    }
    const QStringList strings = sharedStrings(part(archive.get(), QStringLiteral("xl/sharedStrings.xml"), false));
    const QString sheetName = firstSheetPart(archive.get());
    QXmlStreamReader xml(part(archive.get(), sheetName, true));

    std::vector<ReadRow> rows;
    ReadRow row;
    int column = 0;
    auto finishRow = [&] {
        while (!row.cells.isEmpty() && row.cells.back().isEmpty())
            row.cells.removeLast();
        if (!row.cells.isEmpty())
            rows.push_back(std::move(row));
        row = ReadRow{};
    };
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement() && xml.name() == u"row") {
            finishRow();
            continue;
        }
        if (!xml.isStartElement())
            continue;
        if (xml.name() == u"row") {
            if (static_cast<int>(rows.size()) >= MaxRows)
                throw ReadError(QStringLiteral("The sheet has more than %1 rows; it cannot be a price list.").arg(MaxRows));
            row = ReadRow{};
            bool ok = false;
            row.line = xml.attributes().value("r").toInt(&ok);
            if (!ok)
                row.line = rows.empty() ? 1 : rows.back().line + 1;
            column = 0;
            continue;
        }
        if (xml.name() != u"c")
            continue;
        const QXmlStreamAttributes attributes = xml.attributes();
        const QString reference = attributes.value("r").toString();
        if (!reference.isEmpty())
            column = columnOf(reference);
        if (column < 0 || column >= MaxColumns)
            throw ReadError(QStringLiteral("The sheet has more than %1 columns; it cannot be a price list.").arg(MaxColumns));
        const QString type = attributes.value("t").toString();
        QString value;
        bool inlineText = false;
        while (xml.readNextStartElement()) {
            if (xml.name() == u"f")
                throw ReadError(QStringLiteral("Cell %1 holds a formula. Copy the sheet and paste it as values, then import again.")
                                    .arg(reference.left(12)));
            if (xml.name() == u"v") {
                value = xml.readElementText();
            } else if (xml.name() == u"is") {
                value = runsText(xml);
                inlineText = true;
            } else {
                xml.skipCurrentElement();
            }
        }
        if (xml.hasError())
            break;
        QString cell;
        if (type == u"s") {
            bool ok = false;
            const int index = value.toInt(&ok);
            if (!ok || index < 0 || index >= strings.size())
                throw ReadError(QStringLiteral("The workbook is damaged: cell %1 names a text it does not hold.").arg(reference.left(12)));
            cell = strings[index];
        } else if (type == u"inlineStr" || type == u"str" || inlineText) {
            cell = value;
        } else if (type == u"b") {
            cell = value == u"1" ? QStringLiteral("True") : QStringLiteral("False");
        } else if (type == u"e") {
            throw ReadError(QStringLiteral("Cell %1 holds the error %2.").arg(reference.left(12), value.left(40)));
        } else if (!value.isEmpty()) {
            cell = plainNumber(value);
            if (cell.isEmpty())
                throw ReadError(QStringLiteral("The workbook is damaged: cell %1 holds '%2' as a number.").arg(reference.left(12), value.left(40)));
        }
        while (row.cells.size() <= column)
            row.cells << QString();
        row.cells[column] = cell;
        ++column;
    }
    if (xml.hasError())
        brokenXml(QStringLiteral("the first sheet"), xml);
    return rows;
}

} // namespace Sheets
