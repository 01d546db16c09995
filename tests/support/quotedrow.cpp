#include "tests/support/quotedrow.h"

#include "db/sqltext.h"
#include "tests/support/testenv.h"

#include <QStringList>
#include <algorithm>

QuotedRow::QuotedRow()
    : m_columns{{"Vendor", "Acme Pharma"},
                {"Generic", "Acarbose"},
                {"Brand", "Acavelo 25 mg Tablet"},
                {"Manufacturer", "Maker Ltd"},
                {"HSNCode", "30041010"},
                {"BrandAddedByVendor", 0},
                {"DrugPacking", "Strip of 10"},
                {"DrugForm", "Tablet"},
                {"QuantityInEachStripOrPack", 10},
                {"DrugStrength", "25 mg"},
                {"CostOfPackBeforeDiscountWithoutVAT", 100},
                {"Discount%", 10},
                {"CostVATCode", "GST 12%"},
                {"CostVAT%", 12},
                {"MRPOfPackWithoutVAT", 200},
                {"MRPOfPackWithVAT", 224},
                {"MRPVATCode", "GST 12%"},
                {"MRPVAT%", 12},
                {"CreditPeriodInDays", 30},
                {"DeliveryPeriodInDays", 7},
                {"WarrantyInMonths", 0},
                {"ResearchMolecule", 0},
                {"FreeOfCostOffer", ""},
                {"Remarks", QVariant()}}
{
}

QuotedRow& QuotedRow::set(const QString& column, const QVariant& value)
{
    auto at = std::find_if(m_columns.begin(), m_columns.end(), [&](const auto& c) { return c.first == column; });
    if (at == m_columns.end())
        m_columns.emplace_back(column, value);
    else
        at->second = value;
    return *this;
}

QuotedRow& QuotedRow::without(const QString& column)
{
    std::erase_if(m_columns, [&](const auto& c) { return c.first == column; });
    return *this;
}

QVariant QuotedRow::value(const QString& column) const
{
    for (const auto& [name, value] : m_columns)
        if (name == column)
            return value;
    return {};
}

void QuotedRow::insert(const TestFolder& folder) const
{
    QStringList names;
    QStringList values;
    for (const auto& [name, value] : m_columns) {
        names << QLatin1Char('"') + name + QLatin1Char('"');
        if (value.isNull())
            values << QStringLiteral("NULL");
        else if (value.typeId() == QMetaType::QString)
            values << QLatin1Char('\'') + escapeSqlText(value.toString()) + QLatin1Char('\'');
        else
            values << value.toString();
    }
    folder.exec(QStringLiteral("INSERT INTO Quotations (%1) VALUES (%2)").arg(names.join(QStringLiteral(", ")), values.join(QStringLiteral(", "))));
}
