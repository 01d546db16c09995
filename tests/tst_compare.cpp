#include "db/keyedfile.h"
#include "db/tenderdatabase.h"
#include "tender/biddigest.h"
#include "tender/comparison.h"
#include "tender/statementexport.h"
#include "tests/support/comparefixture.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace Tender;

namespace {

// Worked by hand from the fixture. Unit cost = C × (100 − D)/100 × (100 + T)/100 / Q:
//   Paramol 20 × 0.9 × 1.12 / 10 = 2.016; Pyrexon 18 × 1.12 / 10 = 2.016 (a tie at L1); Calpol 25 × 1.05 / 10
//   = 2.625; Acetab 30 × 1.12 / 15 = 2.24 stays Alpha's alternative. Moxcil 2.24, Amoxy 25 × 0.96 × 1.12 / 10
//   = 2.688. Voltaject 5.12345 (shown 5.1234, half to even), Dicloinj 5 × 1.05 = 5.25, Diclo50 24 × 1.12 / 5
//   = 5.376; line 3 gives no strength, so all three compete; line 5 (75 mg) only Voltaject and Dicloinj:
//   100 × 5.12345 = 512.345, shown 512.34. Insulin: nobody.
const QByteArray ExpectedCsv =
    "Line,Generic,Strength,DrugForm,DrugPacking,QtyReqPerYear,Rank,Tie,Vendor,Brand,Manufacturer,Packing,UnitsPerPack,UnitCost,UnitMRP,YearlyValue\r\n"
    "1,Paracetamol,500 mg,Tablet,Strip of 10,1000,L1,Yes,Alpha Pharma,Paramol,Alpha Labs,Strip of 10,10,2.0160,3.3600,2016.00\r\n"
    "1,Paracetamol,500 mg,Tablet,Strip of 10,1000,L1,Yes,Beta Meds,Pyrexon,Beta Works,Strip of 10,10,2.0160,2.8000,2016.00\r\n"
    "1,Paracetamol,500 mg,Tablet,Strip of 10,1000,L2,,Gamma Labs,Calpol,\"GSK, India\",Strip of 10,10,2.6250,3.5000,2625.00\r\n"
    "2,Amoxicillin,250 mg,Capsule,Strip of 10,500,L1,,Gamma Labs,Moxcil,Gamma Works,Strip of 10,10,2.2400,3.0000,1120.00\r\n"
    "2,Amoxicillin,250 mg,Capsule,Strip of 10,500,L2,,Beta Meds,Amoxy,Beta Works,Strip of 10,10,2.6880,3.2000,1344.00\r\n"
    "3,Diclofenac,,Injection,Ampoule,200,L1,,Gamma Labs,Voltaject,Gamma Works,Ampoule,1,5.1234,8.0000,1024.69\r\n"
    "3,Diclofenac,,Injection,Ampoule,200,L2,,Alpha Pharma,Dicloinj,Alpha Labs,Ampoule,1,5.2500,5.6000,1050.00\r\n"
    "3,Diclofenac,,Injection,Ampoule,200,L3,,Beta Meds,Diclo50,Beta Works,Box of 5,5,5.3760,8.0000,1075.20\r\n"
    "4,Insulin,40 IU,Injection,Vial,50,,,,,,,,,,\r\n"
    "5,Diclofenac,75 mg,Injection,Ampoule,100,L1,,Gamma Labs,Voltaject,Gamma Works,Ampoule,1,5.1234,8.0000,512.34\r\n"
    "5,Diclofenac,75 mg,Injection,Ampoule,100,L2,,Alpha Pharma,Dicloinj,Alpha Labs,Ampoule,1,5.2500,5.6000,525.00\r\n";

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray unzipped(const QString& archive, const QString& member)
{
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), archive, member});
    unzip.waitForFinished();
    return unzip.readAllStandardOutput();
}

} // namespace

