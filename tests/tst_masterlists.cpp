#include "app/applicationstate.h"
#include "app/editmodeblink.h"
#include "app/screens.h"
#include "masters/masterlisteditor.h"
#include "masters/masterlistrules.h"
#include "sheets/xlsxreader.h"
#include "support/listrows.h"
#include "support/quotedrows.h"
#include "tests/support/screentest.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

Q_DECLARE_METATYPE(MasterList)

namespace {

const QString CRLF = QStringLiteral("\r\n");

struct Editor {
    std::unique_ptr<MasterListEditor> window;
    explicit Editor(MasterList list) : window(createMasterEditor(list, nullptr))
    {
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    MasterListEditor* operator->() const { return window.get(); }
    QAbstractItemView* list() const { return control<QAbstractItemView>(window.get(), window->kind().listObjectName); }
    QLineEdit* edit(const QString& name) const { return control<QLineEdit>(window.get(), name); }
    QComboBox* combo(const QString& name) const { return control<QComboBox>(window.get(), name); }
    void click(const QString& button) const { QTest::mouseClick(control<QPushButton>(window.get(), button), Qt::LeftButton); }
    void type(const QString& box, const QString& text) const
    {
        QLineEdit* e = edit(box);
        e->clear();
        QTest::keyClicks(e, text);
    }
    // Each of the kind's fields, in order: typed into a box, chosen in a drop-down.
    void fill(const QStringList& values) const
    {
        const std::vector<MasterField>& fields = window->kind().fields;
        for (size_t i = 0; i < fields.size(); ++i) {
            if (fields[i].control == MasterField::Control::DropDown)
                combo(fields[i].objectName)->setCurrentText(values.value(int(i)));
            else
                type(fields[i].objectName, values.value(int(i)));
        }
    }
    QStringList fieldTexts() const
    {
        QStringList texts;
        for (const MasterField& f : window->kind().fields)
            texts << (f.control == MasterField::Control::DropDown ? combo(f.objectName)->currentText() : edit(f.objectName)->text());
        return texts;
    }
    ListRow row(int column, const QString& text) const { return findRow(list(), column, text); }
    void clickRow(const ListRow& item, bool twice) const { ::clickRow(list(), item, twice); }
};

QString savedCode(TestFolder& folder, const QString& table, const QString& description)
{
    return folder.scalar(QStringLiteral("Select Code From %1 Where Description='%2'").arg(table, description));
}

const auto yes = [](const QString&) { return true; };

} // namespace

class tst_MasterLists : public ScreenTest
{
    Q_OBJECT
private Q_SLOTS:

    // Every member lists its whole table, keyed K1, K2, ... with the row ID as the tag, and leaves
    // edit mode on opening; the entry point shows it modally.
    void memberScreens_data()
    {
        QTest::addColumn<MasterList>("list");
        QTest::addColumn<QString>("objectName");
        QTest::newRow("generics") << MasterList::Generics << "frmGenerics";
        QTest::newRow("brands") << MasterList::Brands << "frmBrands";
        QTest::newRow("drug forms") << MasterList::DrugForms << "frmDrugForms";
        QTest::newRow("strengths") << MasterList::Strengths << "frmStrengths";
        QTest::newRow("packings") << MasterList::DrugPackings << "frmDrugPacking";
        QTest::newRow("tax") << MasterList::Tax << "frmTax";
    }
    void memberScreens()
    {
        QFETCH(MasterList, list);
        QFETCH(QString, objectName);
        AppState::MasterEditMode = true;
        {
            Editor e(list);
            QCOMPARE(AppState::MasterEditMode, false);
            QAbstractItemView* lv = e.list();
            const QString table = e->kind().table;
            QCOMPARE(rowCount(lv), folder->count(table));
            QCOMPARE(rowAt(lv, 0).data(0, MasterListEditor::KeyRole).toString(), QStringLiteral("K1"));
            QCOMPARE(rowAt(lv, 1).data(0, MasterListEditor::KeyRole).toString(), QStringLiteral("K2"));
            const QString firstId = rowAt(lv, 0).data(0, MasterListEditor::TagRole).toString();
            QCOMPARE(folder->scalar(QStringLiteral("Select Code From %1 Where ID=%2").arg(table, firstId)), rowAt(lv, 0).text(0));
        }
        QCOMPARE(modalOpenedBy([&] { showMasterEditor(list, nullptr); }), objectName);
    }

    // ---- code generation and the save's checks, straight on the rules

