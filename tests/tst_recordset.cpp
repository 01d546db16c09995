#include "app/applicationstate.h"
#include "db/dberror.h"
#include "db/recordset.h"
#include "db/sqltext.h"
#include "db/tenderdatabase.h"
#include "tests/support/testenv.h"

#include <QDateTime>
#include <QFile>
#include <QTest>
#include <sqlite3.h>

namespace {
QString cs()
{
    return AppState::ConnectionString;
}
}

class tst_Recordset : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void fileIsEncryptedAndReopensWithTheKey()
    {
        TestFolder folder;
        QFile f(folder.databasePath());
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(!f.read(16).startsWith("SQLite format 3"));
        f.close();
        QCOMPARE(folder.scalar(QStringLiteral("Select TenderDuration From CT_Options")), QStringLiteral("Tender 2027-28"));
    }

    void roundTripOfEveryKindOfValueWithNull()
    {
        TestFolder folder(TestFolder::Content::Empty);
        const QDateTime when(QDate(2027, 3, 31), QTime(14, 5, 9));
        {
            Recordset rs(QStringLiteral("Select * From Quotations"), cs(), CursorType::Keyset, LockType::Pessimistic);
            QVERIFY(rs.eof());
            rs.addNew();
            rs.setField(QStringLiteral("AddedOn"), when);
            rs.setField(QStringLiteral("Vendor"), QStringLiteral("D'Souza & Sons"));
            rs.setField(QStringLiteral("Discount%"), QStringLiteral("12.5"));
            rs.setField(QStringLiteral("CostVAT%"), QStringLiteral("0.00005"));
            rs.setField(QStringLiteral("CostOfPackBeforeDiscountWithoutVAT"), QStringLiteral("10.80"));
            rs.setField(QStringLiteral("CreditPeriodInDays"), QStringLiteral("30"));
            rs.setField(QStringLiteral("BrandAddedByVendor"), true);
            rs.setField(QStringLiteral("ResearchMolecule"), false);
            rs.update();
            QCOMPARE(rs.field(QStringLiteral("ID")).toLongLong(), 1);
        }
        Recordset rs(QStringLiteral("Select * From QuotationS Where ID=1"), cs(), CursorType::ForwardOnly, LockType::ReadOnly);
        QVERIFY(!rs.eof());
        QCOMPARE(rs.field(QStringLiteral("AddedOn")).toDateTime(), when);
        QVERIFY(rs.field(QStringLiteral("EditedOn")).isNull());
        QVERIFY(rs.field(QStringLiteral("Remarks")).isNull());
        QCOMPARE(rs.field(QStringLiteral("vendor")).toString(), QStringLiteral("D'Souza & Sons"));
        // Decimals come back as the exact text written, never as a binary approximation.
        QCOMPARE(rs.field(QStringLiteral("Discount%")), QVariant(QStringLiteral("12.5")));
        QCOMPARE(rs.field(QStringLiteral("CostVAT%")), QVariant(QStringLiteral("0.00005")));
        QCOMPARE(rs.field(QStringLiteral("CostOfPackBeforeDiscountWithoutVAT")), QVariant(QStringLiteral("10.8")));
        QCOMPARE(rs.field(QStringLiteral("CreditPeriodInDays")).toLongLong(), 30);
        QCOMPARE(rs.field(QStringLiteral("BrandAddedByVendor")), QVariant(true));
        QCOMPARE(rs.field(QStringLiteral("ResearchMolecule")), QVariant(false));
        QVERIFY(rs.field(QStringLiteral("MRPVAT%")).isNull());
        QCOMPARE(rs.recordCount(), 1);
        rs.moveNext();
        QVERIFY(rs.eof());
    }

    void changeAndDeleteWriteBackByID()
    {
        TestFolder folder;
        {
            Recordset rs(QStringLiteral("Select * From CT_Generics Where Description='Paracetamol'"), cs(),
                         CursorType::Keyset, LockType::Pessimistic);
            QVERIFY(!rs.eof());
            rs.setField(QStringLiteral("Description"), QStringLiteral("Paracetamol IP"));
            rs.update();
        }
        QCOMPARE(folder.count(QStringLiteral("CT_Generics"), QStringLiteral("Description='Paracetamol IP'")), 1);
        QCOMPARE(folder.count(QStringLiteral("CT_Generics"), QStringLiteral("Description='Paracetamol'")), 0);
        const int before = folder.count(QStringLiteral("CT_Generics"));
        {
            Recordset rs(QStringLiteral("Select * From CT_Generics Where Description='Paracetamol IP'"), cs(),
                         CursorType::Keyset, LockType::Pessimistic);
            rs.deleteCurrent();
            QCOMPARE(rs.recordCount(), 0);
        }
        QCOMPARE(folder.count(QStringLiteral("CT_Generics")), before - 1);
    }

    void rowBegunButNotUpdatedIsDiscarded()
    {
        TestFolder folder;
        const int before = folder.count(QStringLiteral("CT_DrugForms"));
        {
            Recordset rs(QStringLiteral("Select * From CT_DrugForms Where Description='Lozenge X'"), cs(),
                         CursorType::Keyset, LockType::Pessimistic);
            rs.addNew();
            rs.setField(QStringLiteral("Description"), QStringLiteral("Lozenge X"));
        }
        QCOMPARE(folder.count(QStringLiteral("CT_DrugForms")), before);
    }

    void newCodeIsLargestIdPlusOne()
    {
        // Empty table: Max(ID) is Null, so the first code is 1.
        TestFolder empty(TestFolder::Content::Empty);
        {
            Recordset max(QStringLiteral("Select Max(ID) From CT_Generics"), cs(), CursorType::Static, LockType::ReadOnly);
            QVERIFY(max.field(0).isNull());
        }
        for (int i = 1; i <= 40; ++i)
            empty.exec(QStringLiteral("INSERT INTO CT_Strengths (Code, Description) VALUES ('H%1', '%1 mg')").arg(i));
        Recordset max(QStringLiteral("Select Max(ID) From CT_Strengths"), cs(), CursorType::Static, LockType::ReadOnly);
        const qlonglong newCode = max.field(0).toLongLong() + 1;
        QCOMPARE(newCode, 41);
        max.close();
        Recordset add(QStringLiteral("Select * From CT_Strengths Where Description='999 mg'"), cs(), CursorType::Keyset,
                      LockType::Pessimistic);
        add.addNew();
        add.setField(QStringLiteral("Code"), newCode);
        add.setField(QStringLiteral("Description"), QStringLiteral("999 mg"));
        add.setField(QStringLiteral("AddedByVendor"), true);
        add.update();
        // The new row's ID equals the code it was given.
        QCOMPARE(add.field(QStringLiteral("ID")).toLongLong(), newCode);
        QCOMPARE(add.field(QStringLiteral("Code")).toString(), QStringLiteral("41"));
    }

    // The lists rely on the engine: tax rates sort as numbers, and Like ignores case.
    void taxesSortAsNumbersAndLikeIgnoresCase()
    {
        TestFolder folder;
        Recordset taxes(QStringLiteral("Select * From CT_Tax Order By TAX"), cs(), CursorType::ForwardOnly, LockType::ReadOnly);
        QStringList rates;
        for (; !taxes.eof(); taxes.moveNext())
            rates << taxes.field(QStringLiteral("Tax")).toString();
        QVERIFY(rates.indexOf(QStringLiteral("5")) < rates.indexOf(QStringLiteral("12")));
        Recordset like(QStringLiteral("Select * From CT_Brands Where Description like '%para%' And Description like '%500%'"), cs(),
                       CursorType::ForwardOnly, LockType::ReadOnly);
        QVERIFY(!like.eof());
    }

    void apostrophesCanNeitherBreakNorInject()
    {
        TestFolder folder;
        const QString name = QStringLiteral("Ringer's Lactate");
        Recordset rs(QStringLiteral("Select * From CT_Generics Where Description='") + escapeSqlText(name) + QStringLiteral("'"),
                     cs(), CursorType::Static, LockType::ReadOnly);
        QCOMPARE(rs.recordCount(), 1);
        const QString attack = QStringLiteral("x' Or '1'='1");
        Recordset none(QStringLiteral("Select * From CT_Generics Where Description='") + escapeSqlText(attack) + QStringLiteral("'"),
                       cs(), CursorType::Static, LockType::ReadOnly);
        QCOMPARE(none.recordCount(), 0);
        QCOMPARE(escapeSqlText(QStringLiteral("Paracetamol")), QStringLiteral("Paracetamol"));
        QVERIFY(isSqlNumber(QStringLiteral("12.5")));
        QVERIFY(!isSqlNumber(QStringLiteral("1; Delete From CT_Generics")));
    }

    void failuresRaiseErrorsWithNumberSourceAndDescription()
    {
        TestFolder folder;
        // A value the column cannot take.
        Recordset rs(QStringLiteral("Select * From CT_Vendor"), cs(), CursorType::Keyset, LockType::Pessimistic);
        rs.addNew();
        try {
            rs.setField(QStringLiteral("CreditPeriodInDays"), QStringLiteral("thirty"));
            QFAIL("no error for a word in a number column");
        } catch (const DbError& e) {
            QCOMPARE(e.number(), DbErrorNumber::TypeMismatch);
            QVERIFY(!e.source().isEmpty());
        }
        QVERIFY_THROWS_EXCEPTION(DbError, rs.setField(QStringLiteral("CreditPeriodInDays"), QStringLiteral("40000")));
        rs.cancelUpdate();
        // A change through a read-only recordset.
        Recordset ro(QStringLiteral("Select * From CT_Generics"), cs(), CursorType::ForwardOnly, LockType::ReadOnly);
        QVERIFY_THROWS_EXCEPTION(DbError, ro.setField(QStringLiteral("Description"), QStringLiteral("x")));
        // A column that does not exist, and a bad SQL text.
        QVERIFY_THROWS_EXCEPTION(DbError, (void)ro.field(QStringLiteral("NoSuchColumn")));
        QVERIFY_THROWS_EXCEPTION(DbError, Recordset(QStringLiteral("Select * From CT_Nothing"), cs(), CursorType::Static, LockType::ReadOnly));
    }

    void failingReReadAfterUpdateRaises()
    {
        TestFolder folder(TestFolder::Content::Empty);
        // A view with a column that cannot be worked out for the new value: the update is stored, but
        // reading the row back fails.
        folder.exec(QStringLiteral("CREATE TABLE Notes (ID INTEGER PRIMARY KEY, Note TEXT)"));
        folder.exec(QStringLiteral("CREATE VIEW ParsedNotes AS SELECT ID, Note, json(Note) AS Parsed FROM Notes"));
        folder.exec(QStringLiteral("CREATE TRIGGER ParsedNotesUpdate INSTEAD OF UPDATE ON ParsedNotes "
                                   "BEGIN UPDATE Notes SET Note = NEW.Note WHERE ID = OLD.ID; END"));
        folder.exec(QStringLiteral("INSERT INTO Notes (Note) VALUES ('{}')"));
        Recordset rs(QStringLiteral("Select ID, Note From ParsedNotes"), cs(), CursorType::Keyset, LockType::Pessimistic);
        rs.setField(QStringLiteral("Note"), QStringLiteral("not json"));
        try {
            rs.update();
            QFAIL("a failing re-read passed silently");
        } catch (const DbError& e) {
            QCOMPARE(e.number(), 1L);
            QVERIFY2(e.description().contains(QStringLiteral("JSON")), qPrintable(e.description()));
        }
        QCOMPARE(folder.scalar(QStringLiteral("Select Note From Notes")), QStringLiteral("not json"));
    }

    void wrongPasswordMissingAndReadOnlyFiles()
    {
        TestFolder folder;
        const QString wrong = QStringLiteral("Provider=SQLCipher;Data Source=") + folder.databasePath() +
                              QStringLiteral(";Database Password=WRONG");
        try {
            Recordset rs(QStringLiteral("Select * From CT_Options"), wrong, CursorType::Static, LockType::ReadOnly);
            QFAIL("opened with a wrong password");
        } catch (const DbError& e) {
            QCOMPARE(e.number(), 26L);  // not a database
        }
        const QString missing = TenderDatabase::buildConnectionString(folder.filePath(QStringLiteral("nowhere")));
        try {
            Recordset rs(QStringLiteral("Select * From CT_Options"), missing, CursorType::Static, LockType::ReadOnly);
            QFAIL("opened a missing file");
        } catch (const DbError& e) {
            QCOMPARE(e.number(), DbErrorNumber::FileNotFound);
            QVERIFY(e.description().contains(QStringLiteral("Tender.klmt")));
        }
        // Read-only file: reads work, a write fails with an error instead of passing silently.
        TenderDatabase::closeConnection();
        QFile::setPermissions(folder.databasePath(), QFile::ReadOwner);
        if (QFileInfo(folder.databasePath()).isWritable())
            QSKIP("running as a user who can write read-only files");
        Recordset rs(QStringLiteral("Select * From CT_Options"), cs(), CursorType::Keyset, LockType::Pessimistic);
        QVERIFY(!rs.eof());
        rs.setField(QStringLiteral("TenderDuration"), QStringLiteral("Changed"));
        QVERIFY_THROWS_EXCEPTION(DbError, rs.update());
    }

    void transactionRollsBackUnlessCommitted()
    {
        TestFolder folder;
        try {
            DbTransaction tx(cs());
            folder.exec(QStringLiteral("UPDATE Quotations SET Vendor='x'"));
            folder.exec(QStringLiteral("INSERT INTO CT_TaxMast (Description) VALUES ('Cess')"));
            throw DbError(1, QStringLiteral("test"), QStringLiteral("failure half way"));
        } catch (const DbError&) {
        }
        QCOMPARE(folder.count(QStringLiteral("CT_TaxMast"), QStringLiteral("Description='Cess'")), 0);
        {
            DbTransaction tx(cs());
            folder.exec(QStringLiteral("INSERT INTO CT_TaxMast (Description) VALUES ('Cess')"));
            tx.commit();
        }
        QCOMPARE(folder.count(QStringLiteral("CT_TaxMast"), QStringLiteral("Description='Cess'")), 1);
        // No transaction is left open: the journal is gone and the one file holds everything.
        QVERIFY(!QFile::exists(folder.databasePath() + QStringLiteral("-journal")));
    }

    // Another program holding the file's write lock (a second copy, a backup tool): the save waits its
    // few seconds, then fails with the engine's word and stores nothing; once the lock is gone it works.
    void aFileLockedByAnotherProgramRefusesTheSave()
    {
        TestFolder folder;
        const auto add = [] {
            Recordset rs(QStringLiteral("Select * From CT_TaxMast Where ID=0"), cs(), CursorType::Keyset, LockType::Pessimistic);
            rs.addNew();
            rs.setField(QStringLiteral("Description"), QStringLiteral("Cess"));
            rs.update();
        };
        {
            const TenderDatabase::DatabaseHandle other =
                TenderDatabase::openKeyed(folder.databasePath(), QLatin1String(TenderDatabase::Password), false);
            QCOMPARE(sqlite3_exec(other.get(), "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
            try {
                add();
                QFAIL("stored while the file was locked");
            } catch (const DbError& e) {
                QCOMPARE(e.number(), long(SQLITE_BUSY));
                QCOMPARE(e.description(), QStringLiteral("database is locked"));
            }
            sqlite3_exec(other.get(), "ROLLBACK", nullptr, nullptr, nullptr);
        }
        QCOMPARE(folder.count(QStringLiteral("CT_TaxMast"), QStringLiteral("Description='Cess'")), 0);
        add();
        QCOMPARE(folder.count(QStringLiteral("CT_TaxMast"), QStringLiteral("Description='Cess'")), 1);
    }
};

QTEST_MAIN(tst_Recordset)
#include "tst_recordset.moc"
