#include "tests/support/testenv.h"

#include "app/applicationstate.h"
#include "app/screens.h"
#include "db/tenderdatabase.h"
#include "output/frmCrystal.h"
#include "output/reportcontent.h"
#include "output/reportengine.h"
#include "output/reportpreview.h"
#include "output/reportrenderer.h"
#include "output/reporttemplate.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QImage>
#include <QProgressDialog>
#include <QScrollBar>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

// The text of a PDF as a reader sees it, one string per page, laid out as printed.
QStringList pdfPages(const QString& pdf)
{
    QStringList pages = pdfText(pdf, true).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

// The page size the PDF declares, in points, as a reader sees it.
QSizeF pdfPageSize(const QString& pdf)
{
    QProcess p;
    p.start(QStandardPaths::findExecutable(QStringLiteral("pdfinfo")), {pdf});
    p.waitForFinished(60000);
    const QRegularExpression size(QStringLiteral("Page size:\\s+([0-9.]+) x ([0-9.]+) pts"));
    const QRegularExpressionMatch m = size.match(QString::fromUtf8(p.readAllStandardOutput()));
    return m.hasMatch() ? QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()) : QSizeF();
}

// A report made up in memory: `rows` rows of a code, a name and an amount.
ReportContent madeUpReport(int rows, bool landscape = false)
{
    ReportContent c;
    c.title = QStringLiteral("Made-up list");
    c.heading = QStringList{QStringLiteral("Made-up Hospital")};
    c.landscape = landscape;
    c.columns = {{"CODE", "Code", 10, ReportAlignment::Left},
                 {"NAME", "Name", 60, ReportAlignment::Left},
                 {"AMOUNT", "Amount", 20, ReportAlignment::Right}};
    c.lines.reserve(size_t(rows));
    for (int i = 0; i < rows; ++i)
        c.lines.push_back({ReportLine::Kind::Row,
                           {QStringLiteral("C%1").arg(i, 6, 10, QLatin1Char('0')), QStringLiteral("Item number %1").arg(i),
                            QStringLiteral("%1.25").arg(i)},
                           {}});
    c.rowCount = rows;
    return c;
}

// Runs `action` on the window named `name` once it is the active modal window.
void whenWindow(const QString& name, std::function<void(QWidget*)> action)
{
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, name, action] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible() && modal->objectName() == name) {
            timer->stop();
            timer->deleteLater();
            action(modal);
        }
    });
    timer->start();
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

