#include "app/applicationstate.h"
#include "app/bidprogress.h"
#include "db/keyedfile.h"
#include "tender/biddigest.h"
#include "tender/readiness.h"
#include "tender/submission.h"
#include "tests/support/quotedrows.h"
#include "tests/support/testenv.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

using namespace Tender;

namespace {

// A tender worked by hand. Taxes: GST 12% at 12, GST 5% now at 6. Lines: 1 Acarbose 25 mg Tablet × 1000,
// 2 Paracetamol Syrup (any strength) × 2, 3 Ibuprofen 400 mg Tablet × 50.
// Items: 1 the sample (unit 100 × 0.9 × 1.12 / 10 = 10.08); 2 the same line dearer (95 × 1.12 / 10 =
// 10.64) with HSN "300"; 3 a syrup at 20.05 × 1.05 = 21.0525 per bottle, its MRP 22.40 with 12 % tax
// (20.00 without, below the cost) taxed at the old 5 %; 4 an item the hospital does not require, at a
// tax the tender does not hold. Bid value 10080 + 42.105 = 10122.105, shown half-even as 10122.10.
void arrangeTender(const TestFolder& folder)
{
    folder.exec("INSERT INTO CT_Tax (Code, Description, TaxType, Tax) VALUES ('1','GST 12%','GST',12), ('2','GST 5%','GST',6)");
    folder.exec("INSERT INTO CT_QtyPerYears (ID, Generic, Strength, DrugForm, DrugPacking, QtyReqPerYear) VALUES "
                "(1,'Acarbose','25 mg','Tablet','Strip',1000), (2,' paracetamol ','','SYRUP','Bottle',2), "
                "(3,'Ibuprofen','400 mg','Tablet','Strip',50)");
    folder.exec("INSERT INTO CT_Vendor (VendorName, Address, State, TINNumber, CreditPeriodInDays, DeliveryPeriodInDays) "
                "VALUES ('Acme Pharma', '1 Mill Road', ' ', '27AAACA1234A1Z5', 30, 15)");
    storeQuotation(sampleQuotation());
    QuotationDraft dearer = sampleQuotation();
    dearer.brand = "Acabest";
    dearer.drugStrength = " 25 MG ";
    dearer.cost = "95";
    dearer.discount = "0";
    dearer.hsnCode = "300";
    dearer.derive();
    storeQuotation(dearer);
    QuotationDraft syrup = sampleQuotation();
    syrup.generic = "Paracetamol";
    syrup.brand = "Paramol Syrup";
    syrup.drugForm = "Syrup";
    syrup.drugStrength = "120 mg/5 ml";
    syrup.drugPacking = "Bottle";
    syrup.quantityPerPack = "1";
    syrup.cost = "20.05";
    syrup.discount = "0";
    syrup.costTaxCode = "GST 5%";
    syrup.costTaxPercent = "5";
    syrup.mrpWithTax = "22.40";
    syrup.derive();
    storeQuotation(syrup);
    QuotationDraft stray = sampleQuotation();
    stray.generic = "Amoxicillin";
    stray.brand = "Amoxy";
    stray.drugForm = "Capsule";
    stray.costTaxCode = stray.mrpTaxCode = "GST 18%";
    stray.costTaxPercent = stray.mrpTaxPercent = "18";
    stray.derive();
    storeQuotation(stray);
}

sqlite3* live()
{
    return TenderDatabase::connection(AppState::ConnectionString);
}

} // namespace

