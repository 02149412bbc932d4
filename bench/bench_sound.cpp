// Times the sound output and what it does to an 80 ms timer, and prints one line per figure.
//   bench_sound [--seconds N] [--file WAV]
// Plays the built-in click (or the given file) in a loop through the Qt Multimedia output:
// how long play() and stop() take, whether the loop is still sounding after N seconds, how
// much sound the device took meanwhile, and the intervals of an 80 ms timer with the sound
// on and off. Without an audio device play() fails at once; the figures then say so.
#include "presentation/qtwaveoutput.h"
#include "presentation/waveimage.h"

#include <QAudioDevice>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMediaDevices>
#include <QTextStream>
#include <QTimer>

#include <algorithm>
#include <vector>

namespace {

QTextStream out(stdout);

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Runs an 80 ms timer for the given time and returns the intervals between its ticks in ms.
std::vector<double> timerIntervals(int milliseconds)
{
    std::vector<double> intervals;
    QElapsedTimer clock;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    ticker.setInterval(80);
    qint64 last = 0;
    QObject::connect(&ticker, &QTimer::timeout, &ticker, [&] {
        const qint64 now = clock.nsecsElapsed();
        if (last)
            intervals.push_back(double(now - last) / 1e6);
        last = now;
    });
    clock.start();
    ticker.start();
    QTimer::singleShot(milliseconds, &ticker, [] { QCoreApplication::exit(); });
    QCoreApplication::exec();
    return intervals;
}

void printIntervals(const char *name, std::vector<double> intervals)
{
    const double worst =
        intervals.empty() ? 0 : *std::max_element(intervals.begin(), intervals.end());
    out << name << ": median " << QString::number(median(intervals), 'f', 2) << " ms, max "
        << QString::number(worst, 'f', 2) << " ms over " << intervals.size() << " ticks\n";
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    int seconds = 3;
    QString file;
    const QStringList args = app.arguments();
    for (qsizetype i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--seconds"))
            seconds = args[i + 1].toInt();
        else if (args[i] == QLatin1String("--file"))
            file = args[i + 1];
    }
    QByteArray image;
    if (file.isEmpty()) {
        image = builtInWave(QStringLiteral("Klack"));
    } else {
        WaveFileResult read = readWaveFile(file);
        if (!read.ok()) {
            out << "file refused: error " << int(read.error) << "\n";
            return 1;
        }
        image = read.image;
    }
    const WaveParseResult parsed = parseWaveImage(image);
    if (!parsed.ok()) {
        out << "image refused\n";
        return 1;
    }
    QElapsedTimer firstLookup;
    firstLookup.start();
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    out << "first device lookup: "
        << QString::number(double(firstLookup.nsecsElapsed()) / 1e6, 'f', 1) << " ms\n";
    out << "audio device: " << (device.isNull() ? QStringLiteral("none") : device.description())
        << "\n";

    QtWaveOutput output;
    std::vector<double> playTimes;
    std::vector<double> stopTimes;
    bool started = false;
    for (int round = 0; round < 20; ++round) {
        QElapsedTimer clock;
        clock.start();
        started = output.play(image, parsed.layout, {true, true, true});
        playTimes.push_back(double(clock.nsecsElapsed()) / 1e6);
        QCoreApplication::processEvents();
        clock.restart();
        output.stop();
        stopTimes.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    out << "play request " << (started ? "succeeds" : "fails") << "\n";
    out << "play(): median " << QString::number(median(playTimes), 'f', 3) << " ms\n";
    out << "stop(): median " << QString::number(median(stopTimes), 'f', 3) << " ms\n";

    printIntervals("80 ms timer, silent", timerIntervals(seconds * 1000));
    output.play(image, parsed.layout, {true, true, true});
    printIntervals("80 ms timer, looping", timerIntervals(seconds * 1000));
    out << "after " << seconds << " s still sounding: " << (output.playing() ? "yes" : "no")
        << ", device took " << output.playedMs() << " ms of sound\n";
    output.stop();
    return 0;
}
