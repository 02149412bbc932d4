// Writes draw logs for the tests that need a separate process: one that is killed in the middle
// of writing, one that runs on a small, full file system, and one under a file size limit.
#include "localisation/uitext.h"
#include "results/drawlog.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

#include <sys/resource.h>

namespace {
ResultRows table(int rows, int width)
{
    ResultRows out;
    for (int i = 1; i <= rows; ++i)
        out.append({i, QString(), QString::number(i).rightJustified(width, QLatin1Char('0'))});
    return out;
}

int report(const char *result)
{
    std::printf("RESULT:%s\n", result);
    std::fflush(stdout);
    return 0;
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3)
        return 2;
    const QString path = args.at(2) + QStringLiteral("/tivrel.log");
    if (args.at(1) == QLatin1String("loop")) {
        // Alternates between two complete tables until it is killed.
        for (int n = 0;; ++n)
            writeDrawLog(path, table(n % 2 == 0 ? 3000 : 5000, 40));
    }
    if (args.at(1) == QLatin1String("fulldisk")) {
        const ResultRows small = table(100, 4);
        if (!writeDrawLog(path, small).ok)
            return report("small-write-failed");
        // About 300 KB: more than the file system holds.
        if (writeDrawLog(path, table(3000, 40)).ok)
            return report("full-disk-reported-success");
        ResultRows back;
        if (!readDrawLog(path, back) || back != small)
            return report("previous-log-lost");
        return report("ok");
    }
    if (args.at(1) == QLatin1String("sizelimit")) {
        // Runs as the program does, under a file size limit (ulimit -f) of 64 KiB.
        ignoreFileSizeLimitSignal();
        rlimit current{};
        getrlimit(RLIMIT_FSIZE, &current);
        const rlimit lowered{64 * 1024, current.rlim_max};
        if (setrlimit(RLIMIT_FSIZE, &lowered) != 0)
            return report("no-limit");
        const ResultRows small = table(100, 4);
        if (!writeDrawLog(path, small).ok)
            return report("small-write-failed");
        // About 300 KB: past the limit.
        const SaveResult big = writeDrawLog(path, table(3000, 40));
        if (big.ok)
            return report("limit-reported-success");
        ResultRows back;
        if (!readDrawLog(path, back) || back != small)
            return report("previous-log-lost");
        std::printf("RESULT:ok:%s\n", saveFailureText(big).toUtf8().constData());
        std::fflush(stdout);
        return 0;
    }
    return 2;
}
