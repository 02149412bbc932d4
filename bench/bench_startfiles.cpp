// Writes the files the start-up benchmark (startup.sh) puts beside the program: a settings
// file with the range MIN..MAX and the whole range as the quota, and a draw log of ROWS
// distinct numbers of that range (no log when ROWS is 0).
// Run: build/bench/bench_startfiles FOLDER ROWS MIN MAX
#include "results/drawlog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdio>
#include <numeric>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 5) {
        std::fprintf(stderr, "usage: bench_startfiles FOLDER ROWS MIN MAX\n");
        return 2;
    }
    const QString folder = QDir(args[1]).absolutePath() + u'/';
    const int rows = args[2].toInt();
    const int minimum = args[3].toInt();
    const int maximum = args[4].toInt();
    const int span = maximum - minimum + 1;
    if (rows < 0 || span < 1 || rows > span) {
        std::fprintf(stderr, "ROWS must lie in 0 .. MAX - MIN + 1\n");
        return 2;
    }
    QFile ini(folder + QStringLiteral("tivrel.ini"));
    if (!ini.open(QIODevice::WriteOnly))
        return 1;
    ini.write(QStringLiteral("[NUM]\r\nStart=%1\r\nEnd=%2\r\nCent=0\r\nPercentage=%3\r\n")
                  .arg(minimum)
                  .arg(maximum)
                  .arg(span)
                  .toLatin1());
    ini.close();
    const QString log = folder + QStringLiteral("tivrel.log");
    QFile::remove(log);
    if (rows == 0)
        return 0;
    // A stride that is prime to the span visits distinct numbers in a scattered order.
    qint64 stride = 7919;
    while (std::gcd(stride, qint64(span)) != 1)
        ++stride;
    ResultRows table;
    table.reserve(rows);
    for (int i = 0; i < rows; ++i)
        table.append({i + 1, QString(), QString::number(minimum + (qint64(i) * stride) % span)});
    return writeDrawLog(log, table).ok ? 0 : 1;
}
