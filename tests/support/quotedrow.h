#pragma once

// One Quotations row for arranging a test, instead of a hand-written insert in every file: each
// column holds a plausible quoted item until a test sets it. Texts are spliced quoted (apostrophes
// doubled), numbers bare, a null QVariant as Null; a number column given text keeps the text, which
// is how a test stores a damaged cell.
#include <QString>
#include <QVariant>
#include <utility>
#include <vector>

class TestFolder;

class QuotedRow
{
public:
    QuotedRow();
    QuotedRow& set(const QString& column, const QVariant& value);
    // Leaves the column out of the insert, so that it takes the table's default (ID: the next number).
    QuotedRow& without(const QString& column);
    QVariant value(const QString& column) const;
    void insert(const TestFolder& folder) const;

private:
    std::vector<std::pair<QString, QVariant>> m_columns;
};
