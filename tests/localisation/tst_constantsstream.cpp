#include "localisation/codepage.h"
#include "localisation/langconstants.h"

#include <QTest>
#include <QtEndian>

using namespace Qt::StringLiterals;

namespace {

// Writes constants streams the way the older and current writers did.
class StreamWriter {
public:
    StreamWriter(int version, qint32 count, int flagByte = 1) : m_version(version)
    {
        m_data.append(char(version));
        if (version >= 2)
            m_data.append(char(flagByte));
        char bytes[4];
        qToLittleEndian(count, bytes);
        m_data.append(bytes, 4);
    }
    // An entry with the text as UTF-16 (version 2) or as the given 8-bit bytes.
    StreamWriter &entry(const QByteArray &name, const QString &text,
                        const QByteArray &eightBitText = {})
    {
        appendUInt16(quint16(name.size()));
        m_data.append(name);
        if (m_version >= 2) {
            appendUInt16(quint16(text.size()));
            for (const QChar c : text)
                appendUInt16(c.unicode());
        } else {
            appendUInt16(quint16(eightBitText.size()));
            m_data.append(eightBitText);
        }
        return *this;
    }
    QByteArray data() const { return m_data; }

private:
    void appendUInt16(quint16 value)
    {
        char bytes[2];
        qToLittleEndian(value, bytes);
        m_data.append(bytes, 2);
    }

    int m_version;
    QByteArray m_data;
};

QString textOf(const TLangConstants &constants, const QString &name)
{
    const qsizetype index = constants.indexOf(name);
    return index < 0 ? u"<missing>"_s : constants.at(index).text;
}

QByteArray threeConstantsV2()
{
    return StreamWriter(2, 3)
        .entry("StrHallo", u"Hallo!"_s)
        .entry("StrStart", u"&Start"_s)
        .entry("StrZiehung", u"Zeile 1\r\nZeile 2 – Gewinn\t\"ä\""_s)
        .data();
}

} // namespace

