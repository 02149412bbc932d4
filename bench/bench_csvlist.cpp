// Figures of a CSV draw list of a million rows: how long the layout dialog takes to read and
// count it, and the longest wait the window's event loop sees meanwhile (a 10 ms timer ticks
// through it); then the read of the same list as applying the settings does it, with the report.
// Run: QT_QPA_PLATFORM=offscreen build/bench/bench_csvlist [folder for screenshots]
#include "app/listcontrol.h"
#include "app/mainwindow.h"
#include "app/settingsflow.h"
#include "benchplatform.h"
#include "draw/csvlist.h"
#include "draw/poolreport.h"
#include "settings/csvlistdialog.h"
#include "settings/rangepage.h"
#include "settings/settingscontrols.h"
#include "settings/settingspanel.h"
#include "support/panelcontrols.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QMainWindow>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <ctime>

namespace {
void waitUntil(const std::function<bool()> &done)
{
    QElapsedTimer waited;
    waited.start();
    while (!done() && waited.elapsed() < 20000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

// The dialog and the report on the settings panel for a small list of buyers, as PNG files.
void saveScreenshots(const QString &folder)
{
    QTemporaryDir program;
    QFile list(program.filePath(QStringLiteral("kaeufer.csv")));
    if (!list.open(QIODevice::WriteOnly))
        return;
    list.write(
        "Vorname;Name;Lose\r\nAnna;Meier;3\r\nBert;Kurz;1\r\n\"Eva \"\"Evi\"\"\";Lang;zwei\r\n"
        "Otto;\"Schmidt; jun.\";2\r\nAnna;Meier;1\r\n;;1\r\nCarl;Berg;-1\r\n"
        "Dora;Feld\r\nEmil;" +
        QByteArray(120, 'x') + ";1\r\nBert;Kurz;4\r\n");
    list.close();

    CsvListDialog dialog(list.fileName(), csvLayoutFromStored(QString(), 0, false, QString()));
    dialog.show();
    waitUntil([&] { return dialog.idle(); });
    dialog.headerBox()->setChecked(true);
    dialog.columnList()->item(1)->setCheckState(Qt::Checked);
    dialog.countBox()->setCurrentIndex(3);
    waitUntil([&] { return dialog.idle(); });
    dialog.grab().save(folder + QStringLiteral("/csvdialog.png"));

    BenchPlatform platform(program.filePath(QStringLiteral("tivrel")));
    std::unique_ptr<QMainWindow> window = createMainWindow(platform);
    window->resize(900, 650);
    window->show();
    MainWindowParts parts = partsOf(*window);
    parts.settings.OpenSettingsPanel();
    auto *panel = window->findChild<SettingsPanel *>();
    panel->rangePage().setListOnByProgram(true);
    panel->rangePage().setCsvLayout(dialog.layout());
    ui(panel).AusDateiPfad->setText(QStringLiteral("kaeufer.csv"));
    parts.lists.ApplyListRange();
    panel->btKonfigClick();
    QCoreApplication::processEvents();
    window->grab().save(folder + QStringLiteral("/report.png"));
    ui(panel).btPoolFindings->click();
    QCoreApplication::processEvents();
    if (auto *findings = window->findChild<QDialog *>(QStringLiteral("PoolFindings")))
        findings->grab().save(folder + QStringLiteral("/findings.png"));
}
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kaeufer.csv"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return 1;
        QByteArray bytes = "Vorname;Name;Lose\r\n";
        for (int i = 0; i < 1000000; ++i) {
            bytes += "\"Vorname " + QByteArray::number(i) + "\";Name " +
                     QByteArray::number(i % 50000) + ';' + QByteArray::number(i % 3 == 0 ? 0 : 1) +
                     "\r\n";
        }
        file.write(bytes);
        std::printf("file: %lld bytes, 1,000,000 rows\n", static_cast<long long>(bytes.size()));
    }

    CsvListDialog dialog(path, csvLayoutFromStored(QStringLiteral("1,2"), 3, true, QString()));
    dialog.show();
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0;
    qint64 longest = 0;
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, &timer, [&] {
        const qint64 now = clock.elapsed();
        longest = qMax(longest, now - last);
        last = now;
        ++ticks;
        if (dialog.idle())
            app.quit();
    });
    timer.start(10);
    app.exec();
    std::printf(
        "dialog: read and counted in %lld ms; event loop ran %d times, longest gap %lld ms\n",
        static_cast<long long>(clock.elapsed()), ticks, static_cast<long long>(longest));
    std::printf("  %s\n", qPrintable(dialog.statusText()));
    if (argc > 1)
        saveScreenshots(QString::fromLocal8Bit(argv[1]));

    QElapsedTimer plain;
    plain.start();
    const std::clock_t plainCpu = std::clock();
    const CsvListResult alone = readCsvListFile(path, dialog.layout());
    std::printf("read without the report: %lld entries in %lld ms (processor %ld ms)\n",
                static_cast<long long>(alone.list.lines.size()),
                static_cast<long long>(plain.elapsed()),
                long((std::clock() - plainCpu) * 1000 / CLOCKS_PER_SEC));

    QElapsedTimer apply;
    apply.start();
    const std::clock_t applyCpu = std::clock();
    PoolReportBuilder builder;
    const CsvListResult read =
        readCsvListFile(path, dialog.layout(), {}, [&builder](const CsvRowEntry &row) {
            builder.add(row.text, row.row, row.tickets);
        });
    const PoolReport report = builder.finish(read.list.encoding, &read.csv.skipped);
    std::printf("apply: %lld entries read with the report in %lld ms (processor %ld ms)\n  %s\n",
                static_cast<long long>(read.list.lines.size()),
                static_cast<long long>(apply.elapsed()),
                long((std::clock() - applyCpu) * 1000 / CLOCKS_PER_SEC),
                qPrintable(poolReportSummary(report)));

    // A plain list of 999,999 lines of 40 characters: the report beside the reading.
    const QString plainPath = dir.filePath(QStringLiteral("liste.txt"));
    {
        QFile file(plainPath);
        if (!file.open(QIODevice::WriteOnly))
            return 1;
        QByteArray bytes;
        for (int i = 0; i < MaxListLines; ++i)
            bytes += QByteArray::number(i).rightJustified(40, 'x') + "\r\n";
        file.write(bytes);
    }
    const std::clock_t readCpu = std::clock();
    const ListFileResult lines = readListFile(plainPath);
    const std::clock_t reportCpu = std::clock();
    const PoolReport plainReport = poolReportOfLines(lines.lines, lines.encoding);
    std::printf("plain list: %lld lines read in %ld ms of processor time, report %ld ms\n  %s\n",
                static_cast<long long>(lines.lines.size()),
                long((reportCpu - readCpu) * 1000 / CLOCKS_PER_SEC),
                long((std::clock() - reportCpu) * 1000 / CLOCKS_PER_SEC),
                qPrintable(poolReportSummary(plainReport)));
    return 0;
}
