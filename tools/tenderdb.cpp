// The hospital's tool: builds the tender database that it hands to every vendor.
#include "db/csvreader.h"
#include "db/dberror.h"
#include "db/tenderbuilder.h"
#include "output/reportengine.h"
#include "output/tenderreport.h"

#include <QGuiApplication>
#include <QTextStream>
#include <memory>

namespace {

int usage(QTextStream& err)
{
    err << "Usage:\n"
           "  tenderdb build <csv-folder> <output.klmt>\n"
           "      Builds a tender database from one CSV file per table (<Table>.csv, header row of column names).\n"
           "  tenderdb empty <output.klmt>\n"
           "      Builds a database with every table and no rows.\n"
           "  tenderdb synth <output.klmt> [generics brands quotations]\n"
           "      Builds a large made-up tender for speed measurements (default 5000 50000 5000).\n"
           "  tenderdb report <template.rpt> <tender.klmt> <output.pdf>\n"
           "      Prints a report of the tender to a PDF file, headed with the tender's organisation and title.\n";
    return 2;
}

} // namespace

int main(int argc, char* argv[])
{
    // Painting a report needs fonts, so that command runs as a GUI application, off screen.
    const bool painting = argc > 1 && qstrcmp(argv[1], "report") == 0;
    if (painting && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::unique_ptr<QCoreApplication> app;
    if (painting)
        app = std::make_unique<QGuiApplication>(argc, argv);
    else
        app = std::make_unique<QCoreApplication>(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app->arguments().mid(1);
    try {
        if (args.size() == 3 && args[0] == QLatin1String("build")) {
            TenderBuilder::buildFromCsvFolder(args[1], args[2]);
        } else if (args.size() == 2 && args[0] == QLatin1String("empty")) {
            TenderBuilder::buildEmpty(args[1]);
        } else if (args.size() >= 2 && args[0] == QLatin1String("synth")) {
            TenderBuilder::SyntheticSize size;
            if (args.size() == 5) {
                size.generics = args[2].toInt();
                size.brands = args[3].toInt();
                size.quotations = args[4].toInt();
            } else if (args.size() != 2) {
                return usage(err);
            }
            TenderBuilder::buildSynthetic(args[1], size);
        } else if (args.size() == 4 && args[0] == QLatin1String("report")) {
            exportTenderReport(args[1], args[2], args[3]);
        } else {
            return usage(err);
        }
    } catch (const CsvError& e) {
        err << "tenderdb: " << e.text() << "\n";
        return 1;
    } catch (const DbError& e) {
        err << "tenderdb: error " << e.number() << " (" << e.source() << "): " << e.description() << "\n";
        return 1;
    } catch (const ReportError& e) {
        err << "tenderdb: " << e.description() << "\n";
        return 1;
    }
    return 0;
}
