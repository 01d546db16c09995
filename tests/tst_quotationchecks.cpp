// The checks and the save of one quoted item, on the draft alone: no screen takes part.
#include "app/applicationstate.h"
#include "db/dberror.h"
#include "db/recordset.h"
#include "quotation/quotationchecks.h"
#include "quotation/quotationsave.h"
#include "tests/support/quotedrows.h"
#include "tests/support/testenv.h"

#include <QTest>

using QuotationChecks::Failure;

namespace {

// Next's checks in their order. Starting from an empty draft, each case's draft has every earlier case
// mended: so the case fails on its own check, and only because every check before it passes.
struct NextCase {
    const char* name;
    QString message;
    QString focus;
    std::function<void(QuotationDraft&)> mend;
    Failure::Box box = Failure::Box::Info;
    bool focusFirst = false;
};

const QString CRLF = QStringLiteral("\r\n");

const std::vector<NextCase>& nextCases()
{
    static const std::vector<NextCase> cases = {
        {"manufacturer", "Please enter manufacturer name before moving to step 3", "txtManufacturer",
         [](QuotationDraft& d) { d.manufacturer = " "; }},  // blanks pass
        {"HSN code", "Please enter HSN Code of medicine before moving to step 3", "txtHSNCode",
         [](QuotationDraft& d) { d.hsnCode = "300"; }},
        {"HSN code of 3 digits", "Please enter minimum 4 digit HSN code.", "txtHSNCode",
         [](QuotationDraft& d) { d.hsnCode = "3004"; }},
        {"packing", "Please select drug packing before moving to step 3", "txtDrugPacking",
         [](QuotationDraft& d) { d.drugPacking = "Strip of 10"; }},
        {"form", "Please select drug form before moving to step 3", "txtDrugForm",
         [](QuotationDraft& d) { d.drugForm = "Tablet"; }},
        {"strength", "Please select drug strength before moving to step 3", "txtDrugStrength",
         [](QuotationDraft& d) { d.drugStrength = "25 mg"; }},
        {"ratio", "The conversion ratio is not correct. Please rectify through drug packing before moving to step 3",
         "txtDrugPacking", [](QuotationDraft& d) { d.quantityPerPack = "10"; }},
        {"cost", "Please enter 'cost before discount without Tax' before moving to step 3", "txtCost",
         [](QuotationDraft& d) { d.cost = "100"; }},
        {"discount", "Please enter discount % before moving to step 3", "txtDiscount",
         [](QuotationDraft& d) { d.discount = "10"; }},
        {"cost tax", "Please select cost Tax before moving to step 3", "cboCostVAT",
         [](QuotationDraft& d) {
             d.costTaxCode = "GST 12%";
             d.costTaxPercent = "12";
         }},
        {"MRP", "Please enter MRP before moving to step 3", "txtMRPWithTax",
         [](QuotationDraft& d) { d.mrpWithTax = "224"; }},
        {"MRP without tax", "Please enter MRP without Tax before moving to step 3", "txtMRP",
         [](QuotationDraft& d) { d.mrpWithoutTax = "200"; }},
        {"MRP tax", "Please select MRP Tax before moving to step 3", "cboMRPVAT",
         [](QuotationDraft& d) {
             d.mrpTaxCode = "IGST 12%";
             d.mrpTaxPercent = "12";
         }},
        {"taxes apart",
         "Cost Tax: GST 12%" + CRLF + "MRP Tax: IGST 12%" + CRLF + "Cost Tax is not equal to MRP Tax." + CRLF + CRLF +
             "Please recheck and correct Tax%?",
         "cboCostVAT", [](QuotationDraft& d) { d.mrpTaxCode = "GST 12%"; }, Failure::Box::Warning},
        // Nothing derived yet; then an MRP that works out below the cost.
        {"summaries", "Please complete the form, before moving to step 3", "",
         [](QuotationDraft& d) {
             d.mrpWithTax = "100";
             d.derive();
         }},
        {"MRP not above cost", "MRP cannot be <= Cost. Please correct.", "txtMRPWithTax",
         [](QuotationDraft& d) {
             d.mrpWithTax = "224";
             d.derive();
         },
         Failure::Box::Info, true},
    };
    return cases;
}

std::optional<Failure> next(const QuotationDraft& d, bool answer = true, QStringList* asked = nullptr)
{
    return QuotationChecks::checkNext(d, [&](const QString& question) {
        if (asked)
            *asked << question;
        return answer;
    });
}

QuotationSave::Outcome save(const QuotationDraft& d, bool editMode = false, const QVariant& key = QVariant())
{
    return QuotationSave::save(d, editMode, key, QDateTime(QDate(2026, 3, 1), QTime(10, 30)));
}

QString column(const TestFolder& folder, const QString& name, qint64 id)
{
    return folder.scalar(QStringLiteral("Select \"%1\" From Quotations Where ID=%2").arg(name).arg(id));
}

} // namespace

