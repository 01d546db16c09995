#include "app/applicationstate.h"
#include "app/defaultinstance.h"
#include "app/screenconventions.h"
#include "tests/support/quotedrows.h"
#include "tests/support/screentest.h"
#include "vendor/frmVendor.h"
#include "vendor/multilinetextbox.h"
#include "vendor/vendorrecord.h"

#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolBar>

namespace {

// A complete, valid set of details, indexed as the form's fields.
VendorRecord::Texts sampleDetails()
{
    return {QStringLiteral("Acme Pharma"), QStringLiteral("12 Mill Lane"), QStringLiteral("Pune"),
            QStringLiteral("Maharashtra"), QStringLiteral("411001"), QStringLiteral("R. Kulkarni"),
            QStringLiteral("020-5550000"), QStringLiteral("9800000000"), QStringLiteral("Maharashtra"),
            QStringLiteral("sales@acme.example"), QStringLiteral("27AAAAA0000A1Z5"), QStringLiteral("30"),
            QStringLiteral("7"), QStringLiteral("Cold chain available")};
}

QString boxName(int field)
{
    return QString::fromLatin1(VendorRecord::fields()[static_cast<size_t>(field)].textBox);
}

void setField(QWidget* form, int field, const QString& text)
{
    QWidget* box = control<QWidget>(form, boxName(field));
    if (auto* line = qobject_cast<QLineEdit*>(box))
        line->setText(text);
    else
        control<MultiLineTextBox>(form, boxName(field))->setText(text);
}

QString fieldText(QWidget* form, int field)
{
    QWidget* box = control<QWidget>(form, boxName(field));
    if (auto* line = qobject_cast<QLineEdit*>(box))
        return line->text();
    return control<MultiLineTextBox>(form, boxName(field))->text();
}

void fillForm(QWidget* form, const VendorRecord::Texts& texts)
{
    for (int i = 0; i < VendorRecord::FieldCount; ++i)
        setField(form, i, texts[static_cast<size_t>(i)]);
}

frmVendor* openForm()
{
    frmVendor& form = DefaultInstance<frmVendor>::get();
    form.show();
    return &form;
}

bool formOpen()
{
    return DefaultInstance<frmVendor>::exists() && DefaultInstance<frmVendor>::existing()->isVisible();
}

void clickSave(QWidget* form)
{
    QTest::mouseClick(control<QPushButton>(form, QStringLiteral("cmdMaster(1)")), Qt::LeftButton);
}

void addQuotation(int id, const QString& vendor)
{
    QuotationDraft q = sampleQuotation();
    q.vendor = vendor;
    q.brand = QStringLiteral("Brand %1").arg(id);
    storeQuotation(q, id);
}

void storeVendor(const TestFolder& folder, const QString& name)
{
    folder.exec(QStringLiteral("Insert Into CT_Vendor (ID, VendorName, Address, City, State, PINCode, ContactPerson, "
                               "PhoneNumber, MobileNumber, FaxNumber, EmailAddress, TINNumber, CreditPeriodInDays, "
                               "DeliveryPeriodInDays, Remarks) Values (1, '%1', '1 Old Road', 'Mumbai', 'Maharashtra', "
                               "'400001', 'S. Rao', '022-1', '98', 'Maharashtra', 'old@example', 'GST1', 45, 10, Null)")
                    .arg(name));
    AppState::CurrentVendorName = name;
    AppState::CurrentCreditPeriod = 45;
    AppState::CurrentDeliveryPeriod = 10;
}

} // namespace

class tst_frmVendor : public ScreenTest
{
    Q_OBJECT
private Q_SLOTS:
    // As the application does: the rules every screen shares, Alt+S between the menu and the button among them.
    void initTestCase() { installScreenConventions(); }

    void cleanup()
    {
        if (frmVendor* form = DefaultInstance<frmVendor>::existing())
            form->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ScreenTest::cleanup();
    }

