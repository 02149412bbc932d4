#include "platform/commandline.h"
#include "platform/filelocations.h"
#include "support/testfolder.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <unistd.h>

namespace {
UserFolders userFoldersIn(const TestFolder &home)
{
    return {home.file(QStringLiteral("config/Tivrel")), home.file(QStringLiteral("data/Tivrel")),
            home.file(QStringLiteral("Documents/Tivrel"))};
}
} // namespace

class TestFileLocations : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The program's folder and the user's folders are separate temporary folders; the probe of
    // writability answers for the program's folder only and records what it was asked.
    void filesGoWhereTheProgramMayKeepThem_data()
    {
        QTest::addColumn<bool>("writable");
        QTest::addColumn<bool>("iniBesideProgram");
        QTest::addColumn<bool>("chooseFolder");
        QTest::addColumn<int>("place");
        QTest::addColumn<bool>("probeAsked");

        using P = FileLocations::Place;
        QTest::newRow("writable program folder")
            << true << false << false << int(P::BesideProgram) << true;
        QTest::newRow("read-only program folder")
            << false << false << false << int(P::UserFolders) << true;
        QTest::newRow("read-only folder holding the settings file")
            << false << true << false << int(P::BesideProgram) << false;
        QTest::newRow("chosen folder over a writable one")
            << true << false << true << int(P::ChosenFolder) << false;
        QTest::newRow("chosen folder over a portable copy")
            << false << true << true << int(P::ChosenFolder) << false;
    }
    void filesGoWhereTheProgramMayKeepThem()
    {
        QFETCH(bool, writable);
        QFETCH(bool, iniBesideProgram);
        QFETCH(bool, chooseFolder);
        QFETCH(int, place);
        QFETCH(bool, probeAsked);

        TestFolder program;
        TestFolder home;
        if (iniBesideProgram)
            program.write(QStringLiteral("tivrel.ini"), "[NUM]\r\n");
        const QString chosen = chooseFolder ? home.file(QStringLiteral("event")) : QString();
        QStringList asked;
        const auto probe = [&](const QString &folder) {
            asked.append(folder);
            return writable;
        };

        const FileLocations where =
            decideFileLocations(program.programPath(), chosen, userFoldersIn(home), probe);

        QCOMPARE(int(where.place), place);
        QCOMPARE(asked, probeAsked ? QStringList{program.path()} : QStringList());
        switch (where.place) {
        case FileLocations::Place::BesideProgram:
            QCOMPARE(where.filesFolder, program.path());
            QCOMPARE(where.settingsFile, program.file(QStringLiteral("tivrel.ini")));
            QCOMPARE(where.drawLog, program.file(QStringLiteral("tivrel.log")));
            break;
        case FileLocations::Place::UserFolders:
            QCOMPARE(where.settingsFile, home.file(QStringLiteral("config/Tivrel/tivrel.ini")));
            QCOMPARE(where.drawLog, home.file(QStringLiteral("data/Tivrel/tivrel.log")));
            QCOMPARE(where.filesFolder, home.file(QStringLiteral("Documents/Tivrel/")));
            break;
        case FileLocations::Place::ChosenFolder:
            QCOMPARE(where.filesFolder, chosen + QLatin1Char('/'));
            QCOMPARE(where.settingsFile, chosen + QStringLiteral("/tivrel.ini"));
            QCOMPARE(where.drawLog, chosen + QStringLiteral("/tivrel.log"));
            break;
        }
    }

    // A renamed copy keeps its own pair of files, and the user's folders use the same names.
    void filesTakeTheProgramsName()
    {
        TestFolder program;
        TestFolder home;
        const QString path = program.file(QStringLiteral("tombola"));
        const FileLocations besides = decideFileLocations(path, {}, userFoldersIn(home),
                                                          [](const QString &) { return true; });
        QCOMPARE(besides.settingsFile, program.file(QStringLiteral("tombola.ini")));
        const FileLocations user = decideFileLocations(path, {}, userFoldersIn(home),
                                                       [](const QString &) { return false; });
        QCOMPARE(QFileInfo(user.settingsFile).fileName(), QStringLiteral("tombola.ini"));
        QCOMPARE(QFileInfo(user.drawLog).fileName(), QStringLiteral("tombola.log"));
    }

    // An installed program never keeps its files beside itself, whoever runs it: root may
    // write into the program's folder, and may have left a settings file there. The system's
    // folders are an install prefix and an /opt inside a temporary root.
    void installedProgramKeepsFilesInTheUsersFolders_data()
    {
        QTest::addColumn<QString>("programFolder");
        QTest::addColumn<bool>("writable");
        QTest::addColumn<bool>("settingsBeside");
        QTest::addColumn<bool>("menuEntry");
        QTest::addColumn<int>("place");

        using P = FileLocations::Place;
        QTest::newRow("install prefix, run as root")
            << QStringLiteral("prefix/bin") << true << false << false << int(P::UserFolders);
        QTest::newRow("install prefix, run as a user")
            << QStringLiteral("prefix/bin") << false << false << false << int(P::UserFolders);
        QTest::newRow("install prefix, root's settings file beside it")
            << QStringLiteral("prefix/bin") << true << true << false << int(P::UserFolders);
        QTest::newRow("below a system folder")
            << QStringLiteral("opt/tivrel/bin") << true << false << false << int(P::UserFolders);
        QTest::newRow("another prefix, found by its menu entry")
            << QStringLiteral("stage/usr/bin") << true << false << true << int(P::UserFolders);
        QTest::newRow("portable copy beside the system folders")
            << QStringLiteral("stick") << true << false << false << int(P::BesideProgram);
        QTest::newRow("a folder whose name starts like a system folder")
            << QStringLiteral("optional") << true << false << false << int(P::BesideProgram);
    }
    void installedProgramKeepsFilesInTheUsersFolders()
    {
        QFETCH(QString, programFolder);
        QFETCH(bool, writable);
        QFETCH(bool, settingsBeside);
        QFETCH(bool, menuEntry);
        QFETCH(int, place);

        TestFolder root;
        TestFolder home;
        QVERIFY(QDir().mkpath(root.file(programFolder)));
        const QString program = root.file(programFolder + QStringLiteral("/tivrel"));
        if (settingsBeside)
            root.write(programFolder + QStringLiteral("/tivrel.ini"), "[NUM]\r\n");
        if (menuEntry) {
            const QString applications = programFolder + QStringLiteral("/../share/applications");
            QVERIFY(QDir().mkpath(root.file(applications)));
            root.write(applications + QStringLiteral("/org.tivrel.Tivrel.desktop"),
                       "[Desktop Entry]\n");
        }
        const QStringList system{root.file(QStringLiteral("prefix/bin")),
                                 root.file(QStringLiteral("opt"))};

        const FileLocations where = decideFileLocations(
            program, {}, userFoldersIn(home), [writable](const QString &) { return writable; },
            system);

        QCOMPARE(int(where.place), place);
        if (where.place == FileLocations::Place::UserFolders) {
            QCOMPARE(where.settingsFile, home.file(QStringLiteral("config/Tivrel/tivrel.ini")));
            QCOMPARE(where.drawLog, home.file(QStringLiteral("data/Tivrel/tivrel.log")));
        } else {
            QCOMPARE(where.settingsFile, root.file(programFolder + QStringLiteral("/tivrel.ini")));
        }
    }

    // The build's own installation folder for programs, and /usr, count as system folders.
    void installFolderIsASystemFolder()
    {
        const QStringList system = systemProgramFolders();
        QVERIFY(isSystemFolder(QStringLiteral("/usr/bin"), system));
        QVERIFY(isSystemFolder(QStringLiteral("/opt/tivrel"), system));
        QVERIFY(!isSystemFolder(QDir::tempPath(), system));
    }

    // The probe itself, on a real folder with its write permission taken away.
    void readOnlyFolderIsNotWritable()
    {
        TestFolder folder;
        QVERIFY(folderIsWritable(folder.path()));
        QVERIFY(!folderIsWritable(folder.file(QStringLiteral("missing"))));
        if (::geteuid() == 0)
            QSKIP("the superuser may write into any folder");
        QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner);
        const bool writable = folderIsWritable(folder.path());
        QFile::setPermissions(folder.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(!writable);
    }

    void userFoldersAreCreatedBeforeUse()
    {
        TestFolder program;
        TestFolder home;
        const FileLocations where = decideFileLocations(
            program.programPath(), {}, userFoldersIn(home), [](const QString &) { return false; });
        QCOMPARE(where.folders().size(), 3);
        QVERIFY(createFileFolders(where));
        for (const QString &folder : where.folders())
            QVERIFY2(QDir(folder).exists(), qPrintable(folder));

        // A folder that can not be made (its parent is a file) is named.
        home.write(QStringLiteral("blocked"), "not a folder");
        const FileLocations blocked = decideFileLocations(
            program.programPath(), home.file(QStringLiteral("blocked/event")), {}, {});
        QString failed;
        QVERIFY(!createFileFolders(blocked, &failed));
        QCOMPARE(failed, home.file(QStringLiteral("blocked/event")));
    }

    void commandLineOptions_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("action");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("outputHas");

        using A = CommandLine::Action;
        const QString here = QDir::currentPath();
        QTest::newRow("nothing") << QStringList{} << int(A::Run) << QString() << QString();
        QTest::newRow("--help") << QStringList{QStringLiteral("--help")} << int(A::ShowHelp)
                                << QString() << QStringLiteral("--folder <folder>");
        QTest::newRow("-h") << QStringList{QStringLiteral("-h")} << int(A::ShowHelp) << QString()
                            << QStringLiteral("Usage: tivrel [options]");
        QTest::newRow("--version")
            << QStringList{QStringLiteral("--version")} << int(A::ShowVersion) << QString()
            << QStringLiteral("Tivrel ") + programVersion();
        QTest::newRow("--folder absolute")
            << QStringList{QStringLiteral("--folder"), QStringLiteral("/srv/fest/")} << int(A::Run)
            << QStringLiteral("/srv/fest") << QString();
        QTest::newRow("--folder=relative")
            << QStringList{QStringLiteral("--folder=events/../summer")} << int(A::Run)
            << here + QStringLiteral("/summer") << QString();
        QTest::newRow("--folder without a value")
            << QStringList{QStringLiteral("--folder")} << int(A::Fail) << QString()
            << QStringLiteral("--help");
        QTest::newRow("--folder empty") << QStringList{QStringLiteral("--folder=")} << int(A::Fail)
                                        << QString() << QStringLiteral("--folder");
        QTest::newRow("unknown option")
            << QStringList{QStringLiteral("--fullscreen")} << int(A::Fail) << QString()
            << QStringLiteral("fullscreen");
        // Qt takes its own options from argv later; they must not stop the program.
        QTest::newRow("Qt's own options")
            << QStringList{QStringLiteral("-geometry"), QStringLiteral("1920x1080+0+0"),
                           QStringLiteral("-platform"), QStringLiteral("offscreen"),
                           QStringLiteral("-reverse"),  QStringLiteral("--folder=x")}
            << int(A::Run) << here + QStringLiteral("/x") << QString();
        QTest::newRow("stray argument") << QStringList{QStringLiteral("list.txt")} << int(A::Fail)
                                        << QString() << QStringLiteral("list.txt");
    }
    void commandLineOptions()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, action);
        QFETCH(QString, folder);
        QFETCH(QString, outputHas);

        arguments.prepend(QStringLiteral("/usr/bin/tivrel"));
        const CommandLine line = parseCommandLine(arguments);
        QCOMPARE(int(line.action), action);
        QCOMPARE(line.folder, folder);
        if (outputHas.isEmpty())
            QVERIFY(line.output.isEmpty());
        else
            QVERIFY2(line.output.contains(outputHas), qPrintable(line.output));
    }
};

QTEST_GUILESS_MAIN(TestFileLocations)
#include "tst_filelocations.moc"
