#pragma once

#include <QString>
#include <QStringList>
#include <stdexcept>
#include <vector>

// A report template: a small text file beside the database that says what a printed list holds
// (title, heading lines, query, columns, grouping, totals). The format is described in
// data/reports/README.md; this is its parsed form. No widgets and no database here.

// Why a template could not be read: which file, which line, what was wrong.
class TemplateError : public std::runtime_error
{
public:
    explicit TemplateError(QString text) : std::runtime_error(text.toStdString()), m_text(std::move(text)) {}
    const QString& text() const { return m_text; }

private:
    QString m_text;
};

enum class ReportAlignment { Left, Center, Right };

struct ReportColumn {
    QString caption;
    QString field;   // a column of the query's result
    int width = 1;   // share of the line, relative to the other columns
    ReportAlignment alignment = ReportAlignment::Left;
};

struct ReportTotal {
    enum class Kind { Count, Sum };
    QString label;
    Kind kind = Kind::Count;
    QString field;   // for Sum
};

// A heading value the template reads from the database itself: the first column of the first row of
// a single Select (empty text when there is no row). A value the screen hands over wins.
struct ReportFormulaQuery {
    QString name;
    QString query;
};

struct ReportTemplate {
    QString title;
    QStringList heading;        // lines with {Formula} places, printed above the title on every page
    bool landscape = false;
    QString query;
    std::vector<ReportColumn> columns;
    QString groupLabel;         // empty: no grouping
    QString groupField;
    std::vector<ReportTotal> totals;
    std::vector<ReportFormulaQuery> formulaQueries;

    // Throws TemplateError naming `sourceName` and the line for anything it does not understand.
    static ReportTemplate parse(const QString& text, const QString& sourceName);
    // Reads the file (UTF-8); throws TemplateError when it is missing, unreadable or malformed.
    static ReportTemplate load(const QString& path);

    // The heading lines with every {Name} replaced by the formula's value; a formula that was not
    // set reads as empty text. `formulas` holds name/value pairs.
    QStringList resolvedHeading(const std::vector<std::pair<QString, QString>>& formulas) const;
};
