#include "output/exporterror.h"
#include "sheets/workbook.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using Sheets::Cell;

namespace {

QByteArray unzipped(const QString& archive, const QString& member)
{
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), archive, member});
    unzip.waitForFinished();
    return unzip.readAllStandardOutput();
}

Sheets::Sheet sample()
{
    Sheets::Sheet s;
    s.name = QStringLiteral("Items: A/B");  // characters a sheet name may not hold
    s.header = QStringList{QStringLiteral("Name"), QStringLiteral("Price")};
    s.addRow({Cell::textCell(QStringLiteral("Salt <& \"Pepper\">")), Cell::number(QStringLiteral("12.3400"), 4)});
    s.addRow({Cell::textCell(QStringLiteral("Sugar")), Cell::number(QString(), 2)}, true);
    return s;
}

} // namespace

class tst_sheets : public QObject
{
    Q_OBJECT

private slots:
    void csvQuotesOnlyWhatNeedsIt_data()
    {
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("plain") << QStringList{"a", "b c", ""} << QByteArray("a,b c,\r\n");
        QTest::newRow("comma") << QStringList{"GSK, India"} << QByteArray("\"GSK, India\"\r\n");
        QTest::newRow("quote doubled") << QStringList{"5\" tube", "x"} << QByteArray("\"5\"\" tube\",x\r\n");
        QTest::newRow("line break") << QStringList{"two\nlines", "cr\rhere"} << QByteArray("\"two\nlines\",\"cr\rhere\"\r\n");
        QTest::newRow("utf-8") << QStringList{QStringLiteral("Café ₹")} << QString(QStringLiteral("Café ₹\r\n")).toUtf8();
    }
    void csvQuotesOnlyWhatNeedsIt()
    {
        QFETCH(QStringList, fields);
        QFETCH(QByteArray, line);
        QCOMPARE(Sheets::csvRecord(fields), line);
    }

    void workbookKeepsTextAndNumbers()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("book.xlsx"));
        Sheets::writeXlsx(path, {sample()});
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"book.xlsx"});
        QVERIFY(unzipped(path, QStringLiteral("xl/workbook.xml")).contains("name=\"Items  A B\""));
        const QByteArray sheet = unzipped(path, QStringLiteral("xl/worksheets/sheet1.xml"));
        QVERIFY(sheet.contains("Salt &lt;&amp; &quot;Pepper&quot;&gt;") || sheet.contains("Salt &lt;&amp; \"Pepper\"&gt;"));
        QVERIFY(sheet.contains("<v>12.34</v>"));
        QVERIFY(!sheet.contains("r=\"B3\" t="));  // an empty number stays an empty cell
        const QByteArray styles = unzipped(path, QStringLiteral("xl/styles.xml"));
        QVERIFY(styles.contains("formatCode=\"0.0000\""));
        QVERIFY(styles.contains("C6EFCE"));  // the highlighted row's fill
    }

    void failedWritesLeaveNothingAndKeepWhatWasThere()
    {
        QTemporaryDir dir;
        // The target is a folder with a file in it: the finished workbook cannot replace it.
        const QString path = dir.filePath(QStringLiteral("taken.xlsx"));
        QDir(dir.path()).mkdir(QStringLiteral("taken.xlsx"));
        QFile keep(path + QStringLiteral("/keep.txt"));
        QVERIFY(keep.open(QIODevice::WriteOnly));
        keep.close();
        QVERIFY_THROWS_EXCEPTION(ExportError, Sheets::writeXlsx(path, {sample()}));
        QVERIFY_THROWS_EXCEPTION(ExportError, Sheets::writeCsv(path, sample()));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot), QStringList{"taken.xlsx"});
        QVERIFY(QFile::exists(path + QStringLiteral("/keep.txt")));

        const QString csv = dir.filePath(QStringLiteral("list.csv"));
        Sheets::writeCsv(csv, sample());
        QFile written(csv);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(), QByteArray("Name,Price\r\n\"Salt <& \"\"Pepper\"\">\",12.3400\r\nSugar,\r\n"));
    }
};

QTEST_GUILESS_MAIN(tst_sheets)
#include "tst_sheets.moc"
