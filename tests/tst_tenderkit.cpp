#include "db/keyedfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// The folder the hospital hands to suppliers, laid out by the hospital's tool.
class tst_tenderkit : public QObject
{
    Q_OBJECT

private slots:
    void kitHoldsEverythingASupplierNeeds()
    {
        if (!QFileInfo::exists(QStringLiteral(QUILLBID_APP_DIR "/quillbid")))
            QSKIP("the application is not built");
        QTemporaryDir dir;
        const QString kit = dir.filePath(QStringLiteral("kit"));
        QProcess tool;
        tool.start(QStringLiteral(QUILLBID_TENDERDB), {"kit", QStringLiteral(QUILLBID_DATA_DIR "/demo"), kit});
        QVERIFY(tool.waitForFinished(120000));
        QCOMPARE(tool.exitCode(), 0);
        const QDir out(kit);
        for (const char* name : {"quillbid", "Tender.klmt", "CT_QtyReq.rpt", "Quotation.rpt", "CT_QtyReq.pdf",
                                 "quillbid.desktop", "quillbid.svg", "README.txt"})
            QVERIFY2(out.exists(QLatin1String(name)), name);
        QVERIFY(QFileInfo(out.filePath("quillbid")).isExecutable());
        QFile pdf(out.filePath("CT_QtyReq.pdf"));
        QVERIFY(pdf.open(QIODevice::ReadOnly) && pdf.read(4) == "%PDF");
        // The tender is the one just built from the lists, readable with the tender's key.
        KeyedFile tender(out.filePath("Tender.klmt"));
        int lines = 0;
        tender.forEachRow(QStringLiteral("SELECT count(*) FROM CT_QtyPerYears"), [&](const KeyedFile::Row& r) { lines = static_cast<int>(r.integer(0)); });
        QVERIFY(lines > 0);
        // The application folder of the build has the same layout.
        for (const char* name : {"quillbid.desktop", "quillbid.svg", "README.txt"})
            QVERIFY2(QFileInfo::exists(QStringLiteral(QUILLBID_APP_DIR "/") + QLatin1String(name)), name);
    }

    void aFailedKitLeavesNoFolder()
    {
        QTemporaryDir dir;
        const QString kit = dir.filePath(QStringLiteral("kit"));
        QProcess tool;
        tool.start(QStringLiteral(QUILLBID_TENDERDB), {"kit", dir.filePath(QStringLiteral("no-lists")), kit});
        QVERIFY(tool.waitForFinished(60000));
        QCOMPARE(tool.exitCode(), 1);
        QVERIFY(!QFileInfo::exists(kit));
    }
};

QTEST_GUILESS_MAIN(tst_tenderkit)
#include "tst_tenderkit.moc"
