#include "app/filefolders.h"
#include "app/mainwindow.h"
#include "draw/drawjournal.h"
#include "platform/commandline.h"
#include "platform/filelocations.h"
#include "platform/heap.h"
#include "platform/qtplatform.h"
#include "platform/savefile.h"
#include "platform/terminationsignal.h"
#include "presentation/qtspeechengine.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QMainWindow>
#include <QTranslator>

int main(int argc, char *argv[])
{
    // A write past the file size limit fails and is reported instead of ending the program.
    ignoreFileSizeLimitSignal();
    keepLargeBlocksMapped();
    // The command line is answered before a display is opened, so --help needs none.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLine line = parseCommandLine(arguments);
    if (line.action == CommandLine::Action::Verify)
        return runVerifyCommand(line.journal, line.list);
    if (const int exitCode = answerCommandLine(line); exitCode >= 0)
        return exitCode;

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tivrel"));
    QApplication::setApplicationVersion(programVersion());
    QGuiApplication::setDesktopFileName(QStringLiteral("org.tivrel.Tivrel"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/org.tivrel.Tivrel.png")));
    // Standard dialog buttons ("Ja", "Nein", "Abbrechen") in the system's language, as the
    // system's own message boxes show them.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale::system(), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);

    // Beside the program when it may write there (or a portable copy's settings are there),
    // else in the user's folders; --folder chooses the folder.
    const FileLocations files = decideFileLocations(QCoreApplication::applicationFilePath(),
                                                    line.folder, UserFolders::standard());
    QtPlatform platform;
    // Started from the menu, a folder that cannot take the files is told in a box too.
    if (const FolderProblem problem = prepareFileFolders(files)) {
        reportFolderProblem(platform, problem);
        return 1;
    }

    // The system's voice for the spoken result; its engine starts when the option is first used.
    QtSpeechEngine speech;
    const std::unique_ptr<QMainWindow> form = createMainWindow(platform, files, &speech);
    // The desktop logging out (SIGTERM) closes the window as the operator would, with the
    // question about results the draw log could not take yet.
    TerminationSignal termination;
    QObject::connect(&termination, &TerminationSignal::received, form.get(),
                     [&form] { form->close(); });
    form->show();
    return QApplication::exec();
}
