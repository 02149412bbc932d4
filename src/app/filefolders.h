#pragma once

#include <QString>

class Platform;
struct FileLocations;

// Why the files cannot be kept where this run wants them.
struct FolderProblem {
    enum class Kind {
        None,
        FileInPlace, // a file stands where the folder (or one above it) should be
        NotWritable, // the folder may not be written to
        System,      // the folder could not be made; `detail` tells the system's reason
    };
    Kind kind = Kind::None;
    QString folder;
    QString detail;

    explicit operator bool() const { return kind != Kind::None; }
};

// Makes the folders of `files` that do not exist yet, and checks that a folder chosen with
// --folder may be written.
FolderProblem prepareFileFolders(const FileLocations &files);

// The operator's message for a problem, in the language in force.
QString folderProblemMessage(const FolderProblem &problem);

// Shows the problem on standard error and in a message box, in the language of the system,
// before any window: started from the menu, the operator sees why nothing else opens.
void reportFolderProblem(Platform &platform, const FolderProblem &problem);
