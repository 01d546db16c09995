#include "app/applicationstate.h"
#include "db/tenderdatabase.h"
#include "tests/support/testenv.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>

namespace {

struct ToolRun {
    int exitCode;
    QString errors;
};

ToolRun runTool(const QStringList& args)
{
    QProcess tool;
    tool.start(QStringLiteral(QUILLBID_TENDERDB), args);
    tool.waitForFinished(120000);
    return {tool.exitCode(), QString::fromUtf8(tool.readAllStandardError())};
}

// A copy of the demo CSV folder in which one file can be spoiled.
void copyDemo(const QString& to)
{
    QDir source(QStringLiteral(QUILLBID_DATA_DIR "/demo"));
    for (const QString& name : source.entryList({QStringLiteral("*.csv")}))
        QFile::copy(source.filePath(name), QDir(to).filePath(name));
}

void writeFile(const QString& path, const QByteArray& content)
{
    QFile f(path);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(content);
}

} // namespace

class tst_TenderDb : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void buildsTheDemoTenderFromItsCsvFiles()
    {
        TestFolder folder(TestFolder::Content::None);
        const ToolRun run = runTool({QStringLiteral("build"), QStringLiteral(QUILLBID_DATA_DIR "/demo"), folder.databasePath()});
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.errors.isEmpty(), qPrintable(run.errors));
        QCOMPARE(folder.count(QStringLiteral("CT_Generics")), 300);
        QCOMPARE(folder.count(QStringLiteral("CT_Vendor")), 0);
        QCOMPARE(folder.count(QStringLiteral("Quotations")), 0);
        // Empty fields are Null; an apostrophe survives.
        QVERIFY(folder.count(QStringLiteral("CT_Brands"), QStringLiteral("Manufacturer Is Null")) > 0);
        QCOMPARE(folder.count(QStringLiteral("CT_Generics"), QStringLiteral("Description='Ringer''s Lactate'")), 1);
        QCOMPARE(folder.scalar(QStringLiteral("Select Ratio From CT_DrugPackings Where Description='Jar of 2.5'")), QStringLiteral("2.5"));
    }

    void malformedInputNamesFileLineAndColumnAndLeavesNoFile_data()
    {
        // `where` follows the folder as given on the command line: PATH:LINE:COLUMN, or PATH alone.
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("where");
        QTest::newRow("unknown column") << "CT_TaxMast.csv" << QByteArray("ID,Name\n1,GST\n") << "/CT_TaxMast.csv:1:4: ";
        QTest::newRow("too many fields") << "CT_TaxMast.csv" << QByteArray("ID,Description\n1,GST\n2,IGST,x\n") << "/CT_TaxMast.csv:3:";
        QTest::newRow("quote not closed") << "CT_TaxMast.csv" << QByteArray("ID,Description\n1,\"GST\n2,IGST\n") << "/CT_TaxMast.csv:2:3: ";
        QTest::newRow("text after quote") << "CT_TaxMast.csv" << QByteArray("ID,Description\n1,\"GST\"x\n") << "/CT_TaxMast.csv:2:8: ";
        QTest::newRow("word in a number column") << "CT_Tax.csv"
                                                 << QByteArray("ID,Code,Description,AddedByVendor,TaxType,Tax\n1,T1,GST 5%,False,GST,five\n")
                                                 << "/CT_Tax.csv:2:";
        QTest::newRow("description twice") << "CT_TaxMast.csv" << QByteArray("ID,Description\n1,GST\n2,GST\n") << "/CT_TaxMast.csv:3:3: ";
        QTest::newRow("same ID twice") << "CT_TaxMast.csv" << QByteArray("ID,Description\n1,GST\n1,IGST\n") << "/CT_TaxMast.csv:3:";
        // Columns count characters: "é" is two bytes and "𝄞" four, one column each.
        QTest::newRow("not UTF-8") << "CT_TaxMast.csv" << QByteArray("ID,Description\n1,R\xc3\xa9\xf0\x9d\x84\x9e\xff\xfe\n")
                                   << "/CT_TaxMast.csv:2:6: is not valid UTF-8 text";
        QTest::newRow("overlong slash") << "CT_TaxMast.csv" << QByteArray("\xef\xbb\xbfID,Description\n\xc0\xaf\n")
                                        << "/CT_TaxMast.csv:2:1: is not valid UTF-8 text";
        QTest::newRow("bad byte in the first column") << "CT_TaxMast.csv" << QByteArray("\xef\xbb\xbfI\xed\xa0\x80" "D\n")
                                                      << "/CT_TaxMast.csv:1:2: is not valid UTF-8 text";
        // Once read as a whole file that simply ended early: the last character was dropped unnoticed.
        QTest::newRow("character cut off at the end") << "CT_TaxMast.csv" << QByteArray("ID,Description\n1,R\xc3")
                                                      << "/CT_TaxMast.csv:2:4: is not valid UTF-8 text";
        QTest::newRow("control bytes quoted") << "CT_TaxMast.csv" << QByteArray("ID,\"Desc\0ri\tption\"\n", 19)
                                              << "/CT_TaxMast.csv:1:4: 'Desc\\x00ri\\tption' is not a column of CT_TaxMast";
        QTest::newRow("missing file") << "CT_Generics.csv" << QByteArray() << "/CT_Generics.csv: file is missing";
    }
    void malformedInputNamesFileLineAndColumnAndLeavesNoFile()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, content);
        QFETCH(QString, where);
        QTemporaryDir csv, out;
        copyDemo(csv.path());
        if (content.isEmpty())
            QFile::remove(QDir(csv.path()).filePath(file));
        else
            writeFile(QDir(csv.path()).filePath(file), content);
        const QString target = QDir(out.path()).filePath(QStringLiteral("Tender.klmt"));
        const ToolRun run = runTool({QStringLiteral("build"), csv.path(), target});
        QVERIFY(run.exitCode != 0);
        QVERIFY2(run.errors.startsWith(QStringLiteral("tenderdb: ") + csv.path() + where), qPrintable(run.errors));
        QCOMPARE(run.errors.count(QLatin1Char('\n')), 1);  // one whole line, whatever the file held
        QVERIFY(!run.errors.contains(QLatin1String(":0:0")));
        QCOMPARE(QDir(out.path()).entryList(QDir::Files), QStringList());
    }

    void failedBuildKeepsTheOlderCompleteFile()
    {
        TestFolder folder;
        const QByteArray before = [&] {
            QFile f(folder.databasePath());
            f.open(QIODevice::ReadOnly);
            return f.readAll();
        }();
        QTemporaryDir csv;
        copyDemo(csv.path());
        writeFile(QDir(csv.path()).filePath(QStringLiteral("CT_Generics.csv")), "ID,Code,Description,AddedByVendor\n1,1,\"open\n");
        QVERIFY(runTool({QStringLiteral("build"), csv.path(), folder.databasePath()}).exitCode != 0);
        QFile f(folder.databasePath());
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), before);
    }

    void syntheticTenderHasTheAskedSize()
    {
        TestFolder folder(TestFolder::Content::None);
        const ToolRun run = runTool({QStringLiteral("synth"), folder.databasePath(), QStringLiteral("50"), QStringLiteral("400"),
                                     QStringLiteral("30")});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(folder.count(QStringLiteral("CT_Generics")), 50);
        QCOMPARE(folder.count(QStringLiteral("CT_Brands")), 400);
        QCOMPARE(folder.count(QStringLiteral("Quotations")), 30);
        QCOMPARE(folder.count(QStringLiteral("CT_Brands"), QStringLiteral("Generic Not In (Select Description From CT_Generics)")), 0);
    }

    void usageErrorsExitNonZero()
    {
        QCOMPARE(runTool({}).exitCode, 2);
        QCOMPARE(runTool({QStringLiteral("build"), QStringLiteral("only-one")}).exitCode, 2);
    }
};

QTEST_MAIN(tst_TenderDb)
#include "tst_tenderdb.moc"
