#include "output/pricebidwriter.h"

#include "app/applicationstate.h"
#include "db/dberror.h"
#include "db/recordset.h"
#include "output/htmlexportfile.h"
#include "output/pricebidrow.h"

#include <QFileInfo>
#include <QStringBuilder>
#include <array>
#include <charconv>
#include <optional>
#include <string_view>

namespace {

const QString CellSeparator = QStringLiteral("<TD>:</TD><TD><FONT FACE=ARIAL SIZE=-1>");
const QString RowEnd = QStringLiteral("</FONT></TD></TR>");
const QString HorizontalRule = QStringLiteral("<HR size=2 color=black>");

QString labelStart(const QString& label)
{
    return QStringLiteral("<TR><TD><FONT FACE=ARIAL SIZE=-1><B>") % label % QStringLiteral("</B></FONT></TD>");
}

// A label : value row; `value` is page text already (escaped).
QString labelledRow(const QString& label, const QString& value)
{
    return labelStart(label) % CellSeparator % value % RowEnd;
}

QString trimmedText(const QVariant& value)
{
    return value.isNull() ? QString() : value.toString().trimmed();
}

void writeHeading(HtmlExportFile& file, const QString& fullPath)
{
    writePageHead(file, u"<Html Margin=0>", fullPath, u"<body LeftMargin=10 RightMargin=0>");
    file.writeLine(QStringLiteral("<h><b><font size=+1>") + htmlText(AppState::CurrentOrganization) +
                   QStringLiteral("</font><br>") + htmlText(AppState::CurrentOrgAddress) +
                   QStringLiteral("<BR>Price Bid for ") + htmlEscape(AppState::CurrentTenderDuration) +
                   QStringLiteral("<BR></b></h>"));
    file.writeLine(HorizontalRule);
}

void writeVendorBlock(HtmlExportFile& file, const Recordset& vendor)
{
    file.writeLine(u"<TABLE WIDTH=690 BORDER=0 CELLPADDING=1 CELLSPACING=0>");
    file.writeLine(u"<TR><TD COLSPAN=3><FONT FACE=ARIAL><B>Vendor Details</B></FONT></TD></TR>");
    file.writeLine(QStringLiteral("<TR><TD WIDTH=170><FONT FACE=ARIAL SIZE=-1><B>Vendor Name</B></FONT></TD>"
                                  "<TD WIDTH=10>:</TD><TD WIDTH=510><FONT FACE=ARIAL SIZE=-1>") +
                   htmlText(vendor.field(QStringLiteral("VendorName"))) + RowEnd);

    // An empty part after a non-empty start still adds its separator ("Addr, , State, 411005").
    QString address = trimmedText(vendor.field(QStringLiteral("Address")));
    for (const char* part : {"City", "State", "PinCode"}) {
        const QString text = trimmedText(vendor.field(QLatin1String(part)));
        address = address.trimmed().isEmpty() ? text : address + QStringLiteral(", ") + text;
    }
    if (!address.isEmpty())
        file.writeLine(labelledRow(QStringLiteral("Address"), htmlEscape(address)));

    const QVariant contact = vendor.field(QStringLiteral("ContactPerson"));
    if (!trimmedText(contact).isEmpty())
        file.writeLine(labelledRow(QStringLiteral("Contact Person"), htmlText(contact)));

    QString phone = trimmedText(vendor.field(QStringLiteral("PhoneNumber")));
    const QString mobile = trimmedText(vendor.field(QStringLiteral("MobileNumber")));
    phone = phone.isEmpty() ? mobile : phone + QStringLiteral(" , ") + mobile;
    if (!phone.isEmpty())
        file.writeLine(labelledRow(QStringLiteral("Phone Number"), htmlEscape(phone)));

    static const std::pair<const char*, const char*> optionalRows[] = {
        {"Email Address", "EmailAddress"},
        {"GST Number", "TINNumber"},
        {"GST Registration State", "FaxNumber"},
        {"Credit Period in days", "CreditPeriodInDays"},
        {"Delivery Period in days", "DeliveryPeriodInDays"},
        {"Remarks", "Remarks"},
    };
    for (const auto& [label, column] : optionalRows) {
        const QVariant value = vendor.field(QLatin1String(column));
        if (!trimmedText(value).isEmpty())
            file.writeLine(labelledRow(QLatin1String(label), htmlText(value)));
    }
    file.writeLine(u"</TABLE>");
}

// The Quotations columns that the item blocks read, looked up by name once per export instead of on
// every row (the name look-up costs more than the rest of a row's reading).
enum ItemColumn {
    Brand, Manufacturer, HSNCode, Generic, DrugPacking, Ratio, DrugForm, DrugStrength, CreditPeriod, DeliveryPeriod,
    FreeOfCostOffer, Remarks, Cost, Discount, CostVATCode, CostTax, MRP, MRPVATCode, MRPTax, ItemColumnCount
};
constexpr const char* ItemColumnNames[ItemColumnCount] = {
    "Brand", "Manufacturer", "HSNCode", "Generic", "DrugPacking", "QuantityInEachStripOrPack", "DrugForm", "DrugStrength",
    "CreditPeriodInDays", "DeliveryPeriodInDays", "FreeOfCostOffer", "Remarks", "CostOfPackBeforeDiscountWithoutVAT",
    "Discount%", "CostVATCode", "CostVAT%", "MRPOfPackWithoutVAT", "MRPVATCode", "MRPVAT%"};

using ItemColumns = std::array<int, ItemColumnCount>;

ItemColumns findItemColumns(const Recordset& rs)
{
    ItemColumns found;
    for (int c = 0; c < ItemColumnCount; ++c) {
        const QLatin1String name(ItemColumnNames[c]);
        found[c] = rs.fieldIndex(name);
        if (found[c] < 0)
            throw DbError(DbErrorNumber::ItemNotFound, QStringLiteral("Recordset"),
                          QStringLiteral("Item cannot be found in the collection corresponding to the requested name: %1.").arg(name));
    }
    return found;
}

// The item blocks' markup as page bytes. Each piece is ASCII and ends where a field goes in; a piece
// ending in CR LF ends a line.
constexpr std::string_view LabelStart = "<TR><TD><FONT FACE=ARIAL SIZE=-1><B>";
constexpr std::string_view LabelEnd = "</B></FONT></TD><TD>:</TD><TD><FONT FACE=ARIAL SIZE=-1>";
constexpr std::string_view RowEndLine = "</FONT></TD></TR>\r\n";
constexpr std::string_view NumberCell = "<TD ALIGN=RIGHT><font face=arial size=-2>";
constexpr std::string_view CodeCell = "<TD ALIGN=CENTER><font face=arial size=-2>";
constexpr std::string_view CellEndLine = "</TD>\r\n";
constexpr std::string_view RowLabel = "<TR>\r\n<TD><font face=arial size=-2>";
constexpr std::string_view RowLabelEndLine = "</font></TD>\r\n";
constexpr std::string_view DescriptionStart =
    "<TABLE WIDTH=690 BORDER=0 CELLPADDING=1 CELLSPACING=0>\r\n"
    "<TR><TD WIDTH=170><FONT FACE=ARIAL SIZE=-1><B>SNo</B></FONT></TD><TD WIDTH=10>:</TD>"
    "<TD WIDTH=510><FONT FACE=ARIAL SIZE=-1><B>#";
constexpr std::string_view SerialEndLine = "</B></FONT></TD></TR>\r\n";
constexpr std::string_view CostTableStart =
    "</TABLE>\r\n"
    "<TABLE WIDTH=690 BORDER=1 CELLPADDING=1 CELLSPACING=0>\r\n"
    "<TR>\r\n"
    "<TH WIDTH=170 ALIGN=CENTER><font face=arial>COST</TH>\r\n"
    "<TH WIDTH=90 ALIGN=CENTER><font face=arial size=-3>Cost Before Disc Without Tax</TH>\r\n"
    "<TH WIDTH=50 ALIGN=CENTER><font face=arial size=-3>Disc %</TH>\r\n"
    "<TH WIDTH=75 ALIGN=CENTER><font face=arial size=-3>Disc Amount</TH>\r\n"
    "<TH WIDTH=90 ALIGN=CENTER><font face=arial size=-3>Cost After Disc Without Tax</TH>\r\n"
    "<TH WIDTH=50 ALIGN=CENTER><font face=arial size=-3>Tax %</TH>\r\n"
    "<TH WIDTH=75 ALIGN=CENTER><font face=arial size=-3>Tax Amount</TH>\r\n"
    "<TH WIDTH=90 ALIGN=CENTER><font face=arial size=-3>Cost After Disc With Tax</TH>\r\n"
    "</TR>\r\n";
constexpr std::string_view MrpTableStart =
    "</TABLE><br>\r\n"
    "<TABLE WIDTH=530 BORDER=1 CELLPADDING=1 CELLSPACING=0>\r\n"
    "<TR>\r\n"
    "<TH WIDTH=170 ALIGN=CENTER><font face=arial>MRP</TH>\r\n"
    "<TH WIDTH=90 ALIGN=CENTER><font face=arial size=-3>MRP Without Tax</TH>\r\n"
    "<TH WIDTH=90 ALIGN=CENTER><font face=arial size=-3>MRP Tax</TH>\r\n"
    "<TH WIDTH=90 ALIGN=CENTER><font face=arial size=-3>Tax Amount</TH>\r\n"
    "<TH WIDTH=90 ALIGN=CENTER><font face=arial size=-3>MRP With Tax</TH>\r\n"
    "</TR>\r\n";
constexpr std::string_view ItemEnd = "</TABLE>\r\n<HR size=2 color=black>\r\n";

// A label : value row; `value` is page bytes already (escaped and encoded).
void labelledRow(HtmlExportFile& file, std::string_view label, std::string_view value)
{
    file.write(LabelStart);
    file.write(label);
    file.write(LabelEnd);
    file.write(value);
    file.write(RowEndLine);
}

void cell(HtmlExportFile& file, std::string_view start, std::string_view value)
{
    file.write(start);
    file.write(value);
    file.write(CellEndLine);
}

void writeItem(HtmlExportFile& file, const Recordset& rs, const ItemColumns& col, int serial)
{
    // The figures first: a number that is not one ends the export before any of the item is written.
    PriceBidCells f;
    readPriceBidCells(rs, {col[Cost], col[Discount], col[CostTax], col[Ratio], col[MRP], col[MRPTax]}, f);

    const PageText packing(rs, col[DrugPacking]);
    const PageText form(rs, col[DrugForm]);
    const PageText costCode(rs, col[CostVATCode]);
    const PageText mrpCode(rs, col[MRPVATCode]);

    file.write(DescriptionStart);
    char digits[16];
    file.write(std::string_view(digits, static_cast<size_t>(std::to_chars(digits, digits + sizeof digits, serial).ptr - digits)));
    file.write(SerialEndLine);
    labelledRow(file, "Brand", PageText(rs, col[Brand]).bytes());
    labelledRow(file, "Manufacturer", PageText(rs, col[Manufacturer]).bytes());
    labelledRow(file, "HSN Code", PageText(rs, col[HSNCode]).bytes());
    labelledRow(file, "Generic", PageText(rs, col[Generic]).bytes());
    file.write(LabelStart);
    file.write("Packing");
    file.write(LabelEnd);
    file.write(packing.bytes());
    file.write("<FONT SIZE=-2>&nbsp;&nbsp;(Each ");
    file.write(packing.bytes());
    file.write(" has ");
    file.write(f.ratio.view());
    file.write(" ");
    file.write(form.bytes());
    file.write(")</FONT>");
    file.write(RowEndLine);
    labelledRow(file, "Drug Form", form.bytes());
    labelledRow(file, "Drug Strength", PageText(rs, col[DrugStrength]).bytes());
    std::optional<PageText> period;
    if (PageText::period(rs, col[CreditPeriod], period))
        labelledRow(file, "Credit Period in days", period->bytes());
    period.reset();
    if (PageText::period(rs, col[DeliveryPeriod], period))
        labelledRow(file, "Delivery Period in days", period->bytes());
    labelledRow(file, "Free of Cost Offer", PageText(rs, col[FreeOfCostOffer]).bytes());
    labelledRow(file, "Remarks", PageText(rs, col[Remarks]).bytes());

    file.write(CostTableStart);
    const auto costRow = [&](const PageText& label, const PriceBidCells::Text (&cells)[6]) {
        file.write(RowLabel);
        file.write("Cost of ");
        file.write(label.bytes());
        file.write(RowLabelEndLine);
        for (int i = 0; i < 4; ++i)
            cell(file, NumberCell, cells[i].view());
        cell(file, CodeCell, costCode.bytes());
        cell(file, NumberCell, cells[4].view());
        cell(file, NumberCell, cells[5].view());
        file.write("</TR>\r\n");
    };
    costRow(packing, f.packCost);
    costRow(form, f.unitCost);

    file.write(MrpTableStart);
    const auto mrpRow = [&](const PageText& label, const PriceBidCells::Text (&cells)[3]) {
        file.write(RowLabel);
        file.write("MRP of ");
        file.write(label.bytes());
        file.write(RowLabelEndLine);
        cell(file, NumberCell, cells[0].view());
        cell(file, CodeCell, mrpCode.bytes());
        cell(file, NumberCell, cells[1].view());
        cell(file, NumberCell, cells[2].view());
        file.write("</TR>\r\n");
    };
    mrpRow(packing, f.packMrp);
    mrpRow(form, f.unitMrp);
    file.write(ItemEnd);
}

} // namespace

