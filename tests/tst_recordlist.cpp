#include "app/applicationstate.h"
#include "app/recordlistview.h"
#include "db/recordset.h"
#include "support/testenv.h"

#include <QSignalSpy>
#include <QTest>

// A list view that reads its rows from a kept recordset: texts, keys and tags as the screens use
// them, rows changed or added after the read, and the row signals.
class tst_recordlist : public QObject
{
    Q_OBJECT
private:
    static void fill(RecordListView& view, const QString& where)
    {
        auto rs = std::make_unique<Recordset>(QStringLiteral("Select * From CT_Generics %1 Order By Description").arg(where),
                                              AppState::ConnectionString, CursorType::ForwardOnly, LockType::ReadOnly);
        // Code, Description, AddedByVendor in the list; a column the result lacks shows nothing.
        std::vector<RecordListColumn> columns(4);
        columns[0].field = rs->fieldIndex("Code");
        columns[1].field = rs->fieldIndex("Description");
        columns[2] = {rs->fieldIndex("AddedByVendor"), RecordListColumn::Show::YesWhenTrue};
        const int id = rs->fieldIndex("ID");
        view.rows()->setRecords(std::move(rs), std::move(columns), id);
    }

private Q_SLOTS:
    void rowsReadFromTheRecordsetAndChangedAfterwards()
    {
        TestFolder folder;
        folder.exec("INSERT INTO CT_Generics (ID, Code, Description, AddedByVendor) VALUES (9001, NULL, 'Aaa Own', 1)");
        RecordListView view(QStringLiteral("lvTest"), {"CODE", "NAME", "VENDOR", "EMPTY"}, "K", "", nullptr);
        fill(view, QString());
        const int stored = folder.count("CT_Generics");
        QCOMPARE(view.rowCount(), stored);
        QCOMPARE(view.text(0, 0), QString());  // Null code shows empty
        QCOMPARE(view.text(0, 1), QString("Aaa Own"));
        QCOMPARE(view.text(0, 2), QString("Yes"));
        QCOMPARE(view.text(0, 3), QString());
        QCOMPARE(view.text(1, 2), QString());
        QCOMPARE(view.rows()->key(0), QString("K1"));
        QCOMPARE(view.rows()->tag(0).toLongLong(), 9001);
        QCOMPARE(view.model()->index(0, 0).data(RecordListModel::TagRole).toLongLong(), 9001);

        // A changed cell leaves the row's other cells as read.
        const QString second = view.text(1, 1);
        view.rows()->setText(1, 0, "G77");
        QCOMPARE(view.text(1, 0), QString("G77"));
        QCOMPARE(view.text(1, 1), second);

        // An added row follows the read rows and takes the next key.
        const int added = view.rows()->appendRow({"G78", "Zzz Own", "Yes"}, 9002);
        QCOMPARE(added, stored);
        QCOMPARE(view.rowCount(), stored + 1);
        QCOMPARE(view.rows()->key(added), QString("K%1").arg(stored + 1));
        QCOMPARE(view.text(added, 3), QString());
        QCOMPARE(view.rows()->tag(added).toInt(), 9002);
        view.rows()->setText(added, 1, "Zzz Renamed");
        QCOMPARE(view.findRow(1, "Zzz Renamed"), added);

        // A new read forgets what was changed and added.
        fill(view, QStringLiteral("Where Description like 'Aaa%'"));
        QCOMPARE(view.rowCount(), 1);
        QCOMPARE(view.findRow(1, "Zzz Renamed"), -1);
        view.rows()->clear();
        QCOMPARE(view.rowCount(), 0);
        QCOMPARE(view.text(0, 1), QString());
    }

    void selectionAndKeyboardMovesReportRows()
    {
        TestFolder folder;
        RecordListView view(QStringLiteral("lvTest"), {"CODE", "NAME", "VENDOR"}, "", "K", nullptr);
        fill(view, QString());
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QCOMPARE(view.selectedRow(), -1);
        QSignalSpy moved(&view, &RecordListView::currentRowChanged);
        view.selectRow(3);
        QCOMPARE(view.selectedRow(), 3);
        QCOMPARE(view.currentRow(), 3);
        QCOMPARE(moved.takeLast().at(0).toInt(), 3);
        view.setFocus();
        QTest::keyClick(&view, Qt::Key_Down);
        QCOMPARE(view.selectedRow(), 4);
        QCOMPARE(moved.takeLast().at(0).toInt(), 4);
        QCOMPARE(view.rows()->key(4), QString("5K"));
    }
};

QTEST_MAIN(tst_recordlist)
#include "tst_recordlist.moc"
