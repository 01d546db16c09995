#include "app/screens.h"
#include "fakewizard.h"
#include "quotation/calculatormath.h"
#include "support/testenv.h"
#include "tests/support/screentest.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

// Runs one of the calculators modally from `step2`, with `inside` acting on it while it is up.
// A failed check closes the screen, so the test ends instead of waiting in the dialog.
void run(void (*open)(Step2Link&, QWidget*), FakeStep2& step2, const std::function<void(QWidget*)>& inside)
{
    whenModal([&](QWidget* screen) {
        inside(screen);
        if (QTest::currentTestFailed() && screen->isVisible())
            screen->close();
    });
    open(step2, &step2);
}

void chooseTax(QWidget* screen, const QString& code)
{
    auto* box = control<QComboBox>(screen, "cboCostVAT");
    box->setCurrentIndex(box->findText(code));
}

// Clicks an option button on its round mark, as a user would.
void chooseOption(QWidget* screen, int index)
{
    auto* option = control<QRadioButton>(screen, QString("optTax(%1)").arg(index));
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(8, option->height() / 2));
    QVERIFY(option->isChecked());
}

// Moves the focus out of `field` with Tab, as a user leaving it.
void leave(QWidget* field)
{
    field->setFocus(Qt::MouseFocusReason);
    QTRY_VERIFY(field->hasFocus());
    QTest::keyClick(field, Qt::Key_Tab);
}

} // namespace

class tst_Calculators : public ScreenTest
{
    Q_OBJECT
private Q_SLOTS:
    void costArithmetic_data()
    {
        QTest::addColumn<int>("basis");
        QTest::addColumn<QString>("cost");
        QTest::addColumn<QString>("discount");
        QTest::addColumn<QString>("tax");
        QTest::addColumn<QStringList>("figures");  // before discount, discount, after discount, tax, with tax
        const int incl = int(CostBasis::InclusiveOfTaxAndDiscount);
        const int excl = int(CostBasis::ExclusiveOfTaxAndDiscount);
        QTest::newRow("exclusive 100/10/12") << excl << "100" << "10" << "12"
                                             << QStringList{"100", "10", "90", "10.8", "100.8"};
        QTest::newRow("inclusive 112/0/12") << incl << "112" << "0" << "12"
                                            << QStringList{"100", "0", "100", "12", "112"};
        QTest::newRow("inclusive 89.6/20/12") << incl << "89.6" << "20" << "12"
                                              << QStringList{"100", "20", "80", "9.6", "89.6"};
        // The discount is worked back from the rounded 89.2857, not from 89.285714...
        QTest::newRow("inclusive 100/10/12 rounds first") << incl << "100" << "10" << "12"
                                                          << QStringList{"99.2063", "9.9206", "89.2857", "10.7143", "100"};
        // True halves go to the even neighbour.
        QTest::newRow("exclusive half down to even") << excl << "10.00125" << "0" << "0"
                                                     << QStringList{"10.0012", "0", "10.0012", "0", "10.0012"};
        QTest::newRow("exclusive half up to even") << excl << "2.00015" << "0" << "0"
                                                   << QStringList{"2.0002", "0", "2.0002", "0", "2.0002"};
        QTest::newRow("exclusive 12.5% of 100 at 5%") << excl << "100" << "12.5" << "5"
                                                      << QStringList{"100", "12.5", "87.5", "4.375", "91.875"};
        QTest::newRow("exclusive 99% discount") << excl << "100" << "99" << "18"
                                                << QStringList{"100", "99", "1", "0.18", "1.18"};
    }
    void costArithmetic()
    {
        QFETCH(int, basis);
        QFETCH(QString, cost);
        QFETCH(QString, discount);
        QFETCH(QString, tax);
        QFETCH(QStringList, figures);
        const CostFigures f = calculateCost(CostBasis(basis), *Decimal::parse(cost), *Decimal::parse(discount),
                                            *Decimal::parse(tax));
        QCOMPARE((QStringList{f.costBefDisc, f.discAmt, f.costAftDisc, f.vatAmt, f.costAftVAT}), figures);
    }

    void mrpArithmetic_data()
    {
        QTest::addColumn<QString>("mrp");
        QTest::addColumn<QString>("tax");
        QTest::addColumn<QString>("withoutTax");
        QTest::newRow("112 at 12") << "112" << "12" << "100";
        QTest::newRow("105 at 5") << "105" << "5" << "100";
        QTest::newRow("100 at 0") << "100" << "0" << "100";
        QTest::newRow("100 at 12") << "100" << "12" << "89.2857";
    }
    void mrpArithmetic()
    {
        QFETCH(QString, mrp);
        QFETCH(QString, tax);
        QFETCH(QString, withoutTax);
        QCOMPARE(mrpWithoutTax(*Decimal::parse(mrp), *Decimal::parse(tax)), withoutTax);
    }