    // Typed or pasted, a several-line box takes no more than its limit.
    void severalLineBoxKeepsItsLimit()
    {
        frmVendor* form = openForm();
        auto* lines = control<MultiLineTextBox>(form, "txtRemarks");
        lines->setFocus();
        lines->insertPlainText(QString(254, QLatin1Char('x')));
        QTest::keyClicks(lines, QStringLiteral("abc"));
        QCOMPARE(lines->text().size(), qsizetype(255));
        QVERIFY(lines->text().endsWith(QLatin1Char('a')));
        lines->selectAll();
        QApplication::clipboard()->setText(QString(300, QLatin1Char('p')));
        lines->paste();
        QCOMPARE(lines->text(), QString(255, QLatin1Char('p')));
    }

    void loadsTheStoredRow()
    {
        frmVendor* form = openForm();
        for (int i = 0; i < VendorRecord::FieldCount; ++i)
            QCOMPARE(fieldText(form, i), QString());
        form->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        folder->exec("Insert Into CT_Vendor (ID, VendorName, Address, City, CreditPeriodInDays, DeliveryPeriodInDays, Remarks) "
                     "Values (1, 'Acme Pharma', Null, 'Pune', Null, 12, Null)");
        form = openForm();
        QCOMPARE(fieldText(form, VendorRecord::VendorName), QString("Acme Pharma"));
        QCOMPARE(fieldText(form, VendorRecord::City), QString("Pune"));
        // Null texts load empty, a Null period as "0".
        QCOMPARE(fieldText(form, VendorRecord::Address), QString());
        QCOMPARE(fieldText(form, VendorRecord::Remarks), QString());
        QCOMPARE(fieldText(form, VendorRecord::CreditPeriod), QString("0"));
        QCOMPARE(fieldText(form, VendorRecord::DeliveryPeriod), QString("12"));
    }

    void firstSaveAddsTheRowTheNextChangesIt()
    {
        frmVendor* form = openForm();
        fillForm(form, sampleDetails());
        clickSave(form);
        QCOMPARE(boxes->count(), 0);  // no message confirms the save
        QVERIFY(!formOpen());
        QCOMPARE(folder->count("CT_Vendor"), 1);
        const QString id = folder->scalar("Select ID From CT_Vendor");
        QCOMPARE(folder->scalar("Select VendorName From CT_Vendor"), QString("Acme Pharma"));
        QCOMPARE(folder->scalar("Select FaxNumber From CT_Vendor"), QString("Maharashtra"));
        QCOMPARE(folder->scalar("Select TINNumber From CT_Vendor"), QString("27AAAAA0000A1Z5"));
        QCOMPARE(folder->scalar("Select CreditPeriodInDays From CT_Vendor"), QString("30"));
        QCOMPARE(folder->scalar("Select Remarks From CT_Vendor"), QString("Cold chain available"));
        QCOMPARE(AppState::CurrentVendorName, QString("Acme Pharma"));
        QCOMPARE(AppState::CurrentCreditPeriod, qint16(30));
        QCOMPARE(AppState::CurrentDeliveryPeriod, qint16(7));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        form = openForm();
        QCOMPARE(fieldText(form, VendorRecord::City), QString("Pune"));
        setField(form, VendorRecord::City, "Nashik");
        setField(form, VendorRecord::DeliveryPeriod, "14");
        clickSave(form);
        QVERIFY(!formOpen());
        QCOMPARE(folder->count("CT_Vendor"), 1);
        QCOMPARE(folder->scalar("Select ID From CT_Vendor"), id);
        QCOMPARE(folder->scalar("Select City From CT_Vendor"), QString("Nashik"));
        QCOMPARE(AppState::CurrentDeliveryPeriod, qint16(14));
    }

