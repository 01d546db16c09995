#include "app/busycursor.h"
#include "app/editmodeblink.h"
#include "app/focushighlight.h"
#include "app/textboxkeyfilter.h"
#include "app/messagebox.h"
#include "app/removeclosebutton.h"
#include "app/screenconventions.h"
#include "db/dberror.h"
#include "wizarddriver.h"

#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <QtTest/qtestspontaneevent.h>

Q_DECLARE_METATYPE(KeyFilter)

namespace {

// A small window with two boxes and two menu buttons with their explanation labels.
struct Window {
    QDialog dialog;
    QLineEdit* first = new QLineEdit(&dialog);
    QLineEdit* second = new QLineEdit(&dialog);
    QLabel* caption = new QLabel(QStringLiteral("Name"), &dialog);
    QPushButton* buttons[2] = {new QPushButton(QStringLiteral("One"), &dialog), new QPushButton(QStringLiteral("Two"), &dialog)};
    QLabel* info[2] = {new QLabel(QStringLiteral("First"), &dialog), new QLabel(QStringLiteral("Second"), &dialog)};
    Window()
    {
        auto* layout = new QVBoxLayout(&dialog);
        for (QWidget* w : {static_cast<QWidget*>(caption), static_cast<QWidget*>(first), static_cast<QWidget*>(second),
                           static_cast<QWidget*>(buttons[0]), static_cast<QWidget*>(info[0]),
                           static_cast<QWidget*>(buttons[1]), static_cast<QWidget*>(info[1])})
            layout->addWidget(w);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
    }
};

} // namespace

