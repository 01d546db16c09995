#pragma once

#include "output/reportcontent.h"

#include <QString>
#include <QStringList>
#include <stdexcept>

// A report that could not be prepared or shown. The engine keeps its own short text of the failure
// (lastErrorString); the error carries the particulars.
class ReportError : public std::runtime_error
{
public:
    explicit ReportError(QString description)
        : std::runtime_error(description.toStdString()), m_description(std::move(description)) {}
    const QString& description() const { return m_description; }

private:
    QString m_description;
};

// The report engine as the screens drive it: it is told the data file, the template and the heading
// formulas, then reads the report's content, which the screen lays out for the print preview (or the
// engine writes straight to a PDF file). One engine may run several reports in turn. No widgets here.
class ReportEngine
{
public:
    void setDataFile(const QString& path) { m_dataFile = path; }
    void setReportFileName(const QString& path) { m_reportFile = path; }
    // Formula text as name='constant'. The constant runs from the first apostrophe after the equals
    // sign to the last one, so an apostrophe inside a value (D'Souza Road) shows as typed.
    void setFormula(int index, const QString& text);
    void clearFormulas() { m_formulas.clear(); }
    void setWindowTitle(const QString& title) { m_windowTitle = title; }

    // Reads the template and the data file; throws ReportError (and sets lastErrorString).
    ReportContent prepare();
    // The title of the preview window.
    const QString& windowTitle() const { return m_windowTitle; }
    // Prepares the report and writes it to a PDF file without a preview; throws ReportError.
    void exportToPdf(const QString& pdfPath);

    // The engine's own text of its last failure; empty after a success.
    const QString& lastErrorString() const { return m_lastError; }

    // The connection string of a tender database file (the same text start-up builds for it).
    static QString connectionStringFor(const QString& dataFile);
    // Splits "name='constant'" into name and constant; false when the text is not of that shape.
    static bool parseFormula(const QString& text, QString& name, QString& constant);

private:
    [[noreturn]] void fail(const QString& engineText, const QString& description);

    QString m_dataFile;
    QString m_reportFile;
    QStringList m_formulas;
    QString m_windowTitle;
    QString m_lastError;
};

// The three heading formulas of the hospital's reports, in their order: Organization, OrgAddress and
// TenderDuration, each as name='value'; a Null value gives an empty constant ('').
QStringList headingFormulas(const QVariant& organization, const QVariant& orgAddress, const QString& tenderDuration);
