// SmallRational against Decimal: on its own, and through the Price Bid's figures, every value and
// every printed cell must be the one Decimal gives, or the quick path must say it cannot tell.
#include "app/decimal.h"
#include "app/smallrational.h"
#include "db/valueconversion.h"
#include "output/exporterror.h"
#include "output/pricebidcells.h"

#include <QRandomGenerator>
#include <QTest>
#include <cmath>

namespace {

QString integerText(SmallRational::Int value)
{
    char digits[48];
    return QString::fromLatin1(digits, SmallRational::formatInteger(value, digits));
}

// The exact value, for comparing with Decimal's rational.
mpq_class exact(const SmallRational& r)
{
    mpq_class q(mpz_class(integerText(r.numerator()).toStdString()), mpz_class(integerText(r.denominator()).toStdString()));
    q.canonicalize();
    return q;
}

QString fixed(const SmallRational& r, int places)
{
    char text[SmallRational::MaxFixedChars];
    return QString::fromLatin1(text, r.toFixed(places, text));
}

SmallRational small(const QString& text)
{
    return *SmallRational::parse(text.toStdString());
}

// Short decimal texts such as a price list holds, with the awkward ones (true halves at the 5th place,
// negatives, zeros, many places) far more often than chance would bring them.
QString generated(QRandomGenerator& random)
{
    static const char* const awkward[] = {"0",      "0.00005", "2.00015", "-0.00005", "-2.00015", "0.00015", "0.00025",
                                          "1.00005", "100",    "12",      "10.5",     "-1",       "0.1",     "99999999.99995"};
    switch (random.bounded(6)) {
    case 0:
        return QString::fromLatin1(awkward[random.bounded(int(std::size(awkward)))]);
    case 1:
        return QString::number(random.bounded(100000));
    case 2:
        return QStringLiteral("%1.%2").arg(random.bounded(100000)).arg(random.bounded(100), 2, 10, QLatin1Char('0'));
    case 3:
        return QStringLiteral("%1.%2").arg(random.bounded(1000)).arg(random.bounded(100000), 5, 10, QLatin1Char('0'));
    case 4:
        return QStringLiteral("-%1.%2").arg(random.bounded(1000)).arg(random.bounded(1000), 3, 10, QLatin1Char('0'));
    default:
        return QStringLiteral("%1.%2").arg(random.bounded(10)).arg(random.bounded(1000000), 6, 10, QLatin1Char('0'));
    }
}

QStringList texts(const PriceBidCells::Text* cells, int count)
{
    QStringList out;
    for (int i = 0; i < count; ++i)
        out << QString::fromLatin1(cells[i].view().data(), qsizetype(cells[i].view().size()));
    return out;
}

QStringList allCells(const PriceBidCells& c)
{
    return texts(&c.ratio, 1) + texts(c.packCost, 6) + texts(c.unitCost, 6) + texts(c.packMrp, 3) + texts(c.unitMrp, 3);
}

} // namespace