    void mandatoryFieldsAreCheckedInOrder_data()
    {
        QTest::addColumn<QList<int>>("blank");
        QTest::addColumn<bool>("blanksOnly");
        QTest::addColumn<int>("refused");
        QTest::addColumn<QString>("message");
        using namespace VendorRecord;
        const struct { int field; const char* message; } rows[] = {
            {VendorName, "Please enter the Vendor Name"}, {Address, "Please enter the Address"},
            {City, "Please enter the City"}, {State, "Please enter the State"}, {PINCode, "Please enter the PIN Code"},
            {ContactPerson, "Please enter the Contact Person"}, {PhoneNumber, "Please enter the Phone Number"},
            {MobileNumber, "Please enter the Mobile Number"}, {EmailAddress, "Please enter the Email Address"},
            {GSTNumber, "Please enter the GST Registration Number"}, {GSTState, "Please enter the GST Registration State"}};
        for (const auto& r : rows)
            QTest::newRow(r.message) << QList<int>{r.field} << false << r.field << QString(r.message);
        // Blanks only count as empty.
        QTest::newRow("name of blanks") << QList<int>{VendorName} << true << int(VendorName) << QString("Please enter the Vendor Name");
        // The GST number is tested first although it stands after the registration state.
        QTest::newRow("both GST fields") << QList<int>{GSTState, GSTNumber} << false << int(GSTNumber)
                                         << QString("Please enter the GST Registration Number");
        QTest::newRow("email before GST state") << QList<int>{GSTState, EmailAddress} << false << int(EmailAddress)
                                                << QString("Please enter the Email Address");
        QList<int> all;
        for (int i = 0; i < FieldCount; ++i)
            all << i;
        QTest::newRow("every field empty") << all << false << int(VendorName) << QString("Please enter the Vendor Name");
    }
    void mandatoryFieldsAreCheckedInOrder()
    {
        QFETCH(QList<int>, blank);
        QFETCH(bool, blanksOnly);
        QFETCH(int, refused);
        QFETCH(QString, message);
        frmVendor* form = openForm();
        VendorRecord::Texts texts = sampleDetails();
        for (int field : blank)
            texts[static_cast<size_t>(field)] = blanksOnly ? QStringLiteral("   ") : QString();
        fillForm(form, texts);
        clickSave(form);
        QCOMPARE(boxes->count(), 1);
        QCOMPARE(boxes->last().title, QString("Save Aborted"));
        QCOMPARE(boxes->last().text, message + "\r\nSave Aborted.");
        QCOMPARE(boxes->last().buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(form->focusWidget(), control<QWidget>(form, boxName(refused)));
        QVERIFY(formOpen());
        QCOMPARE(folder->count("CT_Vendor"), 0);
        QVERIFY(AppState::CurrentVendorName.isEmpty());
    }

    // Blanks around the name are kept, an apostrophe is no danger, and empty periods are stored as 0.
    void storedAsTyped()
    {
        frmVendor* form = openForm();
        VendorRecord::Texts texts = sampleDetails();
        texts[VendorRecord::CreditPeriod].clear();
        texts[VendorRecord::DeliveryPeriod].clear();
        texts[VendorRecord::Remarks].clear();
        texts[VendorRecord::Address] = QStringLiteral("12 Mill Lane\nCamp");
        fillForm(form, texts);
        auto* name = control<QLineEdit>(form, "txtVendorName");
        name->clear();
        QTest::keyClicks(name, "  O'Brien Pharma ");
        clickSave(form);
        QVERIFY(!formOpen());
        QCOMPARE(folder->scalar("Select VendorName From CT_Vendor"), QString("  O'Brien Pharma "));
        QCOMPARE(folder->scalar("Select Address From CT_Vendor"), QString("12 Mill Lane\nCamp"));
        QCOMPARE(folder->scalar("Select CreditPeriodInDays || '|' || DeliveryPeriodInDays From CT_Vendor"), QString("0|0"));
        QCOMPARE(AppState::CurrentVendorName, QString("  O'Brien Pharma "));
        QCOMPARE(AppState::CurrentCreditPeriod, qint16(0));
    }

    void aNewNameRewritesEveryQuotation_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("capitalisation only") << "Acme Pharma" << "ACME Pharma"
                                             << QStringList{"ACME Pharma", "ACME Pharma", "ACME Pharma"};
        QTest::newRow("new name") << "Acme Pharma" << "Acme Lifesciences"
                                  << QStringList{"Acme Lifesciences", "Acme Lifesciences", "Acme Lifesciences"};
        // Same name: the quotations are not touched, whatever they hold.
        QTest::newRow("same name") << "Acme Pharma" << "Acme Pharma" << QStringList{"Acme Pharma", "Acme Pharma", "Other"};
    }
    void aNewNameRewritesEveryQuotation()
    {
        QFETCH(QString, stored);
        QFETCH(QString, typed);
        QFETCH(QStringList, expected);
        storeVendor(*folder, stored);
        addQuotation(1, stored);
        addQuotation(2, stored);
        addQuotation(3, "Other");
        frmVendor* form = openForm();
        setField(form, VendorRecord::VendorName, typed);
        clickSave(form);
        QVERIFY(!formOpen());
        for (int id = 1; id <= 3; ++id)
            QCOMPARE(folder->scalar(QStringLiteral("Select Vendor From Quotations Where ID = %1").arg(id)), expected[id - 1]);
        QCOMPARE(folder->scalar("Select VendorName From CT_Vendor"), typed);
        QCOMPARE(AppState::CurrentVendorName, typed);
    }

