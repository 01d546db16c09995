#include "app/applicationstate.h"
#include "app/platformseams.h"
#include "db/keyedfile.h"
#include "db/tenderdatabase.h"
#include "tender/biddigest.h"
#include "tender/bidsignature.h"
#include "tender/comparison.h"
#include "tender/frmReadiness.h"
#include "tests/support/quotedrows.h"
#include "tests/support/screentest.h"
#include "tests/support/testtoken.h"

#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QPushButton>
#include <sqlite3.h>

using namespace Tender;

namespace {

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString digestOf(const QString& path)
{
    return formatBidDigest(bidDigest(KeyedFile(path)));
}

// tenderdb verify: its exit code and what it printed.
std::pair<int, QString> verify(const QString& file)
{
    QProcess tool;
    tool.start(QStringLiteral(QUILLBID_TENDERDB), {QStringLiteral("verify"), file});
    tool.waitForFinished(60000);
    return {tool.exitCode(), QString::fromUtf8(tool.readAllStandardOutput() + tool.readAllStandardError())};
}

const QDateTime Now = QDateTime::currentDateTimeUtc();

} // namespace

// The demo tender with a complete vendor and the sample item quoted; the copy goes beside the tender.
class tst_signature : public ScreenTest
{
    Q_OBJECT

    QString copyPath() const { return folder->filePath("Acme Pharma - Tender.klmt"); }
    QString signaturePath() const { return folder->filePath("Acme Pharma - Submission.p7s"); }
    QString receiptPath() const { return folder->filePath("Acme Pharma - Submission Receipt.pdf"); }

    // Prepares the submission copy on the readiness screen with "Sign" ticked, the PIN typed as given.
    // Among several certificates the one whose entry names `signer` is chosen.
    std::vector<SecretRequest> submit(const QByteArray& pin, const QString& signer = {}, QStringList* offered = nullptr)
    {
        std::vector<SecretRequest> asked;
        SecretEntrySeam::Override pinBox([&](const SecretRequest& r) {
            asked.push_back(r);
            return std::optional<QByteArray>(pin);
        });
        ChoiceDialogSeam::Override choice([&](const ChoiceRequest& r) {
            if (offered)
                *offered = r.entries;
            for (int i = 0; i < r.entries.size(); ++i)
                if (r.entries[i].contains(signer))
                    return i;
            return -1;
        });
        SaveFileScript saves;
        saves.answer(copyPath());
        frmReadiness screen;
        screen.show();
        control<QCheckBox>(&screen, "chkSign")->setChecked(true);
        control<QPushButton>(&screen, "cmdSubmit")->click();
        screen.close();
        return asked;
    }

private Q_SLOTS:
    void init()
    {
        ScreenTest::init();
        storeReadyBid();
    }

    void verdictsOverADigest()
    {
        const QString digest = "0123abcd 0123abcd 0123abcd 0123abcd 0123abcd 0123abcd 0123abcd 0123abcd";
        const TestIdentity valid = makeTestIdentity("Ravi Kumar", Now.addDays(-1), Now.addYears(1));
        const QByteArray signature = signDetached(valid.certificate.get(), valid.key.get(), signedDigestText(digest));

        const SignatureCheck good = checkSignature(signature, digest);
        QCOMPARE(good.verdictText(), QString("signature valid"));
        QVERIFY2(good.signer.subject.contains("CN=Ravi Kumar"), qPrintable(good.signer.subject));
        QCOMPARE(good.signer.serial, QString("1234ABCD"));
        QVERIFY(qAbs(good.signingTime.secsTo(Now)) < 60);

        QString otherDigest = digest;
        otherDigest[0] = '1';
        QCOMPARE(checkSignature(signature, otherDigest).verdictText(), QString("digest differs"));
        QByteArray tampered = signature;
        tampered[tampered.size() - 1] = char(tampered.back() ^ 0x01);  // the signature value ends the structure
        QCOMPARE(checkSignature(tampered, digest).verdictText(), QString("signature broken"));
        const SignatureCheck garbage = checkSignature("not a signature", digest);
        QCOMPARE(garbage.verdictText(), QString("signature broken"));
        QVERIFY(garbage.signer.subject.isEmpty());

        const TestIdentity lapsed = makeTestIdentity("Ravi Kumar", Now.addYears(-2), Now.addDays(-1));
        QCOMPARE(checkSignature(signDetached(lapsed.certificate.get(), lapsed.key.get(), signedDigestText(digest)), digest)
                     .verdictText(),
                 QString("certificate expired at signing time"));
    }

