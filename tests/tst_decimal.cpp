#include "app/decimal.h"

#include <QTest>

class tst_Decimal : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void roundsHalfToEven_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("rounded");
        // True halves, which binary floating point cannot hold exactly.
        QTest::newRow("0.00005 to even 0") << "0.00005" << "0";
        QTest::newRow("0.00015 up to 0.0002") << "0.00015" << "0.0002";
        QTest::newRow("0.00025 down to 0.0002") << "0.00025" << "0.0002";
        QTest::newRow("2.00015") << "2.00015" << "2.0002";
        QTest::newRow("1.00005") << "1.00005" << "1";
        QTest::newRow("above half") << "1.000051" << "1.0001";
        QTest::newRow("below half") << "1.000049" << "1";
        QTest::newRow("negative half") << "-0.00015" << "-0.0002";
        QTest::newRow("whole") << "100.0000" << "100";
        QTest::newRow("trailing zeros go") << "10.80" << "10.8";
    }
    void roundsHalfToEven()
    {
        QFETCH(QString, value);
        QFETCH(QString, rounded);
        QCOMPARE(Decimal::parse(value)->roundHalfEven(4).toText(), rounded);
    }

    void arithmeticIsExact()
    {
        // 0.1 + 0.2 is exactly 0.3; 112 / 1.12 is exactly 100.
        QCOMPARE((*Decimal::parse("0.1") + *Decimal::parse("0.2")).toText(), QString("0.3"));
        QCOMPARE((*Decimal::parse("112") / *Decimal::parse("1.12")).toText(), QString("100"));
        // 100 / 3 has no finite decimal form: rounded only when asked.
        const Decimal third = Decimal(100) / Decimal(3);
        QCOMPARE(third.roundHalfEven(4).toText(), QString("33.3333"));
        QCOMPARE(third.toFixed(4), QString("33.3333"));
        QVERIFY_THROWS_EXCEPTION(std::domain_error, Decimal(1) / Decimal(0));
    }

    void fixedFormatting_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("fixed");
        QTest::newRow("zero") << "0" << "0.0000";
        QTest::newRow("small") << "0.00015" << "0.0002";
        QTest::newRow("whole") << "12" << "12.0000";
        QTest::newRow("negative small") << "-0.01" << "-0.0100";
        QTest::newRow("half even") << "10.00005" << "10.0000";
    }
    void fixedFormatting()
    {
        QFETCH(QString, value);
        QFETCH(QString, fixed);
        QCOMPARE(Decimal::parse(value)->toFixed(4), fixed);
    }

    void numericTestIsStrict_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("numeric");
        QTest::addColumn<QString>("leading");
        QTest::newRow("empty") << "" << false << "0";
        QTest::newRow("lone point") << "." << false << "0";
        QTest::newRow("plain") << "12.5" << true << "12.5";
        QTest::newRow("leading point") << ".5" << true << "0.5";
        QTest::newRow("trailing point") << "12." << true << "12";
        QTest::newRow("letters after") << "12abc" << false << "12";
        QTest::newRow("two points") << "1.2.3" << false << "1.2";
        QTest::newRow("blank before") << " 7" << false << "7";
        QTest::newRow("letters") << "abc" << false << "0";
        QTest::newRow("grouping") << "1,000" << false << "1";
        // An end-of-text anchor that also matched before a final line break let "-080\n" through.
        QTest::newRow("line break after") << "-080\n" << false << "-80";
        // Digits of other scripts are not figures: the parser behind the check reads ASCII digits only.
        QTest::newRow("other script digits") << QString::fromUtf8("\u0663\u0664") << false << "0";
        QTest::newRow("minus alone") << "-" << false << "0";
    }
    void numericTestIsStrict()
    {
        QFETCH(QString, text);
        QFETCH(bool, numeric);
        QFETCH(QString, leading);
        QCOMPARE(Decimal::isNumeric(text), numeric);
        QCOMPARE(Decimal::leadingNumber(text).toText(), leading);
    }
};

QTEST_APPLESS_MAIN(tst_Decimal)
#include "tst_decimal.moc"