    void taxPercentMustBeUsable()
    {
        QVERIFY(usableTaxPercent("12").has_value());
        QVERIFY(usableTaxPercent("0").has_value());
        QVERIFY(!usableTaxPercent("").has_value());
        QVERIFY(!usableTaxPercent("abc").has_value());
        // -100 would divide by zero.
        QVERIFY(!usableTaxPercent("-100").has_value());
    }

    void costCalculatorShowsItemAndHandsBack()
    {
        FakeStep2 step2;
        run(showCostCalculator, step2, [&](QWidget* screen) {
            QCOMPARE(control<QLineEdit>(screen, "txtBrand")->text(), QString("Crocin 500"));
            // The chosen brand's manufacturer, not what was typed in Step 2.
            QCOMPARE(control<QLineEdit>(screen, "txtManufacturer")->text(), QString("GSK"));
            QCOMPARE(control<QLabel>(screen, "lblPacking(1)")->text(), QString("Cost of Strip of 10 Tablet is Rs."));
            QVERIFY(control<QRadioButton>(screen, "optTax(1)")->isChecked());
            // The tax lists in Tax order, in step with their percentages.
            auto* codes = control<QComboBox>(screen, "cboCostVAT");
            auto* percents = control<QComboBox>(screen, "cboCostVATP");
            QCOMPARE(percents->count(), codes->count());
            for (int i = 1; i < codes->count(); ++i)
                QVERIFY(codes->itemText(i).endsWith(percents->itemText(i) + "%"));

            QTest::keyClicks(control<QLineEdit>(screen, "txtCost"), "100");
            QTest::keyClicks(control<QLineEdit>(screen, "txtDiscount"), "10");
            chooseTax(screen, "GST 12%");
            QTest::mouseClick(control<QPushButton>(screen, "cmdCalculator"), Qt::LeftButton);
            QCOMPARE(control<QLineEdit>(screen, "txtCostAftVAT")->text(), QString("100.8"));
            QTest::mouseClick(control<QPushButton>(screen, "cmdMaster(1)"), Qt::LeftButton);
            QVERIFY(!screen->isVisible());
        });
        QCOMPARE(boxes->count(), 0);
        QCOMPARE(int(step2.costs.size()), 1);
        QCOMPARE(step2.costs[0].figure, QString("100"));
        QCOMPARE(step2.costs[0].second, QString("10"));
        QCOMPARE(step2.costs[0].taxCode, QString("GST 12%"));
    }

    // The arithmetic is costArithmetic's; here the option's quiet calculation and the hand-back of a figure
    // longer than the box lets one type.
    void costCalculatorWorksBackFromFinalPrice()
    {
        const QString cost = "999999999999", beforeDiscount = "1785714285712.5";
        FakeStep2 step2;
        run(showCostCalculator, step2, [&](QWidget* screen) {
            QTest::keyClicks(control<QLineEdit>(screen, "txtCost"), cost);
            QTest::keyClicks(control<QLineEdit>(screen, "txtDiscount"), "50");
            chooseTax(screen, "IGST 12%");
            chooseOption(screen, 0);
            QCOMPARE(control<QLineEdit>(screen, "txtCostAftVAT")->text(), cost);
            QCOMPARE(control<QLineEdit>(screen, "txtCostBefDisc")->text(), beforeDiscount);
            QTest::mouseClick(control<QPushButton>(screen, "cmdMaster(1)"), Qt::LeftButton);
        });
        QCOMPARE(boxes->count(), 0);
        QCOMPARE(int(step2.costs.size()), 1);
        QCOMPARE(step2.costs[0].figure, beforeDiscount);
        QCOMPARE(step2.costs[0].second, QString("50"));
        QCOMPARE(step2.costs[0].taxCode, QString("IGST 12%"));
    }

    void selectAfterQuietCalculationFillsEmptyDiscount()
    {
        FakeStep2 step2;
        run(showCostCalculator, step2, [&](QWidget* screen) {
            QTest::keyClicks(control<QLineEdit>(screen, "txtCost"), "250");
            chooseTax(screen, "GST 5%");
            leave(control<QLineEdit>(screen, "txtCost"));
            // Quiet: no message, the discount stays empty, the figures are there.
            QCOMPARE(boxes->count(), 0);
            QCOMPARE(control<QLineEdit>(screen, "txtDiscount")->text(), QString());
            QCOMPARE(control<QLineEdit>(screen, "txtCostAftVAT")->text(), QString("262.5"));
            QTest::mouseClick(control<QPushButton>(screen, "cmdMaster(1)"), Qt::LeftButton);
        });
        QCOMPARE(boxes->count(), 0);
        QCOMPARE(int(step2.costs.size()), 1);
        QCOMPARE(step2.costs[0].figure, QString("250"));
        QCOMPARE(step2.costs[0].second, QString("0"));
    }

