#include "filesizelimit.h"

#include "settings/profilefile.h"
#include "support/testfolder.h"

#include <QDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {
const QString Ini = QStringLiteral("tivrel.ini");

QString s(const char *text)
{
    return QString::fromUtf8(text);
}
} // namespace

class TestProfileFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readsValuesAsTheProfileFunctionsDo_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected"); // "<missing>" when there is no value

        const QByteArray file = "Start=1\n[NUM]\nStart = 5 \nEND=7\nstart=9\n; Cent=0\nnoequals\n"
                                "[ display ]\r\nSFile=  a b.wav\t\r\nEmpty=\r\n[NUM]\nCent=1\n";
        QTest::newRow("key in its section") << file << s("NUM") << s("Start") << s("5");
        QTest::newRow("section name in any case") << file << s("num") << s("Start") << s("5");
        QTest::newRow("key name in any case") << file << s("NUM") << s("end") << s("7");
        QTest::newRow("first of two keys counts") << file << s("NUM") << s("START") << s("5");
        QTest::newRow("comment is no key") << file << s("NUM") << s("; Cent") << s("<missing>");
        QTest::newRow("first of two sections counts")
            << file << s("NUM") << s("Cent") << s("<missing>");
        QTest::newRow("blanks around the section name")
            << file << s("DISPLAY") << s("SFile") << s("a b.wav");
        QTest::newRow("empty value") << file << s("DISPLAY") << s("Empty") << QString();
        QTest::newRow("missing key") << file << s("DISPLAY") << s("Sound") << s("<missing>");
        QTest::newRow("missing section") << file << s("DRAW") << s("Mode") << s("<missing>");
        QTest::newRow("lone CR ends lines")
            << QByteArray("[A]\rx=1\ry=2\r") << s("A") << s("y") << s("2");
        QTest::newRow("UTF-8 byte-order mark")
            << QByteArray("\xEF\xBB\xBF[A]\nx=1\n") << s("A") << s("x") << s("1");
        QTest::newRow("UTF-8 text") << QByteArray("[A]\nx=Gr\xC3\xBC\xC3\x9F"
                                                  "e\n")
                                    << s("A") << s("x") << s("Grüße");
        QTest::newRow("Windows-1252 text") << QByteArray("[A]\nx=Gr\xFC\xDF"
                                                         "e \x80\n")
                                           << s("A") << s("x") << s("Grüße €");
        QTest::newRow("value cut to 2047 characters")
            << QByteArray("[A]\nx=" + QByteArray(3000, 'v') + "\n") << s("A") << s("x")
            << QString(2047, u'v');
    }
    void readsValuesAsTheProfileFunctionsDo()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        TestFolder folder;
        folder.write(Ini, content);
        const std::optional<QString> value = ProfileFile(folder.file(Ini)).value(section, key);
        QCOMPARE(value.value_or(s("<missing>")), expected);
    }

    void typedReadersFallBackToTheDefault_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<double>("expected"); // the default is 77 for every reader (1 for bool)

        const QString en = s("en_GB"), de = s("de_DE");
        QTest::newRow("integer") << s(" -42 ") << s("int") << en << -42.0;
        QTest::newRow("integer with a plus") << s("+7") << s("int") << en << 7.0;
        QTest::newRow("hex integer") << s("$FF") << s("int") << en << 255.0;
        QTest::newRow("integer: letters") << s("12abc") << s("int") << en << 77.0;
        QTest::newRow("integer: empty") << QString() << s("int") << en << 77.0;
        QTest::newRow("integer: decimal") << s("1.5") << s("int") << en << 77.0;
        QTest::newRow("integer: beyond 32 bits") << s("2147483648") << s("int") << en << 77.0;
        QTest::newRow("integer: lowest") << s("-2147483648") << s("int") << en << -2147483648.0;
        QTest::newRow("bool: zero") << s("0") << s("bool") << en << 0.0;
        QTest::newRow("bool: any non-zero") << s("-3") << s("bool") << en << 1.0;
        QTest::newRow("bool: text") << s("false") << s("bool") << en << 1.0;
        QTest::newRow("decimal, English") << s("12.5") << s("dec") << en << 12.5;
        QTest::newRow("decimal, German") << s("12,5") << s("dec") << de << 12.5;
        QTest::newRow("decimal comma, English") << s("12,5") << s("dec") << en << 77.0;
        QTest::newRow("decimal point, German") << s("12.5") << s("dec") << de << 77.0;
        QTest::newRow("decimal: whole number") << s("10") << s("dec") << de << 10.0;
        QTest::newRow("decimal: exponent") << s("1e2") << s("dec") << en << 100.0;
        QTest::newRow("decimal: infinite") << s("1e999") << s("dec") << en << 77.0;
        QTest::newRow("decimal: not a number") << s("nan") << s("dec") << en << 77.0;
        QTest::newRow("decimal: letters") << s("zehn") << s("dec") << en << 77.0;
    }
    void typedReadersFallBackToTheDefault()
    {
        QFETCH(QString, text);
        QFETCH(QString, type);
        QFETCH(QString, locale);
        QFETCH(double, expected);
        TestFolder folder;
        folder.write(Ini, "[S]\nk=" + text.toUtf8() + "\n");
        const ProfileFile ini(folder.file(Ini), QLocale(locale));
        double got = 0;
        if (type == QLatin1String("int"))
            got = ini.readInteger(s("S"), s("k"), 77);
        else if (type == QLatin1String("bool"))
            got = ini.readBool(s("S"), s("k"), true) ? 1 : 0;
        else
            got = ini.readDecimal(s("S"), s("k"), 77);
        QCOMPARE(got, expected);
        // A missing key gives the default as well.
        QCOMPARE(ini.readInteger(s("S"), s("missing"), 77), 77);
        QCOMPARE(ini.readString(s("S"), s("missing"), s("d")), s("d"));
    }

    void decimalsAreWrittenShortestInTheUsersLocale_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("expected");
        QTest::newRow("twelve and a half, German") << 12.5 << s("de_DE") << s("12,5");
        QTest::newRow("twelve and a half, English") << 12.5 << s("en_GB") << s("12.5");
        QTest::newRow("ten") << 10.0 << s("de_DE") << s("10");
        QTest::newRow("thousands without separator") << 1234.5 << s("de_DE") << s("1234,5");
        QTest::newRow("fifteen digits") << 1.0 / 3 << s("en_GB") << s("0.333333333333333");
        QTest::newRow("one tenth") << 0.1 << s("en_GB") << s("0.1");
    }
    void decimalsAreWrittenShortestInTheUsersLocale()
    {
        QFETCH(double, value);
        QFETCH(QString, locale);
        QFETCH(QString, expected);
        QCOMPARE(ProfileFile::decimalText(value, QLocale(locale)), expected);
        QCOMPARE(ProfileFile::parseDecimal(expected, QLocale(locale)).value_or(-1),
                 QString::number(value, 'g', 15).toDouble());
    }

    void writesReplaceInPlaceAndAppend()
    {
        TestFolder folder;
        folder.write(Ini, "; settings\r\n[num]\r\nSTART = 1\r\nOther=x\r\n\r\n[Extra]\r\nA=b\r\n");
        ProfileFile ini(folder.file(Ini));
        QVERIFY(ini.writeInteger(s("NUM"), s("Start"), 5));
        QVERIFY(ini.writeBool(s("NUM"), s("Cent"), true));
        QVERIFY(ini.writeString(s("DRAW"), s("Time"), s("12:30")));
        QVERIFY(ini.writeString(s("DRAW"), s("Mode"), s("4")));
        QCOMPARE(folder.read(Ini),
                 QByteArray(
                     "; settings\r\n[num]\r\nSTART=5\r\nOther=x\r\nCent=1\r\n\r\n[Extra]\r\nA=b\r\n"
                     "\r\n[DRAW]\r\nTime=12:30\r\nMode=4\r\n"));
        // Another object reads what was written.
        const ProfileFile again(folder.file(Ini));
        QCOMPARE(again.readInteger(s("Num"), s("start"), 0), 5);
        QCOMPARE(again.readString(s("draw"), s("time")), s("12:30"));
    }

    void anUnchangedValueLeavesTheFileAlone()
    {
#ifdef Q_OS_UNIX
        TestFolder folder;
        ProfileFile ini(folder.file(Ini));
        auto inode = [&] {
            struct stat st {};
            return ::stat(QFile::encodeName(folder.file(Ini)).constData(), &st) == 0 ? st.st_ino
                                                                                     : 0;
        };
        QVERIFY(ini.writeInteger(s("NUM"), s("Start"), 5));
        const auto first = inode();
        QVERIFY(first != 0);
        QVERIFY(ini.writeInteger(s("num"), s("start"), 5));
        QCOMPARE(inode(), first); // not replaced
        QVERIFY(ini.writeInteger(s("NUM"), s("Start"), 6));
        QVERIFY(inode() != first);
        QCOMPARE(folder.read(Ini), QByteArray("[NUM]\nStart=6\n"));
#else
        QSKIP("needs inode numbers");
#endif
    }

    void writesUtf8AndOneLinePerValue()
    {
        TestFolder folder;
        folder.write(Ini, "[A]\nname=Gr\xFC\xDF"
                          "e\n");
        ProfileFile ini(folder.file(Ini));
        QVERIFY(ini.writeString(s("A"), s("x"), s("a\r\nb=c\nd")));
        QCOMPARE(folder.read(Ini), QByteArray("[A]\nname=Gr\xC3\xBC\xC3\x9F"
                                              "e\nx=a  b=c d\n"));
        QCOMPARE(ProfileFile(folder.file(Ini)).readString(s("A"), s("name")), s("Grüße"));
    }

    void aFileThatCanNotBeWrittenReportsItsFullPath()
    {
        TestFolder folder;
        folder.write(s("afile"), "x");
        const QString path = folder.file(s("afile/tivrel.ini")); // its folder is a file
        ProfileFile ini(path);
        QVERIFY(!ini.writeInteger(s("NUM"), s("Start"), 5));
        QCOMPARE(ini.errorString(),
                 s("In ") + QDir::toNativeSeparators(path) + s(" kann nicht geschrieben werden"));
        QVERIFY(!ini.value(s("NUM"), s("Start"))); // the object is as before the write
    }

    void aWriteProtectedFileIsNotReplaced()
    {
        TestFolder folder;
        folder.write(Ini, "[NUM]\nStart=1\n");
        QFile::setPermissions(folder.file(Ini), QFile::ReadOwner | QFile::ReadUser);
        if (QFileInfo(folder.file(Ini)).isWritable())
            QSKIP("running as root: write protection does not hold");
        ProfileFile ini(folder.file(Ini));
        QVERIFY(!ini.writeInteger(s("NUM"), s("Start"), 5));
        QCOMPARE(folder.read(Ini), QByteArray("[NUM]\nStart=1\n"));
    }

    void aFullDiskLeavesTheOldFileWhole()
    {
#ifdef Q_OS_UNIX
        TestFolder folder;
        const QByteArray old = "[NUM]\nStart=1\n";
        folder.write(Ini, old);
        ProfileFile ini(folder.file(Ini));
        bool written = true;
        {
            const FileSizeLimit limit(64);
            written = ini.writeString(s("NUM"), s("Start"), QString(500, u'9'));
        }
        QVERIFY(!written);
        QCOMPARE(folder.read(Ini), old);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{Ini}); // no leftovers
        QVERIFY(ini.writeInteger(s("NUM"), s("Start"), 2)); // the object is still usable
        QCOMPARE(folder.read(Ini), QByteArray("[NUM]\nStart=2\n"));
#else
        QSKIP("needs a file size limit");
#endif
    }
};

QTEST_GUILESS_MAIN(TestProfileFile)
#include "tst_profilefile.moc"
