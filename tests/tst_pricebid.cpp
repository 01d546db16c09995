// The Price Bid page: every line from the rules, the vendor block's joins, the cost and MRP figures,
// and what a failed export leaves behind.
#include "app/applicationstate.h"
#include "app/defaultinstance.h"
#include "app/screens.h"
#include "output/frmHTML.h"
#include "output/htmlexportfile.h"
#include "output/pricebidtables.h"
#include "output/pricebidwriter.h"
#include "tests/support/quotedrows.h"
#include "tests/support/testenv.h"

#include <QApplication>
#include <QPointer>
#include <QDir>
#include <QAction>
#include <QFile>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

namespace {

struct Quote {
    QString generic, brand, manufacturer, hsn, packing, form, strength;
    QString ratio, cost, discount, costCode, costTax, mrp, mrpCode, mrpTax;
    QString credit = "0", delivery = "0", offer, remarks;  // "NULL" for a Null column
};

QString sqlValue(const QString& v)
{
    return v == QLatin1String("NULL") ? v : QLatin1Char('\'') + QString(v).replace('\'', "''") + QLatin1Char('\'');
}

void insertQuote(const TestFolder& folder, const Quote& q)
{
    QuotationDraft d;
    d.vendor = "Acme";
    d.generic = q.generic;
    d.brand = q.brand;
    d.manufacturer = q.manufacturer;
    d.hsnCode = q.hsn;
    d.drugPacking = q.packing;
    d.drugForm = q.form;
    d.quantityPerPack = q.ratio;
    d.drugStrength = q.strength;
    d.cost = q.cost;
    d.discount = q.discount;
    d.costTaxCode = q.costCode;
    d.costTaxPercent = q.costTax;
    d.mrpWithoutTax = q.mrp;
    d.mrpWithTax = q.mrp;
    d.mrpTaxCode = q.mrpCode;
    d.mrpTaxPercent = q.mrpTax;
    d.creditPeriodInDays = q.credit;
    d.deliveryPeriodInDays = q.delivery;
    d.warrantyInMonths = "0";
    d.freeOfCostOffer = q.offer;
    d.remarks = q.remarks;
    const qint64 id = storeQuotation(d);
    // The page never reads the MRP with tax: it stays Null, like every column given as "NULL".
    QStringList nulls{"MRPOfPackWithVAT"};
    const std::pair<const char*, QString> texts[] = {{"Generic", q.generic}, {"Brand", q.brand}, {"Manufacturer", q.manufacturer},
                                                     {"HSNCode", q.hsn}, {"DrugPacking", q.packing}, {"DrugForm", q.form},
                                                     {"DrugStrength", q.strength}, {"CostVATCode", q.costCode},
                                                     {"MRPVATCode", q.mrpCode}, {"FreeOfCostOffer", q.offer}, {"Remarks", q.remarks}};
    for (const auto& [column, value] : texts)
        if (value == QLatin1String("NULL"))
            nulls << QLatin1String(column);
    for (const QString& column : nulls)
        folder.exec(QStringLiteral("UPDATE Quotations SET %1 = NULL WHERE ID = %2").arg(column).arg(id));
}

struct Vendor {
    QString name = "Acme Pharma", address, city, state, pin, contact, phone, mobile, email, gst, gstState, remarks;
    QString credit = "NULL", delivery = "NULL";
};

void insertVendor(const TestFolder& folder, const Vendor& v)
{
    folder.exec(QStringLiteral("INSERT INTO CT_Vendor (VendorName, Address, City, State, PINCode, ContactPerson, PhoneNumber, "
                               "MobileNumber, FaxNumber, EmailAddress, TINNumber, CreditPeriodInDays, DeliveryPeriodInDays, Remarks) "
                               "VALUES (%1, %2, %3, %4, %5, %6, %7, %8, %9, %10, %11, %12, %13, %14)")
                    .arg(sqlValue(v.name), sqlValue(v.address), sqlValue(v.city), sqlValue(v.state), sqlValue(v.pin),
                         sqlValue(v.contact), sqlValue(v.phone), sqlValue(v.mobile), sqlValue(v.gstState))
                    .arg(sqlValue(v.email), sqlValue(v.gst), v.credit, v.delivery, sqlValue(v.remarks)));
}

void setHeading()
{
    AppState::CurrentOrganization = QStringLiteral("Kelmont Hospital Pharmacy");
    AppState::CurrentOrgAddress = QStringLiteral("14 Shivaji Road, Pune");
    AppState::CurrentTenderDuration = QStringLiteral("Tender 2027-28");
}

QStringList fileLines(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = f.readAll();
    if (!bytes.endsWith("\r\n"))
        return {QStringLiteral("<file does not end with CR LF>")};
    QStringList lines = QString::fromLatin1(bytes.left(bytes.size() - 2)).split(QStringLiteral("\r\n"));
    return lines;
}

// The label : value row shape shared by the vendor and item description tables.
QString row(const QString& label, const QString& value)
{
    return "<TR><TD><FONT FACE=ARIAL SIZE=-1><B>" + label + "</B></FONT></TD><TD>:</TD><TD><FONT FACE=ARIAL SIZE=-1>" + value +
           "</FONT></TD></TR>";
}

QStringList head(const QString& path)
{
    return {"<Html Margin=0>", "<head>", "<meta NAME='GENERATOR' Content='KLMT Quillbid'>",
            "<title>KLMT Quillbid - " + path + "</title>", "<style>", "body{FONT-FAMILY: arial;}", "</style>", "</head>",
            "<body LeftMargin=10 RightMargin=0>",
            "<h><b><font size=+1>Kelmont Hospital Pharmacy</font><br>14 Shivaji Road, Pune<BR>Price Bid for Tender 2027-28<BR></b></h>",
            "<HR size=2 color=black>"};
}

QStringList costTable(const QString& packing, const QString& form, const QString& code, const QStringList& pack,
                      const QStringList& unit)
{
    QStringList l{"<TABLE WIDTH=690 BORDER=1 CELLPADDING=1 CELLSPACING=0>", "<TR>",
                  "<TH WIDTH=170 ALIGN=CENTER><font face=arial>COST</TH>",
                  "<TH WIDTH=90 ALIGN=CENTER><font face=arial size=-3>Cost Before Disc Without Tax</TH>",
                  "<TH WIDTH=50 ALIGN=CENTER><font face=arial size=-3>Disc %</TH>",
                  "<TH WIDTH=75 ALIGN=CENTER><font face=arial size=-3>Disc Amount</TH>",
                  "<TH WIDTH=90 ALIGN=CENTER><font face=arial size=-3>Cost After Disc Without Tax</TH>",
                  "<TH WIDTH=50 ALIGN=CENTER><font face=arial size=-3>Tax %</TH>",
                  "<TH WIDTH=75 ALIGN=CENTER><font face=arial size=-3>Tax Amount</TH>",
                  "<TH WIDTH=90 ALIGN=CENTER><font face=arial size=-3>Cost After Disc With Tax</TH>", "</TR>"};
    const auto cells = [&](const QString& label, const QStringList& n) {
        l << "<TR>" << "<TD><font face=arial size=-2>Cost of " + label + "</font></TD>";
        for (int i = 0; i < 4; ++i)
            l << "<TD ALIGN=RIGHT><font face=arial size=-2>" + n[i] + "</TD>";
        l << "<TD ALIGN=CENTER><font face=arial size=-2>" + code + "</TD>";
        l << "<TD ALIGN=RIGHT><font face=arial size=-2>" + n[4] + "</TD>" << "<TD ALIGN=RIGHT><font face=arial size=-2>" + n[5] + "</TD>";
        l << "</TR>";
    };
    cells(packing, pack);
    cells(form, unit);
    l << "</TABLE><br>";
    return l;
}

QStringList mrpTable(const QString& packing, const QString& form, const QString& code, const QStringList& pack,
                     const QStringList& unit)
{
    QStringList l{"<TABLE WIDTH=530 BORDER=1 CELLPADDING=1 CELLSPACING=0>", "<TR>",
                  "<TH WIDTH=170 ALIGN=CENTER><font face=arial>MRP</TH>",
                  "<TH WIDTH=90 ALIGN=CENTER><font face=arial size=-3>MRP Without Tax</TH>",
                  "<TH WIDTH=90 ALIGN=CENTER><font face=arial size=-3>MRP Tax</TH>",
                  "<TH WIDTH=90 ALIGN=CENTER><font face=arial size=-3>Tax Amount</TH>",
                  "<TH WIDTH=90 ALIGN=CENTER><font face=arial size=-3>MRP With Tax</TH>", "</TR>"};
    const auto cells = [&](const QString& label, const QStringList& n) {
        l << "<TR>" << "<TD><font face=arial size=-2>MRP of " + label + "</font></TD>"
          << "<TD ALIGN=RIGHT><font face=arial size=-2>" + n[0] + "</TD>"
          << "<TD ALIGN=CENTER><font face=arial size=-2>" + code + "</TD>"
          << "<TD ALIGN=RIGHT><font face=arial size=-2>" + n[1] + "</TD>"
          << "<TD ALIGN=RIGHT><font face=arial size=-2>" + n[2] + "</TD>" << "</TR>";
    };
    cells(packing, pack);
    cells(form, unit);
    l << "</TABLE>";
    return l;
}

QStringList vendorRowsBetween(const QStringList& lines)
{
    const qsizetype start = lines.indexOf("<TR><TD COLSPAN=3><FONT FACE=ARIAL><B>Vendor Details</B></FONT></TD></TR>");
    const qsizetype end = lines.indexOf("</TABLE>", start);
    return start < 0 || end < 0 ? QStringList() : lines.mid(start + 2, end - start - 2);  // after the Vendor Name row
}

} // namespace

