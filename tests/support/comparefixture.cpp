#include "tests/support/comparefixture.h"

#include "db/tenderbuilder.h"
#include "db/tenderdatabase.h"

#include <QDir>
#include <QFile>
#include <sqlite3.h>

namespace {

const char* HospitalOptions = "INSERT INTO CT_Options (Organization, OrgAddress, TenderDuration) "
                              "VALUES ('City Hospital', '1 Main Road', 'Tender 2027-28')";

struct Quote {
    const char *generic, *form, *strength, *brand, *manufacturer, *packing, *qty, *cost, *discount, *costCode,
        *costTax, *mrpWithout, *mrpWith, *mrpCode;
};

QString quoteSql(const char* vendor, const Quote& q)
{
    return QStringLiteral(
               "INSERT INTO Quotations (AddedOn, Vendor, Generic, DrugForm, DrugStrength, Brand, Manufacturer, DrugPacking, "
               "QuantityInEachStripOrPack, CostOfPackBeforeDiscountWithoutVAT, \"Discount%\", CostVATCode, \"CostVAT%\", "
               "MRPOfPackWithoutVAT, MRPOfPackWithVAT, MRPVATCode, \"MRPVAT%\") VALUES ('2027-01-05 10:00:00', '%1', '%2', "
               "'%3', '%4', '%5', '%6', '%7', %8, %9, %10, '%11', %12, %13, %14, '%15', 12)")
        .arg(QLatin1String(vendor), QLatin1String(q.generic), QLatin1String(q.form), QLatin1String(q.strength),
             QLatin1String(q.brand), QLatin1String(q.manufacturer), QLatin1String(q.packing), QLatin1String(q.qty),
             QLatin1String(q.cost))
        .arg(QLatin1String(q.discount), QLatin1String(q.costCode), QLatin1String(q.costTax), QLatin1String(q.mrpWithout),
             QLatin1String(q.mrpWith), QLatin1String(q.mrpCode));
}

void returned(const QString& path, const char* vendor, std::initializer_list<Quote> quotes,
              const char* options = HospitalOptions)
{
    TenderBuilder::buildEmpty(path);
    CompareFixture::exec(path, QLatin1String(options));
    if (vendor)
        CompareFixture::exec(path, QStringLiteral("INSERT INTO CT_Vendor (VendorName, Address, State) VALUES ('%1', 'Road 2', 'Kerala')")
                                       .arg(QLatin1String(vendor)));
    for (const Quote& q : quotes)
        CompareFixture::exec(path, quoteSql(vendor ? vendor : "", q));
}

} // namespace

void CompareFixture::exec(const QString& path, const QString& sql)
{
    const TenderDatabase::DatabaseHandle db = TenderDatabase::openKeyed(path, QLatin1String(TenderDatabase::Password), false);
    char* error = nullptr;
    const int rc = sqlite3_exec(db.get(), sql.toUtf8().constData(), nullptr, nullptr, &error);
    const QString message = QString::fromUtf8(error);
    sqlite3_free(error);
    if (rc != SQLITE_OK)
        qFatal("fixture SQL failed: %s: %s", qPrintable(sql), qPrintable(message));
}

