#pragma once

#include <QString>
#include <stdexcept>

// A failed database operation: what the error box shows is the number, the component that raised
// it and the description, so all three travel together.
class DbError : public std::runtime_error
{
public:
    DbError(long number, QString source, QString description)
        : std::runtime_error(description.toStdString()), m_number(number), m_source(std::move(source)),
          m_description(std::move(description)) {}

    long number() const { return m_number; }
    const QString& source() const { return m_source; }
    const QString& description() const { return m_description; }

private:
    long m_number;
    QString m_source;
    QString m_description;
};

// Numbers of the errors that the layer raises itself (the engine's own errors carry its result codes).
namespace DbErrorNumber {
constexpr long InvalidUseOfNull = 94;
constexpr long Overflow = 6;
constexpr long TypeMismatch = 3421;        // a value the column cannot take
constexpr long NotUpdatable = 3251;        // a change asked of a read-only recordset
constexpr long NoCurrentRecord = 3021;     // a field read or write past the end
constexpr long ItemNotFound = 3265;        // a column name the recordset does not have
constexpr long FileNotFound = 3024;        // the database file is missing
constexpr long BadConnectionString = 3706;
}