namespace PriceBidWriter {

Result write(const QString& path, ExportProgress* progress)
{
    const QString fullPath = QFileInfo(path).absoluteFilePath();
    HtmlExportFile file(fullPath);
    writeHeading(file, fullPath);

    {
        Recordset vendor(QStringLiteral("Select * from CT_Vendor"), AppState::ConnectionString, CursorType::Static,
                         LockType::ReadOnly);
        if (vendor.eof())
            return Result::VendorMissing;
        writeVendorBlock(file, vendor);
    }
    file.writeLine(HorizontalRule);

    Recordset rs(QStringLiteral("Select * from Quotations Order by Generic, Brand, DrugForm, DrugPacking, DrugStrength"),
                 AppState::ConnectionString, CursorType::Static, LockType::ReadOnly);
    file.writeLine(u"<TABLE WIDTH=750 BORDER=0 CELLPADDING=1 CELLSPACING=0>");
    file.writeLine(u"<TR><TD COLSPAN=3><FONT FACE=ARIAL><B>Items Quoted by Vendor</B></FONT></TD></TR>");
    file.writeLine(u"</TABLE>");
    if (progress)
        progress->start(static_cast<int>(rs.recordCount()));
    const ItemColumns columns = findItemColumns(rs);
    int serial = 1;
    while (!rs.eof()) {
        writeItem(file, rs, columns, serial);
        rs.moveNext();
        ++serial;
        if (progress)
            progress->advance();
    }
    file.writeLine(u"<BR><BR>");
    file.writeLine(u"</BODY>");
    file.writeLine(u"</HTML>");
    file.commit();
    return Result::Saved;
}

} // namespace PriceBidWriter