    void codeIsLargestIdPlusOne_data()
    {
        QTest::addColumn<MasterList>("list");
        QTest::addColumn<QStringList>("first");
        QTest::addColumn<QStringList>("second");
        QTest::addColumn<QString>("secondDescription");
        QTest::newRow("generics") << MasterList::Generics << QStringList{"Zeta"} << QStringList{"Eta"} << "Eta";
        QTest::newRow("brands") << MasterList::Brands << QStringList{"Zetab 5 mg Tablet", "Maker", "Zeta"}
                                << QStringList{"Etab 5 mg Tablet", "Maker", "Eta"} << "Etab 5 mg Tablet";
        QTest::newRow("drug forms") << MasterList::DrugForms << QStringList{"Gel"} << QStringList{"Foam"} << "Foam";
        QTest::newRow("strengths") << MasterList::Strengths << QStringList{"5 mg"} << QStringList{"7 mg"} << "7 mg";
        QTest::newRow("packings") << MasterList::DrugPackings << QStringList{"Strip", "10"} << QStringList{"Strip", "10.5"}
                                  << "Strip of 10.5";
        QTest::newRow("tax") << MasterList::Tax << QStringList{"GST", "12"} << QStringList{"GST", "28"} << "GST 28%";
    }
    void codeIsLargestIdPlusOne()
    {
        QFETCH(MasterList, list);
        QFETCH(QStringList, first);
        QFETCH(QStringList, second);
        QFETCH(QString, secondDescription);
        folder.emplace(TestFolder::Content::Empty);
        const MasterListKind& kind = masterListKind(list);
        MasterSaveResult r = saveMasterEntry(kind, first, false, QString(), yes);
        QVERIFY(r.outcome == MasterSaveResult::Outcome::Saved);
        QCOMPARE(r.newCode, QStringLiteral("1"));
        // A hospital row whose code differs from its ID: the next code follows the largest ID.
        folder->exec(QStringLiteral("Insert Into %1 (ID, Code, Description, AddedByVendor) Values (40, 'H9', 'Hosp', 0)")
                        .arg(kind.table));
        r = saveMasterEntry(kind, second, false, QString(), yes);
        QVERIFY(r.outcome == MasterSaveResult::Outcome::Saved);
        QCOMPARE(r.newCode, QStringLiteral("41"));
        QCOMPARE(savedCode(*folder, kind.table, secondDescription), QStringLiteral("41"));
        QCOMPARE(folder->scalar(QStringLiteral("Select ID From %1 Where Code='41'").arg(kind.table)), QStringLiteral("41"));
        QCOMPARE(folder->scalar(QStringLiteral("Select AddedByVendor From %1 Where Code='41'").arg(kind.table)),
                 QStringLiteral("true"));
    }

    void saveChecksInOrder_data()
    {
        QTest::addColumn<MasterList>("list");
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<bool>("editing");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("focus");
        QTest::newRow("blank generic") << MasterList::Generics << QStringList{"   "} << false << "" << "Please enter generic name" << 0;
        QTest::newRow("blank drug form") << MasterList::DrugForms << QStringList{""} << false << "" << "Please enter Drug Form" << 0;
        QTest::newRow("blank strength") << MasterList::Strengths << QStringList{" "} << false << "" << "Please enter drug strength" << 0;
        QTest::newRow("blank brand first") << MasterList::Brands << QStringList{" ", "", ""} << false << ""
                                           << "Please enter Brand name" << 0;
        QTest::newRow("empty maker") << MasterList::Brands << QStringList{"B", "", "Acarbose"} << false << ""
                                     << "Please enter Manufacturer name" << 1;
        QTest::newRow("no generic") << MasterList::Brands << QStringList{"B", "M", ""} << false << ""
                                    << "Please select Generic name" << 2;
        QTest::newRow("no packing") << MasterList::DrugPackings << QStringList{"", ""} << false << ""
                                    << "Please select Drug Packing" << 0;
        QTest::newRow("no ratio") << MasterList::DrugPackings << QStringList{"Strip", ""} << false << ""
                                  << "Please ennter ratio" << 1;
        QTest::newRow("no tax type") << MasterList::Tax << QStringList{"", "5"} << false << "" << "Please select Tax" << 0;
        QTest::newRow("tax not a number") << MasterList::Tax << QStringList{"GST", "."} << false << ""
                                          << "Please ennter Tax" << 1;
        QTest::newRow("edit without key") << MasterList::Generics << QStringList{"X"} << true << ""
                                          << "Cannot modify at this time. Try again." << -1;
        QTest::newRow("rename to another") << MasterList::Generics << QStringList{"Acarbose"} << true << "2"
                                           << "Generic Name: Acarbose already exist in the database. Cannot rename." << -1;
        QTest::newRow("held row missing") << MasterList::DrugForms << QStringList{"Gelly"} << true << "999"
                                          << "Drug Form ID: 999 does not exist. Cannot continue save." << -1;
        QTest::newRow("key not a number") << MasterList::Strengths << QStringList{"9 mg"} << true << "1 Or 1=1"
                                          << "Drug Strength ID: 1 Or 1=1 does not exist. Cannot continue save." << -1;
        QTest::newRow("duplicate generic") << MasterList::Generics << QStringList{" Acarbose "} << false << ""
                                           << "Generic Name: Acarbose already exist in the database. Cannot continue save." << -1;
        QTest::newRow("duplicate brand, other maker") << MasterList::Brands
                                                      << QStringList{"Acavelo 25 mg Tablet", "Other", "Acarbose"} << false << ""
                                                      << "Brand Name: Acavelo 25 mg Tablet already exist in the database. Cannot continue save."
                                                      << -1;
        QTest::newRow("duplicate packing pair") << MasterList::DrugPackings << QStringList{"Strip", "2"} << false << ""
                                                << "Drug Packing: Strip of 2 already exist in the database. Cannot continue save." << -1;
        QTest::newRow("duplicate tax pair") << MasterList::Tax << QStringList{"GST", "12"} << false << ""
                                            << "Tax: GST 12% already exist in the database. Cannot continue save." << -1;
        QTest::newRow("packing renamed onto another") << MasterList::DrugPackings << QStringList{"Strip", "3"} << true << "2"
                                                      << "Drug Packing: Strip of 3 already exist in the database. Cannot rename." << -1;
        QTest::newRow("tax renamed onto another") << MasterList::Tax << QStringList{"GST", "5"} << true << "1"
                                                  << "Tax: GST 5% already exist in the database. Cannot rename." << -1;
    }
    void saveChecksInOrder()
    {
        QFETCH(MasterList, list);
        QFETCH(QStringList, values);
        QFETCH(bool, editing);
        QFETCH(QString, key);
        QFETCH(QString, message);
        QFETCH(int, focus);
        const MasterListKind& kind = masterListKind(list);
        const int before = folder->count(kind.table);
        const MasterSaveResult r = saveMasterEntry(kind, values, editing, key, yes);
        QVERIFY(r.outcome == MasterSaveResult::Outcome::Refused);
        QCOMPARE(r.message, message);
        QCOMPARE(r.focusField, focus);
        QCOMPARE(folder->count(kind.table), before);
    }