    void signsWithTheChosenTokenAndTheHospitalVerifies()
    {
        TestTokens tokens(folder->filePath("softhsm"));
        tokens.addToken("Old Token", makeTestIdentity("Someone Else", Now.addDays(-1), Now.addYears(1)));
        tokens.addToken("Acme Token", makeTestIdentity("Ravi Kumar", Now.addDays(-1), Now.addYears(1)));
        QStringList offered;
        const std::vector<SecretRequest> asked = submit(TestTokens::Pin, "Ravi Kumar", &offered);

        QCOMPARE(offered.size(), 2);
        QVERIFY2(offered.join("|").contains("Ravi Kumar, issued by Ravi Kumar, valid until"),
                 qPrintable(offered.join("|")));
        QCOMPARE(asked.size(), size_t(1));
        QVERIFY(asked[0].label.contains("Acme Token"));
        QCOMPARE(boxes->count(), 1);
        QVERIFY2(boxes->last().text.contains("Signature saved at") && boxes->last().text.contains("Ravi Kumar"),
                 qPrintable(boxes->last().text));

        const SignatureCheck check = checkSignature(fileBytes(signaturePath()), digestOf(copyPath()));
        QVERIFY(check.valid());
        QVERIFY(check.signer.subject.contains("CN=Ravi Kumar"));
        const QString receipt = pdfText(receiptPath());
        for (const QString& line : {"Signed by: " + check.signer.subject, QString("Certificate serial number: 1234ABCD"),
                                    "Signed at: " + check.signingTime.toLocalTime().toString("yyyy-MM-dd HH:mm:ss")})
            QVERIFY2(receipt.contains(line), qPrintable(line + " not in:\n" + receipt));

        auto [code, printed] = verify(copyPath());
        QCOMPARE(code, 0);
        QVERIFY2(printed.contains("Result: signature valid") && printed.contains("Serial number: 1234ABCD") &&
                     printed.contains("Bid digest: " + digestOf(copyPath())),
                 qPrintable(printed));
        const HospitalTender hospital = readHospitalTender(folder->databasePath());
        const ReturnedFile intact = readReturnedFile(copyPath(), hospital);
        QVERIFY(intact.accepted);
        QCOMPARE(intact.signatureText(), QString("signature valid"));
        QCOMPARE(intact.signedBy(), check.signer.subject);

        // One figure changed in the copy after it was signed.
        {
            const TenderDatabase::DatabaseHandle copy = TenderDatabase::openKeyed(copyPath(), TenderDatabase::Password, false);
            QCOMPARE(sqlite3_exec(copy.get(), "UPDATE Quotations SET \"Discount%\" = 11", nullptr, nullptr, nullptr), SQLITE_OK);
        }
        std::tie(code, printed) = verify(copyPath());
        QCOMPARE(code, 1);
        QVERIFY2(printed.contains("Result: digest differs"), qPrintable(printed));
        const ReturnedFile changed = readReturnedFile(copyPath(), hospital);
        QVERIFY(changed.accepted);  // still compared: the committee decides
        QCOMPARE(changed.signatureText(), QString("digest differs"));
        QVERIFY(std::any_of(changed.findings.begin(), changed.findings.end(),
                            [](const Finding& f) { return f.text == "Signature check failed: digest differs"; }));
    }

    void refusedSigningKeepsTheCopy_data()
    {
        QTest::addColumn<bool>("withToken");
        QTest::addColumn<int>("validForDays");
        QTest::addColumn<QByteArray>("pin");
        QTest::addColumn<QString>("reason");
        QTest::newRow("wrong PIN") << true << 365 << QByteArray("000000") << "The PIN is not correct.";
        QTest::newRow("no token") << false << 365 << QByteArray(TestTokens::Pin) << "No digital signature certificate was found.";
        QTest::newRow("expired certificate") << true << -1 << QByteArray(TestTokens::Pin) << "The certificate expired on";
    }
    void refusedSigningKeepsTheCopy()
    {
        QFETCH(bool, withToken);
        QFETCH(int, validForDays);
        QFETCH(QByteArray, pin);
        QFETCH(QString, reason);
        TestTokens tokens(folder->filePath("softhsm"));
        if (withToken)
            tokens.addToken("Acme Token", makeTestIdentity("Ravi Kumar", Now.addYears(-1), Now.addDays(validForDays)));
        submit(pin);

        QCOMPARE(boxes->count(), 2);
        QCOMPARE(boxes->boxes()[0].title, QString("Sign Submission"));
        QCOMPARE(boxes->boxes()[0].icon, QMessageBox::Warning);
        QVERIFY2(boxes->boxes()[0].text.contains(reason), qPrintable(boxes->boxes()[0].text));
        QVERIFY(boxes->last().text.startsWith("Submission copy saved"));
        QVERIFY(!boxes->last().text.contains("Signature"));
        QVERIFY(!QFileInfo::exists(signaturePath()));
        QVERIFY(QFileInfo::exists(copyPath()));
        QVERIFY(!pdfText(receiptPath()).contains("Signed by"));
        QCOMPARE(verify(copyPath()).first, 1);
    }
};

QTEST_MAIN(tst_signature)
#include "tst_signature.moc"
