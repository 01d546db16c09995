#include "quotation/pricing.h"
#include "quotation/quotationsave.h"
#include "quotation/wordfilter.h"

#include <QTest>

// The summaries' arithmetic, the word filter's SQL and the save's duplicate check, without screens.
class tst_Pricing : public QObject
{
    Q_OBJECT
private:
    static Pricing::Inputs inputs(const QString& cost, const QString& disc, const QString& tax, const QString& mrpWithTax,
                                  const QString& qty)
    {
        Pricing::Inputs in;
        in.cost = cost;
        in.discount = disc;
        in.costTax = tax;
        in.costTaxCode = QStringLiteral("GST ") + tax + QStringLiteral("%");
        in.mrpWithTax = mrpWithTax;
        in.mrpTax = tax;
        in.mrpTaxCode = in.costTaxCode;
        in.qty = qty;
        return in;
    }

private Q_SLOTS:
    void costBlockPerPackAndPerUnit()
    {
        const Pricing::CostSummary s = Pricing::costBlock(inputs("100", "10", "12", "", "10"));
        QVERIFY(s.computed);
        const QStringList got = {s.costBefDisc,   s.discAmt,   s.costAftDisc,   s.vatAmt,   s.costAftVAT,
                                 s.costLUBefDisc, s.luDiscAmt, s.costLUAftDisc, s.luVATAmt, s.costLUAftVAT};
        QCOMPARE(got, QStringList({"100", "10", "90", "10.8", "100.8", "10", "1", "9", "1.08", "10.08"}));
    }

    void mrpBlock_data()
    {
        QTest::addColumn<QString>("withTax");
        QTest::addColumn<QString>("tax");
        QTest::addColumn<QString>("qty");
        QTest::addColumn<QStringList>("expected");  // mrp, without, tax amount, with, then per unit
        QTest::newRow("224 at 12%") << "224" << "12" << "10"
                                    << QStringList{"200", "200", "24", "224", "20", "2.4", "22.4"};
        QTest::newRow("100 at 12%") << "100" << "12" << "1"
                                    << QStringList{"89.2857", "89.2857", "10.7143", "100", "89.2857", "10.7143", "100"};
        QTest::newRow("no tax") << "50" << "0" << "4" << QStringList{"50", "50", "0", "50", "12.5", "0", "12.5"};
    }
    void mrpBlock()
    {
        QFETCH(QString, withTax);
        QFETCH(QString, tax);
        QFETCH(QString, qty);
        QFETCH(QStringList, expected);
        const Pricing::MrpSummary s = Pricing::mrpBlock(inputs("", "", tax, withTax, qty));
        QVERIFY(s.computed);
        QCOMPARE(QStringList({s.mrp, s.withoutVAT, s.vatAmt, s.withVAT, s.withoutVATLU, s.vatAmtLU, s.withVATLU}),
                 expected);
    }

    // Every figure that lands exactly on a half of the fourth decimal goes to the even neighbour.
    void trueHalvesRoundToEven_data()
    {
        QTest::addColumn<QString>("cost");
        QTest::addColumn<QString>("disc");
        QTest::addColumn<QString>("tax");
        QTest::addColumn<QString>("qty");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("expected");
        // 0.0001 / 2 = 0.00005: down to 0.
        QTest::newRow("per unit 0.00005") << "0.0001" << "0" << "0" << "2" << "costLUBefDisc" << "0";
        // 0.0003 / 2 = 0.00015: up to 0.0002.
        QTest::newRow("per unit 0.00015") << "0.0003" << "0" << "0" << "2" << "costLUBefDisc" << "0.0002";
        // 0.0005 / 2 = 0.00025: down to 0.0002.
        QTest::newRow("per unit 0.00025") << "0.0005" << "0" << "0" << "2" << "costLUBefDisc" << "0.0002";
        // 4.0003 / 2 = 2.00015: up to 2.0002.
        QTest::newRow("per unit 2.00015") << "4.0003" << "0" << "0" << "2" << "costLUBefDisc" << "2.0002";
        // 2.0001 / 2 = 1.00005: down to 1.
        QTest::newRow("per unit 1.00005") << "2.0001" << "0" << "0" << "2" << "costLUBefDisc" << "1";
        // Discount 0.5% of 0.01 = 0.00005: the shown amount goes to 0 ...
        QTest::newRow("discount 0.00005") << "0.01" << "0.5" << "0" << "1" << "discAmt" << "0";
        // ... while the cost after discount takes the unrounded discount: 0.00995, a true half after 0.0099,
        // up to the even 0.01.
        QTest::newRow("after discount 0.00995") << "0.01" << "0.5" << "0" << "1" << "costAftDisc" << "0.01";
        // Tax 5% of 0.003 = 0.00015 -> 0.0002.
        QTest::newRow("tax 0.00015") << "0.003" << "0" << "5" << "1" << "vatAmt" << "0.0002";
        // Tax 5% of 0.005 = 0.00025 -> 0.0002.
        QTest::newRow("tax 0.00025") << "0.005" << "0" << "5" << "1" << "vatAmt" << "0.0002";
        // Discount 1.5% of 0.03 = 0.00045 -> 0.0004.
        QTest::newRow("discount 0.00045") << "0.03" << "1.5" << "0" << "1" << "discAmt" << "0.0004";
    }
    void trueHalvesRoundToEven()
    {
        QFETCH(QString, cost);
        QFETCH(QString, disc);
        QFETCH(QString, tax);
        QFETCH(QString, qty);
        QFETCH(QString, field);
        QFETCH(QString, expected);
        const Pricing::CostSummary s = Pricing::costBlock(inputs(cost, disc, tax, "", qty));
        const QHash<QString, QString> fields = {{"costLUBefDisc", s.costLUBefDisc},
                                                {"discAmt", s.discAmt},
                                                {"costAftDisc", s.costAftDisc},
                                                {"vatAmt", s.vatAmt}};
        QCOMPARE(fields.value(field), expected);
    }

