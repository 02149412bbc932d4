// Figures of a CSV draw list of a million rows: how long the layout dialog takes to read and
// count it, and the longest wait the window's event loop sees meanwhile (a 10 ms timer ticks
// through it); then the read of the same list as applying the settings does it, with the report.
// Run: QT_QPA_PLATFORM=offscreen build/bench/bench_csvlist [folder for screenshots]
#include "draw/csvlist.h"
#include "draw/poolreport.h"
#include "settings/csvlistdialog.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <ctime>

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
    std::printf("dialog: read and counted in %lld ms; event loop ran %d times, longest gap %lld ms\n",
                static_cast<long long>(clock.elapsed()), ticks, static_cast<long long>(longest));
    std::printf("  %s\n", qPrintable(dialog.statusText()));
    if (argc > 1)
        dialog.grab().save(QString::fromLocal8Bit(argv[1]) + QStringLiteral("/csvdialog.png"));

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
    const CsvListResult read = readCsvListFile(path, dialog.layout(), {},
                                               [&builder](const CsvRowEntry &row) {
                                                   builder.add(row.text, row.row, row.tickets);
                                               });
    const PoolReport report = builder.finish(read.list.encoding, &read.csv.skipped);
    std::printf("apply: %lld entries read with the report in %lld ms (processor %ld ms)\n  %s\n",
                static_cast<long long>(read.list.lines.size()),
                static_cast<long long>(apply.elapsed()),
                long((std::clock() - applyCpu) * 1000 / CLOCKS_PER_SEC),
                qPrintable(poolReportSummary(report)));
    return 0;
}
