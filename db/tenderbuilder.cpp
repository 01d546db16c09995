#include "db/tenderbuilder.h"

#include "db/csvreader.h"
#include "db/dberror.h"
#include "db/schema.h"
#include "db/tenderdatabase.h"
#include "db/valueconversion.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSet>
#include <filesystem>
#include <functional>
#include <memory>
#include <sqlite3.h>

namespace {

// Tables that only the vendor fills; their files may be left out of the hospital's folder.
const QStringList OptionalTables = {QStringLiteral("CT_Vendor"), QStringLiteral("Quotations")};
// Tables whose Description names an entry and must be unique within the table.
const QStringList UniqueDescriptionTables = {
    QStringLiteral("CT_Generics"), QStringLiteral("CT_Brands"), QStringLiteral("CT_DrugForms"),
    QStringLiteral("CT_Strengths"), QStringLiteral("CT_DrugPackings"), QStringLiteral("CT_DrugPackingsMast"),
    QStringLiteral("CT_Tax"), QStringLiteral("CT_TaxMast")};

struct StatementDeleter {
    void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};
using Statement = std::unique_ptr<sqlite3_stmt, StatementDeleter>;

void exec(sqlite3* db, const QString& sql)
{
    const int rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        TenderDatabase::raiseEngineError(db, rc);
}

// One row inserted by a prepared statement; a failure stops the build rather than leave a row out.
void step(sqlite3* db, const Statement& statement)
{
    const int rc = sqlite3_step(statement.get());
    if (rc != SQLITE_DONE)
        TenderDatabase::raiseEngineError(db, rc);
}

Statement prepare(sqlite3* db, const QString& sql)
{
    sqlite3_stmt* raw = nullptr;
    const int rc = sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &raw, nullptr);
    Statement stmt(raw);
    if (rc != SQLITE_OK)
        TenderDatabase::raiseEngineError(db, rc);
    return stmt;
}

QString insertSql(const TableDef& table, const QStringList& columns)
{
    QStringList names, marks;
    for (const QString& c : columns) {
        names << QLatin1Char('"') + c + QLatin1Char('"');
        marks << QStringLiteral("?");
    }
    return QStringLiteral("INSERT INTO \"%1\" (%2) VALUES (%3)").arg(table.name, names.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
}

// Writes a new database under a temporary name beside the target, then moves it into place.
void buildAtomically(const QString& outputPath, const std::function<void(sqlite3*)>& fill)
{
    const QFileInfo target(outputPath);
    if (!target.absoluteDir().exists())
        throw DbError(DbErrorNumber::FileNotFound, QStringLiteral("Tender builder"),
                      QStringLiteral("The folder of '%1' does not exist.").arg(outputPath));
    const QString partial = target.absoluteFilePath() + QStringLiteral(".partial");
    QFile::remove(partial);
    try {
        {
            const TenderDatabase::DatabaseHandle handle =
                TenderDatabase::openKeyed(partial, QLatin1String(TenderDatabase::Password), true);
            sqlite3* db = handle.get();
            exec(db, QStringLiteral("PRAGMA journal_mode=DELETE"));
            exec(db, QStringLiteral("BEGIN"));
            for (const TableDef& t : Schema::tables())
                exec(db, Schema::createTableSql(t));
            fill(db);
            exec(db, QStringLiteral("COMMIT"));
        }
        std::error_code ec;
        std::filesystem::rename(partial.toStdString(), target.absoluteFilePath().toStdString(), ec);
        if (ec)
            throw DbError(ec.value(), QStringLiteral("Tender builder"),
                          QStringLiteral("Cannot move the new database into place: %1").arg(QString::fromStdString(ec.message())));
    } catch (...) {
        QFile::remove(partial);
        QFile::remove(partial + QStringLiteral("-journal"));
        throw;
    }
}

void loadRecords(sqlite3* db, const TableDef& table, const QString& label, const std::vector<CsvRecord>& records)
{
    if (records.empty())
        throw CsvError(label, 1, 1, QStringLiteral("has no header row"));
    const CsvRecord& header = records.front();
    QStringList columns;
    QStringList declared;
    for (const CsvField& f : header.fields) {
        const auto it = std::find_if(table.columns.begin(), table.columns.end(),
                                     [&](const ColumnDef& c) { return c.name == f.text; });
        if (it == table.columns.end())
            throw CsvError(label, header.line, f.column, QStringLiteral("'%1' is not a column of %2").arg(f.text, table.name));
        if (columns.contains(f.text))
            throw CsvError(label, header.line, f.column, QStringLiteral("column '%1' is named twice").arg(f.text));
        columns << it->name;
        declared << Schema::declaredType(it->type);
    }
    const int descriptionIndex = static_cast<int>(columns.indexOf(QStringLiteral("Description")));
    const bool uniqueDescriptions = UniqueDescriptionTables.contains(table.name) && descriptionIndex >= 0;
    QSet<QString> seen;

    Statement stmt = prepare(db, insertSql(table, columns));
    for (size_t r = 1; r < records.size(); ++r) {
        const CsvRecord& rec = records[r];
        if (rec.fields.size() != header.fields.size()) {
            const int column = rec.fields.size() > header.fields.size() ? rec.fields[header.fields.size()].column
                                                                         : rec.fields.back().column;
            throw CsvError(label, rec.line, column,
                           QStringLiteral("has %1 fields where the header names %2").arg(rec.fields.size()).arg(header.fields.size()));
        }
        sqlite3_reset(stmt.get());
        for (int i = 0; i < columns.size(); ++i) {
            const CsvField& f = rec.fields[static_cast<size_t>(i)];
            try {
                ValueConversion::bind(stmt.get(), i + 1, f.null ? QVariant() : QVariant(f.text), declared[i], columns[i]);
            } catch (const DbError& e) {
                throw CsvError(label, rec.line, f.column, e.description());
            }
        }
        if (uniqueDescriptions) {
            const CsvField& d = rec.fields[static_cast<size_t>(descriptionIndex)];
            if (seen.contains(d.text))
                throw CsvError(label, rec.line, d.column, QStringLiteral("Description '%1' is listed twice").arg(d.text));
            seen.insert(d.text);
        }
        const int rc = sqlite3_step(stmt.get());
        if (rc != SQLITE_DONE)
            throw CsvError(label, rec.line, rec.fields.front().column, QString::fromUtf8(sqlite3_errmsg(db)));
    }
}

} // namespace