    // What each member says: the add question (a No adds nothing), the refusal of an empty filter,
    // the refusal to edit a hospital row (generics and brands offer a copy instead, below) and the
    // refusal to edit a row a quotation uses.
    void messagesOfEachMember_data()
    {
        QTest::addColumn<MasterList>("list");
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QString>("question");
        QTest::addColumn<QString>("emptyFilter");
        QTest::addColumn<QString>("hospitalRow");
        QTest::addColumn<QString>("usedColumn");
        QTest::addColumn<QString>("used");
        const QString sure = QStringLiteral("Are you sure this %1 is not already existing in our table?") + CRLF + CRLF +
                             QStringLiteral("Do you really want to add new %2 '%3' in the table?");
        const QString used = QStringLiteral("%1: Mine has already used in quotation.") + CRLF +
                             QStringLiteral("Before modifing, delete this %2 from quotation.");
        QTest::newRow("generics") << MasterList::Generics << QStringList{"Zeta"} << sure.arg("generic", "generic", "Zeta")
                                  << "Please enter few characters of a generic name and then click on filter." << ""
                                  << "Generic" << used.arg("Generic", "brand/generic");
        QTest::newRow("brands") << MasterList::Brands << QStringList{"Zb", "M", "G"}
                                << sure.arg("Brand", "Brand", "Zb") + CRLF + CRLF +
                                       "Please make sure the Brand name includes drug strength and drug form."
                                << "Please enter few characters of a Brand and then click on filter by brand." << ""
                                << "Brand" << used.arg("Brand", "brand");
        QTest::newRow("drug forms") << MasterList::DrugForms << QStringList{"Gel"} << sure.arg("drug form", "DrugForm", "Gel")
                                    << "Please enter few characters of a drug form and then click on filter."
                                    << "Cannot edit Drug Forms that were added by KLMT" << "DrugForm"
                                    << used.arg("Drug Form", "drug form");
        QTest::newRow("strengths") << MasterList::Strengths << QStringList{"5 mg"} << sure.arg("Strength", "Strength", "5 mg")
                                   << "Please enter few characters of a drug strength and then click on filter."
                                   << "Cannot edit Drug Strengths that were added by KLMT" << "DrugStrength"
                                   << used.arg("Drug Strength", "drug strength");
        QTest::newRow("packings") << MasterList::DrugPackings << QStringList{"Strip", "15"}
                                  << sure.arg("Drug Packing", "DrugPacking", "Strip of 15")
                                  << "Please select a Drug Packing and then click on filter."
                                  << "Cannot edit Drug Packings that were added by KLMT" << "DrugPacking"
                                  << used.arg("Drug Packing", "drug packing");
        QTest::newRow("tax") << MasterList::Tax << QStringList{"GST", "7"} << sure.arg("Tax", "Tax", "GST 7%")
                             << "Please select a Tax and then click on filter." << "Cannot edit Tax that were added by KLMT"
                             << "CostVATCode" << used.arg("Tax", "Tax");
    }
    void messagesOfEachMember()
    {
        QFETCH(MasterList, list);
        QFETCH(QStringList, values);
        QFETCH(QString, question);
        QFETCH(QString, emptyFilter);
        QFETCH(QString, hospitalRow);
        QFETCH(QString, usedColumn);
        QFETCH(QString, used);
        const MasterListKind& kind = masterListKind(list);
        const int stored = folder->count(kind.table);
        QString asked;
        const MasterSaveResult r = saveMasterEntry(kind, values, false, QString(), [&](const QString& q) {
            asked = q;
            return false;
        });
        QVERIFY(r.outcome == MasterSaveResult::Outcome::Declined);
        QCOMPARE(asked, question);
        QCOMPARE(folder->count(kind.table), stored);

        folder->exec(QStringLiteral("Insert Into %1 (ID, Code, Description, AddedByVendor) Values (900, '900', 'Mine', 1)").arg(kind.table));
        storeQuotation(sampleQuotation());
        folder->exec(QStringLiteral("Update Quotations Set %1='Mine'").arg(usedColumn));
        Editor e(list);
        const int rows = rowCount(e.list());
        e->findChild<QAction*>(QStringLiteral("mnuFilter"))->trigger();
        QCOMPARE(boxes->count(), 1);
        QCOMPARE(boxes->last().title, QStringLiteral("Info"));
        QCOMPARE(boxes->last().text, emptyFilter);
        QCOMPARE(rowCount(e.list()), rows);

        if (!hospitalRow.isEmpty()) {
            e.clickRow(rowAt(e.list(), e.row(1, QStringLiteral("Mine")).row() == 0 ? 1 : 0), true);
            QCOMPARE(boxes->count(), 2);
            QCOMPARE(boxes->last().text, hospitalRow);
            QCOMPARE(boxes->last().buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
            for (QLineEdit* edit : e->findChildren<QLineEdit*>())
                QCOMPARE(edit->text(), QString());
            QCOMPARE(AppState::MasterEditMode, false);
        }

        boxes->clear();
        e.clickRow(e.row(1, QStringLiteral("Mine")), true);
        QCOMPARE(boxes->count(), 1);
        QCOMPARE(boxes->last().title, QStringLiteral("Cannot modify"));
        QCOMPARE(boxes->last().icon, QMessageBox::Information);
        QCOMPARE(boxes->last().text, used);
        QCOMPARE(AppState::MasterEditMode, false);
        QCOMPARE(e->windowTitle(), e->kind().openCaption);
    }

    void wordFilterOnScreen()
    {
        Editor e(MasterList::Generics);
        e.type(QStringLiteral("txtGenericDescription"), QStringLiteral("metformin  glime"));
        e.click(QStringLiteral("cmdMaster(1)"));
        QCOMPARE(rowCount(e.list()), 1);
        QCOMPARE(rowAt(e.list(), 0).text(1), QStringLiteral("Glimepiride + Metformin Hydrochloride"));
        QCOMPARE(boxes->count(), 0);

        e.type(QStringLiteral("txtGenericDescription"), QStringLiteral("   "));
        e.click(QStringLiteral("cmdMaster(1)"));
        QCOMPARE(boxes->last().text, QStringLiteral("Please enter few characters of a generic name and then click on filter."));
        QCOMPARE(rowCount(e.list()), 1);

        e.type(QStringLiteral("txtGenericDescription"), QStringLiteral("nosuchgeneric"));
        e.click(QStringLiteral("cmdMaster(1)"));
        QCOMPARE(boxes->last().text, QStringLiteral("No data found"));
        QCOMPARE(rowCount(e.list()), 0);
        QCOMPARE(e.edit(QStringLiteral("txtGenericDescription"))->text(), QStringLiteral("nosuchgeneric"));

        e.click(QStringLiteral("cmdMaster(2)"));
        QCOMPARE(rowCount(e.list()), 300);
        QCOMPARE(e.edit(QStringLiteral("txtGenericDescription"))->text(), QStringLiteral("nosuchgeneric"));

        // An apostrophe, which the strength box lets through, is searched for, not an error.
        Editor strengths(MasterList::Strengths);
        strengths.type(QStringLiteral("txtStrengthDescription"), QStringLiteral("5'"));
        strengths.click(QStringLiteral("cmdMaster(1)"));
        QCOMPARE(boxes->last().text, QStringLiteral("No data found"));
    }

    void brandFiltersOnScreen()
    {
        Editor e(MasterList::Brands);
        e.click(QStringLiteral("cmdMaster(6)"));
        QCOMPARE(boxes->last().text, QStringLiteral("Please enter few characters of a Brand and then click on filter by brand."));
        e.click(QStringLiteral("cmdMaster(4)"));
        QCOMPARE(boxes->last().text,
                 QStringLiteral("Please enter few characters of a Manufacturer and then click on filter by Manufacturer."));
        e.click(QStringLiteral("cmdMaster(5)"));
        QCOMPARE(boxes->last().text, QStringLiteral("Please select a generic then click on filter by Generic."));

        // Brand words: either word (Or) on its own button, all words in the combined filter.
        e.type(QStringLiteral("txtBrandDescription"), QStringLiteral("Acavelo Acaxiv"));
        e.click(QStringLiteral("cmdMaster(1)"));
        QCOMPARE(rowCount(e.list()), folder->count("CT_Brands", "Description like '%Acavelo%' Or Description like '%Acaxiv%'"));
        QVERIFY(rowCount(e.list()) >= 2);
        e.click(QStringLiteral("cmdMaster(6)"));
        QCOMPARE(rowCount(e.list()), 0);
        QCOMPARE(boxes->last().text, QStringLiteral("No data found"));

        e.type(QStringLiteral("txtBrandDescription"), QString());
        e.combo(QStringLiteral("cboGeneric"))->setCurrentText(QStringLiteral("Acarbose"));
        e.click(QStringLiteral("cmdMaster(5)"));
        QCOMPARE(rowCount(e.list()), folder->count("CT_Brands", "Generic='Acarbose'"));
        QVERIFY(rowCount(e.list()) > 0);

        // Maker words: either word. The combined filter: every brand word, and the generic.
        const QString maker = folder->scalar("Select Manufacturer From CT_Brands Where Description='Acavelo 25 mg Tablet'");
        const QString word = maker.section(QLatin1Char(' '), 0, 0);
        e.type(QStringLiteral("txtManufacturer"), word + QStringLiteral(" zzzz"));
        e.click(QStringLiteral("cmdMaster(4)"));
        QCOMPARE(rowCount(e.list()), folder->count("CT_Brands", "Manufacturer like '%" + word + "%'"));
        QVERIFY(rowCount(e.list()) > 0);
        e.type(QStringLiteral("txtManufacturer"), QString());
        e.type(QStringLiteral("txtBrandDescription"), QStringLiteral("aca tab"));
        e.click(QStringLiteral("cmdMaster(6)"));
        QCOMPARE(rowCount(e.list()),
                 folder->count("CT_Brands", "Description like '%aca%' And Description like '%tab%' And Generic='Acarbose'"));
        QVERIFY(rowCount(e.list()) > 0);
    }

    // ---- double click and edit mode

    void hospitalEntryOffersSimilar_data()
    {
        QTest::addColumn<MasterList>("list");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("nameBox");
        QTest::newRow("generics") << MasterList::Generics << "Acarbose"
                                  << "Cannot edit generics that were added by KLMT." + CRLF + CRLF +
                                         "Do you want to create new generic similar to Acarbose"
                                  << "txtGenericDescription";
        QTest::newRow("brands") << MasterList::Brands << "Acavelo 25 mg Tablet"
                                << "Cannot edit Brands that were added by KLMT." + CRLF + CRLF +
                                       "Do you want to create new brand similar to Acavelo 25 mg Tablet"
                                << "txtBrandDescription";
    }
    void hospitalEntryOffersSimilar()
    {
        QFETCH(MasterList, list);
        QFETCH(QString, entry);
        QFETCH(QString, box);
        QFETCH(QString, nameBox);
        Editor e(list);
        boxes->answer(QMessageBox::No);
        e.clickRow(e.row(1, entry), true);
        QCOMPARE(boxes->last().title, QStringLiteral("Info"));
        QCOMPARE(boxes->last().text, box);
        QCOMPARE(boxes->last().defaultButton, QMessageBox::No);
        QCOMPARE(e.edit(nameBox)->text(), QString());
        boxes->answer(QMessageBox::Yes);
        e.clickRow(e.row(1, entry), true);
        QCOMPARE(e.edit(nameBox)->text(), entry);
        QCOMPARE(AppState::MasterEditMode, false);
        if (list == MasterList::Brands)
            QCOMPARE(e.combo(QStringLiteral("cboGeneric"))->currentText(), QStringLiteral("Acarbose"));
        // Saved unchanged: the add question, then the duplicate refusal.
        boxes->answer(QMessageBox::Yes);
        e.click(QStringLiteral("cmdMaster(3)"));
        QCOMPARE(boxes->boxes().at(boxes->count() - 2).title, QStringLiteral("Confirm"));
        QVERIFY(boxes->last().text.endsWith(QStringLiteral(" already exist in the database. Cannot continue save.")));
    }

    // Browsing <-> Editing: click, Show all and a filter leave edit mode; a refused save stays in it;
    // renaming to the own name passes.
    void editModeStates()
    {
        folder->exec("Insert Into CT_Generics (ID, Code, Description, AddedByVendor) Values (900, '900', 'Mine', 1)");
        Editor e(MasterList::Generics);
        auto* blink = e->findChild<EditModeBlink*>();
        QVERIFY(blink);
        const auto enter = [&] {
            e.clickRow(e.row(1, QStringLiteral("Mine")), true);
            QVERIFY(AppState::MasterEditMode);
        };
        enter();
        QCOMPARE(AppState::MasterEditKey.toString(), QStringLiteral("900"));
        QCOMPARE(e->windowTitle(), QStringLiteral("  Generics ---| EDIT MODE ON |---"));
        QVERIFY(blink->running());
        QCOMPARE(e.edit(QStringLiteral("txtGenericDescription"))->text(), QStringLiteral("Mine"));
        QVERIFY(e.edit(QStringLiteral("txtGenericDescription"))->hasFocus());
        blink->tick();
        QCOMPARE(e->windowTitle(), QStringLiteral("  Generics"));
        blink->tick();
        QCOMPARE(e->windowTitle(), QStringLiteral("  Generics ---| EDIT MODE ON |---"));

        e.clickRow(rowAt(e.list(), 0), false);
        QVERIFY(!AppState::MasterEditMode);
        QCOMPARE(AppState::MasterEditKey.toString(), QString());
        QVERIFY(!blink->running());
        QCOMPARE(e->windowTitle(), QStringLiteral("  Generics"));

        enter();
        e.click(QStringLiteral("cmdMaster(2)"));
        QVERIFY(!AppState::MasterEditMode);
        enter();
        e.type(QStringLiteral("txtGenericDescription"), QStringLiteral("Mi"));
        e.click(QStringLiteral("cmdMaster(1)"));
        QVERIFY(!AppState::MasterEditMode);
        e.click(QStringLiteral("cmdMaster(2)"));

        enter();
        e.type(QStringLiteral("txtGenericDescription"), QStringLiteral("Acarbose"));
        e.click(QStringLiteral("cmdMaster(3)"));
        QCOMPARE(boxes->last().text, QStringLiteral("Generic Name: Acarbose already exist in the database. Cannot rename."));
        QVERIFY(AppState::MasterEditMode);
        QVERIFY(blink->running());

        // The own name passes the rename check; no message after a generic's save.
        const int shown = boxes->count();
        e.type(QStringLiteral("txtGenericDescription"), QStringLiteral("  Mine  "));
        e.click(QStringLiteral("cmdMaster(3)"));
        QCOMPARE(boxes->count(), shown);
        QVERIFY(!AppState::MasterEditMode);
        QCOMPARE(e->windowTitle(), QStringLiteral("  Generics"));
        QCOMPARE(e.edit(QStringLiteral("txtGenericDescription"))->text(), QString());
        QCOMPARE(folder->scalar("Select Description From CT_Generics Where ID=900"), QStringLiteral("Mine"));

        enter();
        e.type(QStringLiteral("txtGenericDescription"), QStringLiteral("Mine Two"));
        e.click(QStringLiteral("cmdMaster(3)"));
        QCOMPARE(folder->scalar("Select Description From CT_Generics Where ID=900"), QStringLiteral("Mine Two"));
        const ListRow current = currentRow(e.list());
        QCOMPARE(current.text(1), QStringLiteral("Mine Two"));
        QVERIFY(current.isSelected());
    }

    // A new entry is usable at once where the list keys by code (and brands read their ID back);
    // drug forms, packings and taxes ask for a reopening first.
    // A new entry is stored with the next code and shown selected at the list's end with cleared fields.
    // It can be corrected at once where the list keys by code (and brands read their ID back); drug
    // forms, packings and taxes ask for a reopening first. The correction refreshes its row in place.
    void addThenCorrect_data()
    {
        QTest::addColumn<MasterList>("list");
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("added");
        QTest::addColumn<QString>("stored");  // an expression over the new row, and its value
        QTest::addColumn<QString>("storedValue");
        QTest::addColumn<bool>("atOnce");
        QTest::addColumn<QString>("editCaption");
        QTest::addColumn<QStringList>("corrected");
        QTest::addColumn<QString>("modified");
        QTest::addColumn<QString>("plainCaption");
        QTest::addColumn<QString>("correctedValue");
        QTest::newRow("generics") << MasterList::Generics << QStringList{"Zetamab"} << "Zetamab" << "" << "Description"
                                  << "Zetamab" << true << "  Generics ---| EDIT MODE ON |---" << QStringList{"Zetamab Two"} << ""
                                  << "  Generics" << "Zetamab Two";
        QTest::newRow("strengths") << MasterList::Strengths << QStringList{"7 mg's"} << "7 mg's"
                                   << "New Strength: 7 mg's added successfully." << "Description" << "7 mg's" << true
                                   << "  Strengths ---| EDIT MODE ON |---" << QStringList{"8 mg's"}
                                   << "Strength: 8 mg's modified successfully." << "  Strengths" << "8 mg's";
        QTest::newRow("drug forms") << MasterList::DrugForms << QStringList{"Foam"} << "Foam"
                                    << "New Drug Form: Foam added successfully." << "Description" << "Foam" << false
                                    << "  DrugForms ---| EDIT MODE ON |---" << QStringList{"Mousse"}
                                    << "Drug Form: Mousse modified successfully." << "  DrugForms" << "Mousse";
        QTest::newRow("packings") << MasterList::DrugPackings << QStringList{"Canister", "10"} << "Canister of 10"
                                  << "New Drug Packing: Canister of 10 added successfully." << "Packing || '|' || Ratio"
                                  << "Canister|10" << false << "  DrugPackings ---| EDIT MODE ON |---"
                                  << QStringList{"Canister", "20"} << "Drug Packing: Canister of 20 modified successfully."
                                  << "  Drug Packings" << "Canister|20";
        QTest::newRow("tax") << MasterList::Tax << QStringList{"GST", "28"} << "GST 28%" << "New Tax: GST 28% added successfully."
                             << "TaxType || '|' || Tax" << "GST|28" << false << "  Tax ---| EDIT MODE ON |---"
                             << QStringList{"GST", "3"} << "Tax: GST 3% modified successfully." << "  Tax" << "GST|3";
        // Blanks around the name go, a maker of blanks is stored as typed.
        QTest::newRow("brands") << MasterList::Brands << QStringList{" Zetacarb 50 mg Tablet ", "   ", "Acarbose"}
                                << "Zetacarb 50 mg Tablet" << "New Brand: Zetacarb 50 mg Tablet added successfully."
                                << "Manufacturer || '|' || Generic" << "   |Acarbose" << true
                                << "  Brands ---| EDIT MODE ON |---" << QStringList{"Zetacarb 50 mg Tablet", "Zeta Labs", "Acarbose"}
                                << "Brand: Zetacarb 50 mg Tablet modified successfully." << "  Brands"
                                << "Zeta Labs|Acarbose";
    }
    void addThenCorrect()
    {
        QFETCH(MasterList, list);
        QFETCH(QStringList, values);
        QFETCH(QString, description);
        QFETCH(QString, added);
        QFETCH(QString, stored);
        QFETCH(QString, storedValue);
        QFETCH(bool, atOnce);
        QFETCH(QString, editCaption);
        QFETCH(QStringList, corrected);
        QFETCH(QString, modified);
        QFETCH(QString, plainCaption);
        QFETCH(QString, correctedValue);
        const QString table = masterListKind(list).table;
        const QString next = QString::number(folder->scalar("Select Max(ID) From " + table).toInt() + 1);
        // A hospital brand whose code happens to be the next vendor code must not be taken for the new row.
        if (list == MasterList::Brands)
            folder->exec("Update CT_Brands Set Code='" + next + "' Where ID=1");
        const QString newRow = QStringLiteral("Select %1 From %2 Where ID=%3").arg(stored, table, next);
        std::optional<Editor> e(std::in_place, list);
        const int rows = rowCount(e->list());
        e->fill(values);
        boxes->answer(QMessageBox::Yes);
        e->click(QStringLiteral("cmdMaster(3)"));
        QCOMPARE(boxes->boxes().front().title, QStringLiteral("Confirm"));
        QCOMPARE(boxes->boxes().front().defaultButton, QMessageBox::No);
        QCOMPARE(boxes->count(), added.isEmpty() ? 1 : 2);
        if (!added.isEmpty())
            QCOMPARE(boxes->last().text, added);
        QCOMPARE(folder->scalar(newRow), storedValue);
        QCOMPARE(folder->scalar(QStringLiteral("Select Description From %1 Where ID=%2").arg(table, next)), description);
        const ListRow item = currentRow(e->list());
        QCOMPARE(rowCount(e->list()), rows + 1);
        QCOMPARE(item.text(0), next);
        QCOMPARE(item.text(1), description);
        QCOMPARE(item.text(masterListKind(list).listHeaders.size() - 1), QStringLiteral("Yes"));
        QCOMPARE(item.data(0, MasterListEditor::KeyRole).toString(), QStringLiteral("K%1").arg(rows + 1));
        QVERIFY(item.isSelected());
        QCOMPARE(e->fieldTexts().join(QString()), QString());

        boxes->clear();
        e->clickRow(item, true);
        QCOMPARE(AppState::MasterEditMode, atOnce);
        if (!atOnce) {
            QCOMPARE(boxes->last().text, QStringLiteral("Cannot edit. Invalid state of record. Please close this form and reopen."));
            (*e)->close();
            e.emplace(list);
            QCOMPARE(AppState::MasterEditMode, false);
            e->clickRow(e->row(1, description), true);
            QVERIFY(AppState::MasterEditMode);
        }
        QCOMPARE((*e)->windowTitle(), editCaption);
        QStringList shown = values;
        shown[0] = shown[0].trimmed();
        QCOMPARE(e->fieldTexts(), shown);
        e->fill(corrected);
        e->click(QStringLiteral("cmdMaster(3)"));
        if (!modified.isEmpty())
            QCOMPARE(boxes->last().text, modified);
        QVERIFY(!AppState::MasterEditMode);
        QCOMPARE((*e)->windowTitle(), plainCaption);
        QCOMPARE(folder->scalar(newRow), correctedValue);
        const QString correctedDescription = folder->scalar(QStringLiteral("Select Description From %1 Where ID=%2").arg(table, next));
        QCOMPARE(currentRow(e->list()).text(1), correctedDescription);
        QCOMPARE(rowCount(e->list()), rows + 1);
    }

    // ---- the pair members and brands through their screens

    void packingPairs()
    {
        const int canisters = folder->count("CT_DrugPackings", "Packing='Canister'");
        Editor e(MasterList::DrugPackings);
        QComboBox* packing = e.combo(QStringLiteral("cboDrugPacking"));
        QCOMPARE(packing->itemText(0), QString());
        QCOMPARE(packing->itemText(1), QStringLiteral("Ampoule"));
        const auto save = [&](const QString& unit, const QString& ratio) {
            e.fill({unit, ratio});
            boxes->answer(QMessageBox::Yes);
            e.click(QStringLiteral("cmdMaster(3)"));
        };
        save(QStringLiteral("Canister"), QString());
        QCOMPARE(boxes->last().text, QStringLiteral("Please ennter ratio"));
        QVERIFY(e.edit(QStringLiteral("txtRatio"))->hasFocus());
        save(QStringLiteral("Canister"), QStringLiteral("10"));
        save(QStringLiteral("Canister"), QStringLiteral("10"));
        QCOMPARE(boxes->last().text, QStringLiteral("Drug Packing: Canister of 10 already exist in the database. Cannot continue save."));
        save(QStringLiteral("Canister"), QStringLiteral("10.5"));
        QCOMPARE(boxes->last().text, QStringLiteral("New Drug Packing: Canister of 10.5 added successfully."));
        QCOMPARE(folder->count("CT_DrugPackings", "Packing='Canister'"), canisters + 2);

        // Filter by the unit only, then unit and ratio.
        e.fill({QStringLiteral("Canister"), QString()});
        e.click(QStringLiteral("cmdMaster(1)"));
        QCOMPARE(rowCount(e.list()), canisters + 2);
        e.fill({QStringLiteral("Canister"), QStringLiteral("10.5")});
        e.click(QStringLiteral("cmdMaster(1)"));
        QCOMPARE(rowCount(e.list()), 1);
    }

    void taxPairs()
    {
        Editor e(MasterList::Tax);
        QCOMPARE(e.combo(QStringLiteral("cboTax"))->itemText(1), QStringLiteral("IGST"));  // descending
        QCOMPARE(rowAt(e.list(), 0).text(1), QStringLiteral("IGST 5%"));
        e.fill({QStringLiteral("GST"), QStringLiteral("12")});
        boxes->answer(QMessageBox::Yes);
        e.click(QStringLiteral("cmdMaster(3)"));
        QCOMPARE(boxes->last().text, QStringLiteral("Tax: GST 12% already exist in the database. Cannot continue save."));
        e.fill({QStringLiteral("GST"), QString()});
        e.click(QStringLiteral("cmdMaster(1)"));
        QCOMPARE(rowCount(e.list()), folder->count("CT_Tax", "Description like '%GST%'"));
        e.fill({QStringLiteral("GST"), QStringLiteral("12")});
        e.click(QStringLiteral("cmdMaster(1)"));
        QCOMPARE(rowCount(e.list()), folder->count("CT_Tax", "Description like '%GST%' And Tax=12"));
    }

    void brandGenericsCarryTheirIds()
    {
        Editor e(MasterList::Brands);
        QComboBox* generic = e.combo(QStringLiteral("cboGeneric"));
        QCOMPARE(generic->itemText(0), QString());
        QCOMPARE(generic->itemData(1).toLongLong(), folder->scalar("Select ID From CT_Generics Order By Description Limit 1").toLongLong());
    }

    void brandSearchGenericKeepsChoiceWhenNothingPicked()
    {
        Editor e(MasterList::Brands);
        QComboBox* generic = e.combo(QStringLiteral("cboGeneric"));
        generic->setCurrentText(QStringLiteral("Acarbose"));
        AppState::PickListKind = 0;
        AppState::PickedItemID = 77;
        // Whatever pick list is built in is closed without a choice.
        modalOpenedBy([&] { e.click(QStringLiteral("cmdCT(0)")); }, 1000);
        QTest::qWait(1100);
        QCOMPARE(AppState::PickListKind, quint8(4));
        QCOMPARE(AppState::PickedItemID, qint64(0));
        QCOMPARE(generic->currentText(), QStringLiteral("Acarbose"));
    }

    void menusRunTheirOperations()
    {
        Editor e(MasterList::Brands);
        const auto menu = [&](const char* name) { e->findChild<QAction*>(QString::fromLatin1(name))->trigger(); };
        e.type(QStringLiteral("txtBrandDescription"), QStringLiteral("Acavelo Acaxiv"));
        menu("mnuFilter");  // the brand-word filter: either word
        QCOMPARE(rowCount(e.list()),
                 folder->count("CT_Brands", "Description like '%Acavelo%' Or Description like '%Acaxiv%'"));
        menu("mnuShowAll");
        QCOMPARE(rowCount(e.list()), folder->count("CT_Brands"));
        e.type(QStringLiteral("txtBrandDescription"), QString());
        menu("mnuSave");
        QCOMPARE(boxes->last().text, QStringLiteral("Please enter Brand name"));
        QVERIFY(e.edit(QStringLiteral("txtBrandDescription"))->hasFocus());
        // The list as shown, one row a line, under the list's name.
        SaveFileScript save;
        save.answer(folder->filePath(QStringLiteral("brands")));
        menu("mnuExcel");
        QCOMPARE(save.requests().at(0).initialName, QStringLiteral("Brands.xlsx"));
        QCOMPARE(boxes->last().title, QStringLiteral("Exported Successfully"));
        QFile book(folder->filePath(QStringLiteral("brands.xlsx")));
        QVERIFY(book.open(QIODevice::ReadOnly));
        QCOMPARE(Sheets::readXlsx(book.readAll()).size(), size_t(folder->count("CT_Brands") + 1));
        menu("mnuBack");
        QVERIFY(!e->isVisible());
    }

    // ---- failures

    void saveFailureShowsErrorBox()
    {
        Editor e(MasterList::DrugForms);
        const int rows = rowCount(e.list());
        folder->exec("Drop Table CT_DrugForms");
        e.type(QStringLiteral("txtDrugFormsDescription"), QStringLiteral("Gel"));
        boxes->answer(QMessageBox::Yes);
        e.click(QStringLiteral("cmdMaster(3)"));
        QCOMPARE(boxes->count(), 2);
        QCOMPARE(boxes->last().title, QStringLiteral("Error"));
        QVERIFY(boxes->last().text.startsWith(QStringLiteral("Error #")));
        QVERIFY(boxes->last().text.contains(QStringLiteral(" was generated at location ")));
        QVERIFY(!QApplication::overrideCursor());
        QCOMPARE(rowCount(e.list()), rows);
        QCOMPARE(e.edit(QStringLiteral("txtDrugFormsDescription"))->text(), QStringLiteral("Gel"));
    }
};

QTEST_MAIN(tst_MasterLists)
#include "tst_masterlists.moc"