class tst_readiness : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void handWorkedTender()
    {
        TestFolder folder(TestFolder::Content::Empty);
        arrangeTender(folder);
        const Readiness r = readReadiness(KeyedFile(TenderDatabase::connection(AppState::ConnectionString)));

        QCOMPARE(r.quotedItems, 4L);
        QCOMPARE(r.lines.size(), size_t(3));
        QCOMPARE(r.lines[0].best->brand, QString("Acavelo 25 mg Tablet"));
        QCOMPARE(r.lines[0].unitCost->toText(), QString("10.08"));
        QCOMPARE(r.lines[0].yearlyValue.toText(), QString("10080"));
        QCOMPARE(r.lines[1].best->brand, QString("Paramol Syrup"));
        QCOMPARE(r.lines[1].yearlyValue.toText(), QString("42.105"));
        QVERIFY(!r.lines[2].quoted());
        QCOMPARE(totalsText(r), QString("Covered 2 of 3 lines \u00b7 bid value at yearly quantities: 10122.10"));
        QCOMPARE(progressText(readBidProgress(AppState::ConnectionString)),
                 QString("Quoted items: 4 \u00b7 required lines covered: 2 of 3"));

        QStringList found;
        for (const ReadinessFinding& f : r.findings)
            found << QStringLiteral("%1 | %2 | %3").arg(f.quotationId).arg(f.item, f.problem);
        const QStringList expected{
            "0 | Vendor details | Incomplete: state",
            "2 | Acabest (Strip of 10) | HSN code shorter than 4 digits",
            "3 | Paramol Syrup (Bottle) | MRP without tax is at or below the cost after discount without tax",
            "3 | Paramol Syrup (Bottle) | Cost tax code GST 5% differs from MRP tax code GST 12%",
            "3 | Paramol Syrup (Bottle) | Cost tax GST 5% at 5% is not in the tender's tax list",
            "4 | Amoxy (Strip of 10) | Cost tax GST 18% at 18% is not in the tender's tax list",
            "4 | Amoxy (Strip of 10) | MRP tax GST 18% at 18% is not in the tender's tax list",
            "4 | Amoxy (Strip of 10) | Not in the hospital's requirement",
        };
        QCOMPARE(found, expected);
    }

    void submissionCopyCarriesTheLiveBid()
    {
        TestFolder folder(TestFolder::Content::Empty);
        arrangeTender(folder);
        folder.exec("INSERT INTO CT_Options (Organization, TenderDuration) VALUES ('Kelmont Hospital', 'Tender 2027-28')");
        QVERIFY(submissionBlocker(live()).contains("incomplete (Incomplete: state)"));
        folder.exec("UPDATE CT_Vendor SET State='Maharashtra'");
        QCOMPARE(submissionBlocker(live()), QString());

        const QString copyPath = folder.filePath(submissionCopyName("Acme Pharma"));
        const SubmissionResult result = writeSubmissionCopy(live(), copyPath, QDateTime(QDate(2027, 3, 31), QTime(16, 5, 9)));
        const QString liveDigest = formatBidDigest(bidDigest(KeyedFile(live())));
        QCOMPARE(result.digest, liveDigest);
        QCOMPARE(formatBidDigest(bidDigest(KeyedFile(copyPath))), liveDigest);
        QCOMPARE(result.receiptPath, folder.filePath("Acme Pharma - Submission Receipt.pdf"));

        const QString receipt = pdfText(result.receiptPath);
        for (const QString& line : {QString("Vendor: Acme Pharma"), QString("Tender: Kelmont Hospital, Tender 2027-28"),
                                    QString("Date and time: 2027-03-31 16:05:09"), QString("Quoted items: 4"),
                                    QString("Lines covered: 2 of 3"), QString("Bid value at yearly quantities: 10122.10"),
                                    QString("Findings: 7"), "Bid digest: " + liveDigest})
            QVERIFY2(receipt.contains(line), qPrintable(line + " not in:\n" + receipt));

        // One figure changed after the copy: the digests part.
        folder.exec("UPDATE Quotations SET \"Discount%\"=11 WHERE ID=1");
        QVERIFY(formatBidDigest(bidDigest(KeyedFile(live()))) != formatBidDigest(bidDigest(KeyedFile(copyPath))));
    }

    void failedWriteLeavesNothing()
    {
        TestFolder folder(TestFolder::Content::Empty);
        arrangeTender(folder);
        const QString copyPath = folder.filePath("out/Acme Pharma - Tender.klmt");
        // No such folder: the copy itself cannot be written.
        QVERIFY_THROWS_EXCEPTION(SubmissionError, writeSubmissionCopy(live(), copyPath, QDateTime::currentDateTime()));
        QVERIFY(!QFileInfo::exists(folder.filePath("out")));
        // A folder where the receipt should go: the copy is written, checked, then removed again.
        QVERIFY(QDir(folder.path()).mkpath("out/Acme Pharma - Submission Receipt.pdf"));
        QVERIFY_THROWS_EXCEPTION(SubmissionError, writeSubmissionCopy(live(), copyPath, QDateTime::currentDateTime()));
        QCOMPARE(QDir(folder.filePath("out")).entryList(QDir::Files | QDir::NoDotAndDotDot), QStringList());
    }
};

QTEST_MAIN(tst_readiness)
#include "tst_readiness.moc"
