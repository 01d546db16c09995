#include "tests/support/quotedrows.h"
#include "tests/support/testenv.h"

#include "app/applicationstate.h"
#include "app/screens.h"
#include "db/tenderdatabase.h"
#include "output/frmCrystal.h"
#include "output/reportcontent.h"
#include "output/reportengine.h"
#include "output/reporttemplate.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The text of a PDF as a reader sees it, one string per page, laid out as printed.
QStringList pdfPages(const QString& pdf)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty())
        qFatal("pdftotext is missing: run scripts/install-deps.sh");
    QProcess p;
    p.start(tool, {QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
    p.waitForFinished(60000);
    QStringList pages = QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

// Copies the shipped templates into the test's application folder, as the build lays them beside the database.
void layTemplates(const TestFolder& folder)
{
    const QDir source(QStringLiteral(QUILLBID_DATA_DIR "/reports"));
    for (const QString& name : source.entryList({QStringLiteral("*.rpt")}, QDir::Files))
        QFile::copy(source.filePath(name), folder.filePath(name));
}

void loadDemoHeading()
{
    AppState::CurrentOrganization = QStringLiteral("Kelmont Hospital Pharmacy");
    AppState::CurrentOrgAddress = QStringLiteral("Kelmont Hospital, 14 Shivaji Road, Pune 411005, Maharashtra");
    AppState::CurrentTenderDuration = QStringLiteral("Tender 2027-28");
}

// The first cell of each printed row: the text before the first run of two blanks.
QStringList firstCells(const QStringList& pages, const QStringList& candidates)
{
    QStringList found;
    for (const QString& page : pages)
        for (const QString& line : page.split(QLatin1Char('\n'))) {
            const QString first = line.trimmed().split(QRegularExpression(QStringLiteral("\\s{2,}"))).value(0);
            if (candidates.contains(first))
                found << first;
        }
    return found;
}

} // namespace

class tst_reports : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QVERIFY(visibleTopLevels().isEmpty()); }

    // --- the template format ---

    void aTemplateReadsEveryKeyword()
    {
        const ReportTemplate t = ReportTemplate::parse(QStringLiteral(
            "# comment\n"
            "Title: List of X\n"
            "heading: {Organization}\n"
            "heading: Tender: {TenderDuration}\r\n"
            "orientation: landscape\n"
            "query: Select A, B\n"
            "query: From T\n"
            "\n"
            "column: FIRST | A | 30\n"
            "column: SECOND | B | 70 | right\n"
            "group: Kind | A\n"
            "total: Rows | count\n"
            "total: Sum of B | sum B\n"), QStringLiteral("x.rpt"));
        QCOMPARE(t.title, QStringLiteral("List of X"));
        QCOMPARE(t.heading, (QStringList{"{Organization}", "Tender: {TenderDuration}"}));
        QVERIFY(t.landscape);
        QCOMPARE(t.query, QStringLiteral("Select A, B From T"));
        QCOMPARE(t.columns.size(), size_t(2));
        QCOMPARE(t.columns[1].caption, QStringLiteral("SECOND"));
        QCOMPARE(t.columns[1].field, QStringLiteral("B"));
        QCOMPARE(t.columns[1].width, 70);
        QCOMPARE(t.columns[1].alignment, ReportAlignment::Right);
        QCOMPARE(t.groupField, QStringLiteral("A"));
        QCOMPARE(t.totals.size(), size_t(2));
        QCOMPARE(t.totals[1].kind, ReportTotal::Kind::Sum);
        QCOMPARE(t.totals[1].field, QStringLiteral("B"));
        QCOMPARE(t.resolvedHeading({{"Organization", "Org"}, {"TenderDuration", "2027"}}),
                 (QStringList{"Org", "Tender: 2027"}));
        QCOMPARE(t.resolvedHeading({}), (QStringList{"", "Tender: "}));
    }

    void malformedTemplatesAreRefusedWithTheLine_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("error");
        const QString good = QStringLiteral("title: T\nquery: Select A From T\ncolumn: A | A | 10\n");
        QTest::newRow("unknown keyword") << good + "colum: B | B | 10\n" << "x.rpt, line 4: unknown keyword 'colum'";
        QTest::newRow("no colon") << "title T\n" << "x.rpt, line 1: expected keyword: value";
        QTest::newRow("width not a number") << "column: A | A | wide\n" << "x.rpt, line 1: the width 'wide'";
        QTest::newRow("width zero") << "column: A | A | 0\n" << "x.rpt, line 1: the width '0'";
        QTest::newRow("bad alignment") << "column: A | A | 5 | middle\n" << "x.rpt, line 1: the alignment 'middle'";
        QTest::newRow("column without width") << "column: A | A\n" << "x.rpt, line 1: a column needs";
        QTest::newRow("bad total") << good + "total: N | average A\n" << "x.rpt, line 4: 'average A' is neither";
        QTest::newRow("two titles") << good + "title: U\n" << "x.rpt, line 4: the title is given twice";
        QTest::newRow("no title") << "query: Select A From T\ncolumn: A | A | 10\n" << "x.rpt: the template has no title";
        QTest::newRow("no query") << "title: T\ncolumn: A | A | 10\n" << "x.rpt: the template has no query";
        QTest::newRow("no columns") << "title: T\nquery: Select A From T\n" << "x.rpt: the template has no columns";
        QTest::newRow("not a select") << "title: T\nquery: Delete From T\ncolumn: A | A | 10\n"
                                      << "x.rpt: the query must be a single Select";
        QTest::newRow("two statements") << "title: T\nquery: Select A From T; Delete From T\ncolumn: A | A | 10\n"
                                        << "x.rpt: the query must be a single Select";
    }
    void malformedTemplatesAreRefusedWithTheLine()
    {
        QFETCH(QString, text);
        QFETCH(QString, error);
        try {
            ReportTemplate::parse(text, QStringLiteral("x.rpt"));
            QFAIL("accepted");
        } catch (const TemplateError& e) {
            QVERIFY2(e.text().startsWith(error), qPrintable(e.text()));
        }
    }

    // --- formulas ---

    void formulas_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("constant");
        QTest::newRow("plain") << "Organization='Kelmont'" << true << "Organization" << "Kelmont";
        QTest::newRow("empty constant") << "Organization=''" << true << "Organization" << "";
        QTest::newRow("apostrophe inside") << "OrgAddress='D'Souza Road'" << true << "OrgAddress" << "D'Souza Road";
        QTest::newRow("apostrophe at the end") << "OrgAddress='Shah's'" << true << "OrgAddress" << "Shah's";
        QTest::newRow("no equals") << "Organization" << false << "" << "";
        QTest::newRow("no quotes") << "Organization=Kelmont" << false << "" << "";
        QTest::newRow("one apostrophe") << "Organization='" << false << "" << "";
    }
    void formulas()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QString name, constant;
        QCOMPARE(ReportEngine::parseFormula(text, name, constant), valid);
        if (valid) {
            QTEST(name, "name");
            QTEST(constant, "constant");
        }
    }

    void headingFormulasTurnNullIntoEmptyText()
    {
        QCOMPARE(headingFormulas(QVariant(), QVariant(), QStringLiteral("Tender 2027-28")),
                 (QStringList{"Organization=''", "OrgAddress=''", "TenderDuration='Tender 2027-28'"}));
        QCOMPARE(headingFormulas(QStringLiteral("K"), QStringLiteral("D'Souza Road"), QString()),
                 (QStringList{"Organization='K'", "OrgAddress='D'Souza Road'", "TenderDuration=''"}));
    }

    // --- content ---

    void groupsAndTotalsFollowTheRows()
    {
        TestFolder folder;
        const ReportTemplate t = ReportTemplate::parse(QStringLiteral(
            "title: Q\n"
            "query: Select DrugForm, Generic, QtyReqPerYear From CT_QtyPerYears\n"
            "query: Where DrugForm In ('Cream', 'Ointment') Order By DrugForm, Generic\n"
            "column: GENERIC | Generic | 50\n"
            "column: QTY | QtyReqPerYear | 10 | right\n"
            "group: Drug form | DrugForm\n"
            "total: Items | count\n"
            "total: Quantity | sum QtyReqPerYear\n"), QStringLiteral("q.rpt"));
        const ReportContent c = buildReportContent(t, AppState::ConnectionString, {});
        const int creams = folder.count("CT_QtyPerYears", "DrugForm = 'Cream'");
        const int ointments = folder.count("CT_QtyPerYears", "DrugForm = 'Ointment'");
        QVERIFY(creams > 0 && ointments > 0);
        QCOMPARE(c.rowCount, creams + ointments);
        // header, rows, two group totals; again for the second group; then two grand totals
        QCOMPARE(c.lines.size(), size_t(c.rowCount + 2 * 3 + 2));
        QCOMPARE(c.lines[0].kind, ReportLine::Kind::GroupHeader);
        QCOMPARE(c.lines[0].text, QStringLiteral("Drug form: Cream"));
        const ReportLine& creamCount = c.lines[size_t(creams) + 1];
        QCOMPARE(creamCount.kind, ReportLine::Kind::GroupTotal);
        QCOMPARE(creamCount.text, QStringLiteral("Items: %1").arg(creams));
        QCOMPARE(c.lines[size_t(creams) + 2].text,
                 QStringLiteral("Quantity: ") + folder.scalar("Select Sum(QtyReqPerYear) From CT_QtyPerYears Where DrugForm = 'Cream'"));
        QCOMPARE(c.lines[size_t(creams) + 3].text, QStringLiteral("Drug form: Ointment"));
        QCOMPARE(c.lines.back().kind, ReportLine::Kind::Total);
        QCOMPARE(c.lines.back().text, QStringLiteral("Quantity: ") +
                                          folder.scalar("Select Sum(QtyReqPerYear) From CT_QtyPerYears Where DrugForm In ('Cream', 'Ointment')"));
        QCOMPARE(c.lines[c.lines.size() - 2].text, QStringLiteral("Items: %1").arg(creams + ointments));
    }

    void valuesShowAsOnScreen()
    {
        QCOMPARE(reportCellText(QVariant()), QString());
        QCOMPARE(reportCellText(true), QStringLiteral("Yes"));
        QCOMPARE(reportCellText(false), QString());
        QCOMPARE(reportCellText(QStringLiteral("10.8")), QStringLiteral("10.8"));
        QCOMPARE(reportCellText(QDateTime(QDate(2027, 3, 9), QTime(10, 0))), QStringLiteral("09-03-2027"));
    }

    void aFieldTheQueryDoesNotReturnIsATemplateError()
    {
        TestFolder folder;
        const ReportTemplate t = ReportTemplate::parse(
            QStringLiteral("title: T\nquery: Select Code From CT_DrugForms\ncolumn: X | Description | 10\n"), QStringLiteral("t.rpt"));
        QVERIFY_THROWS_EXCEPTION(TemplateError, buildReportContent(t, AppState::ConnectionString, {}));
    }

    // --- the screen ---

    void theScreenOffersItsReports()
    {
        TestFolder folder;
        frmCrystal screen;
        screen.show();
        QCOMPARE(screen.windowTitle(), QStringLiteral(" Print/Export data using Crystal"));
        QCOMPARE(control<QLabel>(&screen, "lblHeading")->text(), QStringLiteral("Print/Export data"));
        const QStringList captions{"Generics", "Drug &Form", "&Strength Master", "Drug &Packing (Unit of Measurement)",
                                   "&Brand Master", "PRINT ALL &QUOTED ITEMS", "&Close", "Quantity Required per Year by KLMT"};
        const QStringList infos{"To print/export list of generics", "To print/export list of drug forms",
                                "To print/export list of strengths", "To print/export list of drug packings/UOM",
                                "To print/export list of brands", "To print/export list of quoted items",
                                "Return to previous screen", "To print/export quantity required per year by KLMT"};
        for (int i = 0; i < 8; ++i) {
            auto* button = control<QPushButton>(&screen, QStringLiteral("cmdMaster(%1)").arg(i));
            auto* info = control<QLabel>(&screen, QStringLiteral("lblInfo(%1)").arg(i));
            QCOMPARE(button->text(), captions[i]);
            QCOMPARE(info->text(), infos[i]);
            QCOMPARE(button->isVisible(), i != 7);
            QCOMPARE(info->isVisible(), i != 7);
        }
        QCOMPARE(control<QPushButton>(&screen, "cmdMaster(6)")->toolTip(), QStringLiteral("Return to previous screen"));
        QCOMPARE(control<QAction>(&screen, "mnuBack")->text(), QStringLiteral("&Back"));
        QVERIFY(screen.findChild<QWidget*>("tBar1"));
        QVERIFY(screen.findChild<QWidget*>("sBar"));
        control<QAction>(&screen, "tBar1Back")->trigger();
        QVERIFY(!screen.isVisible());
    }

    void everyReportPrintsWithItsHeadingOnEveryPage_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QStringList>("firstRows");  // the first cells of the first rows, in order
        QTest::newRow("generics") << 0 << "List of Generics" << "CT_Generics"
                                  << QStringList{"1001", "1002", "1003"};
        QTest::newRow("drug forms") << 1 << "List of Drug Forms" << "CT_DrugForms" << QStringList{"DF02", "DF08"};
        QTest::newRow("strengths") << 2 << "List of Drug Strengths" << "CT_Strengths" << QStringList{};
        QTest::newRow("packings") << 3 << "List of Drug Packing" << "CT_DrugPackings" << QStringList{};
        QTest::newRow("brands") << 4 << "List of Brands" << "CT_Brands" << QStringList{"B00017", "B00018"};
        QTest::newRow("quantities") << 7 << "Quantity Required per Year by KLMT" << "CT_QtyPerYears"
                                    << QStringList{"Acarbose", "Aceclofenac", "Aceclofenac + Paracetamol"};
    }
    void everyReportPrintsWithItsHeadingOnEveryPage()
    {
        QFETCH(int, index);
        QFETCH(QString, title);
        QFETCH(QString, table);
        QFETCH(QStringList, firstRows);
        TestFolder folder;
        layTemplates(folder);
        loadDemoHeading();
        MessageBoxScript boxes;
        QTemporaryDir out;
        ReportPreviewScript preview(out.path());
        frmCrystal screen;
        screen.cmdMaster_Click(index);
        QCOMPARE(boxes.count(), 0);
        QCOMPARE(preview.titles, QStringList{title});

        const QStringList pages = pdfPages(preview.pdfFiles.value(0));
        QVERIFY(!pages.isEmpty());
        for (int p = 0; p < pages.size(); ++p) {
            const QString& page = pages[p];
            QVERIFY2(page.contains("Kelmont Hospital Pharmacy"), qPrintable(QString::number(p)));
            QVERIFY(page.contains("Kelmont Hospital, 14 Shivaji Road, Pune 411005, Maharashtra"));
            QVERIFY(page.contains("Tender 2027-28"));
            QVERIFY(page.contains(QStringLiteral("Page %1 of %2").arg(p + 1).arg(pages.size())));
        }
        // Every row is printed once: the count at the end says so, and the first ones come in order.
        QVERIFY2(pages.last().contains(QRegularExpression(QStringLiteral(": %1\\s*\\n").arg(folder.count(table)))),
                 qPrintable(pages.last().right(300)));
        if (!firstRows.isEmpty())
            QCOMPARE(firstCells(pages, firstRows).mid(0, firstRows.size()), firstRows);
    }

    void drugPackingsAreGroupedByTheirUnit()
    {
        TestFolder folder;
        layTemplates(folder);
        MessageBoxScript boxes;
        QTemporaryDir out;
        ReportPreviewScript preview(out.path());
        frmCrystal screen;
        screen.cmdMaster_Click(3);
        const QString text = pdfPages(preview.pdfFiles.value(0)).join('\n');
        QVERIFY(text.contains("Unit of measurement: Strip"));
        QVERIFY(text.contains(QStringLiteral("Number of packings: %1").arg(folder.count("CT_DrugPackings", "Packing = 'Strip'"))));
        QVERIFY(text.indexOf("Unit of measurement: Bottle") < text.indexOf("Unit of measurement: Strip"));
    }

    void aNullOrganisationAndAnApostropheInTheAddress()
    {
        TestFolder folder;
        layTemplates(folder);
        AppState::CurrentOrganization = QVariant();
        AppState::CurrentOrgAddress = QStringLiteral("12 D'Souza Road, Pune");
        AppState::CurrentTenderDuration = QStringLiteral("Tender 2031");
        MessageBoxScript boxes;
        QTemporaryDir out;
        ReportPreviewScript preview(out.path());
        frmCrystal screen;
        screen.cmdMaster_Click(1);
        QCOMPARE(boxes.count(), 0);
        const QStringList pages = pdfPages(preview.pdfFiles.value(0));
        QCOMPARE(pages.size(), 1);
        const QStringList lines = pages[0].split('\n', Qt::SkipEmptyParts);
        // The organisation's line is there but empty, so the address is the first thing printed.
        QCOMPARE(lines.value(0).trimmed(), QStringLiteral("12 D'Souza Road, Pune"));
        QCOMPARE(lines.value(1).trimmed(), QStringLiteral("Tender 2031"));
        QCOMPARE(lines.value(2).trimmed(), QStringLiteral("List of Drug Forms"));
    }

    void theQuotedItemsReportHasNoHospitalHeading()
    {
        TestFolder folder;
        layTemplates(folder);
        loadDemoHeading();
        QuotationDraft quoted = sampleQuotation();
        quoted.manufacturer = "D'Souza Remedies";
        quoted.cost = "120.5";
        quoted.mrpWithTax = "150.25";
        storeQuotation(quoted);
        MessageBoxScript boxes;
        QTemporaryDir out;
        ReportPreviewScript preview(out.path());
        frmCrystal screen;
        screen.cmdMaster_Click(5);
        QCOMPARE(boxes.count(), 0);
        QCOMPARE(preview.titles, QStringList{"List of Quoted Items"});
        const QString text = pdfPages(preview.pdfFiles.value(0)).join('\n');
        QVERIFY(!text.contains("Kelmont"));
        QVERIFY(!text.contains("Tender 2027-28"));
        QVERIFY(text.contains("List of Quoted Items"));
        QVERIFY(text.contains("D'Souza"));
        QVERIFY(text.contains("120.5"));
        QVERIFY(text.contains("150.25"));
        QVERIFY(text.contains("Number of quoted items: 1"));
    }

    void severalReportsInTurnFromOneScreen()
    {
        TestFolder folder;
        layTemplates(folder);
        MessageBoxScript boxes;
        QTemporaryDir out;
        ReportPreviewScript preview(out.path());
        frmCrystal screen;
        screen.show();
        for (int i : {1, 2, 5, 1})
            QTest::mouseClick(control<QPushButton>(&screen, QStringLiteral("cmdMaster(%1)").arg(i)), Qt::LeftButton);
        QCOMPARE(preview.titles, (QStringList{"List of Drug Forms", "List of Drug Strengths", "List of Quoted Items",
                                              "List of Drug Forms"}));
        QCOMPARE(boxes.count(), 0);
        QVERIFY(screen.isVisible());
        QTest::mouseClick(control<QPushButton>(&screen, "cmdMaster(6)"), Qt::LeftButton);
        QVERIFY(!screen.isVisible());
    }

    void failuresShowTheErrorBoxAndTheScreenStaysUsable_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("engineText");
        QTest::addColumn<QString>("detail");
        QTest::newRow("missing template") << "remove" << "Cannot load the report template."
                                          << "CT_DrugForms.rpt was not found.";
        QTest::newRow("malformed template") << "garble" << "Cannot load the report template."
                                            << "CT_DrugForms.rpt, line 1: unknown keyword 'tittle'";
        QTest::newRow("template names a missing field") << "field" << "Cannot load the report template."
                                                        << "no field 'Nonsense'";
        QTest::newRow("failing query") << "query" << "Cannot read the report's data." << "no such table";
        QTest::newRow("missing database") << "database" << "Cannot open the report's data file."
                                          << "Tender.klmt'.";
    }
    void failuresShowTheErrorBoxAndTheScreenStaysUsable()
    {
        QFETCH(QString, damage);
        QFETCH(QString, engineText);
        QFETCH(QString, detail);
        TestFolder folder;
        layTemplates(folder);
        const QString rpt = folder.filePath("CT_DrugForms.rpt");
        const auto rewrite = [&](const QByteArray& text) {
            QFile f(rpt);
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(text);
        };
        if (damage == "remove")
            QVERIFY(QFile::remove(rpt));
        else if (damage == "garble")
            rewrite("tittle: X\n");
        else if (damage == "field")
            rewrite("title: X\nquery: Select Code From CT_DrugForms\ncolumn: A | Nonsense | 5\n");
        else if (damage == "query")
            rewrite("title: X\nquery: Select Code From CT_NoSuchForms\ncolumn: A | Code | 5\n");
        else if (damage == "database") {
            TenderDatabase::closeConnection();
            QVERIFY(QFile::remove(folder.databasePath()));
        }
        MessageBoxScript boxes;
        QTemporaryDir out;
        ReportPreviewScript preview(out.path());
        frmCrystal screen;
        screen.show();
        QTest::mouseClick(control<QPushButton>(&screen, "cmdMaster(1)"), Qt::LeftButton);
        QCOMPARE(boxes.count(), 1);
        QCOMPARE(boxes.last().title, QStringLiteral("Error while printing"));
        QCOMPARE(boxes.last().icon, QMessageBox::Critical);
        QCOMPARE(boxes.last().buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QVERIFY2(boxes.last().text.startsWith(engineText + "\r\n"), qPrintable(boxes.last().text));
        QVERIFY2(boxes.last().text.contains(detail), qPrintable(boxes.last().text));
        QVERIFY(preview.titles.isEmpty());
        QVERIFY(screen.isVisible());
        QVERIFY(QApplication::overrideCursor() == nullptr);

        // The screen carries on: the next report prints (or fails the same way without a database).
        QTest::mouseClick(control<QPushButton>(&screen, "cmdMaster(2)"), Qt::LeftButton);
        if (damage == "database") {
            QCOMPARE(boxes.count(), 2);
        } else {
            QCOMPARE(boxes.count(), 1);
            QCOMPARE(preview.titles, QStringList{"List of Drug Strengths"});
        }
        screen.close();
    }

    void opensModallyAndIsReleasedOnClose()
    {
        TestFolder folder;
        QPointer<QWidget> shown;
        whenModal([&](QWidget* w) {
            shown = w;
            QCOMPARE(w->objectName(), QStringLiteral("frmCrystal"));
            control<QAction>(w, "mnuBack")->trigger();
        });
        showReportPrinting(nullptr);
        QVERIFY(shown);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!shown);
    }

    void thePreviewKeepsThePageSetupTheVendorChose()
    {
        TestFolder folder;
        layTemplates(folder);
        MessageBoxScript boxes;
        QTemporaryDir out;
        QList<QPageLayout::Orientation> painted;
        ReportPreviewSeam::Override preview([&](const ReportPreviewRequest& request) {
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(out.filePath("p.pdf"));
            request.paint(&printer);
            painted << printer.pageLayout().orientation();
            // As the preview does when the vendor turns the page, then paints again.
            printer.setPageOrientation(QPageLayout::Portrait);
            request.paint(&printer);
            painted << printer.pageLayout().orientation();
        });
        frmCrystal screen;
        screen.cmdMaster_Click(4);  // brands: a landscape template
        QCOMPARE(painted, (QList<QPageLayout::Orientation>{QPageLayout::Landscape, QPageLayout::Portrait}));
        QCOMPARE(boxes.count(), 0);
    }

    void theHospitalsReadyPdfWasPrintedByTheBuild()
    {
        const QStringList pages = pdfPages(QStringLiteral(QUILLBID_APP_DIR "/CT_QtyReq.pdf"));
        QVERIFY(pages.size() > 1);
        for (int p = 0; p < pages.size(); ++p) {
            QVERIFY(pages[p].contains("Kelmont Hospital Pharmacy"));
            QVERIFY(pages[p].contains("Quantity Required per Year"));
            QVERIFY(pages[p].contains(QStringLiteral("Page %1 of %2").arg(p + 1).arg(pages.size())));
        }
        QVERIFY(pages.last().contains("Number of items: 400"));
        QVERIFY(pages.join('\n').contains("Ringer's Lactate"));
    }
};

QTEST_MAIN(tst_reports)
#include "tst_reports.moc"
