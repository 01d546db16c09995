// Spreadsheets in and out: the quoted items exported as a workbook, a price list read back (.xlsx or
// .csv) and stored by the wizard's checks and save rules, hostile files refused.
#include "app/applicationstate.h"
#include "app/defaultinstance.h"
#include "app/screens.h"
#include "db/dberror.h"
#include "output/pricebidwriter.h"
#include "quotation/frmEdit.h"
#include "quotation/pricelistimport.h"
#include "sheets/workbook.h"
#include "sheets/xlsxreader.h"
#include "tests/support/quotedrows.h"
#include "tests/support/testenv.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <xlsxwriter.h>
#include <zip.h>

using PriceListImport::Action;

namespace {

QuotationDraft quote(const QString& brand, const QString& generic, const QString& strength = "25 mg")
{
    QuotationDraft q = sampleQuotation();
    q.brand = brand;
    q.generic = generic;
    q.drugStrength = strength;
    q.derive();
    return q;
}

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

std::vector<Sheets::ReadRow> readXlsxFile(const QString& path)
{
    return Sheets::readXlsx(fileBytes(path));
}

// A zip archive of the given parts, as a workbook package would be.
void writeZip(const QString& path, const std::vector<std::pair<QString, QByteArray>>& parts)
{
    int error = 0;
    zip_t* z = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    QVERIFY(z);
    for (const auto& [name, bytes] : parts) {
        zip_source_t* s = zip_source_buffer(z, bytes.constData(), static_cast<zip_uint64_t>(bytes.size()), 0);
        QVERIFY(zip_file_add(z, name.toUtf8().constData(), s, ZIP_FL_OVERWRITE) >= 0);
    }
    QCOMPARE(zip_close(z), 0);
}

// The smallest package naming one sheet, with `sheet` as its XML and optional shared strings.
void writeWorkbook(const QString& path, const QByteArray& sheet, const QByteArray& shared = QByteArray())
{
    std::vector<std::pair<QString, QByteArray>> parts{
        {"xl/workbook.xml",
         "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
         "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
         "<sheets><sheet name=\"S\" sheetId=\"1\" r:id=\"rId7\"/></sheets></workbook>"},
        {"xl/_rels/workbook.xml.rels",
         "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
         "<Relationship Id=\"rId7\" Type=\"x\" Target=\"worksheets/mine.xml\"/></Relationships>"},
        {"xl/worksheets/mine.xml", "<worksheet><sheetData>" + sheet + "</sheetData></worksheet>"}};
    if (!shared.isEmpty())
        parts.push_back({"xl/sharedStrings.xml", "<sst>" + shared + "</sst>"});
    writeZip(path, parts);
}

// The exported sheet with every cost before discount of `brand` changed, written as .xlsx or .csv.
void rewrite(const QString& from, const QString& to, const QString& brand, const QString& cost)
{
    const std::vector<Sheets::ReadRow> rows = readXlsxFile(from);
    Sheets::Sheet sheet;
    sheet.name = QStringLiteral("Changed");
    sheet.header = rows.front().cells;
    const qsizetype brandColumn = sheet.header.indexOf("Brand"), costColumn = sheet.header.indexOf("Cost Before Discount Without Tax");
    for (size_t r = 1; r < rows.size(); ++r) {
        QStringList cells = rows[r].cells;
        if (cells.value(brandColumn) == brand)
            cells[costColumn] = cost;
        std::vector<Sheets::Cell> row;
        for (const QString& c : cells)
            row.push_back(Sheets::plainNumber(c).isEmpty() ? Sheets::Cell::textCell(c) : Sheets::Cell::number(c, 2));
        sheet.addRow(std::move(row));
    }
    if (to.endsWith(".csv"))
        Sheets::writeCsv(to, sheet);
    else
        Sheets::writeXlsx(to, {sheet});
}

QString csvFile(const TestFolder& folder, const QString& name, const QStringList& lines)
{
    const QString path = folder.filePath(name);
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write((lines.join("\r\n") + "\r\n").toUtf8());
    return path;
}

const QString Header = "Brand,Drug Packing,Cost Before Discount Without Tax,Discount %,Cost Tax Code,MRP With Tax,"
                       "MRP Tax Code,HSN Code,Manufacturer,Credit Period In Days";

} // namespace

