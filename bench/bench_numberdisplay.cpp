// Times the number display's renderer and prints one line per figure: min / median / max
// over the frames (after three frames of warm-up, or --warm N frames: the glyphs of the rain
// met in a long run are kept, those of the first frames of a fresh renderer are not).
//   bench_numberdisplay [--frames N] [--warm N] [--picture FILE] [--png FOLDER] [--only TEXT]
// With --png it also writes the idle greeting, a running frame and a still frame on the
// background picture as PNG files into FOLDER, to be looked at.
#include "benchstats.h"
#include "draw/mersenne.h"
#include "presentation/backgroundpicture.h"
#include "presentation/numberdisplay.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPainter>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

QImage syntheticPicture()
{
    QImage picture(1024, 768, QImage::Format_ARGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb(x / 4, y / 3, (x ^ y) & 0xFF));
    makeOuterRingTransparent(picture);
    return picture;
}

EntryPool numberPool()
{
    QStringList pool;
    for (int i = 1; i <= 999; ++i)
        pool.append(QString::number(i));
    return EntryPool::fromList(pool);
}

struct Scenario {
    QSize size;
    bool running;
    int smoothing;
    bool picture;
};

struct Times {
    std::vector<double> wall;
    std::vector<double> cpu;
};

Times frameTimes(const Scenario &scenario, const QImage &picture, int frames, int warm)
{
    NumberDisplayRenderer renderer;
    EffectsGenerator effects;
    DisplayState state;
    state.picture = picture;
    DisplayOptions options;
    options.picture = scenario.picture;
    options.pictureEnabled = !picture.isNull();
    options.pictureAnimated = true;
    DisplayFrame frame;
    frame.imageSize = scenario.size;
    frame.windowSize = scenario.size + QSize(16, 200);
    frame.running = scenario.running;
    frame.stopCaption = scenario.running;
    const EntryPool pool = numberPool();
    Times times;
    for (int i = 0; i < frames + warm; ++i) {
        const QString text = pool.at(i * 37 % pool.size());
        QElapsedTimer timer;
        timer.start();
        const double cpu = threadCpuMs();
        renderer.ShowOnDisplay(text, scenario.smoothing, true, state, options, frame, pool,
                               effects);
        const double ms = elapsedMs(timer);
        if (i >= warm) { // the first frames warm up the font caches
            times.wall.push_back(ms);
            times.cpu.push_back(threadCpuMs() - cpu);
        }
    }
    return times;
}

// The floor of any frame: one plain copy of a bitmap of that size.
std::vector<double> copyTimes(QSize size, int frames)
{
    QImage source(size, QImage::Format_ARGB32);
    source.fill(0xFF336699u);
    QImage target(size, QImage::Format_ARGB32);
    std::vector<double> times;
    for (int i = 0; i < frames; ++i) {
        QElapsedTimer timer;
        timer.start();
        std::memcpy(target.bits(), source.constBits(), size_t(source.sizeInBytes()));
        times.push_back(elapsedMs(timer));
    }
    return times;
}

void writePngs(const QString &folder, const QImage &picture)
{
    QDir().mkpath(folder);
    const EntryPool pool = numberPool();
    auto render = [&](const QString &name, const QString &text, bool running, bool withPicture,
                      int frames) {
        NumberDisplayRenderer renderer;
        EffectsGenerator effects;
        DisplayState state;
        state.picture = picture;
        DisplayOptions options;
        options.picture = withPicture;
        options.pictureEnabled = !picture.isNull();
        options.pictureAnimated = true;
        options.foreground = 0x00000080; // dark red text
        options.background = 0x00F0E0C0; // pale blue
        DisplayFrame frame{QSize(1280, 720), QSize(1296, 900), running, running, false};
        for (int i = 0; i < frames; ++i)
            renderer.ShowOnDisplay(text, running ? 0 : 2, running, state, options, frame, pool,
                                   effects);
        // On screen the bitmap's alpha does not show.
        QImage shown = renderer.bitmap().convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < shown.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(shown.scanLine(y));
            for (int x = 0; x < shown.width(); ++x)
                line[x] |= 0xFF000000u;
        }
        shown.save(folder + u'/' + name);
    };
    render(QStringLiteral("idle-hallo.png"), QStringLiteral("Hallo!"), false, false, 1);
    render(QStringLiteral("running-rain.png"), QStringLiteral("417"), true, true, 5);
    render(QStringLiteral("running-rain-nopicture.png"), QStringLiteral("417"), true, false, 5);
    render(QStringLiteral("still-picture.png"), QStringLiteral("417"), false, true, 1);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    int frames = 61;
    int warm = 3;
    QString pngFolder;
    QString only;
    QImage picture = syntheticPicture();
    for (qsizetype i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == u"--frames")
            frames = std::max(1, args[i + 1].toInt());
        else if (args[i] == u"--warm")
            warm = std::max(0, args[i + 1].toInt());
        else if (args[i] == u"--only")
            only = args[i + 1];
        else if (args[i] == u"--png")
            pngFolder = args[i + 1];
        else if (args[i] == u"--picture")
            picture = decodeBackgroundPicture(args[i + 1]);
    }
    if (!pngFolder.isEmpty())
        writePngs(pngFolder, picture);

    auto report = [&](const char *name, const Scenario &scenario) {
        if (!QString::fromLatin1(name).contains(only))
            return;
        const Times times = frameTimes(scenario, picture, frames, warm);
        printSpread(name, times.wall);
        printSpread("  CPU", times.cpu);
    };
    if (QStringLiteral("plain copy of a 1920x1080 frame").contains(only))
        printSpread("plain copy of a 1920x1080 frame", copyTimes({1920, 1080}, frames));
    report("animation frame 1920x1080 with picture", {{1920, 1080}, true, 0, true});
    report("animation frame 3840x2160 with picture", {{3840, 2160}, true, 0, true});
    report("still frame 1920x1080 with picture", {{1920, 1080}, false, 2, true});
    report("animation frame 1920x1080 without picture", {{1920, 1080}, true, 0, false});
    report("animation frame 3840x2160 without picture", {{3840, 2160}, true, 0, false});
    report("still frame 1920x1080 without picture", {{1920, 1080}, false, 2, false});
    report("still frame 3840x2160 without picture", {{3840, 2160}, false, 2, false});
    return 0;
}
