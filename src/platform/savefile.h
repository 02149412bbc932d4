#pragma once

#include <QByteArray>
#include <QString>

// The outcome of writing a file: ok, or the reason why not. The caller words the reason
// (saveFailureText in localisation/uitext.h): this folder shows no texts of its own.
struct SaveResult {
    bool ok = true;
    // Why, where the system gives no reason of its own: the caller names these.
    enum class Problem {
        System,       // the system's reason is in `error`
        FileTooLarge, // the write ran into the system's file size limit (ulimit -f)
        Link,         // a symbolic link stands in the file's place and is not written through
        NotAFile,     // a folder, pipe or device stands in the file's place
        Shortened,    // the file is shorter than its last append left it: cut from outside
    };
    QString error; // the system's reason when ok is false
    Problem problem = Problem::System;
};

// A write past the system's file size limit (ulimit -f) ends the process with SIGXFSZ, losing
// whatever was in flight. Called once at start: such a write then fails like any other, and
// the save reports Problem::FileTooLarge.
void ignoreFileSizeLimitSignal();

// Replaces the file at `path` with `content`. The file on disk holds either its previous content
// or the complete new one, never a part: the content goes to a new file beside it, which is
// flushed and then takes the old file's place. A short write or a failed flush (a full disk)
// cancels the save.
[[nodiscard]] SaveResult saveFileAtomically(const QString &path, const QByteArray &content);

struct AppendOptions {
    // Synced to the disk before the call returns.
    bool sync = false;
    // The length the file had after the caller's last append, or -1. A longer file ends with
    // the rest of a write whose cut failed: it is cut to this length before anything is
    // appended, so nothing is ever glued to a torn line. A shorter one is refused.
    qint64 expectedSize = -1;
};

// Appends `content` to the file at `path`, creating it when missing. The file is written
// unbuffered and every write is checked; a link in the file's place is not written through, and
// only a plain file is written (the open never waits for a pipe's reader). A write that fails part
// way is taken back: the file is cut to its previous length, so earlier content stays whole.
[[nodiscard]] SaveResult appendToFile(const QString &path, const QByteArray &content,
                                      const AppendOptions &options = {});
