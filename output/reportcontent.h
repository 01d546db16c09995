#pragma once

#include "output/reporttemplate.h"

#include <QString>
#include <QStringList>
#include <vector>

// A report with its data read: what the renderer lays out on pages. No widgets here.

struct ReportLine {
    enum class Kind { Row, GroupHeader, GroupTotal, Total };
    Kind kind = Kind::Row;
    QStringList cells;  // Row: one text per column
    QString text;       // the other kinds
};

struct ReportContent {
    QString title;
    QStringList heading;  // resolved heading lines (formula values filled in)
    bool landscape = false;
    std::vector<ReportColumn> columns;
    std::vector<ReportLine> lines;
    int rowCount = 0;
};

// Runs the template's query on the database named by `connectionString` and builds the lines: rows in
// the query's order, a header whenever the group value changes, totals after each group and at the
// end. Null shows as empty text, True as "Yes" and False as empty (as the lists on screen), dates as
// dd-MM-yyyy, numbers as their exact text. Throws DbError for the database, TemplateError when a
// column or total names a field the query does not return.
ReportContent buildReportContent(const ReportTemplate& report, const QString& connectionString,
                                 const std::vector<std::pair<QString, QString>>& formulas);

// One value as a report shows it.
QString reportCellText(const QVariant& value);
