#include "platform/languageid.h"
#include "platform/platform.h"
#include "support/fakeplatform.h"

#include <QTest>

class TestPlatform : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void localeNamesMapToWindowsLanguageIds_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("id");
        QTest::newRow("German, Germany") << QStringLiteral("de_DE") << 1031;
        QTest::newRow("German, Switzerland") << QStringLiteral("de_CH") << 2055;
        QTest::newRow("German, Austria") << QStringLiteral("de_AT") << 3079;
        QTest::newRow("German, Luxembourg") << QStringLiteral("de_LU") << 4103;
        QTest::newRow("German, Liechtenstein") << QStringLiteral("de_LI") << 5127;
        QTest::newRow("English, United Kingdom") << QStringLiteral("en_GB") << 2057;
        QTest::newRow("English, United States") << QStringLiteral("en_US") << 1033;
        QTest::newRow("French, France") << QStringLiteral("fr_FR") << 1036;
    }
    void localeNamesMapToWindowsLanguageIds()
    {
        QFETCH(QString, locale);
        QFETCH(int, id);
        QCOMPARE(int(languageIdForLocaleName(locale)), id);
    }

    void filesBesideTheProgramShareItsName()
    {
        FakePlatform platform(QStringLiteral("/opt/tivrel/bin/tivrel"));
        QCOMPARE(programFolder(platform), QStringLiteral("/opt/tivrel/bin/"));
        QCOMPARE(programSiblingPath(platform, QStringLiteral(".ini")),
                 QStringLiteral("/opt/tivrel/bin/tivrel.ini"));
        QCOMPARE(programSiblingPath(platform, QStringLiteral(".log")),
                 QStringLiteral("/opt/tivrel/bin/tivrel.log"));
    }
};

QTEST_GUILESS_MAIN(TestPlatform)
#include "tst_platform.moc"
