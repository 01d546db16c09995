// The hospital's tool: builds the tender database that it hands to every vendor.
#include "db/csvreader.h"
#include "db/dberror.h"
#include "db/tenderbuilder.h"
#include "output/reportengine.h"
#include "output/exporterror.h"
#include "output/tenderreport.h"
#include "db/keyedfile.h"
#include "tender/biddigest.h"
#include "tender/bidsignature.h"
#include "tender/comparison.h"
#include "tender/statementexport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTextStream>
#include <memory>

namespace {

// Compares the returned files against the hospital's tender and writes the statement. Refused files
// are named on standard error; 0 when at least one file was compared, 1 otherwise.
int compareCommand(const QStringList& args, QTextStream& err)
{
    const QString out = args[2];
    const QString suffix = QFileInfo(out).suffix().toLower();
    if (!QStringList{"csv", "xlsx", "html", "htm", "pdf"}.contains(suffix)) {
        err << "tenderdb: the statement is written as .csv, .xlsx, .html or .pdf, not '" << out << "'\n";
        return 2;
    }
    const Tender::HospitalTender tender = Tender::readHospitalTender(args[1]);
    const Tender::Comparison comparison =
        Tender::compare(tender, Tender::readReturnedFiles(args.mid(3), tender));
    for (const Tender::ReturnedFile& f : comparison.files)
        if (!f.accepted)
            err << "tenderdb: refused " << f.path << ": " << f.refusal << "\n";
    if (comparison.acceptedFiles() == 0) {
        err << "tenderdb: no file could be compared\n";
        return 1;
    }
    Tender::writeStatement(comparison, out);
    return 0;
}

// Checks the vendor's signature over a returned file: the file's digest recomputed, the signature
// checked over it, the signer shown. 0 only for a valid signature.
int verifyCommand(const QStringList& args, QTextStream& out, QTextStream& err)
{
    const QString file = args[1];
    const QString signaturePath = args.size() > 2 ? args[2] : Tender::defaultSignaturePath(file);
    const QString digest = Tender::formatBidDigest(Tender::bidDigest(KeyedFile(file)));
    out << "File: " << file << "\n"
        << "Bid digest: " << digest << "\n";
    QFile signatureFile(signaturePath);
    if (!signatureFile.open(QIODevice::ReadOnly)) {
        err << "tenderdb: cannot read the signature " << signaturePath << ": " << signatureFile.errorString() << "\n";
        return 1;
    }
    const Tender::SignatureCheck check = Tender::checkSignature(signatureFile.readAll(), digest);
    const auto when = [](const QDateTime& t) { return t.isValid() ? t.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss 'UTC'")) : QStringLiteral("not stated"); };
    out << "Signature: " << signaturePath << "\n"
        << "Result: " << check.verdictText() << "\n";
    if (!check.signer.subject.isEmpty())
        out << "Signer: " << check.signer.subject << "\n"
            << "Issuer: " << check.signer.issuer << "\n"
            << "Serial number: " << check.signer.serial << "\n"
            << "Certificate valid: from " << when(check.signer.validFrom) << " until " << when(check.signer.validUntil) << "\n"
            << "Signed at: " << when(check.signingTime) << "\n";
    return check.valid() ? 0 : 1;
}

// Where the application folder lies: beside this tool in the build tree, or this tool's own folder.
QString applicationFolder()
{
    const QDir here(QCoreApplication::applicationDirPath());
    if (QFileInfo::exists(here.filePath(QStringLiteral("app/quillbid"))))
        return here.filePath(QStringLiteral("app"));
    return here.path();
}

void copyInto(const QString& from, const QDir& to)
{
    const QString target = to.filePath(QFileInfo(from).fileName());
    QFile::remove(target);
    if (!QFile::copy(from, target))
        throw ExportError(ExportErrorNumber::FileAccess, QStringLiteral("Cannot copy %1 to %2").arg(from, to.path()));
}

// Lays out the folder the hospital hands to each supplier: the application and the files beside it,
// the tender built from the CSV lists and its quantity list printed.
void kitCommand(const QString& csvFolder, const QString& outFolder)
{
    const QDir app(applicationFolder());
    const QString program = app.filePath(QStringLiteral("quillbid"));
    if (!QFileInfo::exists(program))
        throw ExportError(ExportErrorNumber::FileAccess, QStringLiteral("The application is not at %1").arg(program));
    const bool existed = QFileInfo::exists(outFolder);
    if (!QDir().mkpath(outFolder))
        throw ExportError(ExportErrorNumber::FileAccess, QStringLiteral("Cannot make the folder %1").arg(outFolder));
    const QDir out(outFolder);
    try {
        const QString tenderFile = out.filePath(QStringLiteral("Tender.klmt"));
        TenderBuilder::buildFromCsvFolder(csvFolder, tenderFile);
        copyInto(program, out);
        QStringList files = app.entryList({QStringLiteral("*.rpt")}, QDir::Files, QDir::Name);
        files << QStringLiteral("quillbid.desktop") << QStringLiteral("quillbid.svg") << QStringLiteral("README.txt");
        for (const QString& name : files)
            copyInto(app.filePath(name), out);
        exportTenderReport(app.filePath(QStringLiteral("CT_QtyReq.rpt")), tenderFile, out.filePath(QStringLiteral("CT_QtyReq.pdf")));
    } catch (...) {
        // A half-made kit must not be handed out: a folder made here goes again.
        if (!existed)
            QDir(outFolder).removeRecursively();
        throw;
    }
}

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
           "      Prints a report of the tender to a PDF file, headed with the tender's organisation and title.\n"
           "  tenderdb compare <hospital.klmt> <statement.csv|.xlsx|.html|.pdf> <returned.klmt>...\n"
           "      Ranks the returned bids on every line of the hospital's yearly requirement.\n"
           "  tenderdb verify <returned.klmt> [signature.p7s]\n"
           "      Checks the vendor's signature over the file's bid (by default the file's name with\n"
           "      \" - Submission.p7s\" in place of \" - Tender.klmt\"); 0 only for a valid signature.\n"
           "  tenderdb kit <csv-folder> <output-folder>\n"
           "      Lays out the folder handed to suppliers: the application, the tender and its files.\n";
    return 2;
}

} // namespace

int main(int argc, char* argv[])
{
    // Painting a report needs fonts, so that command runs as a GUI application, off screen.
    const bool painting = argc > 1 && (qstrcmp(argv[1], "report") == 0 || qstrcmp(argv[1], "kit") == 0 ||
                                       qstrcmp(argv[1], "compare") == 0);
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
        } else if (args.size() >= 4 && args[0] == QLatin1String("compare")) {
            return compareCommand(args, err);
        } else if ((args.size() == 2 || args.size() == 3) && args[0] == QLatin1String("verify")) {
            QTextStream out(stdout);
            return verifyCommand(args, out, err);
        } else if (args.size() == 3 && args[0] == QLatin1String("kit")) {
            kitCommand(args[1], args[2]);
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
    } catch (const Tender::TenderFileError& e) {
        err << "tenderdb: " << e.description() << "\n";
        return 1;
    } catch (const ExportError& e) {
        err << "tenderdb: " << e.description() << "\n";
        return 1;
    }
    return 0;
}
