#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <stdexcept>
#include <vector>

// A malformed input file: where (file, line, column, all 1-based) and what. Line 0 means the file as
// a whole (missing, unreadable), which has no place inside it.
class CsvError : public std::runtime_error
{
public:
    CsvError(QString file, int line, int column, QString message);
    // "PATH:LINE:COLUMN: message", or "PATH: message" for the file as a whole. Control characters of
    // the message (a value quoted from the file may hold a tab or a NUL) are written as escapes, so
    // the line is whole and readable on a terminal.
    const QString& text() const { return m_text; }
    int line() const { return m_line; }
    int column() const { return m_column; }

private:
    int m_line;
    int m_column;
    QString m_text;
};

// `text` with its control characters as escapes: \t, \n, \r, \xHH.
QString escapeControlCharacters(const QString& text);

// The offset of the first byte that is not part of well-formed UTF-8 (overlong forms, surrogates and
// code points past U+10FFFF included), or -1 when all of it is.
qsizetype firstInvalidUtf8Byte(const QByteArray& bytes);

// One field as read: quoted fields are never Null; an empty unquoted field is Null.
struct CsvField {
    QString text;
    bool null = false;
    int column = 0;  // 1-based character column where the field starts
};

struct CsvRecord {
    int line = 0;  // 1-based line where the record starts
    std::vector<CsvField> fields;
};

// Reads a UTF-8 CSV file (comma-separated, RFC 4180 quoting, LF or CR LF line ends).
// Throws CsvError on an unterminated quote, text after a closing quote, or invalid UTF-8 (at the line
// and column of its first bad byte). Columns count characters, whatever their size in the file.
std::vector<CsvRecord> readCsvFile(const QString& path);
std::vector<CsvRecord> parseCsv(const QString& fileLabel, const QByteArray& content);
