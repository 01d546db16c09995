#include "tests/support/screentest.h"

#include "app/applicationstate.h"
#include "app/screens.h"
#include "output/frmPDF.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTest>

class tst_frmPDF : public ScreenTest
{
    Q_OBJECT
private:
    // The ready PDF that the build printed into the demo application folder.
    void layReadyPdf() const
    {
        QVERIFY(QFile::copy(QStringLiteral(QUILLBID_APP_DIR "/CT_QtyReq.pdf"), folder->filePath("CT_QtyReq.pdf")));
    }

private slots:
    void presentFileOpensEveryTimeWithoutAMessage()
    {
        layReadyPdf();
        DocumentOpenerScript opener;
        frmPDF screen;
        screen.show();
        QTest::mouseClick(control<QPushButton>(&screen, "cmdMaster(0)"), Qt::LeftButton);
        QTest::mouseClick(control<QPushButton>(&screen, "cmdMaster(0)"), Qt::LeftButton);
        const QString expected = QDir(folder->path()).filePath("CT_QtyReq.pdf");
        QCOMPARE(opener.opened, (QStringList{expected, expected}));
        QCOMPARE(boxes->count(), 0);
        QVERIFY(screen.isVisible());
        screen.close();
    }

    void missingFileOrFolderIsToldInTheShellsWords_data()
    {
        QTest::addColumn<bool>("removeFolder");
        QTest::addColumn<QString>("message");
        QTest::newRow("file removed") << false << "File was not found.";
        QTest::newRow("folder missing") << true << "Path was not found.";
    }
    void missingFileOrFolderIsToldInTheShellsWords()
    {
        QFETCH(bool, removeFolder);
        QFETCH(QString, message);
        DocumentOpenerScript opener;
        if (removeFolder)
            AppState::ApplicationFolder = folder->filePath("no such folder");
        frmPDF screen;
        screen.show();
        control<QPushButton>(&screen, "cmdMaster(0)")->click();
        QCOMPARE(boxes->count(), 1);
        QCOMPARE(boxes->last().title, QStringLiteral("Info"));
        QCOMPARE(boxes->last().icon, QMessageBox::Information);
        QCOMPARE(boxes->last().buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(boxes->last().text, message);
        QVERIFY(opener.opened.isEmpty());
        // The screen stays, and a second press tells it again.
        QVERIFY(screen.isVisible());
        control<QPushButton>(&screen, "cmdMaster(0)")->click();
        QCOMPARE(boxes->count(), 2);
        screen.close();
    }

    void noViewerShowsNothing()
    {
        layReadyPdf();
        DocumentOpenerScript opener;
        opener.succeed = false;
        frmPDF screen;
        screen.cmdMaster_Click(0);
        QCOMPARE(opener.opened.size(), 1);
        QCOMPARE(boxes->count(), 0);
    }

    void closeEndsTheModalScreenAndReleasesIt()
    {
        QPointer<QWidget> shown;
        whenModal([&](QWidget* w) {
            shown = w;
            QCOMPARE(w->objectName(), QStringLiteral("frmPDF"));
            control<QPushButton>(w, "cmdMaster(1)")->click();
        });
        showQtyReqPdf(nullptr);
        QVERIFY(shown);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!shown);
    }
};

QTEST_MAIN(tst_frmPDF)
#include "tst_frmPDF.moc"
