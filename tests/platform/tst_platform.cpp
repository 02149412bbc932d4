#include "platform/heap.h"
#include "platform/languageid.h"
#include "platform/platform.h"
#include "support/fakeplatform.h"

#include <QTest>

#include <cstdlib>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

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

    // Left alone, the C library raises its mapping threshold to the size of each large block
    // freed, and the next smaller large block comes from the main heap, to stay there.
    void largeBlocksStayMappedAfterALargerOneWasFreed()
    {
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TIVREL_OWN_ALLOCATOR 1 // the sanitizer's allocator stands in for the C library's
#endif
#endif
#if !defined(__GLIBC__) || defined(__SANITIZE_ADDRESS__) || defined(TIVREL_OWN_ALLOCATOR)
        QSKIP("only the GNU C library's own allocator maps large blocks this way");
#else
        keepLargeBlocksMapped();
        void *larger = std::malloc(4 * 1024 * 1024);
        QVERIFY(larger);
        std::free(larger);
        const size_t mappedBefore = mallinfo2().hblks;
        void *smaller = std::malloc(1024 * 1024);
        QVERIFY(smaller);
        const size_t mappedAfter = mallinfo2().hblks;
        std::free(smaller);
        QCOMPARE(mappedAfter, mappedBefore + 1);
#endif
    }
};

QTEST_GUILESS_MAIN(TestPlatform)
#include "tst_platform.moc"
