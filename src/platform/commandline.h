#pragma once

#include <QString>
#include <QStringList>

// What the command line asks of this run.
struct CommandLine {
    enum class Action {
        Run,         // start the program
        ShowHelp,    // print `output` and end successfully
        ShowVersion, // print `output` and end successfully
        Fail,        // print `output` (the error and a hint) and end with an error
        Verify,      // check the journal `journal` (with the draw list `list`) and end
    };

    Action action = Action::Run;
    QString folder;  // --folder DIR as an absolute, clean path; empty when not given
    QString output;  // the text to print for ShowHelp, ShowVersion and Fail
    QString journal; // --verify JOURNAL
    QString list;    // the draw list the journal's segments drew from; may be empty
};

// Parses the program's arguments (the first one is the program itself): --help, --version,
// --folder DIR and --verify JOURNAL [LIST]. Nothing is printed and nothing ends the process here;
// main() acts on the result.
CommandLine parseCommandLine(const QStringList &arguments);

// The program's version, as the build sets it.
QString programVersion();

// Prints what the command line asks for (the help or the version on standard output, an error
// on standard error) and returns the exit code; -1 when the program is to run or to verify a
// journal (main() does that: the check belongs to the draw, above this folder).
int answerCommandLine(const CommandLine &line);
