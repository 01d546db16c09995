#include "output/exporterror.h"
#include "output/htmlexportfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <cstring>
#include <sys/resource.h>

// The export file: every line arrives in order and in Windows-1252, the target is replaced only by a
// complete page, and a write the disk refuses ends the export with the file error.
class tst_exportfile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void pageArrivesWholeAndInOrder()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("page.html");
        QByteArray expected;
        {
            HtmlExportFile file(path);
            // Enough lines to be handed to the file several times over.
            for (int i = 0; i < 20000; ++i) {
                const QString line = QString::number(i) + QString(i % 97, 'x');
                file.writeLine(line);
                expected += line.toLatin1() + "\r\n";
            }
            file.writeLine(u"\u00e9\u05d0 end");
            expected += "\xe9&#1488; end\r\n";
            QVERIFY(!QFile::exists(path));  // nothing at the target until the page is complete
            file.commit();
        }
        QFile written(path);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(), expected);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"page.html"});
    }

    void abandonedPageLeavesTheOldFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("page.html");
        {
            QFile old(path);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("old page");
        }
        {
            HtmlExportFile file(path);
            for (int i = 0; i < 20000; ++i)
                file.writeLine(u"a line of the new page");
        }  // no commit
        QFile kept(path);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), QByteArray("old page"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"page.html"});
    }

    void refusedWriteEndsTheExport()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("page.html");
        // A file size limit stands in for a full disk: the write fails instead of the process ending.
        rlimit saved{};
        QVERIFY(getrlimit(RLIMIT_FSIZE, &saved) == 0);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved;
        small.rlim_cur = 100 * 1024;
        QVERIFY(setrlimit(RLIMIT_FSIZE, &small) == 0);
        long number = 0;
        QString description;
        try {
            HtmlExportFile file(path);
            for (int i = 0; i < 20000; ++i)
                file.writeLine(u"a line of a page larger than the disk takes");
            file.commit();
        } catch (const ExportError& e) {
            number = e.number();
            description = e.description();
        }
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);
        QCOMPARE(number, ExportErrorNumber::FileAccess);
        // The system's reason, not "Unknown error": the vendor is told the disk is full.
        QCOMPARE(description, QStringLiteral("Path/File access error: ") + QString::fromLocal8Bit(std::strerror(EFBIG)));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{});
    }

};

QTEST_MAIN(tst_exportfile)
#include "tst_exportfile.moc"
