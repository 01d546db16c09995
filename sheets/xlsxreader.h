#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <stdexcept>
#include <vector>

// Reading the first sheet of an .xlsx workbook, as far as a price list needs: text (shared or inline),
// numbers and true/false. Anything else a spreadsheet can hold is refused with a message that says
// what, rather than guessed at: a formula (its value would be whatever was last calculated), an
// archive that unpacks beyond a sane size, a sheet too large to be a price list, broken XML.
namespace Sheets {

class ReadError : public std::runtime_error
{
public:
    explicit ReadError(const QString& message) : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString& message() const { return m_message; }

private:
    QString m_message;
};

struct ReadRow {
    int line = 0;  // the spreadsheet's row number (the CSV file's line)
    QStringList cells;
};

// Limits for what may come from outside: a price list is a few thousand rows of a few dozen columns.
inline constexpr qint64 MaxWorkbookBytes = 32LL * 1024 * 1024;
inline constexpr qint64 MaxUnpackedPartBytes = 64LL * 1024 * 1024;
inline constexpr int MaxRows = 100000;
inline constexpr int MaxColumns = 256;

// The rows of the first sheet in order, empty rows left out; throws ReadError.
std::vector<ReadRow> readXlsx(const QByteArray& workbook);

// A number as the file stores it ("12.340000000000001", "1.5E-2") as the decimal text a person typed:
// at most 15 significant digits (the precision a spreadsheet keeps), halves to even, no exponent.
// Empty when the text is not a number.
QString plainNumber(const QString& stored);

} // namespace Sheets