    void mrpTrueHalves()
    {
        // 100.0001 at 0% stays; per unit over 2 gives 50.00005 -> 50.
        Pricing::MrpSummary s = Pricing::mrpBlock(inputs("", "", "0", "100.0001", "2"));
        QCOMPARE(s.withoutVATLU, QString("50"));
        // 100.0003 / 2 = 50.00015 -> 50.0002.
        s = Pricing::mrpBlock(inputs("", "", "0", "100.0003", "2"));
        QCOMPARE(s.withoutVATLU, QString("50.0002"));
        // MRP 0.0021 with 5% tax: 0.0021 * 100 / 105 = 0.002 exactly; tax 5% of 0.002 = 0.0001.
        s = Pricing::mrpBlock(inputs("", "", "5", "0.0021", "1"));
        QCOMPARE(s.mrp, QString("0.002"));
        QCOMPARE(s.vatAmt, QString("0.0001"));
        // MRP 0.00315 at 0%: a true half after 0.0031, up to the even 0.0032.
        s = Pricing::mrpBlock(inputs("", "", "0", "0.00315", "1"));
        QCOMPARE(s.mrp, QString("0.0032"));
        // 0.00325: a true half after 0.0032, which is even already.
        s = Pricing::mrpBlock(inputs("", "", "0", "0.00325", "1"));
        QCOMPARE(s.mrp, QString("0.0032"));
    }

    void laterFiguresReadRoundedTexts()
    {
        // Cost 1, discount 33.333, tax 12, qty 3. Discount 0.33333 -> shown 0.3333; cost after discount
        // 1 - 0.33333 = 0.66667 -> 0.6667; tax on the shown 0.6667 = 0.080004 -> 0.08; with tax 0.7467.
        const Pricing::CostSummary s = Pricing::costBlock(inputs("1", "33.333", "12", "", "3"));
        QCOMPARE(s.discAmt, QString("0.3333"));
        QCOMPARE(s.costAftDisc, QString("0.6667"));
        QCOMPARE(s.vatAmt, QString("0.08"));
        QCOMPARE(s.costAftVAT, QString("0.7467"));
        // Per unit from the shown texts: 0.3333 / 3 = 0.1111; 0.7467 / 3 = 0.2489.
        QCOMPARE(s.luDiscAmt, QString("0.1111"));
        QCOMPARE(s.costLUAftVAT, QString("0.2489"));
        // The typed cost is shown as typed.
        QCOMPARE(Pricing::costBlock(inputs("100.", "0", "0", "", "1")).costBefDisc, QString("100."));
    }

    void blocksNeedTheirInputs_data()
    {
        QTest::addColumn<QString>("cost");
        QTest::addColumn<QString>("disc");
        QTest::addColumn<QString>("taxCode");
        QTest::addColumn<QString>("qty");
        QTest::addColumn<bool>("computed");
        QTest::newRow("all there") << "100" << "0" << "GST 12%" << "10" << true;
        QTest::newRow("cost empty") << "" << "0" << "GST 12%" << "10" << false;
        QTest::newRow("cost with letters") << "100a" << "0" << "GST 12%" << "10" << false;
        QTest::newRow("discount empty") << "100" << "" << "GST 12%" << "10" << false;
        QTest::newRow("no tax code") << "100" << "0" << "" << "10" << false;
        QTest::newRow("no ratio") << "100" << "0" << "GST 12%" << "" << false;
    }
    void blocksNeedTheirInputs()
    {
        QFETCH(QString, cost);
        QFETCH(QString, disc);
        QFETCH(QString, taxCode);
        QFETCH(QString, qty);
        QFETCH(bool, computed);
        Pricing::Inputs in = inputs(cost, disc, "12", "112", qty);
        in.costTaxCode = taxCode;
        const Pricing::CostSummary s = Pricing::costBlock(in);
        QCOMPARE(s.computed, computed);
        if (!computed)
            QVERIFY(s.costBefDisc.isEmpty() && s.costAftVAT.isEmpty() && s.costLUAftVAT.isEmpty());
    }

