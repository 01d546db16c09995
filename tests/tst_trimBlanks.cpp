#include "app/trimblanks.h"

#include <QTest>

class tst_trimBlanks : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // The mandatory checks and the brand trim pass remove blanks, and only blanks.
    void onlyBlanksAreTrimmed_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("trimmed");
        QTest::newRow("both ends") << "  Acme  " << "Acme";
        QTest::newRow("inner blanks stay") << " Acme  Pharma " << "Acme  Pharma";
        QTest::newRow("only blanks") << "    " << "";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("tabs stay") << "\tAcme\t" << "\tAcme\t";
        QTest::newRow("line break stays") << " \n " << "\n";
    }
    void onlyBlanksAreTrimmed()
    {
        QFETCH(QString, text);
        QFETCH(QString, trimmed);
        QCOMPARE(trimBlanks(text), trimmed);
    }
};

QTEST_APPLESS_MAIN(tst_trimBlanks)
#include "tst_trimBlanks.moc"
