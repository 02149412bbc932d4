#include "localisation/form1langdata.h"
#include "localisation/langfile.h"
#include "localisation/langmanager.h"

#include <QFile>
#include <QRandomGenerator>
#include <QSet>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QByteArray utf16le(const QString &text)
{
    QByteArray bytes("\xFF\xFE", 2);
    for (const QChar c : text) {
        bytes.append(char(c.unicode() & 0xFF));
        bytes.append(char(c.unicode() >> 8));
    }
    return bytes;
}

QByteArray builtInEnglish()
{
    QFile file(u":/LNG_ENGLISH"_s);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString failure(int line, const QString &problem)
{
    return u"Loading translations failed.\r\nLine %1: %2"_s.arg(line).arg(problem);
}

} // namespace

class TestLangFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readsParametersSectionsAndConstants()
    {
        const QString text = u"; a comment\r\n"
                             u"  LANGID = 2057  \r\n"
                             u"Author=a=b\r\n"
                             u"[not a section\r\n"
                             u"\r\n"
                             u"[ form1 ]\r\n"
                             u"00000004 = &Start\r\n"
                             u"7=Game / Number\r\n"
                             u"abc=ignored\r\n"
                             u"00000000=ignored\r\n"
                             u"99999999999=ignored\r\n"
                             u"no equals sign\r\n"
                             u"=no key\r\n"
                             u";00000008=commented out\r\n"
                             u"[$constants]\r\n"
                             u"StrStopp=&Stop\r\n"
                             u"[Form1]\r\n"
                             u"00000008=Drawn\r\n"_s;
        const LangFileParse parse = ParseLanguageFile(utf16le(text));
        QVERIFY2(parse.ok(), qPrintable(parse.error));
        const TLangCompTranslations &t = parse.translations;
        QCOMPARE(t.languageId(), quint16(2057));
        QCOMPARE(t.parameters.value(u"Author"_s), u"a=b"_s);
        QCOMPARE(t.sections.size(), 1);
        const TLangCompTranslation *form = t.section(u"FORM1"_s);
        QVERIFY(form);
        QCOMPARE(form->texts, (QHash<qint32, QString>{
                                  {4, u"&Start"_s}, {7, u"Game / Number"_s}, {8, u"Drawn"_s}}));
        QCOMPARE(t.constants, (QHash<QString, QString>{{u"StrStopp"_s, u"&Stop"_s}}));
        QVERIFY(!t.section(u"Form2"_s));
    }

    void decodesEscapes_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("backslash") << uR"(a\\b)"_s << uR"(a\b)"_s;
        QTest::newRow("line break") << uR"(a\nb)"_s << u"a\r\nb"_s;
        QTest::newRow("tab") << uR"(a\tb)"_s << u"a\tb"_s;
        QTest::newRow("blank by code") << uR"(\32a\32)"_s << u" a "_s;
        QTest::newRow("two digits only") << uR"(\655)"_s << u"A5"_s;
        QTest::newRow("one digit") << uR"(\6x)"_s << uR"(\6x)"_s;
        QTest::newRow("other escape") << uR"(\x\N)"_s << uR"(\x\N)"_s;
        QTest::newRow("backslash at end") << uR"(a\)"_s << uR"(a\)"_s;
        QTest::newRow("escaped backslash before n") << uR"(\\n)"_s << uR"(\n)"_s;
    }
    void decodesEscapes()
    {
        QFETCH(QString, value);
        QFETCH(QString, text);
        QCOMPARE(DecodeLangFileValue(value), text);
    }

    // What the build tool writes must read back exactly, even where the line is trimmed.
    void encodedTextsReadBack_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("blanks at both ends") << u"  two blanks  "_s;
        QTest::newRow("single blank") << u" "_s;
        QTest::newRow("line breaks") << u"a\r\nb\nc\rd\r\n"_s;
        QTest::newRow("tab at the end") << u"a\t"_s;
        QTest::newRow("backslash and digits") << uR"(C:\12\n\t\)"_s;
        QTest::newRow("semicolon and brackets") << u";[x]=y"_s;
        QTest::newRow("control character") << QString(QChar(7));
    }
    void encodedTextsReadBack()
    {
        QFETCH(QString, text);
        const QString file = u"[$CONSTANTS]\r\nName="_s + EncodeLangFileValue(text) + u"\r\n"_s;
        const LangFileParse parse = ParseLanguageFile(utf16le(file));
        QVERIFY2(parse.ok(), qPrintable(parse.error));
        QCOMPARE(parse.translations.constants.value(u"Name"_s), text);
    }

    void reportsErrorsWithTheirLine_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("error");
        QTest::newRow("invalid constant name")
            << utf16le(u"LANGID=2057\r\n\r\n[$CONSTANTS]\r\nGood=1\r\n1Bad=2\r\n"_s)
            << failure(4, uR"(Invalid constant name ("1Bad"))"_s);
        QTest::newRow("constant named twice, other case")
            << utf16le(u"[$CONSTANTS]\r\nStrStart=a\r\nSTRSTART=b\r\n"_s)
            << failure(2, uR"(Duplicate constant name ("STRSTART"))"_s);
        QTest::newRow("ID given twice, other digits")
            << utf16le(u"[Form1]\r\n00000007=a\r\n[Other]\r\n7=b\r\n[form1]\r\n7=c\r\n"_s)
            << failure(5, u"Duplicate property value translation ID (7)"_s);
        QTest::newRow("lines end with CR, LF or CR LF")
            << QByteArray("[$CONSTANTS]\rA=1\nB=2\r\n\r\nC-D=3\r\n")
            << failure(4, uR"(Invalid constant name ("C-D"))"_s);
        QTest::newRow("big-endian UTF-16")
            << QByteArray("\xFE\xFF\0[\0$\0C\0O\0N\0S\0T\0A\0N\0T\0S\0]\0\n\0\xE4\0=\0x", 34)
            << failure(1, u"Invalid constant name (\"\u00E4\")"_s);
    }
    void reportsErrorsWithTheirLine()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, error);
        const LangFileParse parse = ParseLanguageFile(file);
        QCOMPARE(parse.error, error);
        QVERIFY(parse.translations.constants.isEmpty());
        QVERIFY(parse.translations.sections.isEmpty());
    }

    void eightBitFilesAreDecoded_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("UTF-8") << QByteArray(
            "LANGID=1031\n[$CONSTANTS]\nX=Gr\xC3\xB6\xC3\x9F\x65\n");
        QTest::newRow("UTF-8 with byte-order mark")
            << QByteArray("\xEF\xBB\xBF[$CONSTANTS]\nX=Gr\xC3\xB6\xC3\x9F\x65\n");
        QTest::newRow("Windows-1252")
            << QByteArray("LANGID=1031\n[$CONSTANTS]\nX=Gr\xF6\xDF\x65\n");
    }
    void eightBitFilesAreDecoded()
    {
        QFETCH(QByteArray, file);
        const LangFileParse parse = ParseLanguageFile(file);
        QVERIFY2(parse.ok(), qPrintable(parse.error));
        QCOMPARE(parse.translations.constants.value(u"X"_s), u"Größe"_s);
    }

    void splitsTextIntoLines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty") << QString() << QStringList();
        QTest::newRow("break at the end") << u"a\r\nb\r\n"_s << QStringList{u"a"_s, u"b"_s};
        QTest::newRow("no break at the end") << u"a\nb"_s << QStringList{u"a"_s, u"b"_s};
        QTest::newRow("empty line kept") << u"a\r\n\r\nb"_s << QStringList{u"a"_s, {}, u"b"_s};
    }
    void splitsTextIntoLines()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        QCOMPARE(SplitTextLines(text), lines);
    }

    void builtInEnglishHoldsEveryWindowTextAndEveryConstant()
    {
        const QByteArray file = builtInEnglish();
        QVERIFY(file.startsWith("\xFF\xFE"));
        const LangFileParse parse = ParseLanguageFile(file);
        QVERIFY2(parse.ok(), qPrintable(parse.error));
        QCOMPARE(parse.translations.languageId(), LangIdEnglishUK);

        const TLangCompTranslation *form = parse.translations.section(Form1SectionName);
        QVERIFY(form);
        for (const LangDataEntry &entry : Form1LangData())
            QVERIFY2(form->text(entry.id), qPrintable(QString::number(entry.id)));

        QSet<QString> english;
        for (auto it = parse.translations.constants.cbegin();
             it != parse.translations.constants.cend(); ++it)
            english.insert(it.key().toLower());
        const QStringList german = TLanguageManager(u":/LANG_CONSTS"_s).constantNames();
        QVERIFY(!german.isEmpty());
        for (const QString &name : german)
            QVERIFY2(english.contains(name.toLower()), qPrintable(name));
        QCOMPARE(english.size(), german.size());
    }

    void englishModeListHasFiveItems()
    {
        const LangFileParse parse = ParseLanguageFile(builtInEnglish());
        const TLangCompTranslation *form = parse.translations.section(Form1SectionName);
        QVERIFY(form && form->text(107));
        const QStringList modes = SplitTextLines(*form->text(107));
        QCOMPARE(modes.size(), 5);
        QCOMPARE(modes.first(), u"Hand Operated"_s);
        QCOMPARE(modes.last(), u"Lottery"_s);
    }

    // Damaged files either parse or fail with the line of the damage; nothing else happens.
    void damagedFilesNeverCrash()
    {
        const QByteArray original = builtInEnglish();
        QVERIFY(!original.isEmpty());
        QRandomGenerator random(20261209);
        const char inserts[] = {'\\', '[', ']', '=', '\r', '\n', ';', '$', '0', '\0', '\xFF'};
        int failed = 0;
        for (int round = 0; round < 3000; ++round) {
            QByteArray file = original;
            const int edits = 1 + random.bounded(12);
            for (int e = 0; e < edits && !file.isEmpty(); ++e) {
                const qsizetype at = random.bounded(qint64(file.size()));
                switch (random.bounded(4)) {
                case 0: file[at] = char(random.bounded(256)); break;
                case 1: file.insert(at, inserts[random.bounded(int(sizeof inserts))]); break;
                case 2: file.remove(at, 1 + random.bounded(8)); break;
                default: file.truncate(at); break;
                }
            }
            if (round % 10 == 0) { // now and then plain noise
                file.resize(random.bounded(400));
                for (char &c : file)
                    c = char(random.bounded(256));
            }
            const LangFileParse parse = ParseLanguageFile(file);
            if (!parse.ok()) {
                ++failed;
                QVERIFY2(parse.error.startsWith(u"Loading translations failed.\r\nLine "_s),
                         qPrintable(parse.error));
            }
        }
        QVERIFY(failed > 0); // the damage did reach the error paths
    }
};

QTEST_GUILESS_MAIN(TestLangFile)
#include "tst_langfile.moc"
