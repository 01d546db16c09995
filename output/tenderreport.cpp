#include "output/tenderreport.h"

#include "db/dberror.h"
#include "db/recordset.h"
#include "output/reportengine.h"

void exportTenderReport(const QString& templatePath, const QString& dataFile, const QString& pdfPath)
{
    ReportEngine engine;
    engine.setDataFile(dataFile);
    engine.setReportFileName(templatePath);
    try {
        Recordset options(QStringLiteral("Select * From CT_Options"), ReportEngine::connectionStringFor(dataFile),
                          CursorType::ForwardOnly, LockType::ReadOnly);
        if (!options.eof()) {
            const QVariant duration = options.field(QStringLiteral("TenderDuration"));
            const QStringList formulas =
                headingFormulas(options.field(QStringLiteral("Organization")), options.field(QStringLiteral("OrgAddress")),
                                duration.isNull() ? QString() : duration.toString());
            for (int i = 0; i < formulas.size(); ++i)
                engine.setFormula(i, formulas[i]);
        }
    } catch (const DbError& e) {
        throw ReportError(QStringLiteral("Cannot read the tender's options: ") + e.description());
    }
    try {
        engine.exportToPdf(pdfPath);
    } catch (const ReportError& e) {
        throw ReportError(engine.lastErrorString() + QLatin1Char(' ') + e.description());
    }
}
