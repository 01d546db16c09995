#include "db/csvreader.h"

#include <QFile>
#include <QStringDecoder>

std::vector<CsvRecord> readCsvFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw CsvError(path, 0, 0, QStringLiteral("cannot be read: %1").arg(file.errorString()));
    return parseCsv(path, file.readAll());
}

std::vector<CsvRecord> parseCsv(const QString& fileLabel, const QByteArray& content)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    QString text = decoder.decode(content);
    if (decoder.hasError())
        throw CsvError(fileLabel, 1, 1, QStringLiteral("is not valid UTF-8 text"));
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
                    else
                        ++column;
                }
                if (i < n && text[i] != QLatin1Char(',') && text[i] != QLatin1Char('\n') && text[i] != QLatin1Char('\r'))
                    throw CsvError(fileLabel, line, column, QStringLiteral("unexpected text after a closing quote"));
            } else {
                while (i < n && text[i] != QLatin1Char(',') && text[i] != QLatin1Char('\n') && text[i] != QLatin1Char('\r')) {
                    if (text[i] == QLatin1Char('"'))
                        throw CsvError(fileLabel, line, column, QStringLiteral("quote inside an unquoted field"));
                    field.text += text[i];
                    ++i, ++column;
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
