#include "localisation/uitext.h"
#include "platform/savefile.h"
#include "results/drawlog.h"
#include "settings/profilefile.h"
#include "settings/settings.h"

#include <QList>
#include <QLocale>

#include <cstdio>
#include <unistd.h>

// One save of the draw log or the settings file, as the program makes it, between two marker
// calls that let a tracer tell the save's system calls from the rest:
//   savetarget log PATH ROWS        the log of a pass with ROWS draws
//   savetarget settings PATH START  the settings file with Start = START
// Prints "saved" or "failed: <reason>" and exits with 0 or 3.
namespace {

void marker(const char *name)
{
    // A call nothing else in this program makes, with the marker's name as its path.
    (void)access(name, F_OK);
}

} // namespace

int main(int argc, char *argv[])
{
    ignoreFileSizeLimitSignal();
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s log|settings PATH NUMBER\n", argv[0]);
        return 2;
    }
    const QByteArray kind(argv[1]);
    const QString path = QString::fromLocal8Bit(argv[2]);
    const int number = QByteArray(argv[3]).toInt();
    SaveResult result;
    if (kind == "log") {
        ResultRows rows;
        for (int i = 1; i <= number; ++i)
            rows.append({i, QString(), QString::number(1000 + i * 7)});
        marker("/tivrel-save-begins");
        result = writeDrawLog(path, rows);
        marker("/tivrel-save-ends");
    } else if (kind == "settings") {
        ProfileFile ini(path, QLocale::c());
        Settings settings = readSettings(ini);
        settings.Start = number;
        marker("/tivrel-save-begins");
        result = writeSettings(settings, ini);
        marker("/tivrel-save-ends");
    } else {
        return 2;
    }
    if (result.ok) {
        std::printf("saved\n");
        return 0;
    }
    std::printf("failed: %s\n", qPrintable(saveFailureText(result)));
    return 3;
}
