// Frame times of the main window's draw animation with the sound off and on. Shows the window,
// starts a draw and lets the 80 ms animation run for a while, timing every repaint of the
// number display; then the same with "Klang" ticked and the built-in click looping.
// Run under a display (Xvfb) and, for a sound device without a sound card, a PulseAudio null
// sink:  build/bench/bench_soundframes [seconds]
#include "app/drawcontrol.h"
#include "app/mainwindow.h"
#include "benchplatform.h"
#include "platform/platform.h"
#include "settings/settingspanel.h"
#include "support/panelcontrols.h"

#include <QApplication>
#include <QAudioDevice>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMainWindow>
#include <QMediaDevices>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Timestamps every paint of one widget.
class PaintClock final : public QObject {
public:
    std::vector<qint64> stamps;
    QElapsedTimer clock;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            stamps.push_back(clock.nsecsElapsed());
        return QObject::eventFilter(watched, event);
    }
};

void report(const char *name, const std::vector<qint64> &stamps)
{
    std::vector<double> gaps;
    for (size_t i = 1; i < stamps.size(); ++i)
        gaps.push_back(double(stamps[i] - stamps[i - 1]) / 1e6);
    if (gaps.empty()) {
        std::printf("%s: no frames\n", name);
        return;
    }
    std::sort(gaps.begin(), gaps.end());
    std::printf("%s: %zu frames, median %.1f ms, p95 %.1f ms, max %.1f ms\n", name, gaps.size(),
                gaps[gaps.size() / 2], gaps[gaps.size() * 95 / 100], gaps.back());
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 5;
    QTemporaryDir folder;
    QFile ini(folder.filePath(QStringLiteral("tivrel.ini")));
    if (ini.open(QIODevice::WriteOnly))
        ini.write("[NUM]\r\nStart=1\r\nEnd=999\r\nCent=100\r\n");
    ini.close();
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    std::printf("audio device: %s\n", device.isNull() ? "none" : qPrintable(device.description()));

    BenchPlatform platform(folder.filePath(QStringLiteral("tivrel")));
    std::unique_ptr<QMainWindow> form = createMainWindow(platform);
    form->resize(1024, 768);
    form->show();
    SettingsPanel &panel = *form->findChild<SettingsPanel *>();
    DrawControl &draw = partsOf(*form).draw;
    QWidget *display = form->findChild<QWidget *>(QStringLiteral("Ergebnisfeld"));
    PaintClock paints;
    display->installEventFilter(&paints);
    paints.clock.start();

    for (bool sound : {false, true, false, true}) {
        ui(panel).cbSound->setChecked(sound);
        QTimer::singleShot(300, &app, [] { QApplication::exit(); });
        QApplication::exec(); // settle
        paints.stamps.clear();
        draw.BTStartStopClick();
        QTimer::singleShot(seconds * 1000, &app, [] { QApplication::exit(); });
        QApplication::exec();
        draw.BTStartStopClick();
        report(sound ? "sound on " : "sound off", paints.stamps);
        QTimer::singleShot(300, &app, [] { QApplication::exit(); });
        QApplication::exec(); // the draw
    }
    return 0;
}