    void selectIsRefusedWithoutItsInputs_data()
    {
        QTest::addColumn<QString>("cost");
        QTest::addColumn<QString>("tax");
        QTest::addColumn<QString>("message");
        QTest::newRow("no tax") << "100" << "" << "Please select Tax";
        QTest::newRow("no cost") << "" << "GST 12%" << "Please enter Cost";
        // The filter lets a lone full stop through: it is no cost.
        QTest::newRow("lone full stop") << "." << "GST 12%" << "Please enter Cost";
    }
    void selectIsRefusedWithoutItsInputs()
    {
        QFETCH(QString, cost);
        QFETCH(QString, tax);
        QFETCH(QString, message);
        FakeStep2 step2;
        run(showCostCalculator, step2, [&](QWidget* screen) {
            QTest::keyClicks(control<QLineEdit>(screen, "txtCost"), cost);
            if (!tax.isEmpty())
                chooseTax(screen, tax);
            QTest::mouseClick(control<QPushButton>(screen, "cmdMaster(1)"), Qt::LeftButton);
            QVERIFY(screen->isVisible());
            QCOMPARE(boxes->texts(), QStringList{message});
            QTest::mouseClick(control<QPushButton>(screen, "cmdMaster(0)"), Qt::LeftButton);
        });
        QVERIFY(step2.costs.empty());
    }

    void leavingTheTaxListCalculatesWithMessages()
    {
        FakeStep2 step2;
        run(showCostCalculator, step2, [&](QWidget* screen) {
            auto* codes = control<QComboBox>(screen, "cboCostVAT");
            leave(codes);
            QCOMPARE(boxes->texts(), QStringList{"Please enter Cost"});
            QTest::keyClicks(control<QLineEdit>(screen, "txtCost"), "100");
            leave(codes);
            QCOMPARE(boxes->last().text, QString("Please select Tax"));
            // Unlike the quiet calculations, this one fills an empty discount.
            QCOMPARE(control<QLineEdit>(screen, "txtDiscount")->text(), QString("0"));
            chooseTax(screen, "GST 18%");
            leave(codes);
            QCOMPARE(boxes->count(), 2);
            QCOMPARE(control<QLineEdit>(screen, "txtCostAftVAT")->text(), QString("118"));
            QTest::mouseClick(control<QPushButton>(screen, "cmdMaster(0)"), Qt::LeftButton);
        });
    }

    void staleFiguresAreNotHandedBack()
    {
        FakeStep2 step2;
        run(showCostCalculator, step2, [&](QWidget* screen) {
            auto* cost = control<QLineEdit>(screen, "txtCost");
            QTest::keyClicks(cost, "100");
            chooseTax(screen, "GST 12%");
            QTest::mouseClick(control<QPushButton>(screen, "cmdCalculator"), Qt::LeftButton);
            QCOMPARE(control<QLineEdit>(screen, "txtCostBefDisc")->text(), QString("100"));
            cost->clear();
            QTest::mouseClick(control<QPushButton>(screen, "cmdMaster(1)"), Qt::LeftButton);
            QVERIFY(screen->isVisible());
            QCOMPARE(boxes->texts(), QStringList{"Please enter Cost"});
            QCOMPARE(control<QLineEdit>(screen, "txtCostBefDisc")->text(), QString());
            QTest::mouseClick(control<QPushButton>(screen, "cmdMaster(0)"), Qt::LeftButton);
        });
        QVERIFY(step2.costs.empty());
    }

