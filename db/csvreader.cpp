#include "db/csvreader.h"

#include <QFile>

namespace {

const QByteArray ByteOrderMark("\xEF\xBB\xBF");

} // namespace

CsvError::CsvError(QString file, int line, int column, QString message)
    : std::runtime_error(escapeControlCharacters(message).toStdString()), m_line(line), m_column(column)
{
    m_text = line > 0 ? QStringLiteral("%1:%2:%3: ").arg(file).arg(line).arg(column) : file + QStringLiteral(": ");
    m_text += escapeControlCharacters(message);
}

QString escapeControlCharacters(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c.category() != QChar::Other_Control)
            out += c;
        else if (c == QLatin1Char('\t'))
            out += QLatin1String("\\t");
        else if (c == QLatin1Char('\n'))
            out += QLatin1String("\\n");
        else if (c == QLatin1Char('\r'))
            out += QLatin1String("\\r");
        else
            out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
    }
    return out;
}

qsizetype firstInvalidUtf8Byte(const QByteArray& bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        const unsigned char b = p[i];
        if (b < 0x80) {
            ++i;
            continue;
        }
        int length;
        unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
        if (b >= 0xC2 && b <= 0xDF) {
            length = 2;
        } else if (b >= 0xE0 && b <= 0xEF) {
            length = 3;
            if (b == 0xE0)
                low = 0xA0;  // shorter forms are overlong
            else if (b == 0xED)
                high = 0x9F;  // the surrogates are no characters
        } else if (b >= 0xF0 && b <= 0xF4) {
            length = 4;
            if (b == 0xF0)
                low = 0x90;
            else if (b == 0xF4)
                high = 0x8F;  // nothing past U+10FFFF
        } else {
            return i;
        }
        // The sequence is as bad as its first byte: that is where the reader's eye should go.
        for (int k = 1; k < length; ++k) {
            if (i + k >= n)
                return i;
            const unsigned char c = p[i + k];
            if (k == 1 ? (c < low || c > high) : (c < 0x80 || c > 0xBF))
                return i;
        }
        i += length;
    }
    return -1;
}

std::vector<CsvRecord> readCsvFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw CsvError(path, 0, 0, QStringLiteral("cannot be read: %1").arg(file.errorString()));
    return parseCsv(path, file.readAll());
}

std::vector<CsvRecord> parseCsv(const QString& fileLabel, const QByteArray& content)
{
    const qsizetype bad = firstInvalidUtf8Byte(content);
    if (bad >= 0) {
        // Lines end at LF; the column counts the characters before the bad byte on its line (the
        // bytes that start a character), as the reader below counts them.
        const qsizetype lineStart = bad > 0 ? content.lastIndexOf('\n', bad - 1) + 1 : 0;
        int column = 1;
        for (qsizetype k = lineStart; k < bad; ++k)
            if ((static_cast<unsigned char>(content[k]) & 0xC0) != 0x80)
                ++column;
        if (lineStart == 0 && content.startsWith(ByteOrderMark))
            --column;
        const int line = 1 + static_cast<int>(content.left(bad).count('\n'));
        throw CsvError(fileLabel, line, column, QStringLiteral("is not valid UTF-8 text"));
    }
    QString text = QString::fromUtf8(content);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);

    std::vector<CsvRecord> records;
    int line = 1, column = 1;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        CsvRecord record;
        record.line = line;
        bool endOfRecord = false;
        while (!endOfRecord) {
            CsvField field;
            field.column = column;
            if (i < n && text[i] == QLatin1Char('"')) {
                const int quoteLine = line, quoteColumn = column;
                ++i, ++column;
                for (;;) {
                    if (i >= n)
                        throw CsvError(fileLabel, quoteLine, quoteColumn, QStringLiteral("quoted field is not closed"));
                    const QChar c = text[i];
                    if (c == QLatin1Char('"')) {
                        if (i + 1 < n && text[i + 1] == QLatin1Char('"')) {
                            field.text += c;
                            i += 2, column += 2;
                            continue;
                        }
                        ++i, ++column;
                        break;
                    }
                    field.text += c;
                    ++i;
                    if (c == QLatin1Char('\n'))
                        ++line, column = 1;
                    else if (!c.isLowSurrogate())  // a character beyond U+FFFF is one column
                        ++column;
                }
                if (i < n && text[i] != QLatin1Char(',') && text[i] != QLatin1Char('\n') && text[i] != QLatin1Char('\r'))
                    throw CsvError(fileLabel, line, column, QStringLiteral("unexpected text after a closing quote"));
            } else {
                while (i < n && text[i] != QLatin1Char(',') && text[i] != QLatin1Char('\n') && text[i] != QLatin1Char('\r')) {
                    if (text[i] == QLatin1Char('"'))
                        throw CsvError(fileLabel, line, column, QStringLiteral("quote inside an unquoted field"));
                    field.text += text[i];
                    if (!text[i].isLowSurrogate())
                        ++column;
                    ++i;
                }
                field.null = field.text.isEmpty();
            }
            record.fields.push_back(field);
            if (i < n && text[i] == QLatin1Char(',')) {
                ++i, ++column;
                continue;
            }
            if (i < n && text[i] == QLatin1Char('\r'))
                ++i;
            if (i < n && text[i] == QLatin1Char('\n'))
                ++i;
            ++line, column = 1;
            endOfRecord = true;
        }
        // A blank line is no record.
        if (!(record.fields.size() == 1 && record.fields[0].null))
            records.push_back(std::move(record));
    }
    return records;
}