class tst_QuotationChecks : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void nextChecksInOrder_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < int(nextCases().size()); ++i)
            QTest::newRow(nextCases()[size_t(i)].name) << i;
    }
    void nextChecksInOrder()
    {
        QFETCH(int, index);
        QuotationDraft d;
        for (int i = 0; i < index; ++i)
            nextCases()[size_t(i)].mend(d);
        const NextCase& c = nextCases()[size_t(index)];
        const std::optional<Failure> f = next(d);
        QVERIFY(f);
        QCOMPARE(f->message, c.message);
        QCOMPARE(QuotationChecks::controlName(f->focus), c.focus);
        QCOMPARE(f->box, c.box);
        QCOMPARE(f->focusFirst, c.focusFirst);
        // Mended, the draft goes past this check.
        c.mend(d);
        const std::optional<Failure> after = next(d);
        QVERIFY(!after || after->message != c.message);
    }

    void aMendedDraftPasses()
    {
        QuotationDraft d;
        for (const NextCase& c : nextCases())
            c.mend(d);
        QVERIFY(!next(d));
        QVERIFY(!next(sampleQuotation()));
    }

    // A cost of 0 asks; No stops with the focus on the cost and no further box, Yes goes on to the
    // discount check.
    void zeroCostAsks()
    {
        QuotationDraft d = sampleQuotation();
        d.cost = "0";
        d.discount = "";
        QStringList asked;
        std::optional<Failure> f = next(d, false, &asked);
        QCOMPARE(asked, QStringList{"You have entered Rs. 0 in the cost price! Do you still want to continue?"});
        QVERIFY(f);
        QCOMPARE(f->message, QString());
        QCOMPARE(f->focus, QuotationChecks::Field::Cost);
        f = next(d, true);
        QCOMPARE(f->message, QString("Please enter discount % before moving to step 3"));
    }

    // A packing whose ratio is 0 is a number, but no divisor: refused as a wrong ratio.
    void zeroRatioIsRefused()
    {
        QuotationDraft d = sampleQuotation();
        d.quantityPerPack = "0";
        d.derive();
        QCOMPARE(d.costSummary.costLUBefDisc, QString());
        QCOMPARE(next(d)->focus, QuotationChecks::Field::DrugPacking);
    }

    // A tax row whose percentage is no number derives nothing: the form is not complete.
    void nonNumericTaxIsAnIncompleteForm()
    {
        QuotationDraft d = sampleQuotation();
        d.costTaxPercent = d.mrpTaxPercent = "twelve";
        d.derive();
        QCOMPARE(next(d)->message, QString("Please complete the form, before moving to step 3"));
    }

    void mrpPrerequisites_data()
    {
        QTest::addColumn<QString>("cost");
        QTest::addColumn<QString>("discount");
        QTest::addColumn<QString>("tax");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::newRow("cost") << "" << "" << "" << "Please enter cost of the item first." << "txtCost";
        QTest::newRow("discount") << "100" << "" << ""
                                  << "Please enter discount of the item first. Enter 0 if no discount." << "txtDiscount";
        QTest::newRow("tax") << "100" << "5" << "" << "Please select tax of the item first." << "cboCostVAT";
        QTest::newRow("all there") << "100" << "5" << "GST 5%" << "" << "";
    }
    void mrpPrerequisites()
    {
        QFETCH(QString, cost);
        QFETCH(QString, discount);
        QFETCH(QString, tax);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        QuotationDraft d;
        d.cost = cost;
        d.discount = discount;
        d.costTaxCode = tax;
        const std::optional<Failure> f = QuotationChecks::checkMrpPrerequisites(d);
        QCOMPARE(f.has_value(), !message.isEmpty());
        if (f) {
            QCOMPARE(f->message, message);
            QCOMPARE(QuotationChecks::controlName(f->focus), focus);
            QVERIFY(f->focusFirst);
        }
    }

    // Leaving a field: the warnings and the one refusal, against the derived figures of the sample item
    // (cost 100, cost with tax 100.8, MRP without tax 200).
    void fieldLeaveChecks_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("message");
        QTest::newRow("HSN empty") << "hsn" << "" << "Please enter minimum 4 digit HSN code.";
        QTest::newRow("HSN 4 digits") << "hsn" << "3004" << "";
        QTest::newRow("cost above MRP") << "cost" << "250" << "Cost cannot be >= MRP. Please correct.";
        QTest::newRow("cost below MRP") << "cost" << "150" << "";
        QTest::newRow("MRP equal to cost") << "mrp" << "100" << "MRP cannot be <= Cost. Please correct.";
        QTest::newRow("MRP with tax under cost with tax") << "mrpWithTax" << "100.8"
                                                          << "MRP cannot be <= Cost with tax. Please correct.";
        QTest::newRow("MRP with tax no number") << "mrpWithTax" << "abc" << "";
        QTest::newRow("discount 99") << "discount" << "99" << "";
        QTest::newRow("discount 99.5") << "discount" << "99.5" << "Dicount cannot me more then 99%";
    }
    void fieldLeaveChecks()
    {
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(QString, message);
        QuotationDraft d = sampleQuotation();
        std::optional<Failure> f;
        if (field == "hsn") {
            d.hsnCode = value;
            f = QuotationChecks::checkHsnCodeLeft(d);
        } else if (field == "cost") {
            d.cost = value;
            f = QuotationChecks::checkCostLeft(d);
        } else if (field == "mrp") {
            d.mrpWithoutTax = value;
            f = QuotationChecks::checkMrpLeft(d);
        } else if (field == "mrpWithTax") {
            d.mrpWithTax = value;
            f = QuotationChecks::checkMrpWithTaxLeft(d);
        } else {
            d.discount = value;
            f = QuotationChecks::checkDiscountLeft(d);
            if (f)
                QCOMPARE(f->focus, QuotationChecks::Field::Discount);
        }
        QCOMPARE(f ? f->message : QString(), message);
    }

    // A stored row comes back as the draft that was stored, with its summaries derived.
    void storedRowRoundTrip()
    {
        TestFolder folder;
        QuotationDraft stored = sampleQuotation();
        stored.remarks = "Vendor's own";
        stored.brandAddedByVendor = true;
        const qint64 id = storeQuotation(stored, 12);
        QCOMPARE(id, qint64(12));
        Recordset rs("Select * From Quotations Where ID=12", AppState::ConnectionString, CursorType::ForwardOnly,
                     LockType::ReadOnly);
        const QuotationDraft d = QuotationDraft::fromStoredRow(rs);
        QCOMPARE(d.brand, stored.brand);
        QVERIFY(d.brandAddedByVendor);
        QCOMPARE(d.quantityPerPack, QString("10"));
        QCOMPARE(d.warrantyInMonths, QString("6"));
        QVERIFY(d.researchMolecule);
        QCOMPARE(d.remarks, QString("Vendor's own"));
        QCOMPARE(d.mrpSummary.withVATLU, QString("22.4"));
        // Every field a check reads came back: the draft passes Next as the stored one did.
        QVERIFY(!next(d));
    }

    // A new item: stored with AddedOn, blank terms as 0, apostrophes intact; refused when brand, packing,
    // form and strength are all quoted already, whatever the generic or the prices.
    void saveNewItem_data()
    {
        QTest::addColumn<QString>("storedStrength");
        QTest::addColumn<bool>("refused");
        QTest::newRow("all four equal") << "25 mg" << true;
        QTest::newRow("strength differs") << "50 mg" << false;
    }
    void saveNewItem()
    {
        QFETCH(QString, storedStrength);
        QFETCH(bool, refused);
        TestFolder folder;
        QuotationDraft other = sampleQuotation();
        other.brand = "Acavelo's 25 mg Tablet";
        other.generic = "Other generic";
        other.cost = "55";
        other.drugStrength = storedStrength;
        storeQuotation(other, 5);

        QuotationDraft d = sampleQuotation();
        d.brand = "Acavelo's 25 mg Tablet";
        d.creditPeriodInDays = "  ";
        d.warrantyInMonths = "";
        const QuotationSave::Outcome outcome = save(d);
        if (refused) {
            QCOMPARE(outcome.refusal, QuotationSave::Refusal::Duplicate);
            QCOMPARE(outcome.message, "Brand: Acavelo's 25 mg Tablet" + CRLF + "Drug Packing: Strip of 10" + CRLF +
                                          "Drug Form: Tablet" + CRLF + "Drug Strength: 25 mg" + CRLF + CRLF +
                                          "Item already quoted by vendor. Cannot continue save.");
            QCOMPARE(folder.count("Quotations"), 1);
            return;
        }
        QCOMPARE(outcome.refusal, QuotationSave::Refusal::None);
        QCOMPARE(folder.count("Quotations"), 2);
        QCOMPARE(column(folder, "Brand", outcome.id), QString("Acavelo's 25 mg Tablet"));
        QCOMPARE(column(folder, "CreditPeriodInDays", outcome.id), QString("0"));
        QCOMPARE(column(folder, "DeliveryPeriodInDays", outcome.id), QString("15"));
        QCOMPARE(column(folder, "WarrantyInMonths", outcome.id), QString("0"));
        QCOMPARE(column(folder, "MRPOfPackWithoutVAT", outcome.id), QString("200"));
        QVERIFY(!column(folder, "AddedOn", outcome.id).isEmpty());
        QVERIFY(column(folder, "EditedOn", outcome.id).isEmpty());
    }

    // Edit mode writes over its row without a duplicate check; the refusals come in this order.
    void saveEdit_data()
    {
        QTest::addColumn<QVariant>("key");
        QTest::addColumn<QString>("message");
        QTest::newRow("the row") << QVariant(5) << "";
        QTest::newRow("no key") << QVariant(QString()) << "Cannot modify at this time. Try again.";
        QTest::newRow("deleted row") << QVariant(9) << "ID: 9 does not exist. Cannot continue save.";
        // The key goes into the SQL text bare: anything but a number names no row.
        QTest::newRow("no number") << QVariant("0 Or 1=1") << "ID: 0 Or 1=1 does not exist. Cannot continue save.";
    }
    void saveEdit()
    {
        QFETCH(QVariant, key);
        QFETCH(QString, message);
        TestFolder folder;
        storeQuotation(sampleQuotation(), 5);
        storeQuotation(sampleQuotation(), 6);
        QuotationDraft d = sampleQuotation();
        d.cost = "50";
        const QuotationSave::Outcome outcome = save(d, true, key);
        QCOMPARE(outcome.message, message);
        QCOMPARE(column(folder, "CostOfPackBeforeDiscountWithoutVAT", 5), QString(message.isEmpty() ? "50" : "100"));
        QCOMPARE(column(folder, "CostOfPackBeforeDiscountWithoutVAT", 6), QString("100"));
        QCOMPARE(column(folder, "EditedOn", 5).isEmpty(), !message.isEmpty());
        QVERIFY(column(folder, "AddedOn", 5).isEmpty());
        QCOMPARE(folder.count("Quotations"), 2);
    }

    // A value a column cannot take is the database's error, and nothing is stored.
    void aValueTheColumnCannotTakeStoresNothing()
    {
        TestFolder folder;
        QuotationDraft d = sampleQuotation();
        d.discount = "ten";
        QVERIFY_THROWS_EXCEPTION(DbError, save(d));
        QCOMPARE(folder.count("Quotations"), 0);
    }
};

QTEST_GUILESS_MAIN(tst_QuotationChecks)
#include "tst_quotationchecks.moc"