class TestConstantsStream : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyVersionIsRead_data()
    {
        QTest::addColumn<QByteArray>("stream");
        QTest::addColumn<bool>("flag");
        QTest::newRow("version 0, 8-bit texts") << StreamWriter(0, 2)
                                                       .entry("StrGewinn", {}, "Ihr Gewinn")
                                                       .entry("StrHallo", {}, "Hallo!")
                                                       .data()
                                                << false;
        QTest::newRow("version 1, 8-bit texts, flag set")
            << StreamWriter(1, 2)
                   .entry("StrGewinn", {}, "Ihr Gewinn")
                   .entry("StrHallo", {}, "Hallo!")
                   .data()
            << true;
        QTest::newRow("version 2, UTF-16 texts") << StreamWriter(2, 2)
                                                        .entry("StrGewinn", u"Ihr Gewinn"_s)
                                                        .entry("StrHallo", u"Hallo!"_s)
                                                        .data()
                                                 << true;
        QTest::newRow("version 2, flag byte 0") << StreamWriter(2, 2, 0)
                                                       .entry("StrGewinn", u"Ihr Gewinn"_s)
                                                       .entry("StrHallo", u"Hallo!"_s)
                                                       .data()
                                                << false;
    }
    void everyVersionIsRead()
    {
        QFETCH(QByteArray, stream);
        QFETCH(bool, flag);
        TLangConstants constants;
        const ConstantsStreamResult result = ReadConstantsStream(stream, CodePageUtf8, constants);
        QVERIFY2(result.ok(), qPrintable(result.error));
        QCOMPARE(result.flag, flag);
        QCOMPARE(constants.count(), 2);
        QCOMPARE(textOf(constants, u"StrGewinn"_s), u"Ihr Gewinn"_s);
        QCOMPARE(textOf(constants, u"StrHallo"_s), u"Hallo!"_s);
        QCOMPARE(constants.at(0).sourceText, constants.at(0).text);
    }

    void utf16TextsKeepLineBreaksTabsAndQuotes()
    {
        TLangConstants constants;
        QVERIFY(ReadConstantsStream(threeConstantsV2(), CodePageUtf8, constants).ok());
        QCOMPARE(textOf(constants, u"StrZiehung"_s), u"Zeile 1\r\nZeile 2 – Gewinn\t\"ä\""_s);
    }

    // 8-bit texts of the old versions: valid UTF-8 reads as UTF-8, other bytes as
    // Windows-1252, so streams from either kind of system read right.
    void eightBitTextsFollowTheCodePage_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<uint>("codePage");
        QTest::addColumn<QString>("text");
        QTest::newRow("UTF-8 bytes") << QByteArray("Bitte pr\xC3\xBC"
                                                   "fen \xE2\x80\x93 \xE2\x82\xAC")
                                     << uint(CodePageUtf8) << u"Bitte prüfen – €"_s;
        QTest::newRow("Windows-1252 bytes") << QByteArray("Bitte pr\xFC"
                                                          "fen \x96 \x80")
                                            << uint(CodePageUtf8) << u"Bitte prüfen – €"_s;
        QTest::newRow("code page 1252")
            << QByteArray("\xC3\xBC") << uint(CodePageWindows1252) << u"Ã¼"_s;
    }
    void eightBitTextsFollowTheCodePage()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(uint, codePage);
        QFETCH(QString, text);
        TLangConstants constants;
        const QByteArray stream = StreamWriter(0, 1).entry("Text", {}, bytes).data();
        QVERIFY(ReadConstantsStream(stream, codePage, constants).ok());
        QCOMPARE(textOf(constants, u"Text"_s), text);
    }

    void newerVersionIsRefused()
    {
        TLangConstants constants;
        QByteArray stream = threeConstantsV2();
        stream[0] = 3;
        const ConstantsStreamResult result = ReadConstantsStream(stream, CodePageUtf8, constants);
        QCOMPARE(result.error, u"Stream version (3) is greater than the current one (2)"_s);
        QCOMPARE(constants.count(), 0);
    }

    // Cut the stream at every length: never a read past the end (the sanitizer
    // build checks that), always an error, and exactly the complete entries kept.
    void truncatedStreamKeepsCompleteEntries()
    {
        const QByteArray full = threeConstantsV2();
        const qsizetype entryEnds[] = {6 + 2 + 8 + 2 + 12, 6 + 2 + 8 + 2 + 12 + 2 + 8 + 2 + 12};
        for (qsizetype length = 0; length < full.size(); ++length) {
            const QByteArray cut(full.constData(), length); // a copy, no slack behind it
            TLangConstants constants;
            const ConstantsStreamResult result = ReadConstantsStream(cut, CodePageUtf8, constants);
            QVERIFY2(!result.ok(), qPrintable(QString::number(length)));
            const qsizetype complete = (length >= entryEnds[1])   ? 2
                                       : (length >= entryEnds[0]) ? 1
                                                                  : 0;
            QCOMPARE(constants.count(), complete);
            QCOMPARE(result.read, complete);
        }
        TLangConstants constants;
        QVERIFY(ReadConstantsStream(full, CodePageUtf8, constants).ok());
        QCOMPARE(constants.count(), 3);
    }

    void countBeyondTheDataIsTruncation()
    {
        TLangConstants constants;
        const QByteArray stream = StreamWriter(2, 0x7FFFFFFF).entry("StrHallo", u"Hallo!"_s).data();
        const ConstantsStreamResult result = ReadConstantsStream(stream, CodePageUtf8, constants);
        QVERIFY(!result.ok());
        QCOMPARE(constants.count(), 1);
    }

    void negativeCountIsRefused()
    {
        TLangConstants constants;
        const ConstantsStreamResult result =
            ReadConstantsStream(StreamWriter(2, -1).data(), CodePageUtf8, constants);
        QVERIFY(!result.ok());
        QCOMPARE(constants.count(), 0);
    }

    // The list is sorted whatever order the stream has, so halving finds every
    // name in any case; a name given twice keeps its last text.
    void listIsSortedAndSearchedCaseInsensitively()
    {
        TLangConstants constants;
        const QByteArray stream = StreamWriter(2, 5)
                                      .entry("StrZiehung", u"z"_s)
                                      .entry("HilfeReset", u"h"_s)
                                      .entry("StrStart", u"s1"_s)
                                      .entry("Str_Start", u"u"_s)
                                      .entry("STRSTART", u"s2"_s)
                                      .data();
        QVERIFY(ReadConstantsStream(stream, CodePageUtf8, constants).ok());
        QCOMPARE(constants.count(), 4);
        for (qsizetype i = 1; i < constants.count(); ++i)
            QVERIFY(constants.at(i - 1).name.compare(constants.at(i).name, Qt::CaseInsensitive) <
                    0);
        QCOMPARE(textOf(constants, u"strstart"_s), u"s2"_s);
        QCOMPARE(textOf(constants, u"str_start"_s), u"u"_s);
        QCOMPARE(textOf(constants, u"hilfereset"_s), u"h"_s);
        QCOMPARE(textOf(constants, u"STRZIEHUNG"_s), u"z"_s);
        QCOMPARE(constants.indexOf(u"StrStar"_s), -1);
        QCOMPARE(constants.indexOf(u"StrStartx"_s), -1);
        QCOMPARE(constants.indexOf(u""_s), -1);
    }
};

QTEST_GUILESS_MAIN(TestConstantsStream)
#include "tst_constantsstream.moc"