class tst_FormConventions : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { installScreenConventions(); }

    void typedKeysAreFiltered_data()
    {
        QTest::addColumn<KeyFilter>("filter");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("after");
        QTest::newRow("no apostrophe") << KeyFilter::NoApostrophe << "" << "O'Neil" << "ONeil";
        QTest::newRow("whole number drops letters, minus, point") << KeyFilter::WholeNumber << "" << "-1a2.3 " << "123";
        QTest::newRow("decimal keeps first point") << KeyFilter::DecimalNumber << "" << "1.2.3" << "1.23";
        QTest::newRow("decimal refuses sign and letters") << KeyFilter::DecimalNumber << "" << "-5e3" << "53";
        // The whole text counts, even the part a key would replace.
        QTest::newRow("point refused while a selected text holds one") << KeyFilter::DecimalNumber << "12.5" << "." << "12.5";
    }
    void typedKeysAreFiltered()
    {
        QFETCH(KeyFilter, filter);
        QFETCH(QString, before);
        QFETCH(QString, typed);
        QFETCH(QString, after);
        Window w;
        attachKeyFilter(w.first, filter);
        w.first->setText(before);
        w.first->setFocus();
        w.first->selectAll();
        QTest::keyClicks(w.first, typed);
        QCOMPARE(w.first->text(), after);
        // Backspace still works in every kind.
        w.first->end(false);
        QTest::keyClick(w.first, Qt::Key_Backspace);
        QCOMPARE(w.first->text(), after.left(after.size() - 1));
    }

    void pastedTextIsFilteredTheSameWay()
    {
        Window w;
        attachKeyFilter(w.first, KeyFilter::NoApostrophe);
        attachKeyFilter(w.second, KeyFilter::DecimalNumber);
        QApplication::clipboard()->setText(QStringLiteral("D'Souza's"));
        w.first->setFocus();
        QTest::keyClick(w.first, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(w.first->text(), QStringLiteral("DSouzas"));
        QApplication::clipboard()->setText(QStringLiteral("Rs. 1,234.50"));
        w.second->setFocus();
        QTest::keyClick(w.second, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(w.second->text(), QStringLiteral(".123450"));
        QCOMPARE(filterTyped(KeyFilter::DecimalNumber, QStringLiteral("1.5"), QStringLiteral("2.5")), QStringLiteral("25"));
    }

    void pastedControlCharactersAreDroppedFromEveryTextBox()
    {
        // A highlighted box without a key filter, and the two kinds of filter that let most text through.
        Window w;
        attachTextHighlight(w.first);
        attachKeyFilter(w.second, KeyFilter::NoApostrophe);
        QApplication::clipboard()->setText(QStringLiteral("Para\tceta\r\nmol\x01 5"));
        for (QLineEdit* box : {w.first, w.second}) {
            box->setFocus();
            box->setText(QStringLiteral("[]"));
            box->setCursorPosition(1);
            QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
            QCOMPARE(box->text(), QStringLiteral("[Paracetamol 5]"));
            QCOMPARE(box->cursorPosition(), 14);  // after the pasted text, as without the filter
        }
    }

    void focusedBoxIsHighlightedAndItsTextSelected()
    {
        Window w;
        attachTextHighlight(w.first, w.caption);
        attachTextHighlight(w.second);
        w.first->setText(QStringLiteral("Kavira"));
        w.second->setFocus();
        const QColor windowBase = QApplication::palette(w.first).color(QPalette::Base);
        QTest::mouseClick(w.first, Qt::LeftButton);
        QTRY_COMPARE(w.first->selectedText(), QStringLiteral("Kavira"));
        QCOMPARE(w.first->palette().color(QPalette::Base), QApplication::palette().color(QPalette::ToolTipBase));
        QVERIFY(w.caption->font().bold());
        QTest::keyClicks(w.first, QStringLiteral("Z"));
        QCOMPARE(w.first->text(), QStringLiteral("Z"));  // typing replaces the selected text
        w.second->setFocus();
        QCOMPARE(w.first->palette().color(QPalette::Base), windowBase);
        QVERIFY(!w.caption->font().bold());

        // A drop-down that cannot be typed in is drawn as a button: its face shows the focus.
        auto* list = new QComboBox(&w.dialog);
        attachComboHighlight(list);
        const QColor face = QApplication::palette(list).color(QPalette::Button);
        list->show();
        list->setFocus();
        QCOMPARE(list->palette().color(QPalette::Button), QApplication::palette().color(QPalette::ToolTipBase));
        w.second->setFocus();
        QCOMPARE(list->palette().color(QPalette::Button), face);
    }

    // Step 1: Return in a filter box runs the Filter beside it; an access key two buttons share presses the
    // one of the group holding the focus, else the first.
    void filterBoxesAndSharedAccessKeysActOnTheirOwnGroup()
    {
        TestFolder folder;
        MessageBoxScript boxes;
        frmQ1* step1 = Wizard::openStep1();
        QVERIFY(step1);
        auto* generics = control<QAbstractItemView>(step1, "lvGenerics");
        auto* brands = control<QAbstractItemView>(step1, "lvBrands");
        auto* txtGeneric = control<QLineEdit>(step1, "txtGeneric");
        auto* txtBrand = control<QLineEdit>(step1, "txtBrand");
        QTest::keyClicks(txtGeneric, QStringLiteral("acarbose"));
        QTest::keyClicks(txtBrand, QStringLiteral("acavelo"));
        txtBrand->setFocus();
        QTest::keyClick(txtBrand, Qt::Key_F, Qt::AltModifier);
        QVERIFY(rowCount(brands) > 0);
        QCOMPARE(rowCount(generics), 0);
        txtGeneric->setFocus();
        QTest::keyClick(txtGeneric, Qt::Key_Return);
        QVERIFY(rowCount(generics) > 0);
        QVERIFY(step1->isVisible());
        // "&Clear" and "&Close" share Alt+C; no group holds the focus, so the first, Clear, acts.
        QTest::keyClick(txtGeneric, Qt::Key_C, Qt::AltModifier);
        QVERIFY(txtGeneric->text().isEmpty() && txtBrand->text().isEmpty());
        QVERIFY(step1->isVisible());
        frmQ1::unloadWizard(false);
        Wizard::flushDeletes();
    }

    void messageBoxesCarryTheirExactForm()
    {
        MessageBoxScript boxes;
        boxes.answer(QMessageBox::No);
        QVERIFY(!askConfirm(nullptr, QStringLiteral("Delete?"), true));
        QCOMPARE(boxes.last().title, QStringLiteral("Confirm"));
        QCOMPARE(boxes.last().icon, QMessageBox::Question);
        QCOMPARE(boxes.last().buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(boxes.last().defaultButton, QMessageBox::No);
        QVERIFY(askConfirm(nullptr, QStringLiteral("Go on?")));  // default Yes
        {
            BusyCursor busy;
            ShowDbError(DbError(3022, QStringLiteral("Tender Database"), QStringLiteral("The changes were not successful.")));
            QVERIFY(!QApplication::overrideCursor());  // the pointer is back before the box shows
        }
        QVERIFY(!QApplication::overrideCursor());
        QCOMPARE(boxes.last().title, QStringLiteral("Error"));
        QCOMPARE(boxes.last().icon, QMessageBox::Information);
        QCOMPARE(boxes.last().text, QStringLiteral("Error #3022 was generated at location Tender Database\rThe changes were not successful."));
        // A name the vendor typed shows as typed, tags and all.
        showInfo(nullptr, QStringLiteral("Brand: <b>x</b>"));
        QCOMPARE(boxes.last().textFormat, Qt::PlainText);
        for (const RecordedBox& box : boxes.boxes())
            QCOMPARE(box.textFormat, Qt::PlainText);
    }

    void busyPointerIsRestoredOnEveryPath()
    {
        try {
            BusyCursor outer;
            BusyCursor inner;
            QVERIFY(QApplication::overrideCursor());
            throw std::runtime_error("failure");
        } catch (const std::runtime_error&) {
        }
        QVERIFY(!QApplication::overrideCursor());
    }

    void editModeBlinksBetweenThePlainTitleAndTheMarker()
    {
        QWidget window;
        EditModeBlink blink(&window, QStringLiteral("  Generics"));
        blink.start();
        QCOMPARE(window.windowTitle(), QStringLiteral("  Generics ---| EDIT MODE ON |---"));
        QVERIFY(blink.running());
        blink.tick();
        QCOMPARE(window.windowTitle(), QStringLiteral("  Generics"));
        blink.tick();
        QCOMPARE(window.windowTitle(), QStringLiteral("  Generics ---| EDIT MODE ON |---"));
        QTRY_COMPARE_WITH_TIMEOUT(window.windowTitle(), QStringLiteral("  Generics"), 2500);
        blink.stop();
        QVERIFY(!blink.running());
        QCOMPARE(window.windowTitle(), QStringLiteral("  Generics"));
    }

    void screenWithoutCloseBoxLeavesOnlyThroughItsOwnButtons()
    {
        QDialog dialog;
        RemoveCloseButton(&dialog);
        QVERIFY(!(dialog.windowFlags() & Qt::WindowCloseButtonHint));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(dialog.isVisible());
        QCloseEvent fromWindowSystem;  // as the window manager's close box or Alt+F4 would send it
        QSpontaneKeyEvent::setSpontaneous(&fromWindowSystem);
        qApp->notify(&dialog, &fromWindowSystem);  // sendEvent would clear the spontaneous mark
        QVERIFY(!fromWindowSystem.isAccepted());
        QVERIFY(dialog.isVisible());
        dialog.close();  // the screen's own button
        QVERIFY(!dialog.isVisible());
    }
};

QTEST_MAIN(tst_FormConventions)
#include "tst_formconventions.moc"