class tst_excel : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestFolder> folder;
    std::unique_ptr<MessageBoxScript> boxes;

private slots:
    void init()
    {
        folder = std::make_unique<TestFolder>();
        boxes = std::make_unique<MessageBoxScript>();
    }
    void cleanup()
    {
        if (auto* list = DefaultInstance<frmEdit>::existing())
            list->close();
        boxes.reset();
        folder.reset();
    }

    void exportChangeImportRoundTrip_data()
    {
        QTest::addColumn<QString>("changedName");
        QTest::newRow("xlsx") << "Changed.xlsx";
        QTest::newRow("csv") << "Changed.csv";
    }
    void exportChangeImportRoundTrip()
    {
        QFETCH(QString, changedName);
        storeQuotation(quote("Acaxiv 25 mg Tablet", "Zeta"));
        const qint64 changedId = storeQuotation(quote("Acavelo 25 mg Tablet", "Alpha"));
        const QString addedOn = folder->scalar(QString("Select AddedOn From Quotations Where ID=%1").arg(changedId));
        showQuotedItemsList();
        frmEdit& list = *DefaultInstance<frmEdit>::existing();

        SaveFileScript save;
        const QString exported = folder->filePath("Quoted Items.xlsx");
        save.answer(exported);
        control<QPushButton>(&list, "cmdMaster(4)")->click();
        QCOMPARE(save.requests().at(0).title, QStringLiteral("Export to Excel format"));
        QCOMPARE(save.requests().at(0).initialName, QStringLiteral("Quoted Items.xlsx"));
        QCOMPARE(boxes->last().title, QStringLiteral("Exported Successfully"));
        QCOMPARE(boxes->last().text, "Workbook saved at following path\r\n\r\n" + QDir::toNativeSeparators(exported));

        // The Price Bid's order (generic first), the derived figures per pack and per unit as numbers.
        const std::vector<Sheets::ReadRow> rows = readXlsxFile(exported);
        QCOMPARE(rows.size(), size_t(3));
        const QStringList header = rows[0].cells;
        QCOMPARE(rows[1].cells.value(header.indexOf("Generic")), QStringLiteral("Alpha"));
        QCOMPARE(rows[1].cells.mid(header.size() - 3), (QStringList{"100.8", "10.08", "22.4"}));
        QVERIFY(!QFile::exists(exported + ".partial"));

        rewrite(exported, folder->filePath(changedName), "Acavelo 25 mg Tablet", "95.5");
        OpenFilesDialogSeam::Override choose([&](const OpenFilesRequest& r) {
            return r.title == "Import Price List" ? QStringList{folder->filePath(changedName)} : QStringList{};
        });
        whenModal([&](QWidget* dialog) {
            QCOMPARE(dialog->objectName(), QStringLiteral("frmImport"));
            control<QPushButton>(dialog, "cmdChoose")->click();
            auto* preview = control<QTreeWidget>(dialog, "lvPreview");
            QCOMPARE(preview->topLevelItemCount(), 2);
            QCOMPARE(preview->topLevelItem(0)->text(3), QStringLiteral("Update"));
            QCOMPARE(control<QLabel>(dialog, "lblSummary")->text(), QStringLiteral("0 new, 2 updated, 0 refused"));
            control<QPushButton>(dialog, "cmdApply")->click();
            QCOMPARE(boxes->last().title, QStringLiteral("Info"));
            QCOMPARE(boxes->last().text, QStringLiteral("2 items imported"));
            control<QPushButton>(dialog, "cmdClose")->click();
        });
        control<QPushButton>(&list, "cmdImport")->click();

        const QString row = QString(" From Quotations Where ID=%1").arg(changedId);
        QCOMPARE(folder->scalar("Select CostOfPackBeforeDiscountWithoutVAT" + row), QStringLiteral("95.5"));
        QCOMPARE(folder->scalar("Select AddedOn" + row), addedOn);
        QVERIFY(!folder->scalar("Select EditedOn" + row).isEmpty());
        QCOMPARE(folder->count("Quotations"), 2);
        // The list shows the stored rows again.
        QVERIFY(control<QTreeWidget>(&list, "lvItems")->findItems("95.5", Qt::MatchExactly, 8).size() == 1);

        // 95.5 less 10 % is 85.95, with 12 % tax 96.264 a pack.
        folder->exec("INSERT INTO CT_Vendor (VendorName) VALUES ('Acme')");
        const QString bid = folder->filePath("bid.html");
        QCOMPARE(PriceBidWriter::write(bid), PriceBidWriter::Result::Saved);
        QVERIFY(QString::fromLatin1(fileBytes(bid)).contains("96.264"));
    }

    void emptyListExportsTheBlankPriceList()
    {
        SaveFileScript save;
        const QString path = folder->filePath("blank");
        save.answer(path);
        showQuotedItemsList();
        control<QPushButton>(DefaultInstance<frmEdit>::existing(), "cmdMaster(4)")->click();
        const std::vector<Sheets::ReadRow> rows = readXlsxFile(path + ".xlsx");
        QCOMPARE(rows.size(), size_t(1));
        QVERIFY(rows[0].cells.contains("MRP With Tax"));
    }

    void everyKindOfRefusal()
    {
        storeQuotation(quote("Acazelt 50 mg Tablet", "Acarbose", "50 mg"));  // already quoted: an update
        struct Case {
            QString row;
            Action action;
            QString reason;
        };
        const QString tail = ",30049099,Own Make Ltd,";
        const std::vector<Case> cases = {
            {"Acavelo 25 mg Tablet,Strip of 10,100,10,GST 12%,224,GST 12%" + tail, Action::New, ""},
            {" acaxiv 25 MG tablet ,strip of 10,100,10,gst 12%,224,,30049099,,", Action::New, ""},
            {"Acazelt 50 mg Tablet,Strip of 10,100,10,GST 12%,224,GST 12%" + tail + "30", Action::Update, ""},
            {"Acavelo 25 mg Tablt,Strip of 10,100,10,GST 12%,224,GST 12%" + tail, Action::Refused,
             "Brand not in the tender's list; did you mean Acavelo 25 mg Tablet?"},
            {"Nothing Like It,Strip of 10,100,10,GST 12%,224,GST 12%" + tail, Action::Refused, "Brand not in the tender's list"},
            {"Acavelo 25 mg Tablet,Crate of 7,100,10,GST 12%,224,GST 12%" + tail, Action::Refused, "Packing not in the tender's list"},
            {"Acavelo 25 mg Tablet,Strip of 10,100,10,GST 99%,224,GST 12%" + tail, Action::Refused, "Tax code not in the tender's list"},
            {"Acavelo 25 mg Tablet,Strip of 10,100,10,GST 12%,224,GST 12%" + tail, Action::Refused, "Repeated in this file at line 2"},
            {"Acavelo 25 mg Tablet,Strip of 20,100,10,GST 12%,224,GST 12%,300,Own Make Ltd,", Action::Refused,
             "Please enter minimum 4 digit HSN code."},
            {"Acavelo 25 mg Tablet,Strip of 20,100,,GST 12%,224,GST 12%" + tail, Action::Refused,
             "Please enter discount % before moving to step 3"},
            {"Acavelo 25 mg Tablet,Strip of 20,100,100,GST 12%,224,GST 12%" + tail, Action::Refused, "Dicount cannot me more then 99%"},
            {"Acavelo 25 mg Tablet,Strip of 20,0,0,GST 12%,224,GST 12%" + tail, Action::Refused,
             "You have entered Rs. 0 in the cost price! Do you still want to continue?"},
            {"Acavelo 25 mg Tablet,Strip of 20,100,10,GST 12%,100,GST 12%" + tail, Action::Refused, "MRP cannot be <= Cost. Please correct."},
            {"Acavelo 25 mg Tablet,Strip of 20,100,10,GST 12%,224,GST 5%" + tail, Action::Refused,
             "Cost Tax: GST 12%\r\nMRP Tax: GST 5%\r\nCost Tax is not equal to MRP Tax.\r\n\r\nPlease recheck and correct Tax%?"},
            {"Acavelo 25 mg Tablet,Strip of 20,100,10,GST 12%,224,GST 12%" + tail + "soon", Action::Refused,
             "Credit Period In Days is not a whole number"},
        };
        QStringList lines{Header};
        for (const Case& c : cases)
            lines << c.row;
        const PriceListImport::Preview preview =
            PriceListImport::prepare(PriceListImport::readFile(csvFile(*folder, "list.csv", lines)), "Acme");
        QCOMPARE(preview.lines.size(), cases.size());
        for (size_t i = 0; i < cases.size(); ++i) {
            const PriceListImport::Line& l = preview.lines[i];
            QCOMPARE(l.line, static_cast<int>(i) + 2);
            QCOMPARE(PriceListImport::actionText(l.action) + ": " + l.reason,
                     PriceListImport::actionText(cases[i].action) + ": " + cases[i].reason);
        }
        QCOMPARE(preview.summary(), QStringLiteral("2 new, 1 updated, 12 refused"));

        const int indexes = folder->count("sqlite_master", "type='index'");
        QCOMPARE(PriceListImport::apply(preview, QDateTime::currentDateTime()), 3);
        QCOMPARE(folder->count("Quotations"), 3);
        QCOMPARE(folder->count("sqlite_master", "type='index'"), indexes);
        // Taken from the tender's lists: the brand as listed, its generic and form, the packing's ratio.
        QCOMPARE(folder->scalar("Select Generic || '|' || DrugForm || '|' || QuantityInEachStripOrPack || '|' || CostVATCode "
                                "From Quotations Where Brand='Acaxiv 25 mg Tablet'"),
                 QStringLiteral("Acarbose|Tablet|10|GST 12%"));
        QCOMPARE(folder->scalar("Select CreditPeriodInDays From Quotations Where Brand='Acazelt 50 mg Tablet'"), QStringLiteral("30"));
    }

    void anErrorInTheMiddleStoresNothing()
    {
        const qint64 kept = storeQuotation(quote("Acazelt 50 mg Tablet", "Acarbose", "50 mg"));
        folder->exec("CREATE TRIGGER refuse BEFORE INSERT ON Quotations WHEN NEW.Brand='Acaxiv 25 mg Tablet' "
                     "BEGIN SELECT RAISE(ABORT, 'refused'); END");
        const QString path = csvFile(*folder, "list.csv", {Header,
            "Acazelt 50 mg Tablet,Strip of 10,50,10,GST 12%,224,GST 12%,30049099,,",
            "Acaxiv 25 mg Tablet,Strip of 10,100,10,GST 12%,224,GST 12%,30049099,,",
            "Acavelo 25 mg Tablet,Strip of 10,100,10,GST 12%,224,GST 12%,30049099,,"});
        const PriceListImport::Preview preview = PriceListImport::prepare(PriceListImport::readFile(path), "Acme");
        QCOMPARE(preview.summary(), QStringLiteral("2 new, 1 updated, 0 refused"));
        const int indexes = folder->count("sqlite_master", "type='index'");
        QVERIFY_THROWS_EXCEPTION(DbError, PriceListImport::apply(preview, QDateTime::currentDateTime()));
        QCOMPARE(folder->count("Quotations"), 1);
        QCOMPARE(folder->scalar(QString("Select CostOfPackBeforeDiscountWithoutVAT From Quotations Where ID=%1").arg(kept)),
                 QStringLiteral("100"));

        // An item quoted since the preview is found by the save rules' duplicate check.
        folder->exec("DROP TRIGGER refuse");
        storeQuotation(preview.lines[2].item);
        try {
            PriceListImport::apply(preview, QDateTime::currentDateTime());
            QFAIL("stored an item quoted twice");
        } catch (const DbError& e) {
            QVERIFY2(e.description().startsWith("Line 4: ") && e.description().endsWith("Item already quoted by vendor. Cannot continue save."),
                     qPrintable(e.description()));
        }
        QCOMPARE(folder->count("Quotations"), 2);
        // The tender file's schema is the hospital's: the import leaves no index of its own behind.
        QCOMPARE(folder->count("sqlite_master", "type='index'"), indexes);
    }

    void readsWhatSpreadsheetsWrite()
    {
        // Shared strings with rich-text runs, a skipped column, numbers as a spreadsheet stores them.
        const QString path = folder->filePath("shared.xlsx");
        writeWorkbook(path,
                      "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>1</v></c><c r=\"C1\" t=\"s\"><v>0</v></c></row>"
                      "<row r=\"4\"><c r=\"A4\"><v>12.340000000000001</v></c><c r=\"B4\"><v>1.5E-2</v></c>"
                      "<c r=\"C4\" t=\"inlineStr\"><is><t>in line</t></is></c><c r=\"D4\" t=\"b\"><v>1</v></c></row>",
                      "<si><t>Brand</t></si><si><r><t>Co</t></r><r><rPr/><t>st</t></r></si>");
        const std::vector<Sheets::ReadRow> rows = readXlsxFile(path);
        QCOMPARE(rows.size(), size_t(2));
        QCOMPARE(rows[0].cells, (QStringList{"Cost", "", "Brand"}));
        QCOMPARE(rows[1].line, 4);
        QCOMPARE(rows[1].cells, (QStringList{"12.34", "0.015", "in line", "True"}));
        QCOMPARE(Sheets::plainNumber("0.99999999999999999"), QStringLiteral("1"));
        QCOMPARE(Sheets::plainNumber("-2.5E+3"), QStringLiteral("-2500"));
        QCOMPARE(Sheets::plainNumber("1e"), QString());
    }

    void brokenAndHostileFilesAreRefused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("not a zip") << "plain.xlsx" << "not an Excel workbook";
        QTest::newRow("zip bomb") << "bomb.xlsx" << "unpacks to more than 64 MB";
        QTest::newRow("formula") << "formula.xlsx" << "Cell B2 holds a formula";
        QTest::newRow("broken xml") << "broken.xlsx" << "damaged: the first sheet";
        QTest::newRow("huge sheet") << "huge.xlsx" << "more than 100000 rows";
        QTest::newRow("far column") << "wide.xlsx" << "more than 256 columns";
        QTest::newRow("bad csv") << "bad.csv" << "bad.csv:2:";
        QTest::newRow("no cost column") << "short.csv" << "no column 'Cost Before Discount Without Tax'";
    }
    void brokenAndHostileFilesAreRefused()
    {
        QFETCH(QString, name);
        QFETCH(QString, refusal);
        const QString path = folder->filePath(name);
        if (name == "plain.xlsx") {
            csvFile(*folder, name, {Header});
        } else if (name == "bomb.xlsx") {
            writeWorkbook(path, QByteArray(70 * 1024 * 1024, ' '));
        } else if (name == "formula.xlsx") {
            lxw_workbook* book = workbook_new(QFile::encodeName(path).constData());
            lxw_worksheet* sheet = workbook_add_worksheet(book, nullptr);
            worksheet_write_string(sheet, 0, 0, "Brand", nullptr);
            worksheet_write_formula(sheet, 1, 1, "=1+1", nullptr);
            QCOMPARE(workbook_close(book), LXW_NO_ERROR);
        } else if (name == "broken.xlsx") {
            writeWorkbook(path, "<row r=\"1\"><c r=\"A1\"><v>1</v></row>");
        } else if (name == "huge.xlsx") {
            QByteArray rows;
            for (int r = 1; r <= Sheets::MaxRows + 1; ++r)
                rows += "<row><c><v>1</v></c></row>";
            writeWorkbook(path, rows);
        } else if (name == "wide.xlsx") {
            writeWorkbook(path, "<row r=\"1\"><c r=\"ZZZZZZZZZZ1\"><v>1</v></c></row>");
        } else if (name == "bad.csv") {
            csvFile(*folder, name, {Header, "\"unterminated,x"});
        } else {
            csvFile(*folder, name, {"Brand,Drug Packing,Discount %,Cost Tax Code,MRP With Tax"});
        }
        try {
            PriceListImport::prepare(PriceListImport::readFile(path), "Acme");
            QFAIL("accepted");
        } catch (const Sheets::ReadError& e) {
            QVERIFY2(e.message().contains(refusal), qPrintable(e.message()));
        }
    }
};

QTEST_MAIN(tst_excel)
#include "tst_excel.moc"