CompareFixture::CompareFixture()
{
    TenderBuilder::buildEmpty(hospital());
    exec(hospital(), QLatin1String(HospitalOptions));
    exec(hospital(), QStringLiteral(
        "INSERT INTO CT_QtyPerYears (ID, Generic, Strength, DrugForm, DrugPacking, QtyReqPerYear) VALUES "
        "(1, 'Paracetamol', '500 mg', 'Tablet', 'Strip of 10', 1000), "
        "(2, 'Amoxicillin', '250 mg', 'Capsule', 'Strip of 10', 500), "
        "(3, 'Diclofenac', NULL, 'Injection', 'Ampoule', 200), "
        "(4, 'Insulin', '40 IU', 'Injection', 'Vial', 50), "
        "(5, 'Diclofenac', '75 mg', 'Injection', 'Ampoule', 100)"));
    QDir(m_dir.path()).mkdir(QStringLiteral("returned"));
    const QDir r(folder());
    returned(r.filePath(QStringLiteral("a.klmt")), "Alpha Pharma", {
        {"Paracetamol", "Tablet", "500 mg", "Paramol", "Alpha Labs", "Strip of 10", "10", "20", "10", "GST 12%", "12", "30", "33.6", "GST 12%"},
        {"Paracetamol", "Tablet", "500 mg", "Acetab", "Alpha Labs", "Strip of 15", "15", "30", "0", "GST 12%", "12", "40", "44.8", "GST 12%"},
        {"Diclofenac", "Injection", "75 mg", "Dicloinj", "Alpha Labs", "Ampoule", "1", "5", "0", "GST 5%", "5", "5", "5.6", "GST 12%"},
        {"Cetirizine", "Tablet", "10 mg", "Cetzine", "Alpha Labs", "Strip of 10", "10", "8", "0", "GST 12%", "12", "12", "13.44", "GST 12%"},
    });
    returned(r.filePath(QStringLiteral("b.klmt")), "Beta Meds", {
        {" paracetamol", " tablet ", "500  MG", "Pyrexon", "Beta Works", "Strip of 10", "10", "18", "0", "GST 12%", "12", "25", "28", "GST 12%"},
        {"Amoxicillin", "Capsule", "250 mg", "Amoxy", "Beta Works", "Strip of 10", "10", "25", "4", "GST 12%", "12", "28.57", "32", "GST 12%"},
        {"Diclofenac", "Injection", "50 mg", "Diclo50", "Beta Works", "Box of 5", "5", "24", "0", "GST 12%", "12", "35.71", "40", "GST 12%"},
        {"Amoxicillin", "Capsule", "250 mg", "Zeropack", "Beta Works", "Strip", "0", "10", "0", "GST 12%", "12", "12", "13.44", "GST 12%"},
    });
    returned(r.filePath(QStringLiteral("c.klmt")), "Gamma Labs", {
        {"Paracetamol", "Tablet", "500 mg", "Calpol", "GSK, India", "Strip of 10", "10", "25", "0", "GST 5%", "5", "33.33", "35", "GST 5%"},
        {"Amoxicillin", "Capsule", "250 mg", "Moxcil", "Gamma Works", "Strip of 10", "10", "20", "0", "GST 12%", "12", "26.79", "30", "GST 12%"},
        {"Diclofenac", "Injection", "75 mg", "Voltaject", "Gamma Works", "Ampoule", "1", "5.12345", "0", "GST 0%", "0", "8", "8", "GST 0%"},
    });
    // One refused file of each kind, named so that they come after the three.
    returned(r.filePath(QStringLiteral("d-damaged.klmt")), "Delta Drugs", {
        {"Paracetamol", "Tablet", "500 mg", "Dolo", "Delta", "Strip of 10", "10", "1", "0", "GST 12%", "12", "2", "2.24", "GST 12%"},
    });
    QFile damaged(r.filePath(QStringLiteral("d-damaged.klmt")));
    damaged.open(QIODevice::ReadWrite);
    damaged.seek(damaged.size() - 2000);
    damaged.write(QByteArray(64, 'x'));
    damaged.close();
    QFile plain(r.filePath(QStringLiteral("e-plain.klmt")));
    plain.open(QIODevice::WriteOnly);
    plain.write("This is a price list typed in a word processor.\n");
    plain.close();
    returned(r.filePath(QStringLiteral("f-other.klmt")), "Foxtrot Pharma", {},
             "INSERT INTO CT_Options (Organization, OrgAddress, TenderDuration) "
             "VALUES ('Town Hospital', '1 Main Road', 'Tender 2027-28')");
    returned(r.filePath(QStringLiteral("g-novendor.klmt")), nullptr, {});
    returned(r.filePath(QStringLiteral("h-again.klmt")), " ALPHA pharma ", {});
}

QStringList CompareFixture::returnedFiles() const
{
    QStringList files;
    const QDir r(folder());
    for (const QString& name : r.entryList({QStringLiteral("*.klmt")}, QDir::Files, QDir::Name))
        files << r.filePath(name);
    return files;
}