// A fresh tender with the shipped templates, and the report screen's boxes and previews recorded.
struct Printing {
    TestFolder folder;
    MessageBoxScript boxes;
    QTemporaryDir out;
    ReportPreviewScript preview{out.path()};
    Printing() { layTemplates(folder); }
    // Prints the screen's report `index`; the pages of its PDF.
    QStringList print(int index)
    {
        frmCrystal screen;
        screen.cmdMaster_Click(index);
        return pdfPages(preview.pdfFiles.value(0));
    }
};

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
            "total: Sum of B | sum B\n"
            "formula: Vendor | Select VendorName From CT_Vendor\n"), QStringLiteral("x.rpt"));
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
        QCOMPARE(t.formulaQueries.size(), size_t(1));
        QCOMPARE(t.formulaQueries[0].name, QStringLiteral("Vendor"));
        QCOMPARE(t.formulaQueries[0].query, QStringLiteral("Select VendorName From CT_Vendor"));
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
        QTest::newRow("formula without query") << good + "formula: Vendor\n" << "x.rpt, line 4: a formula needs";
        QTest::newRow("formula that writes") << good + "formula: V | Delete From CT_Vendor\n"
                                             << "x.rpt, line 4: the formula's query must be a single Select";
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

    void everyReportPrintsWithItsHeadingOnEveryPage_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QStringList>("firstRows");  // the first cells of the first rows, in order
        QTest::addColumn<bool>("landscape");         // the template turns the page; preview and PDF follow it
        QTest::newRow("generics") << 0 << "List of Generics" << "CT_Generics"
                                  << QStringList{"1001", "1002", "1003"} << false;
        QTest::newRow("drug forms") << 1 << "List of Drug Forms" << "CT_DrugForms" << QStringList{"DF02", "DF08"} << false;
        QTest::newRow("strengths") << 2 << "List of Drug Strengths" << "CT_Strengths" << QStringList{} << false;
        QTest::newRow("packings") << 3 << "List of Drug Packing" << "CT_DrugPackings" << QStringList{} << false;
        QTest::newRow("brands") << 4 << "List of Brands" << "CT_Brands" << QStringList{"B00017", "B00018"} << true;
        QTest::newRow("quantities") << 7 << "Quantity Required per Year by KLMT" << "CT_QtyPerYears"
                                    << QStringList{"Acarbose", "Aceclofenac", "Aceclofenac + Paracetamol"} << false;
    }
    void everyReportPrintsWithItsHeadingOnEveryPage()
    {
        QFETCH(int, index);
        QFETCH(QString, title);
        QFETCH(QString, table);
        QFETCH(QStringList, firstRows);
        QFETCH(bool, landscape);
        Printing run;
        loadDemoHeading();
        const QStringList pages = run.print(index);
        QCOMPARE(run.boxes.count(), 0);
        QCOMPARE(run.preview.titles, QStringList{title});
        QCOMPARE(run.preview.orientations,
                 QList<QPageLayout::Orientation>{landscape ? QPageLayout::Landscape : QPageLayout::Portrait});
        const QSizeF sheet = pdfPageSize(run.preview.pdfFiles.value(0));
        QCOMPARE(sheet.width() > sheet.height(), landscape);
        QVERIFY(!pages.isEmpty());
        for (int p = 0; p < pages.size(); ++p) {
            const QString& page = pages[p];
            QVERIFY2(page.contains("Kelmont Hospital Pharmacy"), qPrintable(QString::number(p)));
            QVERIFY(page.contains("Kelmont Hospital, 14 Shivaji Road, Pune 411005, Maharashtra"));
            QVERIFY(page.contains("Tender 2027-28"));
            QVERIFY(page.contains(QStringLiteral("Page %1 of %2").arg(p + 1).arg(pages.size())));
        }
        // Every row is printed once: the count at the end says so, and the first ones come in order.
        QVERIFY2(pages.last().contains(QRegularExpression(QStringLiteral(": %1\\s*\\n").arg(run.folder.count(table)))),
                 qPrintable(pages.last().right(300)));
        if (!firstRows.isEmpty())
            QCOMPARE(firstCells(pages, firstRows).mid(0, firstRows.size()), firstRows);
    }

    void drugPackingsAreGroupedByTheirUnit()
    {
        Printing run;
        const QString text = run.print(3).join('\n');
        QVERIFY(text.contains("Unit of measurement: Strip"));
        QVERIFY(text.contains(QStringLiteral("Number of packings: %1").arg(run.folder.count("CT_DrugPackings", "Packing = 'Strip'"))));
        QVERIFY(text.indexOf("Unit of measurement: Bottle") < text.indexOf("Unit of measurement: Strip"));
    }

    void aNullOrganisationAndAnApostropheInTheAddress()
    {
        Printing run;
        AppState::CurrentOrganization = QVariant();
        AppState::CurrentOrgAddress = QStringLiteral("12 D'Souza Road, Pune");
        AppState::CurrentTenderDuration = QStringLiteral("Tender 2031");
        const QStringList pages = run.print(1);
        QCOMPARE(run.boxes.count(), 0);
        QCOMPARE(pages.size(), 1);
        const QStringList lines = pages[0].split('\n', Qt::SkipEmptyParts);
        // The organisation's line is there but empty, so the address is the first thing printed.
        QCOMPARE(lines.value(0).trimmed(), QStringLiteral("12 D'Souza Road, Pune"));
        QCOMPARE(lines.value(1).trimmed(), QStringLiteral("Tender 2031"));
        QCOMPARE(lines.value(2).trimmed(), QStringLiteral("List of Drug Forms"));
    }

    // The quoted items are the vendor's own list: headed with the vendor and the tender quoted for, not
    // with the hospital's address, and wide enough on a landscape page that no figure breaks.
    void theQuotedItemsReportIsHeadedWithTheVendorAndKeepsFiguresWhole()
    {
        Printing run;
        loadDemoHeading();
        run.folder.exec("Delete From CT_Vendor");
        run.folder.exec("Insert Into CT_Vendor (VendorName, City) Values ('Elvora D''Souza Remedies', 'Pune')");
        // Figures as long as a vendor types them, beside texts long enough to wrap.
        const QStringList costs{"1250.75", "98765.4321", "3.5", "120000"};
        for (int i = 0; i < costs.size(); ++i)
            run.folder.exec(QStringLiteral(
                "Insert Into Quotations (Vendor, Generic, Brand, Manufacturer, HSNCode, DrugPacking, DrugForm, "
                "DrugStrength, CostOfPackBeforeDiscountWithoutVAT, \"Discount%\", CostVATCode, MRPOfPackWithVAT, "
                "CreditPeriodInDays, DeliveryPeriodInDays, WarrantyInMonths, ResearchMolecule) Values ('V', "
                "'Amoxicillin and Potassium Clavulanate', 'Brand %1 Extended Release Tablets', 'D''Souza Remedies "
                "Private Limited', '30049099', 'Strip of 10 tablets', 'Tablet', '625 mg', %2, 12.5, 'GST 12%', "
                "%3, 120, 365, 24, 1)").arg(i).arg(costs[i]).arg(costs[i] + "9"));
        const QStringList pages = run.print(5);
        QCOMPARE(run.boxes.count(), 0);
        QCOMPARE(run.preview.titles, QStringList{"List of Quoted Items"});
        QCOMPARE(run.preview.orientations, QList<QPageLayout::Orientation>{QPageLayout::Landscape});
        const QSizeF sheet = pdfPageSize(run.preview.pdfFiles.value(0));
        QVERIFY(sheet.width() > sheet.height());
        QVERIFY(!pages.isEmpty());
        for (const QString& page : pages) {
            const QStringList lines = page.split('\n', Qt::SkipEmptyParts);
            QCOMPARE(lines.value(0).trimmed(), QStringLiteral("Elvora D'Souza Remedies"));
            QCOMPARE(lines.value(1).trimmed(), QStringLiteral("Quotation for Kelmont Hospital Pharmacy"));
            QCOMPARE(lines.value(2).trimmed(), QStringLiteral("Tender 2027-28"));
            QCOMPARE(lines.value(3).trimmed(), QStringLiteral("List of Quoted Items"));
            QVERIFY(!page.contains("Shivaji Road"));
        }
        // Each figure is read back whole, on one line, as many times as it was printed.
        const QString text = pages.join('\n');
        const auto count = [&](const QString& figure) {
            return int(text.count(QRegularExpression(QStringLiteral("(^|\\s)%1(\\s|$)").arg(QRegularExpression::escape(figure)))));
        };
        for (const QString& cost : costs) {
            QCOMPARE(count(cost), 1);
            QCOMPARE(count(cost + "9"), 1);
        }
        QCOMPARE(count("30049099"), costs.size());
        QCOMPARE(count("12.5"), costs.size());
        QCOMPARE(count("365"), costs.size());
        QVERIFY(text.contains("Number of quoted items: 4"));
    }

    // A figure column far too narrow for its figures: the text columns give up room first, then the
    // font steps down, and still no figure is broken.
    void figuresStayWholeWhenTheirColumnIsTooNarrow_data()
    {
        QTest::addColumn<int>("figures");     // columns of figures of eight characters ("100000.0")
        QTest::addColumn<int>("figureShare");
        QTest::addColumn<int>("textShare");   // the one text column's
        QTest::addColumn<bool>("smallerFont");
        QTest::newRow("room from the text column") << 6 << 6 << 60 << false;
        QTest::newRow("room and a smaller font") << 8 << 1 << 20 << true;
    }
    void figuresStayWholeWhenTheirColumnIsTooNarrow()
    {
        QFETCH(int, figures);
        QFETCH(int, figureShare);
        QFETCH(int, textShare);
        QFETCH(bool, smallerFont);
        ReportContent c = madeUpReport(0);
        c.columns = {{"NAME", "Name", textShare, ReportAlignment::Left}};
        for (int i = 0; i < figures; ++i)
            c.columns.push_back({QStringLiteral("F%1").arg(i), "F", figureShare, ReportAlignment::Right});
        for (int r = 0; r < 3; ++r) {
            ReportLine line;
            line.cells << QStringLiteral("A name long enough to wrap over several lines of its column");
            for (int i = 0; i < figures; ++i)
                line.cells << QStringLiteral("%1%2.%3").arg(r + 1).arg(i * 7919 % 100000, 5, 10, QLatin1Char('0')).arg(i % 10);
            c.lines.push_back(line);
        }
        ReportRenderer report(c);
        QCOMPARE(report.bodyPointSize() < 9, smallerFont);
        QTemporaryDir out;
        QCOMPARE(writeReportPdf(report, out.filePath("f.pdf")), PdfResult::Written);
        const QString text = pdfPages(out.filePath("f.pdf")).join('\n');
        for (const ReportLine& line : c.lines)
            for (int i = 1; i < line.cells.size(); ++i)
                QVERIFY2(text.contains(QRegularExpression(QStringLiteral("(^|\\s)%1(\\s|$)").arg(QRegularExpression::escape(line.cells[i])))),
                         qPrintable(line.cells[i] + "\n" + text));
    }

    void severalReportsInTurnFromOneScreen()
    {
        Printing run;
        frmCrystal screen;
        screen.show();
        for (int i : {1, 2, 5, 1})
            QTest::mouseClick(control<QPushButton>(&screen, QStringLiteral("cmdMaster(%1)").arg(i)), Qt::LeftButton);
        QCOMPARE(run.preview.titles, (QStringList{"List of Drug Forms", "List of Drug Strengths", "List of Quoted Items",
                                                  "List of Drug Forms"}));
        QCOMPARE(run.boxes.count(), 0);
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
        Printing run;
        const QString rpt = run.folder.filePath("CT_DrugForms.rpt");
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
            QVERIFY(QFile::remove(run.folder.databasePath()));
        }
        frmCrystal screen;
        screen.show();
        QTest::mouseClick(control<QPushButton>(&screen, "cmdMaster(1)"), Qt::LeftButton);
        QCOMPARE(run.boxes.count(), 1);
        QCOMPARE(run.boxes.last().title, QStringLiteral("Error while printing"));
        QCOMPARE(run.boxes.last().icon, QMessageBox::Critical);
        QCOMPARE(run.boxes.last().buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QVERIFY2(run.boxes.last().text.startsWith(engineText + "\r\n"), qPrintable(run.boxes.last().text));
        QVERIFY2(run.boxes.last().text.contains(detail), qPrintable(run.boxes.last().text));
        QVERIFY(run.preview.titles.isEmpty());
        QVERIFY(screen.isVisible());
        QVERIFY(QApplication::overrideCursor() == nullptr);

        // The screen carries on: the next report prints (or fails the same way without a database).
        QTest::mouseClick(control<QPushButton>(&screen, "cmdMaster(2)"), Qt::LeftButton);
        if (damage == "database") {
            QCOMPARE(run.boxes.count(), 2);
        } else {
            QCOMPARE(run.boxes.count(), 1);
            QCOMPARE(run.preview.titles, QStringList{"List of Drug Strengths"});
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

    // Cancelled while laying out or while writing pages: no file, and an older file there stays as it was.
    void aCancelledPdfLeavesNothingBehind_data()
    {
        QTest::addColumn<bool>("olderFile");
        QTest::addColumn<int>("stopAt");  // pages written when cancelled; -1 while still laying out
        QTest::newRow("while laying out") << false << -1;
        QTest::newRow("after some pages") << false << 3;
        QTest::newRow("over an older file") << true << 3;
    }
    void aCancelledPdfLeavesNothingBehind()
    {
        QFETCH(bool, olderFile);
        QFETCH(int, stopAt);
        const ReportContent content = madeUpReport(5000);
        ReportRenderer report(content);
        QTemporaryDir out;
        const QString pdf = out.filePath("list.pdf");
        if (olderFile) {
            QFile f(pdf);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("older");
        }
        QList<int> seen;
        const PdfResult result = writeReportPdf(report, pdf, [&](int done, int total) {
            seen << done;
            return stopAt < 0 ? total > 0 : done < stopAt || total == 0;
        });
        QCOMPARE(result, PdfResult::Cancelled);
        QCOMPARE(QDir(out.path()).entryList(QDir::Files), olderFile ? QStringList{"list.pdf"} : QStringList{});
        if (olderFile) {
            QFile f(pdf);
            QVERIFY(f.open(QIODevice::ReadOnly));
            QCOMPARE(f.readAll(), QByteArray("older"));
        }
        if (stopAt > 0)
            QCOMPARE(seen.last(), stopAt);
        // Written again without cancelling, the whole report is there.
        QCOMPARE(writeReportPdf(report, pdf), PdfResult::Written);
        const QStringList pages = pdfPages(pdf);
        QCOMPARE(pages.size(), report.pageCount());
        QVERIFY(pages.last().contains(QStringLiteral("Page %1 of %1").arg(report.pageCount())));
    }

    // A long report: the preview opens maximised at the window's width with the first page painted
    // before the last is laid out, counts pages as it goes, and stops when closed.
    void aLongReportShowsItsFirstPageAtOnce()
    {
        const ReportContent content = madeUpReport(300000);
        ReportRenderer report(content);
        bool laidOutAtFirstPaint = true;
        int pagesAtFirstPaint = 0;
        QString countAtFirstPaint;
        QImage firstPaint;
        bool maximised = false, fitsWidth = false;
        int laidOutAtClose = -1;
        // At the first paint of the page view: what was laid out by then and what the count said; then
        // a look at the window and, closing it, an end to the work.
        struct FirstPaint : QObject {
            std::function<void(QWidget*)> seen;
            bool eventFilter(QObject* watched, QEvent* e) override
            {
                if (e->type() == QEvent::Paint && seen && qobject_cast<ReportPageView*>(watched->parent())) {
                    seen(static_cast<QWidget*>(watched->parent())->window());
                    seen = nullptr;
                }
                return false;
            }
        } watch;
        watch.seen = [&](QWidget* w) {
            laidOutAtFirstPaint = report.isLaidOut();
            pagesAtFirstPaint = report.pageCount();
            countAtFirstPaint = control<QLabel>(w, "lblPages")->text();
            QTimer::singleShot(0, w, [&, w] {
                maximised = w->isMaximized();
                auto* view = control<ReportPageView>(w, "pageView");
                fitsWidth = view->fitsWidth() && view->verticalScrollBar()->value() == 0;
                // Closed first, so the work stops before the grab takes its time.
                w->close();
                laidOutAtClose = report.linesLaidOut();
                firstPaint = view->viewport()->grab().toImage();
            });
        };
        qApp->installEventFilter(&watch);
        ReportPreviewRequest request;
        request.title = QStringLiteral("Made-up list");
        request.report = &report;
        showReportPreview(request);
        qApp->removeEventFilter(&watch);

        QVERIFY(maximised);
        QVERIFY(fitsWidth);
        QVERIFY(!laidOutAtFirstPaint);
        QVERIFY(pagesAtFirstPaint >= 1);
        QVERIFY2(countAtFirstPaint.endsWith("so far"), qPrintable(countAtFirstPaint));
        // The sheet is there with ink on it.
        QVERIFY(!firstPaint.isNull());
        int ink = 0;
        for (int y = 0; y < firstPaint.height(); y += 2)
            for (int x = 0; x < firstPaint.width(); x += 2)
                ink += qGray(firstPaint.pixel(x, y)) < 80;
        QVERIFY(ink > 50);
        // Closed before the end: the work stopped with the window.
        QTest::qWait(100);
        QCOMPARE(report.linesLaidOut(), laidOutAtClose);
    }

    // Left open, the preview finishes the count; saving as PDF shows progress and can be cancelled.
    void thePreviewCountsEveryPageAndSavesOrCancels()
    {
        const ReportContent content = madeUpReport(3000, true);
        ReportRenderer report(content);
        MessageBoxScript boxes;
        SaveFileScript files;
        QTemporaryDir out;
        files.answer(out.filePath("cancelled"));
        files.answer(out.filePath("saved.pdf"));
        QString finalCount;
        bool sawProgress = false;
        whenModal([&](QWidget* w) {
            QTRY_VERIFY(report.isLaidOut());
            QTest::qWait(50);
            finalCount = control<QLabel>(w, "lblPages")->text();
            whenWindow("dlgReportProgress", [&](QWidget* progress) {
                sawProgress = true;
                static_cast<QProgressDialog*>(progress)->cancel();
            });
            control<QAction>(w, "actSavePdf")->trigger();
            control<QAction>(w, "actSavePdf")->trigger();
            w->close();
        });
        ReportPreviewRequest request;
        request.title = QStringLiteral("Made-up list");
        request.report = &report;
        showReportPreview(request);
        QCOMPARE(finalCount, QStringLiteral("Page 1 of %1").arg(report.pageCount()));
        QVERIFY(sawProgress);
        QCOMPARE(files.requests().size(), size_t(2));
        QCOMPARE(files.requests()[0].initialName, QStringLiteral("Made-up list.pdf"));
        QCOMPARE(QDir(out.path()).entryList(QDir::Files), QStringList{"saved.pdf"});
        const QStringList pages = pdfPages(out.filePath("saved.pdf"));
        QCOMPARE(pages.size(), report.pageCount());
        QVERIFY(pages.last().contains("C002999"));
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