    // 99% passes; above it, leaving the discount is refused once and keeps the focus.
    void discountAbove99IsRefusedOnLeaving_data()
    {
        QTest::addColumn<QString>("discount");
        QTest::addColumn<bool>("refused");
        QTest::newRow("99 passes") << "99" << false;
        QTest::newRow("99.5 refused") << "99.5" << true;
        QTest::newRow("100 refused") << "100" << true;
    }
    void discountAbove99IsRefusedOnLeaving()
    {
        QFETCH(QString, discount);
        QFETCH(bool, refused);
        FakeStep2 step2;
        run(showCostCalculator, step2, [&](QWidget* screen) {
            QTest::keyClicks(control<QLineEdit>(screen, "txtCost"), "100");
            chooseTax(screen, "GST 0%");
            chooseOption(screen, 0);
            auto* field = control<QLineEdit>(screen, "txtDiscount");
            QTest::keyClicks(field, discount);
            leave(field);
            if (refused) {
                QCOMPARE(boxes->texts(), QStringList{"Discount cannot be > 99%"});
                QVERIFY(field->hasFocus());
                // Nor does "&Select" work the price back with it (100 would divide by zero).
                QTest::mouseClick(control<QPushButton>(screen, "cmdMaster(1)"), Qt::LeftButton);
                QVERIFY(screen->isVisible());
                QCOMPARE(boxes->last().text, QString("Discount cannot be > 99%"));
                QTest::mouseClick(control<QPushButton>(screen, "cmdMaster(0)"), Qt::LeftButton);
            } else {
                QCOMPARE(boxes->count(), 0);
                QCOMPARE(control<QLineEdit>(screen, "txtCostBefDisc")->text(), QString("10000"));
                QTest::mouseClick(control<QPushButton>(screen, "cmdMaster(1)"), Qt::LeftButton);
            }
        });
        QCOMPARE(int(step2.costs.size()), refused ? 0 : 1);
    }

    // Escape closes either calculator as its close button does: Step 2 gets nothing, even calculated.
    void escapeHandsNothingBack()
    {
        for (auto open : {showCostCalculator, showMRPCalculator}) {
            FakeStep2 step2;
            run(open, step2, [&](QWidget* screen) {
                QTest::keyClicks(control<QLineEdit>(screen, "txtCost"), "100");
                chooseTax(screen, "GST 12%");
                QTest::mouseClick(control<QPushButton>(screen, "cmdCalculator"), Qt::LeftButton);
                QTest::keyClick(control<QLineEdit>(screen, "txtCost"), Qt::Key_Escape);
                QVERIFY(!screen->isVisible());
            });
            QCOMPARE(boxes->count(), 0);
            QVERIFY(step2.costs.empty() && step2.mrps.empty());
        }
    }

    // The arithmetic is mrpArithmetic's; here the hand-back.
    void mrpCalculatorHandsBack()
    {
        const QString mrp = "105", tax = "IGST 5%", withoutTax = "100";
        FakeStep2 step2;
        run(showMRPCalculator, step2, [&](QWidget* screen) {
            QTest::keyClicks(control<QLineEdit>(screen, "txtCost"), mrp);
            chooseTax(screen, tax);
            QTest::mouseClick(control<QPushButton>(screen, "cmdCalculator"), Qt::LeftButton);
            QCOMPARE(control<QLineEdit>(screen, "txtCostBefDisc")->text(), withoutTax);
            QTest::mouseClick(control<QPushButton>(screen, "cmdMaster(1)"), Qt::LeftButton);
        });
        QCOMPARE(boxes->count(), 0);
        QCOMPARE(int(step2.mrps.size()), 1);
        QCOMPARE(step2.mrps[0].figure, withoutTax);
        // Step 2 works its MRP without tax out of this one, so it is handed back as well.
        QCOMPARE(step2.mrps[0].second, mrp);
        QCOMPARE(step2.mrps[0].taxCode, tax);
        QVERIFY(step2.costs.empty());
    }

    void mrpCalculatorMessages()
    {
        FakeStep2 step2;
        run(showMRPCalculator, step2, [&](QWidget* screen) {
            auto* mrp = control<QLineEdit>(screen, "txtCost");
            auto* codes = control<QComboBox>(screen, "cboCostVAT");
            QTest::keyClicks(mrp, "112");
            // Leaving the fields is quiet, even with no tax chosen.
            leave(mrp);
            leave(codes);
            QCOMPARE(boxes->count(), 0);
            QTest::mouseClick(control<QPushButton>(screen, "cmdCalculator"), Qt::LeftButton);
            QCOMPARE(boxes->texts(), QStringList{"Please select Tax"});
            // The box has no key filter: a text that is no number is no MRP.
            chooseTax(screen, "GST 12%");
            mrp->setText("1l2");
            QTest::mouseClick(control<QPushButton>(screen, "cmdMaster(1)"), Qt::LeftButton);
            QVERIFY(screen->isVisible());
            QCOMPARE(boxes->last().text, QString("Please enter MRP with VAT"));
            QVERIFY(mrp->hasFocus());
            QCOMPARE(control<QLineEdit>(screen, "txtCostBefDisc")->text(), QString());
            QTest::mouseClick(control<QPushButton>(screen, "cmdMaster(0)"), Qt::LeftButton);
        });
        QCOMPARE(boxes->count(), 2);
        QVERIFY(step2.mrps.empty());
    }

    void cleanup()
    {
        ScreenTest::cleanup();  // no screen may outlive its test
    }
};

QTEST_MAIN(tst_Calculators)
#include "tst_calculators.moc"
