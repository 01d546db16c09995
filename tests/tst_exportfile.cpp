#include "output/backgroundfilewriter.h"
#include "output/exporterror.h"
#include "output/htmlexportfile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <cstring>
#include <sys/resource.h>

// The export file hands its bytes to a writer thread: what arrives must be every byte in order, a
// failed write must end the export with the file error, and an abandoned page must stop cleanly.
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
            // Lines of every length, and pieces larger than one block, cross the block borders.
            for (int i = 0; i < 20000; ++i) {
                const QByteArray line = QByteArray::number(i) + QByteArray(i % 97, 'x');
                file.write(std::string_view(line.constData(), static_cast<size_t>(line.size())));
                file.write("\r\n");
                expected += line + "\r\n";
            }
            const QByteArray large(3 * static_cast<int>(BackgroundFileWriter::BlockSize) + 17, 'L');
            file.write(std::string_view(large.constData(), static_cast<size_t>(large.size())));
            expected += large;
            file.writeLine(u"\u00e9\u05d0 end");
            expected += "\xe9&#1488; end\r\n";
            QVERIFY(!QFile::exists(path));  // nothing at the target until the page is complete
            file.commit();
        }
        QFile written(path);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(), expected);
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
            const QByteArray large(5 * static_cast<int>(BackgroundFileWriter::BlockSize), 'N');
            file.write(std::string_view(large.constData(), static_cast<size_t>(large.size())));
        }  // no commit
        QFile kept(path);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), QByteArray("old page"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"page.html"});
    }

    void failedWriteEndsTheExport()
    {
        QFile full(QStringLiteral("/dev/full"));
        if (!full.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            QSKIP("no /dev/full here");
        long number = 0;
        QString description;
        try {
            BackgroundFileWriter writer(full);
            for (int i = 0; i < 50; ++i) {
                std::memset(writer.block(), 'F', BackgroundFileWriter::BlockSize);
                writer.hand(BackgroundFileWriter::BlockSize);
            }
            writer.finish();
        } catch (const ExportError& e) {
            number = e.number();
            description = e.description();
        }
        QCOMPARE(number, ExportErrorNumber::FileAccess);
        QVERIFY2(description.startsWith("Path/File access error: "), qPrintable(description));
    }

    void fileThatStopsGrowingPartWayReportsTheSystemsReason()
    {
        // A file size limit stands in for a disk that fills: the system takes part of a block, then
        // refuses the rest with its reason, which is what the vendor must be told.
        QTemporaryDir dir;
        rlimit old{};
        getrlimit(RLIMIT_FSIZE, &old);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = old;
        limited.rlim_cur = BackgroundFileWriter::BlockSize + 1000;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &limited), 0);
        QString description;
        try {
            HtmlExportFile file(dir.filePath("page.html"));
            const QByteArray large(4 * static_cast<int>(BackgroundFileWriter::BlockSize), 'D');
            file.write(std::string_view(large.constData(), static_cast<size_t>(large.size())));
            file.commit();
        } catch (const ExportError& e) {
            description = e.description();
        }
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);
        QCOMPARE(description, QStringLiteral("Path/File access error: ") + QString::fromLocal8Bit(std::strerror(EFBIG)));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList());
    }
};

QTEST_MAIN(tst_exportfile)
#include "tst_exportfile.moc"
