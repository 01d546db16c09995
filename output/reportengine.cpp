#include "output/reportengine.h"

#include "db/dberror.h"
#include "db/tenderdatabase.h"
#include "output/reportrenderer.h"

#include <QFileInfo>
#include <QVariant>

namespace {

const QString TemplateFailure = QStringLiteral("Cannot load the report template.");
const QString DataFileFailure = QStringLiteral("Cannot open the report's data file.");
const QString DataFailure = QStringLiteral("Cannot read the report's data.");
const QString FormulaFailure = QStringLiteral("Invalid formula.");
const QString OutputFailure = QStringLiteral("Cannot write the report.");

} // namespace

bool ReportEngine::parseFormula(const QString& text, QString& name, QString& constant)
{
    const qsizetype eq = text.indexOf(QLatin1Char('='));
    if (eq <= 0)
        return false;
    name = text.left(eq).trimmed();
    const QString rest = text.mid(eq + 1).trimmed();
    if (name.isEmpty() || rest.size() < 2 || !rest.startsWith(QLatin1Char('\'')) || !rest.endsWith(QLatin1Char('\'')))
        return false;
    constant = rest.mid(1, rest.size() - 2);
    return true;
}

QString ReportEngine::connectionStringFor(const QString& dataFile)
{
    return QStringLiteral("Provider=SQLCipher;Data Source=") + dataFile + QStringLiteral(";Database Password=") +
           QLatin1String(TenderDatabase::Password);
}

void ReportEngine::setFormula(int index, const QString& text)
{
    while (m_formulas.size() <= index)
        m_formulas << QString();
    m_formulas[index] = text;
}

void ReportEngine::fail(const QString& engineText, const QString& description)
{
    m_lastError = engineText;
    throw ReportError(description);
}

ReportContent ReportEngine::prepare()
{
    m_lastError.clear();
    std::vector<std::pair<QString, QString>> formulas;
    for (const QString& text : std::as_const(m_formulas)) {
        if (text.isEmpty())
            continue;
        QString name, constant;
        if (!parseFormula(text, name, constant))
            fail(FormulaFailure, QStringLiteral("The formula %1 is not of the form name='text'.").arg(text));
        formulas.emplace_back(name, constant);
    }

    ReportTemplate report;
    try {
        report = ReportTemplate::load(m_reportFile);
    } catch (const TemplateError& e) {
        fail(TemplateFailure, e.text());
    }

    // A connection kept open would still read a file that has since gone, so look for the file itself.
    if (m_dataFile.isEmpty() || !QFileInfo(m_dataFile).isFile())
        fail(DataFileFailure, QStringLiteral("Could not find file '%1'.").arg(m_dataFile));
    const QString connectionString = connectionStringFor(m_dataFile);
    try {
        TenderDatabase::connection(connectionString);
    } catch (const DbError& e) {
        fail(DataFileFailure, e.description());
    }
    try {
        return buildReportContent(report, connectionString, formulas);
    } catch (const DbError& e) {
        fail(DataFailure, e.description());
    } catch (const TemplateError& e) {
        fail(TemplateFailure, e.text());
    }
}

void ReportEngine::exportToPdf(const QString& pdfPath)
{
    const ReportContent content = prepare();
    ReportRenderer report(content);
    if (writeReportPdf(report, pdfPath) != PdfResult::Written)
        fail(OutputFailure, QStringLiteral("The file %1 could not be written.").arg(pdfPath));
}

QStringList headingFormulas(const QVariant& organization, const QVariant& orgAddress, const QString& tenderDuration)
{
    // Null gives '' rather than failing; values go in as they are, the engine reads up to the last apostrophe.
    const auto text = [](const QVariant& v) { return v.isNull() ? QString() : v.toString(); };
    return {QStringLiteral("Organization='") + text(organization) + QLatin1Char('\''),
            QStringLiteral("OrgAddress='") + text(orgAddress) + QLatin1Char('\''),
            QStringLiteral("TenderDuration='") + tenderDuration + QLatin1Char('\'')};
}