namespace TenderBuilder {

void loadTableCsv(sqlite3* db, const TableDef& table, const QString& label, const QByteArray& content)
{
    loadRecords(db, table, label, parseCsv(label, content));
}

void buildFromCsvFolder(const QString& folder, const QString& outputPath)
{
    if (!QDir(folder).exists())
        throw CsvError(folder, 0, 0, QStringLiteral("folder does not exist"));
    // Messages name each file by the folder as the hospital gave it, so that the location can be
    // pasted back into an editor or a shell as it stands.
    const auto csvPath = [&](const TableDef& t) {
        return folder + (folder.endsWith(QLatin1Char('/')) ? QString() : QStringLiteral("/")) + t.name + QStringLiteral(".csv");
    };
    for (const TableDef& t : Schema::tables()) {
        if (!QFileInfo::exists(csvPath(t)) && !OptionalTables.contains(t.name))
            throw CsvError(csvPath(t), 0, 0, QStringLiteral("file is missing (every table but %1 needs one)")
                                                 .arg(OptionalTables.join(QStringLiteral(" and "))));
    }
    buildAtomically(outputPath, [&](sqlite3* db) {
        for (const TableDef& t : Schema::tables()) {
            const QString path = csvPath(t);
            if (QFileInfo::exists(path))
                loadRecords(db, t, path, readCsvFile(path));
        }
    });
}

void buildEmpty(const QString& outputPath)
{
    buildAtomically(outputPath, [](sqlite3*) {});
}

void buildSynthetic(const QString& outputPath, const SyntheticSize& size)
{
    buildAtomically(outputPath, [&](sqlite3* db) {
        QRandomGenerator random(20270401);
        const QStringList forms = {"Tablet", "Capsule", "Injection", "Syrup", "Suspension", "Ointment", "Cream", "Drops"};
        const QStringList units = {"Strip", "Bottle", "Vial", "Ampoule", "Tube", "Box"};
        exec(db, QStringLiteral("INSERT INTO CT_Options (Organization, OrgAddress, TenderDuration) VALUES "
                                "('Synthetic Hospital', 'Synthetic Road', 'Tender 2099')"));
        for (int i = 0; i < forms.size(); ++i)
            exec(db, QStringLiteral("INSERT INTO CT_DrugForms (Code, Description, AddedByVendor) VALUES (%1, '%2', 0)").arg(i + 1).arg(forms[i]));
        for (int i = 1; i <= 400; ++i)
            exec(db, QStringLiteral("INSERT INTO CT_Strengths (Code, Description, AddedByVendor) VALUES (%1, '%1 mg', 0)").arg(i * 5));
        for (int i = 0; i < units.size(); ++i) {
            exec(db, QStringLiteral("INSERT INTO CT_DrugPackingsMast (Description) VALUES ('%1')").arg(units[i]));
            for (int ratio : {1, 10, 15, 30, 100})
                exec(db, QStringLiteral("INSERT INTO CT_DrugPackings (Code, Description, AddedByVendor, Packing, Ratio) "
                                        "VALUES (%1, '%2 of %3', 0, '%2', %3)").arg(i * 10 + ratio).arg(units[i]).arg(ratio));
        }
        exec(db, QStringLiteral("INSERT INTO CT_TaxMast (Description) VALUES ('GST')"));
        for (int rate : {0, 5, 12, 18})
            exec(db, QStringLiteral("INSERT INTO CT_Tax (Code, Description, AddedByVendor, TaxType, Tax) VALUES (%1, 'GST %1%', 0, 'GST', %1)").arg(rate));

        Statement generic = prepare(db, QStringLiteral("INSERT INTO CT_Generics (Code, Description, AddedByVendor) VALUES (?, ?, 0)"));
        for (int g = 1; g <= size.generics; ++g) {
            sqlite3_reset(generic.get());
            sqlite3_bind_int(generic.get(), 1, 1000 + g);
            const QByteArray name = QStringLiteral("Genericum %1 Hydrochloride").arg(g).toUtf8();
            sqlite3_bind_text(generic.get(), 2, name.constData(), -1, SQLITE_TRANSIENT);
            step(db, generic);
        }
        Statement brand = prepare(db, QStringLiteral(
            "INSERT INTO CT_Brands (Code, Description, AddedByVendor, Generic, Manufacturer, DrugForm, DrugStrength, "
            "ItemSpecification, PurchaseUOM, PharmacyCategory, PharmacySubCategory, ExpectedConsumption) "
            "VALUES (?, ?, 0, ?, ?, ?, ?, ?, 'Strip', 'General', 'Synthetic', ?)"));
        for (int b = 1; b <= size.brands; ++b) {
            const int g = 1 + static_cast<int>(random.bounded(size.generics));
            const QString form = forms[static_cast<int>(random.bounded(forms.size()))];
            const QString strength = QStringLiteral("%1 mg").arg(5 * (1 + random.bounded(400)));
            const QByteArray values[] = {
                QStringLiteral("S%1").arg(b, 6, 10, QLatin1Char('0')).toUtf8(),
                QStringLiteral("Brandex %1 %2 %3").arg(b).arg(strength, form).toUtf8(),
                QStringLiteral("Genericum %1 Hydrochloride").arg(g).toUtf8(),
                QStringLiteral("Maker %1 Pharma").arg(b % 300).toUtf8(),
                form.toUtf8(),
                strength.toUtf8(),
                QStringLiteral("Genericum %1 %2 %3").arg(g).arg(strength, form).toUtf8(),
                QByteArray::number(random.bounded(100000)),
            };
            sqlite3_reset(brand.get());
            for (int i = 0; i < 8; ++i)
                sqlite3_bind_text(brand.get(), i + 1, values[i].constData(), -1, SQLITE_TRANSIENT);
            step(db, brand);
        }
        exec(db, QStringLiteral("INSERT INTO CT_Vendor (VendorName, Address, City, State, CreditPeriodInDays, DeliveryPeriodInDays) "
                                "VALUES ('Synthetic Vendor', 'Road 1', 'Pune', 'Maharashtra', 30, 15)"));
        Statement quote = prepare(db, QStringLiteral(
            "INSERT INTO Quotations (AddedOn, Vendor, Generic, Brand, Manufacturer, HSNCode, BrandAddedByVendor, DrugPacking, "
            "DrugForm, QuantityInEachStripOrPack, DrugStrength, CostOfPackBeforeDiscountWithoutVAT, \"Discount%\", CostVATCode, "
            "\"CostVAT%\", MRPOfPackWithoutVAT, MRPOfPackWithVAT, MRPVATCode, \"MRPVAT%\", CreditPeriodInDays, "
            "DeliveryPeriodInDays, WarrantyInMonths, ResearchMolecule, FreeOfCostOffer, Remarks) "
            "SELECT ?, 'Synthetic Vendor', Generic, Description, Manufacturer, '3004', 0, 'Strip of 10', DrugForm, 10, "
            "DrugStrength, ?, 5, 'GST 12%', 12, ?, ?, 'GST 12%', 12, 30, 15, 0, 0, '', '' FROM CT_Brands WHERE ID=?"));
        const QByteArray now = QDateTime::currentDateTime().toString(QLatin1String(ValueConversion::DateTimeFormat)).toUtf8();
        for (int q = 1; q <= size.quotations; ++q) {
            const int brandId = size.brands > 0 ? 1 + (q * 7) % size.brands : 1;
            const int cents = 1000 + static_cast<int>(random.bounded(100000));
            sqlite3_reset(quote.get());
            sqlite3_bind_text(quote.get(), 1, now.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_double(quote.get(), 2, cents / 100.0);
            sqlite3_bind_double(quote.get(), 3, cents * 2 / 100.0);
            sqlite3_bind_double(quote.get(), 4, cents * 224 / 10000.0);
            sqlite3_bind_int(quote.get(), 5, brandId);
            step(db, quote);
        }
        if (size.qtyLines > 0)
            exec(db, QStringLiteral("INSERT INTO CT_QtyPerYears (Generic, Strength, DrugForm, DrugPacking, QtyReqPerYear) "
                                    "SELECT Generic, DrugStrength, DrugForm, 'Strip of 10', 100 * (1 + MIN(ID) % 50) "
                                    "FROM Quotations GROUP BY Generic, DrugStrength, DrugForm ORDER BY MIN(ID) LIMIT %1")
                         .arg(size.qtyLines));
    });
}

} // namespace TenderBuilder
