// Figures of the main window at 1920x1080: one draw with N rows already in the table (the
// draw log written to disk included; then with the repaint of the window that follows it), and,
// in-process, start-up with a draw log of 100,000 rows and a pool of 999,999 numbers up to the
// first paint (bench/startup.sh measures start-up from exec instead).
// Run: build/bench/bench_mainwin [--rows N] [--draws N] [FOLDER]
//      (defaults: 10,000, 100,000 and 300,000 rows in turn, 30 draws, a new folder under the
//      system's temp)
#include "app/drawcontrol.h"
#include "app/mainwindow.h"
#include "app/poolcontrol.h"
#include "app/settingsflow.h"
#include "benchplatform.h"
#include "benchstats.h"
#include "draw/drawpass.h"
#include "platform/platform.h"
#include "presentation/numberdisplaywidget.h"
#include "results/drawlog.h"
#include "results/resultstable.h"
#include "settings/settingspanel.h"
#include "support/panelcontrols.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QFile>
#include <QMainWindow>
#include <QSpinBox>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {
ResultRows logRows(int count)
{
    ResultRows rows;
    rows.reserve(count);
    for (int i = 1; i <= count; ++i)
        rows.append({i, QString(), QString::number(i * 7 % 999999 + 1)});
    return rows;
}

void writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(content);
}

// Range 1 .. 999999 with the whole range as the quota, as the settings file holds it.
const QByteArray wholeRangeSettings =
    "[NUM]\r\nStart=1\r\nEnd=999999\r\nCent=0\r\nPercentage=999999\r\n";

void useWholeRange(QMainWindow &form)
{
    SettingsPanel &panel = *form.findChild<SettingsPanel *>();
    ui(panel).Maximum->setValue(999999);
    ui(panel).Minimum->setValue(1);
    ui(panel).Ziehung_Prozent->setChecked(false);
    ui(panel).Ziehungsquote->setValue(999999);
}

class PaintWatch : public QObject {
public:
    bool painted = false;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return false;
    }
};

void drawBench(const QString &folder, int rows, int count)
{
    std::printf("DrawNumber with %d rows in the table, window 1920x1080, draw log written to %s\n",
                rows, qPrintable(folder));
    writeFile(folder + QStringLiteral("tivrel.ini"), wholeRangeSettings);
    writeDrawLog(folder + QStringLiteral("tivrel.log"), logRows(rows));
    BenchPlatform platform(folder + QStringLiteral("tivrel"));
    const std::unique_ptr<QMainWindow> window = createMainWindow(platform);
    QMainWindow &form = *window;
    const MainWindowParts parts = partsOf(form);
    useWholeRange(form);
    parts.settings.ApplySettings();
    form.resize(1920, 1080);
    form.show();
    QCoreApplication::processEvents();
    std::printf("  rows %lld, pool %lld, window %dx%d\n", qlonglong(parts.pass.rows().size()),
                qlonglong(parts.pass.pool().size()), form.width(), form.height());

    std::vector<double> draws, drawsCpu;
    std::vector<double> withPaint, withPaintCpu;
    std::vector<double> writes, writesCpu;
    QElapsedTimer timer;
    for (int i = 0; i < count; ++i) {
        timer.start();
        const double cpu = threadCpuMs();
        parts.pool.DrawNumber();
        draws.push_back(elapsedMs(timer));
        drawsCpu.push_back(threadCpuMs() - cpu);
        QCoreApplication::processEvents(); // the repaint of the table and the display
        withPaint.push_back(elapsedMs(timer));
        withPaintCpu.push_back(threadCpuMs() - cpu);
    }
    for (int i = 0; i < 10; ++i) {
        timer.start();
        const double cpu = threadCpuMs();
        parts.pass.writeLog();
        writes.push_back(elapsedMs(timer));
        writesCpu.push_back(threadCpuMs() - cpu);
    }
    printSpread("  one draw (DrawNumber, log write included), wall", draws);
    printSpread("  one draw (DrawNumber, log write included), CPU", drawsCpu);
    printSpread("  one draw and the repaint that follows it, wall", withPaint);
    printSpread("  one draw and the repaint that follows it, CPU", withPaintCpu);
    printSpread("  the log write alone, wall", writes);
    printSpread("  the log write alone, CPU", writesCpu);
}

void startupBench(const QString &folder)
{
    std::printf("Start-up with a draw log of 100,000 rows and a pool of 999,999 in %s\n",
                qPrintable(folder));
    writeFile(folder + QStringLiteral("tivrel.ini"), wholeRangeSettings);
    writeDrawLog(folder + QStringLiteral("tivrel.log"), logRows(100000));
    BenchPlatform platform(folder + QStringLiteral("tivrel"));
    QElapsedTimer timer;
    timer.start();
    const std::unique_ptr<QMainWindow> form = createMainWindow(platform);
    const double created = double(timer.nsecsElapsed()) / 1e6;
    const MainWindowParts parts = partsOf(*form);
    PaintWatch watch;
    form->installEventFilter(&watch);
    form->show();
    while (!watch.painted)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    const double painted = double(timer.nsecsElapsed()) / 1e6;
    std::printf("  rows %lld, pool %lld, DrawCount %d\n", qlonglong(parts.pass.rows().size()),
                qlonglong(parts.pass.pool().size()), parts.pass.drawCount());
    std::printf(
        "  in-process: window created (FormCreate) after %.0f ms, first paint after %.0f ms\n",
        created, painted);
}
} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir temp;
    QString base = temp.path();
    int rows = 0; // 0: 10,000, 100,000 and 300,000 rows in turn
    int draws = 30;
    const QStringList args = QCoreApplication::arguments();
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (args[i] == u"--rows" && i + 1 < args.size())
            rows = std::max(0, args[++i].toInt());
        else if (args[i] == u"--draws" && i + 1 < args.size())
            draws = std::max(1, args[++i].toInt());
        else
            base = args[i];
    }
    QDir().mkpath(base + QStringLiteral("/draw"));
    QDir().mkpath(base + QStringLiteral("/startup"));
    if (rows > 0) {
        drawBench(base + QStringLiteral("/draw/"), rows, draws);
    } else {
        for (const int count : {10000, 100000, 300000})
            drawBench(base + QStringLiteral("/draw/"), count, draws);
    }
    startupBench(base + QStringLiteral("/startup/"));
    return 0;
}
