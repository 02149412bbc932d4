// A results server fed from standard input, for the browser test and the page's screenshots:
// prints "port <n>", then reads one command a line: "draw <entry>|<prize>", "end", "pass".
// The page's texts are the program's own German constants.
#include "localisation/uitext.h"
#include "web/resultsservice.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTextStream>
#include <QTime>

#include <cstdio>
#include <unistd.h>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    ResultsService service;
    ResultsSnapshot s;
    s.quota = 90;
    s.language = QStringLiteral("de");
    for (const auto &[key, name] : webTextNames())
        s.texts.append({QString::fromLatin1(key), lng(name)});
    service.publish(s);
    const ResultsService::Started started = service.start(QStringLiteral("127.0.0.1"), 0);
    if (!started.port) {
        std::fprintf(stderr, "%s\n", qPrintable(started.error));
        return 1;
    }
    std::printf("port %u\n", unsigned(started.port));
    std::fflush(stdout);

    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&] {
        char line[4096];
        const ssize_t got = ::read(STDIN_FILENO, line, sizeof line - 1);
        if (got <= 0) {
            app.quit();
            return;
        }
        for (const QString &command :
             QString::fromUtf8(line, got).split(u'\n', Qt::SkipEmptyParts)) {
            ++s.version;
            if (command.startsWith(QLatin1String("draw "))) {
                const QStringList parts = command.mid(5).split(u'|');
                ++s.count;
                s.draws.prepend({s.count, parts.value(0), parts.value(1),
                                 QTime::currentTime().toString(QStringLiteral("hh:mm:ss"))});
            } else if (command == QLatin1String("end")) {
                s.closed = true;
            } else if (command == QLatin1String("pass")) {
                ++s.pass;
                s.draws.clear();
                s.count = 0;
                s.closed = false;
            }
            service.publish(s);
        }
    });
    return app.exec();
}