class tst_compare : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_tender = readHospitalTender(m_fixture.hospital());
        m_comparison = compare(m_tender, readReturnedFiles(m_fixture.returnedFiles(), m_tender));
    }

    void unitCostAndMatchingRules_data()
    {
        QTest::addColumn<QString>("cost");
        QTest::addColumn<QString>("discount");
        QTest::addColumn<QString>("tax");
        QTest::addColumn<QString>("qty");
        QTest::addColumn<QString>("expected");  // exact; "" when not comparable
        QTest::newRow("plain") << "20" << "10" << "12" << "10" << "2.016";
        QTest::newRow("thirds stay exact") << "10" << "0" << "0" << "3" << "3.3333333333";
        QTest::newRow("pack of nothing") << "10" << "0" << "12" << "0" << "";
        QTest::newRow("negative pack") << "10" << "0" << "12" << "-1" << "";
    }
    void unitCostAndMatchingRules()
    {
        QFETCH(QString, cost);
        QFETCH(QString, discount);
        QFETCH(QString, tax);
        QFETCH(QString, qty);
        QFETCH(QString, expected);
        Offer o;
        o.cost = *Decimal::parse(cost);
        o.discount = *Decimal::parse(discount);
        o.costTax = *Decimal::parse(tax);
        o.unitsPerPack = *Decimal::parse(qty);
        const std::optional<Decimal> u = unitCost(o);
        QCOMPARE(u.has_value(), !expected.isEmpty());
        if (u)
            QCOMPARE(u->toText(), expected);
    }

    // Case, blanks and a line without strength are matched through the fixture's files; the form is not.
    void aDrugFormOfAnotherKindDoesNotMatch()
    {
        const RequiredLine line{1, QStringLiteral("Paracetamol"), QString(), QStringLiteral("Tablet"), QString(), Decimal(1)};
        Offer o;
        o.generic = QStringLiteral("Paracetamol");
        o.drugForm = QStringLiteral("Syrup");
        QVERIFY(!matches(line, o));
        o.drugForm = QStringLiteral(" TABLET ");
        QVERIFY(matches(line, o));
    }

    void statementCsvByteForByte()
    {
        QTemporaryDir out;
        const QString path = out.filePath(QStringLiteral("statement.csv"));
        QVERIFY(writeStatement(m_comparison, path));
        QCOMPARE(readAll(path), ExpectedCsv);
    }

    void alternativesSuppliersAndTheCheapestMix()
    {
        const auto alpha = std::find_if(m_comparison.rows.begin(), m_comparison.rows.end(),
                                        [](const StatementRow& r) { return r.vendor == QLatin1String("Alpha Pharma"); });
        QCOMPARE(alpha->alternatives, QStringList{QStringLiteral("Acetab (Strip of 15) 2.2400")});
        QCOMPARE(m_comparison.suppliers.size(), size_t(3));
        struct Expected {
            const char* vendor;
            int offered, atL1;
            const char* value;
        };
        // Alpha 2016 + 1050 + 525; Beta 2016 + 1344 + 1075.20; Gamma 2625 + 1120 + 1024.69 + 512.345.
        const Expected expected[] = {{"Alpha Pharma", 3, 1, "3591.00"}, {"Beta Meds", 3, 1, "4435.20"}, {"Gamma Labs", 4, 3, "5282.04"}};
        for (size_t i = 0; i < 3; ++i) {
            const SupplierSummary& s = m_comparison.suppliers[i];
            QCOMPARE(s.vendor, QLatin1String(expected[i].vendor));
            QCOMPARE(s.linesOffered, expected[i].offered);
            QCOMPARE(s.linesAtL1, expected[i].atL1);
            QCOMPARE(s.yearlyValue.toFixed(2), QLatin1String(expected[i].value));
        }
        // 2016 + 1120 + 1024.69 + 512.345 = 4673.035: half to even goes up to 4673.04.
        QCOMPARE(m_comparison.l1Total.toText(), QStringLiteral("4673.035"));
        QCOMPARE(m_comparison.l1Total.toFixed(2), QStringLiteral("4673.04"));
    }

    void findingsForTheCommittee()
    {
        QStringList found;
        for (const Finding& f : m_comparison.findings)
            found << f.vendor + QLatin1Char('|') + f.item + QLatin1Char('|') + f.text;
        const QStringList expected{
            "Alpha Pharma|Dicloinj (Ampoule)|MRP without tax is at or below the cost after discount without tax",
            "Alpha Pharma|Dicloinj (Ampoule)|Cost tax code GST 5% differs from MRP tax code GST 12%",
            "Alpha Pharma|Cetzine (Strip of 10)|Matches no line of the requirement",
            "Beta Meds|Zeropack (Strip)|Quantity per pack is 0 or less: not comparable",
            "|Line 4: Insulin 40 IU Injection|No offer",
        };
        QCOMPARE(found, expected);
    }

    void everyKindOfRefusedFile()
    {
        QStringList status;
        for (const ReturnedFile& f : m_comparison.files)
            status << f.fileName() + QLatin1Char(' ') + (f.accepted ? QStringLiteral("accepted") : f.refusal);
        const QStringList expected{
            "a.klmt accepted", "b.klmt accepted", "c.klmt accepted", "d-damaged.klmt damaged",
            "e-plain.klmt not a tender file or another key", "f-other.klmt belongs to another tender",
            "g-novendor.klmt no vendor details", "h-again.klmt same vendor as a.klmt",
        };
        QCOMPARE(status, expected);
        QCOMPARE(m_comparison.files[0].quotedItems, 4);
        QCOMPARE(m_comparison.acceptedFiles(), 3);
    }

    void digestFollowsEveryFigure()
    {
        QTemporaryDir dir;
        const QString copy = dir.filePath(QStringLiteral("copy.klmt"));
        QVERIFY(QFile::copy(m_fixture.file(QStringLiteral("returned/c.klmt")), copy));
        const QString shown = m_comparison.files[2].digest;
        QVERIFY(QRegularExpression(QStringLiteral("^([0-9a-f]{8} ){7}[0-9a-f]{8}$")).match(shown).hasMatch());
        {
            KeyedFile file(copy);
            QCOMPARE(formatBidDigest(bidDigest(file)), shown);
            const QByteArray text = bidCanonicalText(file);
            // The vendor row (14 values), then three quoted rows of 27 values each.
            QCOMPARE(text.count('\x1e'), 3);
            QCOMPARE(text.count('\x1f'), 13 + 3 * 26);
            QVERIFY(text.startsWith("Gamma Labs\x1fRoad 2\x1f\x1fKerala\x1f"));
            QVERIFY(text.contains("\x1f" "5.12345\x1f"));
        }
        CompareFixture::exec(copy, QStringLiteral("UPDATE Quotations SET MRPOfPackWithVAT=35.01 WHERE Brand='Calpol'"));
        // Read through a connection the caller keeps, as the vendor's own screens would.
        const TenderDatabase::DatabaseHandle kept =
            TenderDatabase::openKeyed(copy, QLatin1String(TenderDatabase::Password), false);
        KeyedFile changed(kept.get());
        QVERIFY(formatBidDigest(bidDigest(changed)) != shown);
    }

    void workbookReadBack()
    {
        QTemporaryDir out;
        const QString path = out.filePath(QStringLiteral("statement.xlsx"));
        QVERIFY(writeStatement(m_comparison, path));
        QVERIFY(!QFileInfo::exists(path + QStringLiteral(".partial")));
        const QByteArray book = unzipped(path, QStringLiteral("xl/workbook.xml"));
        QVERIFY(book.contains("name=\"Statement\"") && book.contains("name=\"Suppliers\"") &&
                book.contains("name=\"Findings\"") && book.contains("name=\"Files\""));
        const QByteArray sheet = unzipped(path, QStringLiteral("xl/worksheets/sheet1.xml"));
        QVERIFY(sheet.contains("ySplit=\"1\""));                 // frozen header
        QVERIFY(sheet.contains("<autoFilter ref=\"A1:Q12\"/>"));  // header and 11 rows, 17 columns
        // Figures are numbers, not text, with the decimals the statement shows.
        QVERIFY(QRegularExpression(QStringLiteral("<c r=\"N7\" s=\"\\d+\"><v>5.1234</v></c>")).match(QString::fromUtf8(sheet)).hasMatch());
        QVERIFY(sheet.contains("<v>1024.69</v>"));
        const QByteArray styles = unzipped(path, QStringLiteral("xl/styles.xml"));
        QVERIFY(styles.contains("formatCode=\"0.0000\"") && styles.contains("formatCode=\"0.00\""));
        const QByteArray files = unzipped(path, QStringLiteral("xl/worksheets/sheet4.xml"));
        QVERIFY(files.contains("<autoFilter ref=\"A1:H9\"/>"));
    }

    void nothingLeftWhenTheFolderIsGone()
    {
        const QString path = QDir::tempPath() + QStringLiteral("/no-such-folder-for-statements/s.xlsx");
        QVERIFY_THROWS_EXCEPTION(std::exception, writeStatement(m_comparison, path));
        QVERIFY(!QFileInfo::exists(path));
    }

    void commandLineWritesTheSameAndSaysWhatItRefused()
    {
        QTemporaryDir out;
        const QString csv = out.filePath(QStringLiteral("s.csv"));
        QProcess tool;
        tool.start(QStringLiteral(QUILLBID_TENDERDB), QStringList{"compare", m_fixture.hospital(), csv} + m_fixture.returnedFiles());
        QVERIFY(tool.waitForFinished(60000));
        QCOMPARE(tool.exitCode(), 0);
        QCOMPARE(readAll(csv), ExpectedCsv);
        const QString err = QString::fromUtf8(tool.readAllStandardError());
        QVERIFY(err.contains(QStringLiteral("h-again.klmt: same vendor as a.klmt")));
        QCOMPARE(err.count(QStringLiteral("refused")), 5);

        tool.start(QStringLiteral(QUILLBID_TENDERDB), {"compare", m_fixture.hospital(), out.filePath(QStringLiteral("n.csv")),
                                                        m_fixture.file(QStringLiteral("returned/e-plain.klmt"))});
        QVERIFY(tool.waitForFinished(60000));
        QCOMPARE(tool.exitCode(), 1);
        QVERIFY(!QFileInfo::exists(out.filePath(QStringLiteral("n.csv"))));

        tool.start(QStringLiteral(QUILLBID_TENDERDB), {"compare", m_fixture.hospital(), out.filePath(QStringLiteral("n.txt")),
                                                        m_fixture.file(QStringLiteral("returned/a.klmt"))});
        QVERIFY(tool.waitForFinished(60000));
        QCOMPARE(tool.exitCode(), 2);
    }

private:
    CompareFixture m_fixture;
    HospitalTender m_tender;
    Comparison m_comparison;
};

QTEST_GUILESS_MAIN(tst_compare)
#include "tst_compare.moc"