    void mrpBlockNeedsItsInputs()
    {
        Pricing::Inputs in = inputs("100", "0", "12", "224", "10");
        in.mrpTaxCode.clear();
        QVERIFY(!Pricing::mrpBlock(in).computed);
        in = inputs("100", "0", "12", "", "10");
        QVERIFY(!Pricing::mrpBlock(in).computed);
        in = inputs("100", "0", "12", "224", "");
        QVERIFY(!Pricing::mrpBlock(in).computed);
    }

    // A packing whose ratio is 0: the per-pack figures stand, the per-unit ones stay empty (no inf, no nan).
    void zeroRatioLeavesPerUnitEmpty()
    {
        const Pricing::CostSummary c = Pricing::costBlock(inputs("100", "10", "12", "224", "0"));
        QVERIFY(c.computed);
        QCOMPARE(c.costAftVAT, QString("100.8"));
        for (const QString& t : {c.costLUBefDisc, c.luDiscAmt, c.costLUAftDisc, c.luVATAmt, c.costLUAftVAT})
            QVERIFY(t.isEmpty());
        const Pricing::MrpSummary m = Pricing::mrpBlock(inputs("100", "10", "12", "224", "0.0"));
        QVERIFY(m.computed);
        QCOMPARE(m.mrp, QString("200"));
        for (const QString& t : {m.withoutVATLU, m.vatAmtLU, m.withVATLU})
            QVERIFY(t.isEmpty());
        QVERIFY(!Pricing::isUsableQuantity("0"));
        QVERIFY(!Pricing::isUsableQuantity("0.00"));
        QVERIFY(!Pricing::isUsableQuantity(""));
        QVERIFY(Pricing::isUsableQuantity("2.5"));
    }

    // A tax percentage that is no number (a hand-edited tax row) computes nothing rather than nonsense.
    void nonNumericTaxComputesNothing()
    {
        Pricing::Inputs in = inputs("100", "10", "12", "224", "10");
        in.costTax = QStringLiteral("twelve");
        in.mrpTax = QString();
        QVERIFY(!Pricing::costBlock(in).computed);
        QVERIFY(!Pricing::mrpBlock(in).computed);
        // 100 + tax = 0 cannot divide.
        in = inputs("100", "10", "-100", "224", "10");
        QVERIFY(!Pricing::mrpBlock(in).computed);
    }

    void wordFilter_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("clause");
        QTest::newRow("one word") << "para" << "Where Description like '%para%'";
        QTest::newRow("two words, two blanks")
            << "  para  500 " << "Where Description like '%para%' And Description like '%500%'";
        QTest::newRow("three words") << "a b c"
                                     << "Where Description like '%a%' And Description like '%b%' And Description like '%c%'";
        QTest::newRow("blanks only") << "    " << "";
        QTest::newRow("apostrophe doubled") << "O'Neil" << "Where Description like '%O''Neil%'";
        QTest::newRow("NUL dropped") << QString::fromUtf8("pa\0ra\0", 6) << "Where Description like '%para%'";
    }
    void wordFilter()
    {
        QFETCH(QString, typed);
        QFETCH(QString, clause);
        QCOMPARE(WordFilter::clause(typed), clause);
    }

    void stepOneSqlTexts()
    {
        QCOMPARE(WordFilter::brandsSql(WordFilter::clause("x")),
                 QString("Select * From CT_Brands Where Description like '%x%' Order By Description"));
        QCOMPARE(WordFilter::brandsOfGenericSql("Acarbose"),
                 QString("Select * From CT_Brands Where Generic like 'Acarbose' Order By Description"));
        QCOMPARE(WordFilter::quotedBrandSql("Dr. Reddy's"), QString("Select * From Quotations Where Brand='Dr. Reddy''s'"));
    }

    void saveRules()
    {
        QCOMPARE(QuotationSave::termOrZero(""), QString("0"));
        QCOMPARE(QuotationSave::termOrZero("   "), QString("0"));
        QCOMPARE(QuotationSave::termOrZero("30"), QString("30"));
        QCOMPARE(QuotationSave::duplicateCheckSql("B", "Strip of 10", "Tablet", "5 mg"),
                 QString("Select * From Quotations Where Brand='B' And DrugPacking='Strip of 10' And "
                         "DrugForm='Tablet' And DrugStrength='5 mg'"));
        QCOMPARE(QuotationSave::duplicateCheckSql("A'B", "P", "F", "S"),
                 QString("Select * From Quotations Where Brand='A''B' And DrugPacking='P' And DrugForm='F' And "
                         "DrugStrength='S'"));
    }
};

QTEST_APPLESS_MAIN(tst_Pricing)
#include "tst_pricing.moc"
