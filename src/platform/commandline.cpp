#include "platform/commandline.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

QString programVersion()
{
    return QStringLiteral(TIVREL_VERSION);
}

// The options that QApplication takes from the command line itself (-geometry, -platform,
// -style, ...). They are accepted here, hidden from the help, and left in argv for Qt.
static void addQtOwnOptions(QCommandLineParser &parser)
{
    static const char *const withValue[] = {
        "platform",
        "platformpluginpath",
        "platformtheme",
        "plugin",
        "qwindowgeometry",
        "qwindowicon",
        "qwindowtitle",
        "session",
        "display",
        "geometry",
        "title",
        "icon",
        "visual",
        "ncols",
        "cmap",
        "style",
        "stylesheet",
        "qmljsdebugger",
        "name",
    };
    static const char *const flags[] = {"reverse", "nograb", "dograb", "sync", "widgetcount"};
    const auto hidden = [&parser](const char *name, const QString &valueName) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), valueName);
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    };
    for (const char *name : withValue)
        hidden(name, QStringLiteral("value"));
    for (const char *name : flags)
        hidden(name, QString());
}

CommandLine parseCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    // Qt's own options come with one dash and a whole word (-geometry 800x600).
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        QStringLiteral("Tivrel draws raffle and tombola tickets at random, without repetition, "
                       "from a number range or from the lines of a list file.\n\n"
                       "The settings file and the draw log stay beside the program when its "
                       "folder is writable or already holds the settings file, unless the "
                       "program is installed in a system folder; otherwise they are kept in "
                       "the user's configuration and data folders."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();
    const QCommandLineOption folder(
        QStringList{QStringLiteral("folder")},
        QStringLiteral("Keep the settings file, the draw log and the exports in <folder> "
                       "(created when missing), for example one folder per event."),
        QStringLiteral("folder"));
    parser.addOption(folder);
    const QCommandLineOption verify(
        QStringList{QStringLiteral("verify")},
        QStringLiteral("Check a journal of verifiable draws: replay every segment from its "
                       "revealed seed and check every draw and the chain of lines. Give the "
                       "draw list file after it when the draws came from a list. Prints "
                       "\"verified: N draws in M segments\" and exits 0 when every segment is "
                       "revealed and every draw replays; the first line that does not match "
                       "and why, exit 1; \"incomplete: ...\", exit 2, while a segment's seed "
                       "is not revealed yet."),
        QStringLiteral("journal"));
    parser.addOption(verify);
    parser.addPositionalArgument(QStringLiteral("list"),
                                 QStringLiteral("With --verify: the draw list file."),
                                 QStringLiteral("[list]"));
    addQtOwnOptions(parser);

    CommandLine result;
    const QString program =
        arguments.isEmpty() ? QStringLiteral("tivrel") : QFileInfo(arguments.first()).fileName();
    if (!parser.parse(arguments)) {
        result.action = CommandLine::Action::Fail;
        result.output = program + QStringLiteral(": ") + parser.errorText() +
                        QStringLiteral("\nTry '") + program +
                        QStringLiteral(" --help' for more information.\n");
        return result;
    }
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        // The usage line names the program as it was called, also when no application object
        // exists yet (the help needs no display).
        QString text = parser.helpText();
        const qsizetype lineEnd = text.indexOf(QLatin1Char('\n'));
        text.replace(0, lineEnd,
                     QStringLiteral("Usage: ") + program + QStringLiteral(" [options]"));
        result.action = CommandLine::Action::ShowHelp;
        result.output = text;
        return result;
    }
    if (parser.isSet(versionOption)) {
        result.action = CommandLine::Action::ShowVersion;
        result.output = QStringLiteral("Tivrel ") + programVersion() + QLatin1Char('\n');
        return result;
    }
    if (parser.isSet(verify) && parser.positionalArguments().size() <= 1) {
        result.action = CommandLine::Action::Verify;
        result.journal = parser.value(verify);
        result.list = parser.positionalArguments().value(0);
        return result;
    }
    if (!parser.positionalArguments().isEmpty()) {
        result.action = CommandLine::Action::Fail;
        result.output = program + QStringLiteral(": unexpected argument '") +
                        parser.positionalArguments().first() + QStringLiteral("'\nTry '") +
                        program + QStringLiteral(" --help' for more information.\n");
        return result;
    }
    if (parser.isSet(folder)) {
        const QString value = parser.value(folder);
        if (value.trimmed().isEmpty()) {
            result.action = CommandLine::Action::Fail;
            result.output = program + QStringLiteral(": --folder needs a folder name\n");
            return result;
        }
        result.folder = QDir::cleanPath(QDir::current().absoluteFilePath(value));
    }
    return result;
}

int answerCommandLine(const CommandLine &line)
{
    const QByteArray text = line.output.toLocal8Bit();
    switch (line.action) {
    case CommandLine::Action::Run:
    case CommandLine::Action::Verify: return -1;
    case CommandLine::Action::ShowHelp:
    case CommandLine::Action::ShowVersion: std::fputs(text.constData(), stdout); return 0;
    case CommandLine::Action::Fail: std::fputs(text.constData(), stderr); return 1;
    }
    return -1;
}
