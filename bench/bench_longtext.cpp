// Times what very long entries cost the window and prints one line per figure: "name: N ms".
// A list line or a log cell of a million characters must neither freeze the results table
// nor the number display.
//   bench_longtext [--length N]
#include "draw/drawpass.h"
#include "draw/entrypool.h"
#include "draw/mersenne.h"
#include "presentation/numberdisplay.h"
#include "results/resultstable.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTextStream>

namespace {

qint64 paintTable(int rows, qsizetype length)
{
    DrawPass pass([] { return 4357u; });
    ResultsTable table(pass);
    ResultRows content;
    for (int i = 1; i <= rows; ++i)
        content.append({i, QString(), QString(length, QLatin1Char(char('a' + i % 26)))});
    pass.setRows(content);
    table.resize(1920, 420);
    table.FitResultColumns(1920);
    table.show();
    QElapsedTimer timer;
    timer.start();
    table.grab();
    return timer.elapsed();
}

qint64 paintDisplay(qsizetype length, bool running)
{
    const QString entry(length, QLatin1Char('7'));
    NumberDisplayRenderer renderer;
    EffectsGenerator effects;
    DisplayState state;
    DisplayOptions options;
    DisplayFrame frame;
    frame.imageSize = QSize(1904, 700);
    frame.windowSize = QSize(1920, 1080);
    frame.running = running;
    frame.stopCaption = running;
    const EntryPool pool = EntryPool::fromList({entry});
    renderer.ShowOnDisplay(QStringLiteral("Hallo!"), 2, false, state, options, frame, pool,
                           effects); // fonts loaded
    QElapsedTimer timer;
    timer.start();
    renderer.ShowOnDisplay(entry, running ? 0 : 2, true, state, options, frame, pool, effects);
    return timer.elapsed();
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    qsizetype length = 1'000'000;
    const QStringList args = QApplication::arguments();
    const qsizetype at = args.indexOf(QStringLiteral("--length"));
    if (at > 0 && at + 1 < args.size())
        length = args.at(at + 1).toLongLong();
    QTextStream out(stdout);
    out << "table, 10 rows of " << length << " characters, one paint: " << paintTable(10, length)
        << " ms\n";
    out << "display, entry of " << length << " characters, still: " << paintDisplay(length, false)
        << " ms\n";
    out << "display, entry of " << length
        << " characters, animation frame with rain: " << paintDisplay(length, true) << " ms\n";
    return 0;
}
