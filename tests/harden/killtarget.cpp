#include "app/drawanimation.h"
#include "app/drawcontrol.h"
#include "app/mainwindow.h"
#include "platform/filelocations.h"
#include "platform/qtplatform.h"
#include "platform/savefile.h"

#include <QApplication>
#include <QMainWindow>
#include <QTimer>

#include <cstdio>

// The program's window over the system's platform, with its files in the folder named on the
// command line, drawing in the mode its settings file names from the moment it is shown, as if
// the mode had just been applied; with "rapid" as well, Start/Stop is pressed every 40 ms (not
// while a stop waits for its tick), as fast as draws go by hand. The kill test runs it again and
// again and kills it at random moments while it draws.
int main(int argc, char *argv[])
{
    ignoreFileSizeLimitSignal();
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FOLDER [rapid]\n", argv[0]);
        return 2;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tivrel"));
    const FileLocations files =
        decideFileLocations(QCoreApplication::applicationFilePath(),
                            QString::fromLocal8Bit(argv[1]), UserFolders::standard());
    QString failedFolder;
    if (!createFileFolders(files, &failedFolder))
        return 1;
    QtPlatform platform;
    const std::unique_ptr<QMainWindow> form = createMainWindow(platform, files);
    form->show();
    QTimer::singleShot(0, form.get(), [&form] { partsOf(*form).draw.ActivateMode(); });
    QTimer presses;
    if (argc > 2 && qstrcmp(argv[2], "rapid") == 0) {
        QObject::connect(&presses, &QTimer::timeout, form.get(), [&form] {
            // A press while the stop waits for its tick would start the animation again.
            const MainWindowParts parts = partsOf(*form);
            if (parts.animation.animation() != DrawAnimation::Animation::Stopping)
                parts.draw.BTStartStopClick();
        });
        presses.start(40);
    }
    return QApplication::exec();
}
