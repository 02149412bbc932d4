#include "formfixture.h"
#include "platform/filelocations.h"
#include "presentation/helpviewer.h"

#include <QAccessible>
#include <QSplitter>

namespace {
// Start, one animation frame, stop, and the tick that draws.
void drawOnce(Form &form)
{
    form.drawControl().BTStartStopClick();
    form.animation().RefresherTimer();
    form.drawControl().BTStartStopClick();
    form.animation().RefresherTimer();
}

QList<ResultRow> logRows(const QString &path)
{
    ResultRows rows;
    readDrawLog(path, rows);
    return rows.toList();
}
} // namespace

class TestWindowFiles : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A window whose files live away from the program (an installed copy, or --folder) reads
    // its settings there, writes each draw's log there and restores the pass from it after a
    // restart; nothing is written beside the program.
    void drawsAndRestartUseTheDecidedFolder_data()
    {
        QTest::addColumn<bool>("chooseFolder");
        QTest::newRow("user folders") << false;
        QTest::newRow("--folder") << true;
    }
    void drawsAndRestartUseTheDecidedFolder()
    {
        QFETCH(bool, chooseFolder);
        TestFolder program;
        TestFolder home;
        FakePlatform platform(program.programPath());
        const UserFolders user{home.file(QStringLiteral("config")),
                               home.file(QStringLiteral("data")),
                               home.file(QStringLiteral("Documents/Tivrel"))};
        const FileLocations files = decideFileLocations(
            program.programPath(), chooseFolder ? home.file(QStringLiteral("event")) : QString(),
            user, [](const QString &) { return false; });
        QVERIFY(createFileFolders(files));
        // A settings file is there, so the window opens in its normal view.
        QFile ini(files.settingsFile);
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.close();

        auto form = std::make_unique<Form>(createMainWindow(platform, files));
        QCOMPARE(form->DrawLog, files.drawLog);
        QCOMPARE(form->SettingsFile, files.settingsFile);
        for (int i = 0; i < 3; ++i)
            drawOnce(*form);
        const QList<ResultRow> written = logRows(files.drawLog);
        QCOMPARE(written.size(), 3);

        form = std::make_unique<Form>(createMainWindow(platform, files));
        QCOMPARE(form->pass().drawCount(), 3);
        QCOMPARE(form->pass().rows().toList(), written);
        for (const ResultRow &row : written)
            QVERIFY(!form->poolTexts().contains(row.Gezogen));
        QCOMPARE(QDir(program.path()).entryList(QDir::Files), QStringList{});

        // The hint line says where the files are.
        const QString hint = form->child<QLabel>("Label3")->toolTip();
        QVERIFY2(hint.contains(QDir::toNativeSeparators(files.drawLog)), qPrintable(hint));
    }

    // The help pages that speak of the files name the folders of this run, in the help's
    // language, not the program's folder.
    void helpPagesSayWhereThisRunKeepsItsFiles_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<bool>("english");
        for (const char *page : {"HTMLStart", "HTMLQuote", "HTMLOptionen"}) {
            QTest::addRow("%s, German", page) << QString::fromLatin1(page) << false;
            QTest::addRow("%s, English", page) << QString::fromLatin1(page) << true;
        }
    }
    void helpPagesSayWhereThisRunKeepsItsFiles()
    {
        QFETCH(QString, page);
        QFETCH(bool, english);
        TestFolder program;
        TestFolder home;
        FakePlatform platform(program.programPath());
        platform.languageId = english ? 2057 : 1031;
        const UserFolders user{home.file(QStringLiteral("config")),
                               home.file(QStringLiteral("data")),
                               home.file(QStringLiteral("Documents/Tivrel"))};
        const FileLocations files = decideFileLocations(program.programPath(), QString(), user,
                                                        [](const QString &) { return false; });
        QVERIFY(createFileFolders(files));
        auto form = std::make_unique<Form>(createMainWindow(platform, files));
        auto *help = static_cast<HelpViewer *>(form->Hilfeviewer);
        help->showHelp(page);
        const QString shown = help->toPlainText();
        for (const QString &path : {files.settingsFile, files.drawLog, files.filesFolder})
            QVERIFY2(shown.contains(QDir::toNativeSeparators(path)), qPrintable(shown));
        QVERIFY(shown.contains(english ? QStringLiteral("Draw log: ")
                                       : QStringLiteral("Ziehungsprotokoll: ")));
        QVERIFY(!shown.contains(QStringLiteral("neben dem Programm")));
        QVERIFY(!shown.contains(QStringLiteral("beside the program")));
    }

    // The window's own controls are named for screen readers.
    void windowControlsAreNamed()
    {
        FormFixture f;
        Form &form = f.start();
        const QList<QWidget *> controls = {form.BTStartStop, form.Resultate, form.Hilfeviewer,
                                           form.child<QSplitter>("spHauptsplitter")};
        for (QWidget *w : controls) {
            QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(w);
            QVERIFY(iface);
            QVERIFY2(!iface->text(QAccessible::Name).isEmpty(), qPrintable(w->objectName()));
            QVERIFY2(!iface->text(QAccessible::Description).isEmpty(), qPrintable(w->objectName()));
        }
        // The display is heard as the text it shows.
        const QString shownText = form.Ergebnisfeld->displayState().DisplayText;
        QVERIFY(!shownText.isEmpty());
        QCOMPARE(QAccessible::queryAccessibleInterface(form.Ergebnisfeld)->text(QAccessible::Name),
                 shownText);
    }
};

QTEST_MAIN(TestWindowFiles)
#include "tst_windowfiles.moc"
