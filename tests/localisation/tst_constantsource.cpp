#include "constantsource.h"
#include "localisation/langmanager.h"

#include <QFile>
#include <QSet>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QList<SourceConstant> parseFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<SourceConstant> constants;
    QString error;
    if (!ParseConstantSource(QString::fromUtf8(file.readAll()), constants, error))
        qWarning("%s: %s", qPrintable(path), qPrintable(error));
    return constants;
}

QSet<QString> namesOf(const QList<SourceConstant> &constants)
{
    QSet<QString> names;
    for (const SourceConstant &constant : constants)
        names.insert(constant.name);
    return names;
}

} // namespace

// The readable source files of the language constants and their parser.
class TestConstantSource : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void textsAreDecoded_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("text");
        QTest::newRow("escapes") << u"A = \"a\\r\\nb\\tc \\\"d\\\" e\\\\f\""_s
                                 << u"a\r\nb\tc \"d\" e\\f"_s;
        QTest::newRow("joined pieces")
            << u"# note\nA =\n    \"one\\r\\n\"  # first\n    \"two\"\n"_s << u"one\r\ntwo"_s;
        QTest::newRow("umlauts and quotes")
            << u"A = \"„Neuen Durchgang” «Datei» ä\""_s << u"„Neuen Durchgang” «Datei» ä"_s;
        QTest::newRow("block") << u"A = <<END\n<p class=\"x\">\\n</p>\n\tzwei\nEND\n"_s
                               << u"<p class=\"x\">\\n</p>\r\n\tzwei"_s;
        QTest::newRow("block with CR LF lines")
            << u"A = <<END\r\neins\r\nzwei\r\nEND\r\n"_s << u"eins\r\nzwei"_s;
    }
    void textsAreDecoded()
    {
        QFETCH(QString, source);
        QFETCH(QString, text);
        QList<SourceConstant> constants;
        QString error;
        QVERIFY2(ParseConstantSource(source, constants, error), qPrintable(error));
        QCOMPARE(constants.size(), 1);
        QCOMPARE(constants.at(0).name, u"A"_s);
        QCOMPARE(constants.at(0).text, text);
    }

    void faultsAreReportedWithTheirLine_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("error");
        QTest::newRow("unknown escape")
            << u"A = \"x\"\nB = \"\\q\""_s << u"line 2: unknown escape \\q"_s;
        QTest::newRow("unterminated") << u"A = \"x"_s << u"line 1: unterminated text"_s;
        QTest::newRow("duplicate")
            << u"Abc = \"x\"\nABC = \"y\""_s << u"line 2: duplicate constant name ABC"_s;
        QTest::newRow("no text") << u"A =\nB = \"y\""_s
                                 << u"line 2: a quoted text expected for A"_s;
        QTest::newRow("no equals") << u"A \"x\""_s << u"line 1: \"=\" expected after A"_s;
        QTest::newRow("not a name") << u"1A = \"x\""_s << u"line 1: a constant name expected"_s;
        QTest::newRow("block without end")
            << u"A = <<END\nx\n"_s << u"line 3: end mark END missing"_s;
    }
    void faultsAreReportedWithTheirLine()
    {
        QFETCH(QString, source);
        QFETCH(QString, error);
        QList<SourceConstant> constants;
        QString message;
        QVERIFY(!ParseConstantSource(source, constants, message));
        QCOMPARE(message, error);
    }

    void idKeysAreCheckedAsNumbers_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("error");
        QTest::newRow("same ID, other digits")
            << u"7 = \"x\"\n007 = \"y\""_s << u"line 2: duplicate constant name 7"_s;
        QTest::newRow("a name") << u"Caption = \"x\""_s << u"line 1: an ID expected"_s;
        QTest::newRow("zero") << u"0 = \"x\""_s << u"line 1: an ID expected"_s;
    }
    void idKeysAreCheckedAsNumbers()
    {
        QFETCH(QString, source);
        QFETCH(QString, error);
        QList<SourceConstant> constants;
        QString message;
        QVERIFY(!ParseConstantSource(source, constants, message, SourceKeys::Ids));
        QCOMPARE(message, error);
    }

    // The English texts must cover exactly the constants of the German source,
    // the language of the built-in stream.
    void englishSourceHasEveryGermanConstant()
    {
        const auto german = parseFile(QStringLiteral(TIVREL_RESOURCES_DIR "/constants_de.txt"));
        const auto english = parseFile(QStringLiteral(TIVREL_RESOURCES_DIR "/constants_en.txt"));
        QVERIFY(!german.isEmpty());
        QCOMPARE(namesOf(english), namesOf(german));
        for (const SourceConstant &constant : english) {
            if (constant.name == u"HinweisDateiNichtGefunden")
                QCOMPARE(constant.text,
                         u"The appointed list (file) can not be loaded.\r\nPlease check!"_s);
            QVERIFY2(!constant.text.contains(u'\n') ||
                         constant.text.count(u'\n') == constant.text.count(u"\r\n"),
                     qPrintable(constant.name)); // every line break is CR LF
        }
    }

    // The program's built-in constants are the German source's, each with its text, and no
    // others: a constant the stream drops or garbles fails here by name.
    void builtInConstantsAreTheGermanSource()
    {
        const auto german = parseFile(QStringLiteral(TIVREL_RESOURCES_DIR "/constants_de.txt"));
        QVERIFY(!german.isEmpty());
        const QStringList names = LangManager().constantNames();
        QCOMPARE(QSet<QString>(names.begin(), names.end()), namesOf(german));
        for (const SourceConstant &constant : german)
            QCOMPARE(LangManager().LookupConstant(constant.name), constant.text);
    }
};

QTEST_GUILESS_MAIN(TestConstantSource)
#include "tst_constantsource.moc"
