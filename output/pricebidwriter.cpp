#include "output/pricebidwriter.h"

#include "app/applicationstate.h"
#include "db/dberror.h"
#include "db/recordset.h"
#include "output/htmlexportfile.h"
#include "output/pricebidtables.h"

#include <QFileInfo>
#include <QStringBuilder>
#include <array>
#include <optional>

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

// The item's period rows are left out at 0 (and when Null, which is not a period either).
bool periodShown(const QVariant& value)
{
    if (value.isNull())
        return false;
    const std::optional<Decimal> n = Decimal::parse(value.toString().trimmed());
    return !(n && n->isZero());
}

QString numberCell(const QString& figure)
{
    return QStringLiteral("<TD ALIGN=RIGHT><font face=arial size=-2>") % figure % QStringLiteral("</TD>");
}

QString codeCell(const QString& code)
{
    return QStringLiteral("<TD ALIGN=CENTER><font face=arial size=-2>") % code % QStringLiteral("</TD>");
}

QString rowLabel(const QString& text)
{
    return QStringLiteral("<TD><font face=arial size=-2>") % text % QStringLiteral("</font></TD>");
}

void writeItem(HtmlExportFile& file, const Recordset& rs, const ItemColumns& col, int serial)
{
    const auto value = [&](ItemColumn c) { return rs.field(col[c]); };
    // The figures first: a value that is not a number, or a ratio of 0, ends the export before any of the
    // item is written.
    PriceBidInputs in;
    in.cost = PriceBidInputs::number(value(Cost));
    in.discount = PriceBidInputs::number(value(Discount));
    in.costTax = PriceBidInputs::number(value(CostTax));
    in.ratio = PriceBidInputs::number(value(Ratio));
    in.mrp = PriceBidInputs::number(value(MRP));
    in.mrpTax = PriceBidInputs::number(value(MRPTax));
    const PriceBidFigures f = computePriceBidFigures(in);

    const QString packing = htmlText(value(DrugPacking));
    const QString form = htmlText(value(DrugForm));
    const QString costCode = htmlText(value(CostVATCode));
    const QString mrpCode = htmlText(value(MRPVATCode));

    file.writeLine(u"<TABLE WIDTH=690 BORDER=0 CELLPADDING=1 CELLSPACING=0>");
    file.writeLine(QString(QStringLiteral("<TR><TD WIDTH=170><FONT FACE=ARIAL SIZE=-1><B>SNo</B></FONT></TD><TD WIDTH=10>:</TD>"
                                          "<TD WIDTH=510><FONT FACE=ARIAL SIZE=-1><B>#") %
                           QString::number(serial) % QStringLiteral("</B></FONT></TD></TR>")));
    file.writeLine(labelledRow(QStringLiteral("Brand"), htmlText(value(Brand))));
    file.writeLine(labelledRow(QStringLiteral("Manufacturer"), htmlText(value(Manufacturer))));
    file.writeLine(labelledRow(QStringLiteral("HSN Code"), htmlText(value(HSNCode))));
    file.writeLine(labelledRow(QStringLiteral("Generic"), htmlText(value(Generic))));
    file.writeLine(QString(labelStart(QStringLiteral("Packing")) % CellSeparator % packing %
                           QStringLiteral("<FONT SIZE=-2>&nbsp;&nbsp;(Each ") % packing % QStringLiteral(" has ") %
                           priceBidNumber(in.ratio) % QStringLiteral(" ") % form % QStringLiteral(")</FONT>") % RowEnd));
    file.writeLine(labelledRow(QStringLiteral("Drug Form"), form));
    file.writeLine(labelledRow(QStringLiteral("Drug Strength"), htmlText(value(DrugStrength))));
    const QVariant credit = value(CreditPeriod);
    if (periodShown(credit))
        file.writeLine(labelledRow(QStringLiteral("Credit Period in days"), htmlText(credit)));
    const QVariant delivery = value(DeliveryPeriod);
    if (periodShown(delivery))
        file.writeLine(labelledRow(QStringLiteral("Delivery Period in days"), htmlText(delivery)));
    file.writeLine(labelledRow(QStringLiteral("Free of Cost Offer"), htmlText(value(FreeOfCostOffer))));
    file.writeLine(labelledRow(QStringLiteral("Remarks"), htmlText(value(Remarks))));
    file.writeLine(u"</TABLE>");

    file.writeLine(u"<TABLE WIDTH=690 BORDER=1 CELLPADDING=1 CELLSPACING=0>");
    file.writeLine(u"<TR>");
    file.writeLine(u"<TH WIDTH=170 ALIGN=CENTER><font face=arial>COST</TH>");
    file.writeLine(u"<TH WIDTH=90 ALIGN=CENTER><font face=arial size=-3>Cost Before Disc Without Tax</TH>");
    file.writeLine(u"<TH WIDTH=50 ALIGN=CENTER><font face=arial size=-3>Disc %</TH>");
    file.writeLine(u"<TH WIDTH=75 ALIGN=CENTER><font face=arial size=-3>Disc Amount</TH>");
    file.writeLine(u"<TH WIDTH=90 ALIGN=CENTER><font face=arial size=-3>Cost After Disc Without Tax</TH>");
    file.writeLine(u"<TH WIDTH=50 ALIGN=CENTER><font face=arial size=-3>Tax %</TH>");
    file.writeLine(u"<TH WIDTH=75 ALIGN=CENTER><font face=arial size=-3>Tax Amount</TH>");
    file.writeLine(u"<TH WIDTH=90 ALIGN=CENTER><font face=arial size=-3>Cost After Disc With Tax</TH>");
    file.writeLine(u"</TR>");
    const auto costRow = [&](const QString& label, const QString (&cells)[6]) {
        file.writeLine(u"<TR>");
        file.writeLine(rowLabel(QStringLiteral("Cost of ") + label));
        for (int i = 0; i < 4; ++i)
            file.writeLine(numberCell(cells[i]));
        file.writeLine(codeCell(costCode));
        file.writeLine(numberCell(cells[4]));
        file.writeLine(numberCell(cells[5]));
        file.writeLine(u"</TR>");
    };
    costRow(packing, f.packCost);
    costRow(form, f.unitCost);
    file.writeLine(u"</TABLE><br>");

    file.writeLine(u"<TABLE WIDTH=530 BORDER=1 CELLPADDING=1 CELLSPACING=0>");
    file.writeLine(u"<TR>");
    file.writeLine(u"<TH WIDTH=170 ALIGN=CENTER><font face=arial>MRP</TH>");
    file.writeLine(u"<TH WIDTH=90 ALIGN=CENTER><font face=arial size=-3>MRP Without Tax</TH>");
    file.writeLine(u"<TH WIDTH=90 ALIGN=CENTER><font face=arial size=-3>MRP Tax</TH>");
    file.writeLine(u"<TH WIDTH=90 ALIGN=CENTER><font face=arial size=-3>Tax Amount</TH>");
    file.writeLine(u"<TH WIDTH=90 ALIGN=CENTER><font face=arial size=-3>MRP With Tax</TH>");
    file.writeLine(u"</TR>");
    const auto mrpRow = [&](const QString& label, const QString (&cells)[3]) {
        file.writeLine(u"<TR>");
        file.writeLine(rowLabel(QStringLiteral("MRP of ") + label));
        file.writeLine(numberCell(cells[0]));
        file.writeLine(codeCell(mrpCode));
        file.writeLine(numberCell(cells[1]));
        file.writeLine(numberCell(cells[2]));
        file.writeLine(u"</TR>");
    };
    mrpRow(packing, f.packMrp);
    mrpRow(form, f.unitMrp);
    file.writeLine(u"</TABLE>");
    file.writeLine(HorizontalRule);
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