class tst_SmallRational : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void readsWhatDecimalReads_data()
    {
        QTest::addColumn<QString>("text");
        for (const char* t : {"12", "12.", ".5", "-.5", "-12.50", "0", "-0", "007.250", "0.00005", "", "-", ".", "-.", "1.2.3",
                              "+1", " 1", "1 ", "1e5", "1,5", "--1", "12a"})
            QTest::newRow(t) << QString::fromUtf8(t);
    }
    void readsWhatDecimalReads()
    {
        QFETCH(QString, text);
        const std::optional<SmallRational> s = SmallRational::parse(text.toStdString());
        const std::optional<Decimal> d = Decimal::parse(text);
        // A text it cannot read is left to Decimal: it never reads one that Decimal refuses.
        if (text.toLatin1() == text.toUtf8())
            QCOMPARE(s.has_value(), d.has_value());
        if (s)
            QVERIFY(exact(*s) == d->rational());
    }

    void tooManyDigitsAreLeftToDecimal()
    {
        QVERIFY(!SmallRational::parse(std::string(37, '9')));
        QVERIFY(SmallRational::parse(std::string(36, '9')));
    }

    void arithmeticAndRoundingMatchDecimal()
    {
        QRandomGenerator random(20270401);
        for (int i = 0; i < 20000; ++i) {
            const QString x = generated(random), y = generated(random);
            const SmallRational a = small(x), b = small(y);
            const Decimal da = *Decimal::parse(x), db = *Decimal::parse(y);
            const auto same = [&](const SmallRational& s, const Decimal& d, const char* what) {
                if (!s.ok())
                    return;  // the caller falls back to Decimal
                QVERIFY2(exact(s) == d.rational(), qPrintable(QStringLiteral("%1 %2 %3").arg(x, what, y)));
                QCOMPARE(fixed(s, 4), d.toFixed(4));
                QCOMPARE(fixed(s.roundHalfEven(4), 4), d.roundHalfEven(4).toFixed(4));
                QCOMPARE(fixed(s, 0), d.toFixed(0));
                QCOMPARE(fixed(s, 2), d.toFixed(2));
            };
            same(a, da, "");
            same(a + b, da + db, "+");
            same(a - b, da - db, "-");
            same(a * b, da * db, "*");
            if (!b.isZero()) {
                same(a / b, da / db, "/");
                same(a / b + a, da / db + da, "/+");
                same((a / b).roundHalfEven(4) * b, (da / db).roundHalfEven(4) * db, "/r*");
            }
        }
    }

    void trueHalvesGoToEven_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("printed");
        QTest::newRow("0.00005") << "0.00005" << "0.0000";
        QTest::newRow("0.00015") << "0.00015" << "0.0002";
        QTest::newRow("2.00015") << "2.00015" << "2.0002";
        QTest::newRow("2.00005") << "2.00005" << "2.0000";
        QTest::newRow("-0.00015") << "-0.00015" << "-0.0002";
        QTest::newRow("-0.00005") << "-0.00005" << "0.0000";
        QTest::newRow("-2.00015") << "-2.00015" << "-2.0002";
        QTest::newRow("just below") << "2.000149999" << "2.0001";
    }
    void trueHalvesGoToEven()
    {
        QFETCH(QString, value);
        QFETCH(QString, printed);
        QCOMPARE(fixed(small(value), 4), printed);
        QCOMPARE(Decimal::parse(value)->toFixed(4), printed);
    }

    void overflowIsReportedNotWrapped()
    {
        const SmallRational big = small(QStringLiteral("99999999999999999999.99999"));
        const SmallRational product = big * big * big;
        QVERIFY(!product.ok());
        QVERIFY(!(product + SmallRational(1)).ok());
        QVERIFY(!(SmallRational(1) / product).ok());
        char text[SmallRational::MaxFixedChars];
        QCOMPARE(product.toFixed(4, text), 0);
        // A third has no decimal form: its denominator is not a power of ten, and still exact.
        QCOMPARE(fixed(SmallRational(100) / SmallRational(3), 4), QString("33.3333"));
        QVERIFY_THROWS_EXCEPTION(std::domain_error, SmallRational(1) / SmallRational(0));
    }

    void doublesReadAsTheDatabaseLayerWritesThem()
    {
        QRandomGenerator random(7);
        QList<double> values = {0.1, 0.2, 0.3, 1e-5, 123.45, 1e15, 1e19, 9007199254740993.0, -2.5, 1.0 / 3, 2e-20, 1e20};
        for (int i = 0; i < 20000; ++i) {
            values << (1000 + random.bounded(100000)) / 100.0 << random.bounded(100000) * 224 / 10000.0
                   << std::ldexp(random.generateDouble(), random.bounded(-60, 60)) << -random.generateDouble() * 1e6;
        }
        for (double v : values) {
            const std::optional<SmallRational> s = SmallRational::fromShortestDouble(v);
            if (v != 0 && (std::fabs(v) < 1e-20 || std::fabs(v) > 1e20)) {
                QVERIFY(!s);  // left to the database layer's own text
                continue;
            }
            QVERIFY2(s, qPrintable(QString::number(v, 'g', 17)));
            const std::optional<Decimal> d = Decimal::parse(ValueConversion::decimalTextFromDouble(v));
            QVERIFY2(exact(*s) == d->rational(), qPrintable(QString::number(v, 'g', 17)));
        }
        QVERIFY(!SmallRational::fromShortestDouble(1e21));
        QVERIFY(!SmallRational::fromShortestDouble(std::nan("")));
        QVERIFY(!SmallRational::fromShortestDouble(INFINITY));
        QVERIFY(exact(*SmallRational::fromShortestDouble(0.0)) == 0);
    }

    void priceBidCellsMatchDecimalFigures()
    {
        QRandomGenerator random(42);
        int quick = 0;
        for (int i = 0; i < 20000; ++i) {
            QString inputs[6];
            for (QString& t : inputs)
                t = random.bounded(12) == 0 ? QString() : generated(random);  // now and then Null
            if (!inputs[3].isEmpty() && Decimal::parse(inputs[3])->isZero())
                inputs[3] = QStringLiteral("10");  // a ratio of 0 has its own test
            const auto d = [&](int k) { return inputs[k].isEmpty() ? std::nullopt : Decimal::parse(inputs[k]); };
            const auto s = [&](int k) { return inputs[k].isEmpty() ? std::nullopt : SmallRational::parse(inputs[k].toStdString()); };
            PriceBidCells viaDecimal, viaSmall;
            priceBidCells(PriceBidInputs{d(0), d(1), d(2), d(3), d(4), d(5)}, viaDecimal);
            if (!priceBidCells(SmallPriceBidInputs{s(0), s(1), s(2), s(3), s(4), s(5)}, viaSmall))
                continue;
            ++quick;
            QVERIFY2(allCells(viaSmall) == allCells(viaDecimal), qPrintable(QStringList(std::begin(inputs), std::end(inputs)).join(' ')));
        }
        // Short decimals nearly always fit.
        QVERIFY(quick > 19000);
    }

    void ratioOfZeroIsRefusedWhereDecimalRefusesIt()
    {
        const auto attempt = [](std::optional<SmallRational> cost, std::optional<SmallRational> mrp) {
            PriceBidCells cells;
            try {
                priceBidCells(SmallPriceBidInputs{cost, SmallRational(5), SmallRational(12), SmallRational(0), mrp, SmallRational(12)}, cells);
            } catch (const ExportError& e) {
                return e.number();
            }
            return 0L;
        };
        QCOMPARE(attempt(SmallRational(100), SmallRational(200)), ExportErrorNumber::DivisionByZero);
        QCOMPARE(attempt(std::nullopt, SmallRational(200)), ExportErrorNumber::DivisionByZero);
        QCOMPARE(attempt(SmallRational(100), std::nullopt), ExportErrorNumber::DivisionByZero);
        // Nothing to divide: empty cells, as with Decimal.
        QCOMPARE(attempt(std::nullopt, std::nullopt), 0L);
        PriceBidCells viaSmall, viaDecimal;
        priceBidCells(SmallPriceBidInputs{std::nullopt, SmallRational(5), std::nullopt, SmallRational(0), std::nullopt, std::nullopt}, viaSmall);
        priceBidCells(PriceBidInputs{std::nullopt, Decimal(5), std::nullopt, Decimal(0), std::nullopt, std::nullopt}, viaDecimal);
        QCOMPARE(allCells(viaSmall), allCells(viaDecimal));
    }
};

QTEST_GUILESS_MAIN(tst_SmallRational)
#include "tst_smallrational.moc"
