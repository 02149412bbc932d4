#include "localisation/formattext.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestFormatText : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void placeholdersAreFilled_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QVariantList>("args");
        QTest::addColumn<QString>("expected");
        QTest::newRow("width on number and text")
            << u"%2d / %2s"_s << QVariantList{3, u"7"_s} << u" 3 /  7"_s;
        QTest::newRow("two-digit time") << u"%.2d:%.2d"_s << QVariantList{7, 5} << u"07:05"_s;
        QTest::newRow("wide enough already")
            << u"%.2d:%.2d"_s << QVariantList{12, 345} << u"12:345"_s;
        QTest::newRow("six digits") << u"%.6d"_s << QVariantList{42} << u"000042"_s;
        QTest::newRow("sign before the zeros") << u"%.3d"_s << QVariantList{-7} << u"-007"_s;
        QTest::newRow("text") << u"Gewinn Nr. %s"_s << QVariantList{u"12"_s} << u"Gewinn Nr. 12"_s;
        QTest::newRow("number as %s")
            << u"Gewinn Nr. %s"_s << QVariantList{12} << u"Gewinn Nr. 12"_s;
        QTest::newRow("number text as %d") << u"%d"_s << QVariantList{u"15"_s} << u"15"_s;
        QTest::newRow("percent sign") << u"Quote %d%%"_s << QVariantList{10} << u"Quote 10%"_s;
        QTest::newRow("left aligned") << u"[%-4s]"_s << QVariantList{u"ab"_s} << u"[ab  ]"_s;
        QTest::newRow("text precision cuts") << u"%.3s"_s << QVariantList{u"abcdef"_s} << u"abc"_s;
        QTest::newRow("upper-case type") << u"%S-%D"_s << QVariantList{u"x"_s, 4} << u"x-4"_s;
        QTest::newRow("line breaks kept")
            << u"Die angegebene %s kann nicht geladen werden.\r\nBitte prüfen!"_s
            << QVariantList{u"Gewinnliste"_s}
            << u"Die angegebene Gewinnliste kann nicht geladen werden.\r\nBitte prüfen!"_s;
    }
    void placeholdersAreFilled()
    {
        QFETCH(QString, pattern);
        QFETCH(QVariantList, args);
        QFETCH(QString, expected);
        QCOMPARE(FormatText(pattern, args), expected);
    }

    // Messages are formatted with whatever arguments the caller has: nothing may
    // fail or crash, surplus arguments vanish, missing ones leave the placeholder.
    void argumentsAndPlaceholdersNeedNotMatch_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QVariantList>("args");
        QTest::addColumn<QString>("expected");
        QTest::newRow("no placeholder")
            << u"The appointed list (file) can not be loaded.\r\nPlease check!"_s
            << QVariantList{u"liste.txt"_s}
            << u"The appointed list (file) can not be loaded.\r\nPlease check!"_s;
        QTest::newRow("surplus argument") << u"%s"_s << QVariantList{u"a"_s, u"b"_s} << u"a"_s;
        QTest::newRow("missing argument")
            << u"%s und %2d"_s << QVariantList{u"a"_s} << u"a und %2d"_s;
        QTest::newRow("no arguments") << u"%.2d:%s"_s << QVariantList{} << u"%.2d:%s"_s;
        QTest::newRow("unknown type") << u"%x %s"_s << QVariantList{u"a"_s} << u"%x a"_s;
        QTest::newRow("percent at the end") << u"100%"_s << QVariantList{1} << u"100%"_s;
        QTest::newRow("incomplete at the end") << u"%.2"_s << QVariantList{1} << u"%.2"_s;
        QTest::newRow("text as %d") << u"%d"_s << QVariantList{u"abc"_s} << u"abc"_s;
        QTest::newRow("huge width is capped")
            << u"%99999999999d"_s << QVariantList{1} << QString(9998, u' ') + u"1"_s;
    }
    void argumentsAndPlaceholdersNeedNotMatch()
    {
        QFETCH(QString, pattern);
        QFETCH(QVariantList, args);
        QFETCH(QString, expected);
        QCOMPARE(FormatText(pattern, args), expected);
    }
};

QTEST_GUILESS_MAIN(TestFormatText)
#include "tst_formattext.moc"
