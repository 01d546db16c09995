// The generics list page, written from the export screen's "Generics" button.
#include "app/applicationstate.h"
#include "app/loadapplicationstate.h"
#include "output/frmHTML.h"
#include "tests/support/testenv.h"

#include <QApplication>
#include <QPointer>
#include <QFile>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

class tst_GenericsList : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup()
    {
        // A window may own another (a dialog over its parent): deleting one can take the other with it.
        QList<QPointer<QWidget>> windows;
        for (QWidget* w : QApplication::topLevelWidgets())
            windows << w;
        for (const QPointer<QWidget>& w : windows)
            delete w.data();
        QVERIFY(!QApplication::overrideCursor());
    }

    void wholePage()
    {
        TestFolder folder(TestFolder::Content::Empty);
        MessageBoxScript boxes;
        SaveFileScript dialog;
        AppState::CurrentOrganization = QStringLiteral("Kelmont Hospital Pharmacy");
        AppState::CurrentOrgAddress = QVariant();  // Null prints as nothing
        AppState::CurrentTenderDuration = QStringLiteral("Tender 2027-28");
        folder.exec("INSERT INTO CT_Generics (ID, Code, Description, AddedByVendor) VALUES "
                    "(1, '1007', 'Zinc Sulphate', 0), (2, 'DF01', 'Amoxicillin & Clavulanic Acid', NULL), "
                    "(3, '4', 'Bisacodyl <5 mg>', 1)");
        const QString path = folder.filePath("Generics.html");
        dialog.answer(path);
        frmHTML screen;
        screen.show();
        QTest::mouseClick(control<QPushButton>(&screen, "cmdMaster(0)"), Qt::LeftButton);

        QStringList expected{"<Html>", "<head>", "<meta NAME='GENERATOR' Content='KLMT Quillbid'>",
                             "<title>KLMT Quillbid - " + path + "</title>", "<style>", "body{FONT-FAMILY: arial;}", "</style>",
                             "</head>", "<body>",
                             "<h><b><font size=+1>Kelmont Hospital Pharmacy</font><br><BR>Tender 2027-28<BR>List of Generics</b></h>",
                             "<TABLE WIDTH=780 BORDER=1 CELLPADDING=1 CELLSPACING=0>", "<TR>",
                             "<TH WIDTH=50 ALIGN=CENTER><font size=-1>SNO</TH>", "<TH WIDTH=150 ALIGN=CENTER><font size=-1>CODE</TH>",
                             "<TH WIDTH=450 ALIGN=CENTER><font size=-1>GENERIC NAME</TH>",
                             "<TH WIDTH=50 ALIGN=CENTER><font size=-1>PRE LOADED</TH>", "</TR>"};
        // By description; a Null mark counts as the vendor's own.
        expected << "<TR>" << "<TD ALIGN=CENTER>1</TD>" << "<TD>DF01</TD>" << "<TD>Amoxicillin &amp; Clavulanic Acid</TD>"
                 << "<TD ALIGN=CENTER><B>No</B></TD>" << "</TR>";
        expected << "<TR>" << "<TD ALIGN=CENTER>2</TD>" << "<TD>4</TD>" << "<TD>Bisacodyl &lt;5 mg&gt;</TD>"
                 << "<TD ALIGN=CENTER><B>No</B></TD>" << "</TR>";
        expected << "<TR>" << "<TD ALIGN=CENTER>3</TD>" << "<TD>1007</TD>" << "<TD>Zinc Sulphate</TD>"
                 << "<TD ALIGN=CENTER>Yes</TD>" << "</TR>";
        expected << "</TABLE>" << "<BR><BR>" << "</BODY>" << "</HTML>";
        const QStringList written = crlfLines(path);
        QCOMPARE(written.size(), expected.size());
        for (int i = 0; i < expected.size(); ++i)
            QCOMPARE(written[i], expected[i]);

        QCOMPARE(boxes.count(), 1);
        QCOMPARE(boxes.last().title, QString("Exported Successfully"));
        QCOMPARE(boxes.last().text, "Webpage saved at following path\r\n\r\n" + path);
        QCOMPARE(dialog.requests().front().initialName, QString("Generics.html"));
        QCOMPARE(dialog.requests().front().title, QString("Export to Html format"));
        QVERIFY(!control<QProgressBar>(&screen, "ProgressBar")->isVisible());
    }

    void demoTenderListsEveryGeneric()
    {
        TestFolder folder;
        MessageBoxScript boxes;
        SaveFileScript dialog;
        LoadApplicationState();
        const QString path = folder.filePath("Generics.html");
        dialog.answer(path);
        frmHTML screen;
        QTest::mouseClick(control<QPushButton>(&screen, "cmdMaster(0)"), Qt::LeftButton);
        const QStringList lines = crlfLines(path);
        const int generics = folder.count("CT_Generics");
        QCOMPARE(lines.count("<TR>"), generics + 1);
        QCOMPARE(lines.count("<TD ALIGN=CENTER><B>No</B></TD>"), folder.count("CT_Generics", "AddedByVendor Is Null Or AddedByVendor <> 0"));
        QVERIFY(lines.contains("<TD ALIGN=CENTER>" + QString::number(generics) + "</TD>"));
    }

    void cancelAndDatabaseErrors()
    {
        TestFolder folder(TestFolder::Content::Empty);
        MessageBoxScript boxes;
        SaveFileScript dialog;
        frmHTML screen;
        QTest::mouseClick(control<QPushButton>(&screen, "cmdMaster(0)"), Qt::LeftButton);
        QCOMPARE(boxes.last().title, QString("Error"));
        QCOMPARE(boxes.last().text, QString("Error Number : 32755\r\nError Description : Cancel was selected."));
        QCOMPARE(boxes.last().icon, QMessageBox::Critical);

        // A tender without the table: the database's error ends the export, and no page is left.
        folder.exec("DROP TABLE CT_Generics");
        dialog.answer(folder.filePath("Generics.html"));
        QTest::mouseClick(control<QPushButton>(&screen, "cmdMaster(0)"), Qt::LeftButton);
        QCOMPARE(boxes.count(), 2);
        QCOMPARE(boxes.last().title, QString("Error"));
        QVERIFY(boxes.last().text.startsWith("Error Number : "));
        QVERIFY(boxes.last().text.contains("\r\nError Description : "));
        QVERIFY(!QFile::exists(folder.filePath("Generics.html")));
        QVERIFY(!QApplication::overrideCursor());
    }
};

QTEST_MAIN(tst_GenericsList)
#include "tst_genericslist.moc"
