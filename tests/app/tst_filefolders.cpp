// A folder given with --folder that cannot take the files: the operator is told which and why,
// in a box (started from the menu, standard error is seen by nobody).
#include "app/filefolders.h"
#include "localisation/uitext.h"
#include "platform/filelocations.h"
#include "support/fakeplatform.h"
#include "support/testfolder.h"

#include <QApplication>
#include <QDir>
#include <QTest>

#include <unistd.h>

class TestFileFolders : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void unusableChosenFolderIsToldInABox_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("reason");
        using K = FolderProblem::Kind;
        QTest::newRow("a file given as the folder")
            << QStringLiteral("notes.txt") << int(K::FileInPlace) << "StrOrdnerIstDatei";
        QTest::newRow("a file above the folder")
            << QStringLiteral("notes.txt/event") << int(K::FileInPlace) << "StrOrdnerIstDatei";
        QTest::newRow("a read-only folder")
            << QStringLiteral("locked") << int(K::NotWritable) << "StrOrdnerNichtBeschreibbar";
    }
    void unusableChosenFolderIsToldInABox()
    {
        QFETCH(QString, chosen);
        QFETCH(int, kind);
        QFETCH(QString, reason);
        TestFolder home;
        home.write(QStringLiteral("notes.txt"), "not a folder");
        QVERIFY(QDir().mkdir(home.file(QStringLiteral("locked"))));
        QFile::setPermissions(home.file(QStringLiteral("locked")),
                              QFile::ReadOwner | QFile::ExeOwner);
        if (kind == int(FolderProblem::Kind::NotWritable) && ::geteuid() == 0)
            QSKIP("the superuser may write into any folder");
        const FileLocations files =
            decideFileLocations(home.programPath(), home.file(chosen), {}, {});

        const FolderProblem problem = prepareFileFolders(files);
        QCOMPARE(int(problem.kind), kind);
        FakePlatform platform;
        platform.languageId = 1031;
        reportFolderProblem(platform, problem);
        QCOMPARE(platform.messages.size(), 1);
        QCOMPARE(platform.messages.first().icon, Platform::Icon::Stop);
        QVERIFY(platform.messages.first().text.contains(QDir::toNativeSeparators(problem.folder)));
        QVERIFY(platform.messages.first().text.contains(lng(reason)));
        QFile::setPermissions(home.file(QStringLiteral("locked")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void usableFolderIsMadeAndSaysNothing()
    {
        TestFolder home;
        const FileLocations files = decideFileLocations(
            home.programPath(), home.file(QStringLiteral("events/summer")), {}, {});
        QVERIFY(!prepareFileFolders(files));
        QVERIFY(QDir(home.file(QStringLiteral("events/summer"))).exists());
    }
};

QTEST_MAIN(TestFileFolders)
#include "tst_filefolders.moc"
