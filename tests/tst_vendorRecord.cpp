#include "app/applicationstate.h"
#include "app/trimblanks.h"
#include "db/dberror.h"
#include "tests/support/testenv.h"
#include "vendor/vendorrecord.h"

#include <QTest>

class tst_vendorRecord : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void onlyBlanksAreTrimmed_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("trimmed");
        QTest::newRow("both ends") << "  Acme  " << "Acme";
        QTest::newRow("inner blanks stay") << " Acme  Pharma " << "Acme  Pharma";
        QTest::newRow("only blanks") << "    " << "";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("tabs stay") << "\tAcme\t" << "\tAcme\t";
        QTest::newRow("line break stays") << " \n " << "\n";
    }
    void onlyBlanksAreTrimmed()
    {
        QFETCH(QString, text);
        QFETCH(QString, trimmed);
        QCOMPARE(trimBlanks(text), trimmed);
    }

    void missingFieldsInCheckOrder()
    {
        using namespace VendorRecord;
        Texts texts;
        texts.fill(QStringLiteral("x"));
        QCOMPARE(firstMissing(texts), std::nullopt);
        // The optional fields may stay empty.
        texts[CreditPeriod].clear();
        texts[DeliveryPeriod].clear();
        texts[Remarks].clear();
        QCOMPARE(firstMissing(texts), std::nullopt);
        texts[GSTState] = QStringLiteral(" ");
        QCOMPARE(firstMissing(texts), std::optional<int>(GSTState));
        texts[GSTNumber].clear();
        QCOMPARE(firstMissing(texts), std::optional<int>(GSTNumber));
        QCOMPARE(missingFieldText(GSTNumber), QString("Please enter the GST Registration Number\r\nSave Aborted."));
        fillEmptyPeriods(texts);
        QCOMPARE(texts[CreditPeriod], QString("0"));
        QCOMPARE(texts[DeliveryPeriod], QString("0"));
        QCOMPARE(texts[Remarks], QString());
    }

    // Without a screen: the quotations follow the vendor row's name, or neither changes.
    void saveRenamesWithTheVendorRow()
    {
        TestFolder folder;
        folder.exec("Insert Into Quotations (ID, Vendor) Values (1, 'Acme'), (2, Null)");
        VendorRecord::Texts texts;
        texts.fill(QStringLiteral("x"));
        texts[VendorRecord::VendorName] = QStringLiteral("Acme");
        texts[VendorRecord::CreditPeriod] = QStringLiteral("15");
        texts[VendorRecord::DeliveryPeriod] = QStringLiteral("0");
        VendorRecord::save(texts, QString(), AppState::ConnectionString);
        QCOMPARE(folder.count("Quotations", "Vendor = 'Acme'"), 2);
        QCOMPARE(VendorRecord::load(AppState::ConnectionString), texts);

        folder.exec("Create Trigger refuse Before Update On CT_Vendor Begin Select Raise(Abort, 'no'); End");
        texts[VendorRecord::VendorName] = QStringLiteral("Zenith");
        QVERIFY_THROWS_EXCEPTION(DbError, VendorRecord::save(texts, QStringLiteral("Acme"), AppState::ConnectionString));
        QCOMPARE(folder.count("Quotations", "Vendor = 'Acme'"), 2);
        QCOMPARE(folder.scalar("Select VendorName From CT_Vendor"), QString("Acme"));
    }
};

QTEST_MAIN(tst_vendorRecord)
#include "tst_vendorRecord.moc"
