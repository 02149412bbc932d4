#pragma once

#include <QByteArray>
#include <QString>

// The outcome of writing a file: ok, or the reason why not. The caller words the reason
// (saveFailureText in localisation/uitext.h): this folder shows no texts of its own.
struct SaveResult {
    bool ok = true;
    QString error;             // the system's reason when ok is false
    bool fileTooLarge = false; // the write ran into the system's file size limit (ulimit -f)
};

// A write past the system's file size limit (ulimit -f) ends the process with SIGXFSZ, losing
// whatever was in flight. Called once at start: such a write then fails like any other, and
// the save reports fileTooLarge.
void ignoreFileSizeLimitSignal();

// Replaces the file at `path` with `content`. The file on disk holds either its previous content
// or the complete new one, never a part: the content goes to a new file beside it, which is
// flushed and then takes the old file's place. A short write or a failed flush (a full disk)
// cancels the save.
[[nodiscard]] SaveResult saveFileAtomically(const QString &path, const QByteArray &content);

// Appends `content` to the file at `path`, creating it when missing. A write that fails part
// way is taken back: the file is cut to its previous length, so earlier content stays whole.
[[nodiscard]] SaveResult appendToFile(const QString &path, const QByteArray &content);
