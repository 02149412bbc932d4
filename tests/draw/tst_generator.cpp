#include "draw/mersenne.h"

#include <QTest>

class TestGenerator : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void referenceSequences_data()
    {
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<QList<quint32>>("words");
        QTest::newRow("4357") << 4357u << QList<quint32>{3510405877u, 4290933890u, 2191955339u};
        QTest::newRow("1") << 1u << QList<quint32>{3796174982u, 4182529786u, 2180050607u};
        QTest::newRow("0 leaves an all-zero state") << 0u << QList<quint32>{0u, 0u, 0u};
    }
    void referenceSequences()
    {
        QFETCH(quint32, seed);
        QFETCH(QList<quint32>, words);
        TRNGenerator generator;
        generator.Seed(seed);
        for (quint32 expected : words)
            QCOMPARE(generator.NextWord(), expected);
    }

    void unitValuesOfTheSeedOneSequence()
    {
        TRNGenerator generator;
        generator.Seed(1);
        const double expected[] = {0.2322683, 0.0523578, 0.9848348};
        for (double value : expected)
            QVERIFY(qAbs(generator.UnitValue() - value) < 1e-6);
        QCOMPARE(TRNGenerator::unitValueOfWord(3796174982u), double(498792314.0L / 2147483647.0L));
    }

    void seedZeroDrawsOnlyZero()
    {
        TRNGenerator generator;
        generator.Seed(0);
        for (int i = 0; i < 2000; ++i)
            QCOMPARE(generator.NextWord(), 0u);
    }

    void laterWordsAcrossRegenerations()
    {
        // Words 624, 625, 1248 and 2000 of seed 4357, from an independent implementation of
        // the 1998 reference code: they check all three stretches of the regeneration.
        TRNGenerator generator;
        generator.Seed(4357);
        QList<quint32> words;
        for (int i = 0; i < 2000; ++i)
            words.append(generator.NextWord());
        QCOMPARE(words.at(623), 730882493u);
        QCOMPARE(words.at(624), 2222118351u);
        QCOMPARE(words.at(1247), 3705639611u);
        QCOMPARE(words.at(1999), 842677508u);
    }

    void seedsItselfLazilyFromTheTickCounterOnce()
    {
        int readings = 0;
        TRNGenerator generator([&readings] {
            ++readings;
            return 4357u;
        });
        QVERIFY(!generator.isSeeded());
        QCOMPARE(readings, 0);
        QCOMPARE(generator.NextWord(), 3510405877u);
        QCOMPARE(readings, 1);
        for (int i = 0; i < 1500; ++i)
            generator.NextWord();
        QCOMPARE(readings, 1);
    }

    void aTickReadingOfZeroNeverSeedsZero()
    {
        TRNGenerator generator([] { return 0u; });
        QCOMPARE(generator.NextWord(), 3796174982u); // the sequence of seed 1
        QCOMPARE(TRNGenerator::seedFromTicks(0), 1u);
        QCOMPARE(TRNGenerator::seedFromTicks(77), 77u);
        QCOMPARE(TRNGenerator::seedFromTicks(1u << 24), (1u << 24) + 1);
    }

    void unitValueEdges_data()
    {
        QTest::addColumn<quint32>("word");
        QTest::addColumn<bool>("atLeastOne");
        QTest::newRow("0") << 0u << false;
        QTest::newRow("2^31-2") << 0x7FFFFFFEu << false;
        QTest::newRow("2^31-1") << 0x7FFFFFFFu << true;
        QTest::newRow("-(2^31-1)") << 0x80000001u << true;
        QTest::newRow("-2^31") << 0x80000000u << true;
        QTest::newRow("-1") << 0xFFFFFFFFu << false;
    }
    void unitValueEdges()
    {
        QFETCH(quint32, word);
        QFETCH(bool, atLeastOne);
        const double unit = TRNGenerator::unitValueOfWord(word);
        QCOMPARE(unit >= 1.0, atLeastOne);
        QVERIFY(unit >= 0.0 && unit <= 1.0000000004656613);
        // n = 1 gives 0, and 1 only in the three words that reach 1.
        QCOMPARE(TRNGenerator::scaleToInt(unit, 1), atLeastOne ? 1 : 0);
        QCOMPARE(TRNGenerator::scaleToInt(unit, 0), 0);
    }

    void aValueAndItsNegativeGiveTheSameUnit()
    {
        QCOMPARE(TRNGenerator::unitValueOfWord(12345u),
                 TRNGenerator::unitValueOfWord(quint32(-12345)));
    }

    void randomIntStaysInRange()
    {
        TRNGenerator generator;
        generator.Seed(4357);
        for (qint32 n : {1, 2, 3, 7, 1000, 999999}) {
            for (int i = 0; i < 500; ++i) {
                const qint32 r = generator.RandomInt(n);
                QVERIFY2(r >= 0 && r < n, qPrintable(QString::number(r)));
            }
        }
        QCOMPARE(generator.RandomInt(0), 0);
    }
};

QTEST_GUILESS_MAIN(TestGenerator)
#include "tst_generator.moc"
