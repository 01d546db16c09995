#pragma once

#include <QString>

// A report of a tender database printed straight to a PDF file, headed with the organisation, its
// address and the tender title from the database's own options row. The hospital's tool prints its
// ready quantity list this way. Throws ReportError (its description names what failed).
void exportTenderReport(const QString& templatePath, const QString& dataFile, const QString& pdfPath);
