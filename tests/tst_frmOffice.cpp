#include "office/frmOffice.h"
#include "office/statementtable.h"
#include "tests/support/comparefixture.h"
#include "tests/support/testenv.h"

#include <QAbstractItemModel>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTreeView>
#include <QtTest>
#include <deque>

namespace {

// Answers the open-file and folder dialogs from queues.
struct FileChoices {
    std::deque<QStringList> files;
    std::deque<QString> folders;
    OpenFilesDialogSeam::Override openOverride{[this](const OpenFilesRequest&) {
        QStringList answer = files.empty() ? QStringList() : files.front();
        if (!files.empty())
            files.pop_front();
        return answer;
    }};
    FolderDialogSeam::Override folderOverride{[this](const FolderRequest&) {
        QString answer = folders.empty() ? QString() : folders.front();
        if (!folders.empty())
            folders.pop_front();
        return answer;
    }};
};

QAbstractItemModel* rowsOf(const frmOffice& w, const QString& list)
{
    return control<QTreeView>(&w, list)->model();
}

QString cell(const frmOffice& w, const QString& list, int row, int column)
{
    QAbstractItemModel* m = rowsOf(w, list);
    return m->data(m->index(row, column)).toString();
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Statement columns as the window shows them.
constexpr int Rank = 5, Vendor = 7, UnitCost = 8, YearlyValue = 9;

} // namespace

class tst_frmOffice : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QVERIFY(visibleTopLevels().isEmpty()); }

    void figuresSortByValue_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<int>("sign");
        QTest::newRow("more digits") << "9.5" << "10.25" << -1;
        QTest::newRow("trailing zeros") << "2.2400" << "2.24" << 0;
        QTest::newRow("fraction") << "2.0160" << "2.016001" << -1;
        QTest::newRow("leading zeros") << "007" << "7.0" << 0;
        QTest::newRow("negatives") << "-3" << "-12" << 1;
        QTest::newRow("sign") << "-0.5" << "0.1" << -1;
    }
    void figuresSortByValue()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(int, sign);
        const int c = compareDecimalTexts(a, b);
        QCOMPARE((c > 0) - (c < 0), sign);
        const int r = compareDecimalTexts(b, a);
        QCOMPARE((r > 0) - (r < 0), -sign);
    }

    void chosenFilesGiveTheRankedStatement()
    {
        FileChoices choices;
        choices.files = {{m_fixture.hospital()}, m_fixture.returnedFiles()};
        frmOffice w;
        w.show();
        QSignalSpy finished(&w, &frmOffice::comparisonFinished);
        QTest::mouseClick(control<QPushButton>(&w, "cmdTenderFile"), Qt::LeftButton);
        QVERIFY(!control<QPushButton>(&w, "cmdExport")->isEnabled());
        QTest::mouseClick(control<QPushButton>(&w, "cmdReturnedFiles"), Qt::LeftButton);
        QVERIFY(finished.wait(30000));
        QVERIFY(control<QLabel>(&w, "lblTender")->text().contains(QLatin1String("City Hospital")));

        QCOMPARE(rowsOf(w, "lvStatement")->rowCount(), 11);
        const QStringList first{cell(w, "lvStatement", 0, Rank), cell(w, "lvStatement", 0, Vendor),
                                cell(w, "lvStatement", 0, UnitCost), cell(w, "lvStatement", 0, YearlyValue)};
        QCOMPARE(first, (QStringList{"L1", "Alpha Pharma", "2.0160", "2016.00"}));
        QAbstractItemModel* statement = rowsOf(w, "lvStatement");
        QVERIFY(statement->data(statement->index(0, 0), Qt::BackgroundRole).isValid());   // L1
        QVERIFY(!statement->data(statement->index(2, 0), Qt::BackgroundRole).isValid());  // L2
        QCOMPARE(rowsOf(w, "lvSuppliers")->rowCount(), 3);
        QCOMPARE(control<QLabel>(&w, "lblL1Total")->text(), QStringLiteral("L1 total (the cheapest mix): 4673.04"));
        QCOMPARE(rowsOf(w, "lvFindings")->rowCount(), 5);
        QCOMPARE(rowsOf(w, "lvFiles")->rowCount(), 8);
        QCOMPARE(cell(w, "lvFiles", 7, 3), QStringLiteral("same vendor as a.klmt"));
        QCOMPARE(cell(w, "lvFiles", 2, 5), w.comparison().files[2].digest);
        QVERIFY(control<QPushButton>(&w, "cmdExport")->isEnabled());

        // Filter by generic words, then sort by unit cost both ways: blanks stay last.
        QLineEdit* filter = control<QLineEdit>(&w, "txtFilter");
        QTest::keyClicks(filter, "AMOX");
        QCOMPARE(statement->rowCount(), 2);
        filter->clear();
        QTest::keyClicks(filter, "fen  dic");
        QCOMPARE(statement->rowCount(), 5);
        QTest::keyClicks(filter, " amox");  // every word must be in the generic
        QCOMPARE(statement->rowCount(), 0);
        filter->clear();
        QCOMPARE(statement->rowCount(), 11);
        auto* view = control<QTreeView>(&w, "lvStatement");
        view->sortByColumn(UnitCost, Qt::AscendingOrder);
        QCOMPARE(cell(w, "lvStatement", 0, UnitCost), QStringLiteral("2.0160"));
        QCOMPARE(cell(w, "lvStatement", 9, UnitCost), QStringLiteral("5.3760"));
        QCOMPARE(cell(w, "lvStatement", 10, UnitCost), QString());
        view->sortByColumn(UnitCost, Qt::DescendingOrder);
        QCOMPARE(cell(w, "lvStatement", 0, UnitCost), QStringLiteral("5.3760"));
        QCOMPARE(cell(w, "lvStatement", 10, UnitCost), QString());
        w.close();
    }

    void exportsMatchTheCommandLine()
    {
        FileChoices choices;
        choices.folders = {m_fixture.folder()};
        frmOffice w;
        w.show();
        QSignalSpy finished(&w, &frmOffice::comparisonFinished);
        w.compareFiles(m_fixture.hospital(), {});
        QTest::mouseClick(control<QPushButton>(&w, "cmdReturnedFolder"), Qt::LeftButton);
        QVERIFY(finished.wait(30000));
        QCOMPARE(w.comparison().files.size(), size_t(8));

        QTemporaryDir out;
        MessageBoxScript boxes;
        SaveFileScript saves;
        for (const char* name : {"s.csv", "s.xlsx", "s.html", "s.pdf", "plain"})
            saves.answer(out.filePath(QLatin1String(name)));
        for (int i = 0; i < 5; ++i)
            QTest::mouseClick(control<QPushButton>(&w, "cmdExport"), Qt::LeftButton);
        QCOMPARE(boxes.count(), 5);
        QCOMPARE(boxes.last().title, QStringLiteral("Exported Successfully"));
        QVERIFY(boxes.last().text.startsWith(QStringLiteral("Statement saved at following path\r\n\r\n")));
        QVERIFY(readAll(out.filePath("s.xlsx")).startsWith("PK"));
        QVERIFY(readAll(out.filePath("plain.xlsx")).startsWith("PK"));  // no extension: a workbook
        QVERIFY(readAll(out.filePath("s.html")).contains("<td>Voltaject</td>"));
        QVERIFY(readAll(out.filePath("s.pdf")).startsWith("%PDF"));

        QProcess tool;
        tool.start(QStringLiteral(QUILLBID_TENDERDB),
                   QStringList{"compare", m_fixture.hospital(), out.filePath("cli.csv")} + m_fixture.returnedFiles());
        QVERIFY(tool.waitForFinished(60000));
        QCOMPARE(tool.exitCode(), 0);
        QCOMPARE(readAll(out.filePath("s.csv")), readAll(out.filePath("cli.csv")));

        ReportPreviewScript preview(out.path());
        QTest::mouseClick(control<QPushButton>(&w, "cmdPreview"), Qt::LeftButton);
        QCOMPARE(preview.titles, QStringList{"Comparative Statement"});
        QVERIFY(readAll(preview.pdfFiles.front()).startsWith("%PDF"));
        w.close();
    }

    void filesThatCannotBeCompared()
    {
        MessageBoxScript boxes;
        frmOffice w;
        w.show();
        w.compareFiles(m_fixture.file("returned/e-plain.klmt"), {m_fixture.file("returned/a.klmt")});
        QCOMPARE(boxes.count(), 1);
        QCOMPARE(boxes.last().title, QStringLiteral("Error"));
        QVERIFY(!w.busy());

        QSignalSpy finished(&w, &frmOffice::comparisonFinished);
        w.compareFiles(m_fixture.hospital(), {m_fixture.file("returned/e-plain.klmt"), m_fixture.file("returned/g-novendor.klmt")});
        QVERIFY(finished.wait(30000));
        QCOMPARE(boxes.count(), 2);
        QCOMPARE(boxes.last().title, QStringLiteral("Info"));
        QCOMPARE(rowsOf(w, "lvFiles")->rowCount(), 2);
        QVERIFY(!control<QPushButton>(&w, "cmdExport")->isEnabled());
        w.close();
    }

private:
    CompareFixture m_fixture;
};

QTEST_MAIN(tst_frmOffice)
#include "tst_frmOffice.moc"