    // The rename of the quotations and the vendor row stand or fall together.
    void aFailedSaveWritesNothing_data()
    {
        QTest::addColumn<bool>("rowStored");
        QTest::newRow("first row refused") << false;
        QTest::newRow("change refused") << true;
    }
    void aFailedSaveWritesNothing()
    {
        QFETCH(bool, rowStored);
        if (rowStored)
            storeVendor(*folder, "Acme Pharma");
        addQuotation(1, "Acme Pharma");
        addQuotation(2, "Other");
        folder->exec("Create Trigger refuse_insert Before Insert On CT_Vendor Begin Select Raise(Abort, 'disk refused the vendor'); End");
        folder->exec("Create Trigger refuse_update Before Update On CT_Vendor Begin Select Raise(Abort, 'disk refused the vendor'); End");
        const QString before = folder->scalar("Select Group_Concat(VendorName || '|' || City) From CT_Vendor");
        frmVendor* form = openForm();
        VendorRecord::Texts texts = sampleDetails();
        texts[VendorRecord::VendorName] = QStringLiteral("Zenith Remedies");
        texts[VendorRecord::CreditPeriod] = QStringLiteral("90");
        fillForm(form, texts);
        clickSave(form);

        QCOMPARE(boxes->count(), 1);
        QCOMPARE(boxes->last().title, QString("Error"));
        QVERIFY2(boxes->last().text.startsWith("Error #"), qPrintable(boxes->last().text));
        QVERIFY(boxes->last().text.contains(" was generated at location "));
        QVERIFY(boxes->last().text.contains("\rdisk refused the vendor"));
        QVERIFY(formOpen());
        QCOMPARE(folder->scalar("Select Vendor From Quotations Where ID = 1"), QString("Acme Pharma"));
        QCOMPARE(folder->scalar("Select Vendor From Quotations Where ID = 2"), QString("Other"));
        QCOMPARE(folder->scalar("Select Group_Concat(VendorName || '|' || City) From CT_Vendor"), before);
        QCOMPARE(AppState::CurrentVendorName, QString(rowStored ? "Acme Pharma" : ""));
        QCOMPARE(AppState::CurrentCreditPeriod, qint16(rowStored ? 45 : 0));

        // Once the cause is gone the same form saves.
        folder->exec("Drop Trigger refuse_insert");
        folder->exec("Drop Trigger refuse_update");
        clickSave(form);
        QVERIFY(!formOpen());
        QCOMPARE(folder->scalar("Select Vendor From Quotations Where ID = 2"), QString("Zenith Remedies"));
        QCOMPARE(AppState::CurrentVendorName, QString("Zenith Remedies"));
    }

