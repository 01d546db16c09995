#pragma once

#include <QString>
#include <stdexcept>

// A failure that ends an HTML export. The export screen shows its number and description in its own
// error box, so both travel together, whatever raised them (the file, the arithmetic or the database).
class ExportError : public std::runtime_error
{
public:
    ExportError(long number, QString description)
        : std::runtime_error(description.toStdString()), m_number(number), m_description(std::move(description)) {}

    long number() const { return m_number; }
    const QString& description() const { return m_description; }

private:
    long m_number;
    QString m_description;
};

namespace ExportErrorNumber {
constexpr long DivisionByZero = 11;
constexpr long TypeMismatch = 13;
constexpr long FileAccess = 75;
constexpr long Cancelled = 32755;  // the vendor closed the file dialog without choosing a file
}
