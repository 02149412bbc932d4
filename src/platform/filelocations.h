#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// The user's own folders, where the files go when the program may not write beside itself.
struct UserFolders {
    QString config;    // the settings file
    QString data;      // the draw log
    QString documents; // exports, and the folder the file names in the settings are relative to

    // The desktop's standard places for this program (QStandardPaths): the application's config
    // and data folders, and a "Tivrel" folder in the user's documents. Needs the application's name
    // to be set first (QCoreApplication::setApplicationName), which names those folders.
    static UserFolders standard();
};

// Where this run keeps its files. The names and formats are the same wherever they are: the
// settings file and the draw log take the program file's name with ".ini" and ".log".
struct FileLocations {
    enum class Place {
        BesideProgram, // the program's folder: writable, or already holding the settings file
        UserFolders,   // the program's folder is not the user's to write (an installed program)
        ChosenFolder,  // --folder DIR on the command line
    };

    Place place = Place::BesideProgram;
    QString filesFolder;  // with a trailing '/': exports, and the base of relative file names
    QString settingsFile; // <name>.ini
    QString drawLog;      // <name>.log

    // The folders that must exist before the files can be written, each once.
    QStringList folders() const;
};

// The files beside the program, as the program has always kept them.
FileLocations filesBesideProgram(const QString &programPath);

// The places of the files as lines for the operator ("Settings: <path>" and so on), in German
// or English, with native separators.
QString fileLocationsText(const FileLocations &locations, bool german);

// Whether the current user may create files in a folder.
bool folderIsWritable(const QString &folder);

// The folders an installed program lives in: /usr, /opt, /bin, ... and the build's own
// installation folder for programs.
QStringList systemProgramFolders();

// Whether a program in `folder` is an installed one: the folder is one of `systemFolders` or
// lies below one, or an installation's menu entry lies beside it (<prefix>/bin and
// <prefix>/share/applications).
bool isSystemFolder(const QString &folder, const QStringList &systemFolders);

// Decides where the files live, once at start-up:
// - a chosen folder (not empty) holds all of them;
// - a program in a system folder (see isSystemFolder) keeps them in the user's folders, even
//   where it may write (run as root);
// - otherwise they stay beside the program when its folder is writable or already holds the
//   settings file (a portable copy keeps working as it always has);
// - otherwise they go to the user's folders.
// The decision reads the disk only through `writable` and the existence of the settings file
// and of an installation's menu entry.
FileLocations
decideFileLocations(const QString &programPath, const QString &chosenFolder,
                    const UserFolders &user,
                    const std::function<bool(const QString &)> &writable = folderIsWritable,
                    const QStringList &systemFolders = systemProgramFolders());

// Creates the folders of `locations` that do not exist yet. On failure returns false and sets
// `failedFolder` to the folder that could not be made.
bool createFileFolders(const FileLocations &locations, QString *failedFolder = nullptr);
