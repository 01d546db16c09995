#include "db/schema.h"

namespace {

// Code is text: the hospital's rows carry the hospital's own codes ("DF01"); the vendor's rows get
// the largest ID + 1, written as its digits.
std::vector<ColumnDef> referenceColumns()
{
    return {{"ID", ColumnType::Id}, {"Code", ColumnType::Text}, {"Description", ColumnType::Text},
            {"AddedByVendor", ColumnType::Boolean}};
}

std::vector<ColumnDef> withColumns(std::vector<ColumnDef> base, std::initializer_list<ColumnDef> more)
{
    base.insert(base.end(), more);
    return base;
}

std::vector<TableDef> buildTables()
{
    using T = ColumnType;
    std::vector<TableDef> tables;
    tables.push_back({"CT_Vendor",
                      {{"ID", T::Id}, {"VendorName", T::Text}, {"Address", T::Text}, {"City", T::Text},
                       {"State", T::Text}, {"PINCode", T::Text}, {"ContactPerson", T::Text},
                       {"PhoneNumber", T::Text}, {"MobileNumber", T::Text}, {"FaxNumber", T::Text},
                       {"EmailAddress", T::Text}, {"TINNumber", T::Text}, {"CreditPeriodInDays", T::SmallInt},
                       {"DeliveryPeriodInDays", T::SmallInt}, {"Remarks", T::Text}}});
    tables.push_back({"CT_Options",
                      {{"ID", T::Id}, {"Organization", T::Text}, {"OrgAddress", T::Text},
                       {"TenderDuration", T::Text}}});
    tables.push_back({"CT_Generics", referenceColumns()});
    tables.push_back({"CT_Brands",
                      withColumns(referenceColumns(),
                                  {{"Generic", T::Text}, {"Manufacturer", T::Text}, {"DrugForm", T::Text},
                                   {"DrugStrength", T::Text}, {"ItemSpecification", T::Text},
                                   {"PurchaseUOM", T::Text}, {"PharmacyCategory", T::Text},
                                   {"PharmacySubCategory", T::Text}, {"ExpectedConsumption", T::Text}})});
    tables.push_back({"CT_DrugForms", referenceColumns()});
    tables.push_back({"CT_Strengths", referenceColumns()});
    tables.push_back({"CT_DrugPackings",
                      withColumns(referenceColumns(), {{"Packing", T::Text}, {"Ratio", T::Decimal}})});
    tables.push_back({"CT_DrugPackingsMast", {{"ID", T::Id}, {"Description", T::Text}}});
    tables.push_back({"CT_Tax", withColumns(referenceColumns(), {{"TaxType", T::Text}, {"Tax", T::Decimal}})});
    tables.push_back({"CT_TaxMast", {{"ID", T::Id}, {"Description", T::Text}}});
    tables.push_back({"CT_QtyPerYears",
                      {{"ID", T::Id}, {"Generic", T::Text}, {"Strength", T::Text}, {"DrugForm", T::Text},
                       {"DrugPacking", T::Text}, {"QtyReqPerYear", T::Decimal}}});
    tables.push_back({"Quotations",
                      {{"ID", T::Id},
                       {"AddedOn", T::DateTime},
                       {"EditedOn", T::DateTime},
                       {"Vendor", T::Text},
                       {"Generic", T::Text},
                       {"Brand", T::Text},
                       {"Manufacturer", T::Text},
                       {"HSNCode", T::Text},
                       {"BrandAddedByVendor", T::Boolean},
                       {"DrugPacking", T::Text},
                       {"DrugForm", T::Text},
                       {"QuantityInEachStripOrPack", T::Decimal},
                       {"DrugStrength", T::Text},
                       {"CostOfPackBeforeDiscountWithoutVAT", T::Decimal},
                       {"Discount%", T::Decimal},
                       {"CostVATCode", T::Text},
                       {"CostVAT%", T::Decimal},
                       {"MRPOfPackWithoutVAT", T::Decimal},
                       {"MRPOfPackWithVAT", T::Decimal},
                       {"MRPVATCode", T::Text},
                       {"MRPVAT%", T::Decimal},
                       {"CreditPeriodInDays", T::Integer},
                       {"DeliveryPeriodInDays", T::Integer},
                       {"WarrantyInMonths", T::Integer},
                       {"ResearchMolecule", T::Boolean},
                       {"FreeOfCostOffer", T::Text},
                       {"Remarks", T::Text}}});
    return tables;
}

} // namespace

namespace Schema {

const std::vector<TableDef>& tables()
{
    static const std::vector<TableDef> all = buildTables();
    return all;
}

const TableDef* table(const QString& name)
{
    for (const TableDef& t : tables())
        if (t.name.compare(name, Qt::CaseInsensitive) == 0)
            return &t;
    return nullptr;
}

QString declaredType(ColumnType type)
{
    switch (type) {
    case ColumnType::Id: return QStringLiteral("INTEGER");
    case ColumnType::Text: return QStringLiteral("TEXT");
    case ColumnType::Integer: return QStringLiteral("INTEGER");
    case ColumnType::SmallInt: return QStringLiteral("SMALLINT");
    case ColumnType::Decimal: return QStringLiteral("NUMERIC");
    case ColumnType::Boolean: return QStringLiteral("BOOLEAN");
    case ColumnType::DateTime: return QStringLiteral("DATETIME");
    }
    return QStringLiteral("TEXT");
}

ColumnType typeFromDeclared(const QString& declared)
{
    const QString d = declared.toUpper();
    if (d == QLatin1String("SMALLINT"))
        return ColumnType::SmallInt;
    if (d.startsWith(QLatin1String("INT")))
        return ColumnType::Integer;
    if (d == QLatin1String("NUMERIC") || d == QLatin1String("REAL") || d == QLatin1String("DECIMAL"))
        return ColumnType::Decimal;
    if (d == QLatin1String("BOOLEAN"))
        return ColumnType::Boolean;
    if (d == QLatin1String("DATETIME"))
        return ColumnType::DateTime;
    return ColumnType::Text;
}

QString createTableSql(const TableDef& table)
{
    QStringList columns;
    for (const ColumnDef& c : table.columns) {
        const QString quoted = QLatin1Char('"') + c.name + QLatin1Char('"');
        // ID is the rowid itself, so a new row's ID is the largest so far plus one.
        columns << (c.type == ColumnType::Id ? quoted + QLatin1String(" INTEGER PRIMARY KEY")
                                             : quoted + QLatin1Char(' ') + declaredType(c.type));
    }
    return QStringLiteral("CREATE TABLE \"%1\" (%2)").arg(table.name, columns.join(QLatin1String(", ")));
}

bool isNumberColumn(const QString& tableName, const QString& column)
{
    const TableDef* t = table(tableName);
    if (!t)
        return false;
    for (const ColumnDef& c : t->columns) {
        if (c.name.compare(column, Qt::CaseInsensitive) == 0)
            return c.type == ColumnType::Integer || c.type == ColumnType::SmallInt || c.type == ColumnType::Decimal;
    }
    return false;
}

} // namespace Schema