class tst_PriceBid : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup()
    {
        // A window may own another (a dialog over its parent): deleting one can take the other with it.
        QList<QPointer<QWidget>> windows;
        for (QWidget* w : QApplication::topLevelWidgets())
            windows << w;
        for (const QPointer<QWidget>& w : windows)
            delete w.data();
        QVERIFY(!QApplication::overrideCursor());
    }

    void wholePageOfSmallTender()
    {
        TestFolder folder(TestFolder::Content::Empty);
        MessageBoxScript boxes;
        SaveFileScript dialog;
        setHeading();
        Vendor v;
        v.address = "12 Main Road";
        v.state = "Maharashtra";
        v.pin = "411001";
        v.contact = "R. Rao";
        v.mobile = "9800000000";
        v.email = "sales@acme.example";
        v.gst = "27ABCDE1234F1Z5";
        v.gstState = "Maharashtra ";
        v.credit = "30";
        v.delivery = "7";
        insertVendor(folder, v);
        // Stored out of order: the page orders by generic, then brand.
        insertQuote(folder, {"Paracetamol", "Zeta", "Shah & Sons Pharma", "3004", "Strip of 10", "Tablet", "500 mg", "10", "100",
                             "10", "GST 12%", "12", "200", "GST 12%", "12", "30", "0", "1 strip free on 10", "NULL"});
        insertQuote(folder, {"Amoxicillin", "Amoxa", "Dey Labs", "30041010", "Bottle of 3", "Syrup", "250 mg/5 ml", "3", "100",
                             "10.5", "GST 5%", "5", "150", "GST 5%", "5", "0", "45", "", "Store cool"});

        const QString path = folder.filePath("bid.html");
        dialog.answer(path);
        frmHTML screen;
        screen.show();
        QTest::mouseClick(control<QPushButton>(&screen, "cmdMaster(5)"), Qt::LeftButton);

        QStringList expected = head(path);
        expected << "<TABLE WIDTH=690 BORDER=0 CELLPADDING=1 CELLSPACING=0>"
                 << "<TR><TD COLSPAN=3><FONT FACE=ARIAL><B>Vendor Details</B></FONT></TD></TR>"
                 << "<TR><TD WIDTH=170><FONT FACE=ARIAL SIZE=-1><B>Vendor Name</B></FONT></TD><TD WIDTH=10>:</TD><TD WIDTH=510>"
                    "<FONT FACE=ARIAL SIZE=-1>Acme Pharma</FONT></TD></TR>"
                 << row("Address", "12 Main Road, , Maharashtra, 411001") << row("Contact Person", "R. Rao")
                 << row("Phone Number", "9800000000") << row("Email Address", "sales@acme.example")
                 << row("GST Number", "27ABCDE1234F1Z5") << row("GST Registration State", "Maharashtra ")
                 << row("Credit Period in days", "30") << row("Delivery Period in days", "7") << "</TABLE>"
                 << "<HR size=2 color=black>"
                 << "<TABLE WIDTH=750 BORDER=0 CELLPADDING=1 CELLSPACING=0>"
                 << "<TR><TD COLSPAN=3><FONT FACE=ARIAL><B>Items Quoted by Vendor</B></FONT></TD></TR>" << "</TABLE>";
        // #1 Amoxa: C 100, D 10.5, T 5, Q 3. A 10.5, B 89.5, X 4.475, B+X 93.975. Per unit: 33.3333..., a 3.5,
        // b = round(29.83333..., 4) = 29.8333, x = 1.491665, b+x = 31.324965.
        expected << "<TABLE WIDTH=690 BORDER=0 CELLPADDING=1 CELLSPACING=0>"
                 << "<TR><TD WIDTH=170><FONT FACE=ARIAL SIZE=-1><B>SNo</B></FONT></TD><TD WIDTH=10>:</TD><TD WIDTH=510>"
                    "<FONT FACE=ARIAL SIZE=-1><B>#1</B></FONT></TD></TR>"
                 << row("Brand", "Amoxa") << row("Manufacturer", "Dey Labs") << row("HSN Code", "30041010")
                 << row("Generic", "Amoxicillin")
                 << row("Packing", "Bottle of 3<FONT SIZE=-2>&nbsp;&nbsp;(Each Bottle of 3 has 3.0000 Syrup)</FONT>")
                 << row("Drug Form", "Syrup") << row("Drug Strength", "250 mg/5 ml") << row("Delivery Period in days", "45")
                 << row("Free of Cost Offer", "") << row("Remarks", "Store cool") << "</TABLE>";
        expected << costTable("Bottle of 3", "Syrup", "GST 5%", {"100.0000", "10.5000", "10.5000", "89.5000", "4.4750", "93.9750"},
                              {"33.3333", "10.5000", "3.5000", "29.8333", "1.4917", "31.3250"});
        expected << mrpTable("Bottle of 3", "Syrup", "GST 5%", {"150.0000", "7.5000", "157.5000"}, {"50.0000", "2.5000", "52.5000"});
        expected << "<HR size=2 color=black>";
        // #2 Zeta: the worked example of the Step 2 rules (100, 10 %, 12 %, Qty 10; MRP 200 + 12 %).
        expected << "<TABLE WIDTH=690 BORDER=0 CELLPADDING=1 CELLSPACING=0>"
                 << "<TR><TD WIDTH=170><FONT FACE=ARIAL SIZE=-1><B>SNo</B></FONT></TD><TD WIDTH=10>:</TD><TD WIDTH=510>"
                    "<FONT FACE=ARIAL SIZE=-1><B>#2</B></FONT></TD></TR>"
                 << row("Brand", "Zeta") << row("Manufacturer", "Shah &amp; Sons Pharma") << row("HSN Code", "3004")
                 << row("Generic", "Paracetamol")
                 << row("Packing", "Strip of 10<FONT SIZE=-2>&nbsp;&nbsp;(Each Strip of 10 has 10.0000 Tablet)</FONT>")
                 << row("Drug Form", "Tablet") << row("Drug Strength", "500 mg") << row("Credit Period in days", "30")
                 << row("Free of Cost Offer", "1 strip free on 10") << row("Remarks", "") << "</TABLE>";
        expected << costTable("Strip of 10", "Tablet", "GST 12%", {"100.0000", "10.0000", "10.0000", "90.0000", "10.8000", "100.8000"},
                              {"10.0000", "10.0000", "1.0000", "9.0000", "1.0800", "10.0800"});
        expected << mrpTable("Strip of 10", "Tablet", "GST 12%", {"200.0000", "24.0000", "224.0000"}, {"20.0000", "2.4000", "22.4000"});
        expected << "<HR size=2 color=black>" << "<BR><BR>" << "</BODY>" << "</HTML>";

        const QStringList written = fileLines(path);
        QCOMPARE(written.size(), expected.size());
        for (int i = 0; i < expected.size(); ++i)
            QCOMPARE(written[i], expected[i]);

        QCOMPARE(boxes.count(), 1);
        QCOMPARE(boxes.last().title, QString("Exported Successfully"));
        QCOMPARE(boxes.last().text, "Webpage saved at following path\r\n\r\n" + QDir::toNativeSeparators(path));
        QCOMPARE(boxes.last().icon, QMessageBox::Information);
        QVERIFY(!control<QProgressBar>(&screen, "ProgressBar")->isVisible());

        QCOMPARE(dialog.requests().size(), size_t(1));
        QCOMPARE(dialog.requests().front().initialName, QString("Price Bid of Pharmacy Items.html"));
        QCOMPARE(dialog.requests().front().initialFolder, QDir::homePath());
    }

    void vendorAddressAndPhone_data()
    {
        QTest::addColumn<QStringList>("parts");  // address, city, state, pin, phone, mobile
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("nothing") << QStringList{"", "", "", "", "", ""} << QStringList{};
        QTest::newRow("blanks only") << QStringList{"  ", " ", "", "", "  ", " "} << QStringList{};
        QTest::newRow("all parts trimmed") << QStringList{" 12 Main Road ", " Pune", "MH ", "411001", " 020 555", "98 "}
                                           << QStringList{row("Address", "12 Main Road, Pune, MH, 411001"), row("Phone Number", "020 555 , 98")};
        QTest::newRow("no city") << QStringList{"12 Main Road", "", "MH", "411001", "", ""}
                                 << QStringList{row("Address", "12 Main Road, , MH, 411001")};
        QTest::newRow("city first") << QStringList{"", "Pune", "", "", "", "98"}
                                    << QStringList{row("Address", "Pune, , "), row("Phone Number", "98")};
        QTest::newRow("pin only") << QStringList{"", "", "", "411001", "", ""} << QStringList{row("Address", "411001")};
        QTest::newRow("phone without mobile") << QStringList{"", "", "", "", "020 555", ""}
                                              << QStringList{row("Phone Number", "020 555 , ")};
    }
    void vendorAddressAndPhone()
    {
        QFETCH(QStringList, parts);
        QFETCH(QStringList, rows);
        TestFolder folder(TestFolder::Content::Empty);
        setHeading();
        Vendor v;
        v.address = parts[0];
        v.city = parts[1];
        v.state = parts[2];
        v.pin = parts[3];
        v.phone = parts[4];
        v.mobile = parts[5];
        insertVendor(folder, v);
        const QString path = folder.filePath("bid.html");
        QCOMPARE(PriceBidWriter::write(path), PriceBidWriter::Result::Saved);
        QCOMPARE(vendorRowsBetween(fileLines(path)), rows);
    }

    void vendorRowsLeftOutOnlyWhenEmpty()
    {
        TestFolder folder(TestFolder::Content::Empty);
        setHeading();
        Vendor v;
        v.name = "Acme <India> & Co";
        v.contact = "  ";
        v.email = " a@b.example";
        v.remarks = "Net 30";
        v.credit = "0";  // zero is a value here, unlike an item's period
        insertVendor(folder, v);
        const QString path = folder.filePath("bid.html");
        PriceBidWriter::write(path);
        const QStringList lines = fileLines(path);
        QVERIFY(lines.contains("<TR><TD WIDTH=170><FONT FACE=ARIAL SIZE=-1><B>Vendor Name</B></FONT></TD><TD WIDTH=10>:</TD>"
                               "<TD WIDTH=510><FONT FACE=ARIAL SIZE=-1>Acme &lt;India&gt; &amp; Co</FONT></TD></TR>"));
        QCOMPARE(vendorRowsBetween(lines),
                 (QStringList{row("Email Address", " a@b.example"), row("Credit Period in days", "0"), row("Remarks", "Net 30")}));
    }

    void figuresAndRoundingPoints_data()
    {
        QTest::addColumn<QStringList>("inputs");  // C, D, T, Q, M, V
        QTest::addColumn<QStringList>("pack");
        QTest::addColumn<QStringList>("unit");
        QTest::addColumn<QStringList>("mrp");     // pack M, Y, M+Y; unit M/Q, Y/Q, sum
        // 10.5 % off 100: the four first cells of the pack row.
        QTest::newRow("discount 10.5") << QStringList{"100", "10.5", "0", "1", "120", "0"}
                                       << QStringList{"100.0000", "10.5000", "10.5000", "89.5000", "0.0000", "89.5000"}
                                       << QStringList{"100.0000", "10.5000", "10.5000", "89.5000", "0.0000", "89.5000"}
                                       << QStringList{"120.0000", "0.0000", "120.0000", "120.0000", "0.0000", "120.0000"};
        // B = 0.00015 stays exact in the pack row (B+X = 0.0003); b is rounded to 0.0002 first (b+x = 0.0004).
        QTest::newRow("rounding points") << QStringList{"0.00015", "0", "100", "1", "0.00025", "100"}
                                         << QStringList{"0.0002", "0.0000", "0.0000", "0.0002", "0.0002", "0.0003"}
                                         << QStringList{"0.0002", "0.0000", "0.0000", "0.0002", "0.0002", "0.0004"}
                                         << QStringList{"0.0002", "0.0002", "0.0005", "0.0002", "0.0002", "0.0005"};
        // Halves go to the even neighbour: 2.00005 prints 2.0000.
        QTest::newRow("halves to even") << QStringList{"2.00005", "0", "0", "1", "1.0001", "0"}
                                        << QStringList{"2.0000", "0.0000", "0.0000", "2.0000", "0.0000", "2.0000"}
                                        << QStringList{"2.0000", "0.0000", "0.0000", "2.0000", "0.0000", "2.0000"}
                                        << QStringList{"1.0001", "0.0000", "1.0001", "1.0001", "0.0000", "1.0001"};
        QTest::newRow("ratio 2.5") << QStringList{"50", "0", "18", "2.5", "100", "18"}
                                   << QStringList{"50.0000", "0.0000", "0.0000", "50.0000", "9.0000", "59.0000"}
                                   << QStringList{"20.0000", "0.0000", "0.0000", "20.0000", "3.6000", "23.6000"}
                                   << QStringList{"100.0000", "18.0000", "118.0000", "40.0000", "7.2000", "47.2000"};
        QTest::newRow("null cost") << QStringList{"", "10", "12", "10", "", "12"}
                                   << QStringList{"", "10.0000", "", "", "", ""}
                                   << QStringList{"", "10.0000", "", "", "", ""}
                                   << QStringList{"", "", "", "", "", ""};
    }
    void figuresAndRoundingPoints()
    {
        QFETCH(QStringList, inputs);
        QFETCH(QStringList, pack);
        QFETCH(QStringList, unit);
        QFETCH(QStringList, mrp);
        const auto n = [](const QString& t) { return t.isEmpty() ? std::nullopt : Decimal::parse(t); };
        const PriceBidFigures f = computePriceBidFigures({n(inputs[0]), n(inputs[1]), n(inputs[2]), n(inputs[3]), n(inputs[4]), n(inputs[5])});
        QCOMPARE(QStringList(std::begin(f.packCost), std::end(f.packCost)), pack);
        QCOMPARE(QStringList(std::begin(f.unitCost), std::end(f.unitCost)), unit);
        QCOMPARE(QStringList(std::begin(f.packMrp), std::end(f.packMrp)) + QStringList(std::begin(f.unitMrp), std::end(f.unitMrp)), mrp);
    }

    void failedExportLeavesOlderFileAlone_data()
    {
        QTest::addColumn<QString>("arrange");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("icon");
        QTest::newRow("ratio 0") << "zero ratio" << "Error" << "Error Number : 11\r\nError Description : Division by zero"
                                 << int(QMessageBox::Critical);
        QTest::newRow("no vendor") << "no vendor" << "Info" << "Vendor details are missing" << int(QMessageBox::Information);
        QTest::newRow("cancel") << "cancel" << "Error" << "Error Number : 32755\r\nError Description : Cancel was selected."
                                << int(QMessageBox::Critical);
        // After a first item that is fine: nothing of the page is left anywhere, with or without an older one.
        QTest::newRow("text in a number column") << "text in a number column" << "Error"
                                                 << "Error Number : 13\r\nError Description : Type mismatch"
                                                 << int(QMessageBox::Critical);
        QTest::newRow("text in a number column, no older page") << "text in a number column, no older page" << "Error"
                                                                << "Error Number : 13\r\nError Description : Type mismatch"
                                                                << int(QMessageBox::Critical);
    }
    void failedExportLeavesOlderFileAlone()
    {
        QFETCH(QString, arrange);
        QFETCH(QString, title);
        QFETCH(QString, text);
        QFETCH(int, icon);
        TestFolder folder(TestFolder::Content::Empty);
        MessageBoxScript boxes;
        SaveFileScript dialog;
        setHeading();
        if (arrange != "no vendor")
            insertVendor(folder, Vendor{});
        insertQuote(folder, {"Paracetamol", "Zeta", "M", "3004", "Strip of 10", "Tablet", "500 mg", "10", "100", "0", "GST 12%", "12",
                             "200", "GST 12%", "12", "0", "0", "", ""});
        const bool textInNumber = arrange.startsWith("text in a number column");
        insertQuote(folder, {"Zinc", "Zinco", "M", "3004", "Strip of 10", "Tablet", "20 mg", arrange == "zero ratio" ? "0" : "10",
                             "100", "0", "GST 12%", "12", "200", "GST 12%", "12", "0", "0", "", ""});
        // The save rules would refuse it, so the text goes in behind their back, as a hand-edited file would.
        if (textInNumber)
            folder.exec("UPDATE Quotations SET \"CostVAT%\"='12%' WHERE Brand='Zinco'");
        const QString path = folder.filePath("bid.html");
        const bool olderPage = !arrange.endsWith("no older page");
        if (olderPage) {
            QFile old(path);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("<Html>an older complete page</Html>\r\n");
        }
        if (arrange != "cancel")
            dialog.answer(path);
        frmHTML screen;
        screen.show();
        QTest::mouseClick(control<QPushButton>(&screen, "cmdMaster(5)"), Qt::LeftButton);

        QCOMPARE(boxes.count(), 1);
        QCOMPARE(boxes.last().title, title);
        QCOMPARE(boxes.last().text, text);
        QCOMPARE(int(boxes.last().icon), icon);
        QVERIFY(!control<QProgressBar>(&screen, "ProgressBar")->isVisible());
        QVERIFY(!QApplication::overrideCursor());
        // Nothing else is left beside it either.
        if (olderPage) {
            QCOMPARE(fileLines(path), QStringList{"<Html>an older complete page</Html>"});
            QCOMPARE(QDir(folder.path()).entryList({"*.html*"}, QDir::Files), QStringList{"bid.html"});
        } else {
            QCOMPARE(QDir(folder.path()).entryList({"*.html*"}, QDir::Files), QStringList{});
        }
    }

    void unusableFileNames()
    {
        TestFolder folder(TestFolder::Content::Empty);
        MessageBoxScript boxes;
        SaveFileScript dialog;
        setHeading();
        insertVendor(folder, Vendor{});
        frmHTML screen;
        screen.show();
        // A folder without a file name.
        dialog.answer(folder.path() + "/");
        QTest::mouseClick(control<QPushButton>(&screen, "cmdMaster(5)"), Qt::LeftButton);
        QCOMPARE(boxes.last().title, QString("Export aborted"));
        QCOMPARE(boxes.last().text, QString("EXPORT ABORTED\r\nPlease enter a valid file name"));
        QCOMPARE(boxes.last().icon, QMessageBox::Critical);
        // A folder that does not exist: the file cannot be created.
        dialog.answer(folder.filePath("missing/bid.html"));
        QTest::mouseClick(control<QPushButton>(&screen, "cmdMaster(5)"), Qt::LeftButton);
        QCOMPARE(boxes.last().title, QString("Error"));
        QVERIFY(boxes.last().text.startsWith("Error Number : 75\r\nError Description : "));
        // A name typed without an extension gets the default one.
        dialog.answer(folder.filePath("bid"));
        QTest::mouseClick(control<QPushButton>(&screen, "cmdMaster(5)"), Qt::LeftButton);
        QCOMPARE(boxes.last().title, QString("Exported Successfully"));
        QVERIFY(QFile::exists(folder.filePath("bid.html")));
        QCOMPARE(fileLines(folder.filePath("bid.html"))[3], "<title>KLMT Quillbid - " + folder.filePath("bid.html") + "</title>");
    }

    void textIsEscapedAndKeptIn8Bits()
    {
        TestFolder folder(TestFolder::Content::Empty);
        setHeading();
        insertVendor(folder, Vendor{});
        insertQuote(folder, {"Vitamin A", "Vitamin A <5000 IU>", "Zeta & Sons", "3004", "Strip of 10", "Capsule", "5000 IU", "10",
                             "100", "0", "GST 5%", "5", "200", "GST 5%", "5", "0", "0", "Paracétamol ‘free’ €1", "औषध 😀"});
        const QString path = folder.filePath("bid.html");
        QCOMPARE(PriceBidWriter::write(path), PriceBidWriter::Result::Saved);
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QVERIFY(bytes.contains("<FONT FACE=ARIAL SIZE=-1>Vitamin A &lt;5000 IU&gt;</FONT>"));
        QVERIFY(bytes.contains("<FONT FACE=ARIAL SIZE=-1>Zeta &amp; Sons</FONT>"));
        // Windows-1252 bytes for é, the curly quotes and the euro sign; references for the rest.
        QVERIFY(bytes.contains(QByteArray("Parac\xe9tamol \x91" "free\x92 \x80" "1")));
        QVERIFY(bytes.contains("<FONT FACE=ARIAL SIZE=-1>&#2324;&#2359;&#2343; &#128512;</FONT>"));
        for (char c : bytes)
            QVERIFY(c != '?');
    }

    void screenControlsAndClosing_data()
    {
        QTest::addColumn<QString>("way");
        QTest::newRow("close button") << "cmdMaster(6)";
        QTest::newRow("back menu") << "mnuBack";
        QTest::newRow("back toolbar button") << "tBar1Button(1)";
    }
    void screenControlsAndClosing()
    {
        QFETCH(QString, way);
        TestFolder folder(TestFolder::Content::Empty);
        MessageBoxScript boxes;
        SaveFileScript dialog;
        bool checked = false;
        whenModal([&](QWidget* modal) {
            QCOMPARE(modal->objectName(), QString("frmHTML"));
            QVERIFY(!control<QProgressBar>(modal, "ProgressBar")->isVisible());
            // The other reference lists have no export: nothing is asked, nothing is shown.
            for (int i = 1; i <= 4; ++i)
                QTest::mouseClick(control<QPushButton>(modal, QString("cmdMaster(%1)").arg(i)), Qt::LeftButton);
            QCOMPARE(boxes.count(), 0);
            QVERIFY(dialog.requests().empty());
            if (way.startsWith("cmdMaster"))
                QTest::mouseClick(control<QPushButton>(modal, way), Qt::LeftButton);
            else
                control<QAction>(modal, way)->trigger();
            checked = true;
        });
        showExportScreen(nullptr);
        QVERIFY(checked);
        QVERIFY(!DefaultInstance<frmHTML>::exists());
    }

    void windows1252Encoding()
    {
        QCOMPARE(toWindows1252(u"\u00e9\u00ff\u00a0"), QByteArray("\xe9\xff\xa0"));
        QCOMPARE(toWindows1252(u"\u20ac\u2122\u0178"), QByteArray("\x80\x99\x9f"));
        // C1 controls and characters beyond the code page become references.
        QCOMPARE(toWindows1252(u"\u0081\u0100\u4e2d"), QByteArray("&#129;&#256;&#20013;"));
        QCOMPARE(htmlText(QVariant()), QString());
    }
};

QTEST_MAIN(tst_PriceBid)
#include "tst_pricebid.moc"