    void aMissingDatabaseIsReportedNotFatal()
    {
        folder.emplace(TestFolder::Content::None);
        frmVendor* form = openForm();
        QCOMPARE(boxes->count(), 1);
        QCOMPARE(boxes->last().title, QString("Error"));
        QVERIFY(boxes->last().text.startsWith("Error #3024 was generated at location "));
        fillForm(form, sampleDetails());
        clickSave(form);
        QCOMPARE(boxes->count(), 2);
        QCOMPARE(boxes->last().title, QString("Error"));
        QVERIFY(formOpen());
        QVERIFY(AppState::CurrentVendorName.isEmpty());
        QVERIFY(!QFile::exists(folder->databasePath()));
    }

    void closeWithoutSaveAsksFirst()
    {
        storeVendor(*folder, "Acme Pharma");
        frmVendor* form = openForm();
        setField(form, VendorRecord::City, "Nashik");
        auto* closeButton = control<QPushButton>(form, "cmdMaster(0)");
        boxes->answer(QMessageBox::No);
        QTest::mouseClick(closeButton, Qt::LeftButton);
        QCOMPARE(boxes->count(), 1);
        QCOMPARE(boxes->last().title, QString("Confirm"));
        QCOMPARE(boxes->last().text, QString("Do you want to close without save?"));
        QCOMPARE(boxes->last().icon, QMessageBox::Question);
        QCOMPARE(boxes->last().defaultButton, QMessageBox::Yes);
        QVERIFY(formOpen());
        // Escape is no way out either.
        QTest::keyClick(control<QLineEdit>(form, "txtCity"), Qt::Key_Escape);
        QVERIFY(formOpen());
        boxes->answer(QMessageBox::Yes);
        QTest::mouseClick(closeButton, Qt::LeftButton);
        QVERIFY(!formOpen());
        QCOMPARE(folder->scalar("Select City From CT_Vendor"), QString("Mumbai"));
    }

    void toolbarAndMenuActWithoutQuestions_data()
    {
        QTest::addColumn<bool>("toolbar");
        QTest::newRow("toolbar") << true;
        QTest::newRow("menu") << false;
    }
    void toolbarAndMenuActWithoutQuestions()
    {
        QFETCH(bool, toolbar);
        frmVendor* form = openForm();
        fillForm(form, sampleDetails());
        QAction* back = toolbar ? control<QToolBar>(form, "tBar1")->actions()[0] : control<QAction>(form, "mnuBack");
        back->trigger();
        QVERIFY(!formOpen());
        QCOMPARE(folder->count("CT_Vendor"), 0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        form = openForm();
        fillForm(form, sampleDetails());
        QAction* save = toolbar ? control<QToolBar>(form, "tBar1")->actions()[1] : control<QAction>(form, "mnuSave");
        save->trigger();
        QVERIFY(!formOpen());
        QCOMPARE(folder->count("CT_Vendor"), 1);
        QCOMPARE(boxes->count(), 0);
    }

    // Tab leaves a several-line box instead of typing into it; Alt+S saves from any box.
    void keyboardTabsOutOfTheAddressAndSaves()
    {
        frmVendor* form = openForm();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form));
        fillForm(form, sampleDetails());
        auto* address = control<MultiLineTextBox>(form, "txtAddress");
        address->setFocus();
        QTest::keyClick(address, Qt::Key_Tab);
        QCOMPARE(address->text(), sampleDetails()[VendorRecord::Address]);
        QCOMPARE(QApplication::focusWidget(), control<QLineEdit>(form, "txtCity"));
        QTest::keyClick(control<QLineEdit>(form, "txtCity"), Qt::Key_S, Qt::AltModifier);
        QTRY_VERIFY(!formOpen());
        QCOMPARE(folder->count("CT_Vendor"), 1);
    }
};

QTEST_MAIN(tst_frmVendor)
#include "tst_frmVendor.moc"
