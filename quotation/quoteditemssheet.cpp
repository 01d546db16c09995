#include "quotation/quoteditemssheet.h"

#include "app/applicationstate.h"
#include "db/recordset.h"
#include "quotation/quotationdraft.h"

#include <QDateTime>

namespace QuotedItemsSheet {

namespace {

using K = Column::Kind;

const std::vector<Column> Columns = {
    {"ID", "ID", K::Whole},
    {"Added On", "AddedOn", K::Date},
    {"Edited On", "EditedOn", K::Date},
    {"Vendor", "Vendor", K::Text},
    {"Generic", "Generic", K::Text},
    {"Brand", "Brand", K::Text},
    {"Manufacturer", "Manufacturer", K::Text},
    {"HSN Code", "HSNCode", K::Text},
    {"Brand Added By Vendor", "BrandAddedByVendor", K::Flag},
    {"Drug Packing", "DrugPacking", K::Text},
    {"Drug Form", "DrugForm", K::Text},
    {"Quantity Per Pack", "QuantityInEachStripOrPack", K::Number},
    {"Drug Strength", "DrugStrength", K::Text},
    {"Cost Before Discount Without Tax", "CostOfPackBeforeDiscountWithoutVAT", K::Number},
    {"Discount %", "Discount%", K::Number},
    {"Cost Tax Code", "CostVATCode", K::Text},
    {"Cost Tax %", "CostVAT%", K::Number},
    {"MRP Without Tax", "MRPOfPackWithoutVAT", K::Number},
    {"MRP With Tax", "MRPOfPackWithVAT", K::Number},
    {"MRP Tax Code", "MRPVATCode", K::Text},
    {"MRP Tax %", "MRPVAT%", K::Number},
    {"Credit Period In Days", "CreditPeriodInDays", K::Whole},
    {"Delivery Period In Days", "DeliveryPeriodInDays", K::Whole},
    {"Warranty In Months", "WarrantyInMonths", K::Whole},
    {"Research Molecule", "ResearchMolecule", K::Flag},
    {"Free Of Cost Offer", "FreeOfCostOffer", K::Text},
    {"Remarks", "Remarks", K::Text},
    {"Cost After Discount With Tax Per Pack", nullptr, K::Derived},
    {"Cost After Discount With Tax Per Unit", nullptr, K::Derived},
    {"MRP With Tax Per Unit", nullptr, K::Derived},
};

// A stored figure keeps the decimals it was typed with.
int decimalsOf(const QString& text)
{
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    return point < 0 ? 0 : static_cast<int>(text.size() - point - 1);
}

Sheets::Cell storedCell(const Column& c, const QVariant& v)
{
    if (v.isNull())
        return Sheets::Cell::empty();
    switch (c.kind) {
    case K::Number:
    case K::Whole: {
        const QString text = v.toString();
        return Sheets::Cell::number(text, decimalsOf(text));
    }
    case K::Flag:
        return Sheets::Cell::textCell(v.toBool() ? QStringLiteral("Yes") : QStringLiteral("No"));
    case K::Date:
        return Sheets::Cell::textCell(v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    case K::Text:
    case K::Derived:
        break;
    }
    return Sheets::Cell::textCell(v.toString());
}

} // namespace

const std::vector<Column>& columns()
{
    return Columns;
}

QString header(const char* storedColumn)
{
    for (const Column& c : Columns)
        if (c.stored && qstrcmp(c.stored, storedColumn) == 0)
            return QString::fromLatin1(c.header);
    return QString();
}

QString priceBidOrder()
{
    return QStringLiteral("Order by Generic, Brand, DrugForm, DrugPacking, DrugStrength");
}

Sheets::Sheet build()
{
    Sheets::Sheet sheet;
    sheet.name = QStringLiteral("Quoted Items");
    for (const Column& c : Columns)
        sheet.header << QString::fromLatin1(c.header);
    Recordset rs(QStringLiteral("Select * from Quotations ") + priceBidOrder(), AppState::ConnectionString,
                 CursorType::Static, LockType::ReadOnly);
    std::vector<int> index;
    for (const Column& c : Columns)
        index.push_back(c.stored ? rs.fieldIndex(QLatin1String(c.stored)) : -1);
    sheet.rows.reserve(static_cast<size_t>(rs.recordCount()));
    while (!rs.eof()) {
        const QuotationDraft d = QuotationDraft::fromStoredRow(rs);
        const QString derived[3] = {d.costSummary.costAftVAT, d.costSummary.costLUAftVAT, d.mrpSummary.withVATLU};
        std::vector<Sheets::Cell> row;
        row.reserve(Columns.size());
        int nextDerived = 0;
        for (size_t i = 0; i < Columns.size(); ++i) {
            if (Columns[i].kind == K::Derived)
                row.push_back(Sheets::Cell::number(derived[nextDerived++], 4));
            else
                row.push_back(index[i] < 0 ? Sheets::Cell::empty() : storedCell(Columns[i], rs.field(index[i])));
        }
        sheet.addRow(std::move(row));
        rs.moveNext();
    }
    return sheet;
}

} // namespace QuotedItemsSheet
