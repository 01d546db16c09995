#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <stdexcept>
#include <vector>

// A malformed input file: where (file, line, column, all 1-based) and what.
class CsvError : public std::runtime_error
{
public:
    CsvError(QString file, int line, int column, QString message)
        : std::runtime_error(QStringLiteral("%1:%2:%3: %4").arg(file).arg(line).arg(column).arg(message).toStdString()),
          m_file(std::move(file)), m_line(line), m_column(column), m_message(std::move(message)) {}
    QString text() const { return QString::fromStdString(what()); }
    int line() const { return m_line; }
    int column() const { return m_column; }

private:
    QString m_file;
    int m_line;
    int m_column;
    QString m_message;
};

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
// Throws CsvError on an unterminated quote, text after a closing quote, or invalid UTF-8.
std::vector<CsvRecord> readCsvFile(const QString& path);
std::vector<CsvRecord> parseCsv(const QString& fileLabel, const QByteArray& content);
