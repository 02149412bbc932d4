#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

class QFile;

// Why a file was not read. Everything but a plain file of a sane size is refused before a
// byte is read: a pipe would block the program until someone writes to it, a device such as
// /dev/zero never ends, and a file of gigabytes does not fit in memory.
enum class ReadRefusal {
    None,
    Missing,    // no such file
    Folder,     // a folder stands where the file should be
    Pipe,       // a FIFO or a socket
    Device,     // a character or block device (also through a link)
    TooLarge,   // over the limit for its kind
    Unreadable, // exists but could not be opened or read; `detail` tells the system's reason
};

// Whether the refusal is for what stands in the file's place (a folder, a pipe, a device, a
// file beyond the bound) rather than for a file that is missing or may not be read.
inline bool refusedForWhatItIs(ReadRefusal refusal)
{
    return refusal == ReadRefusal::Folder || refusal == ReadRefusal::Pipe ||
           refusal == ReadRefusal::Device || refusal == ReadRefusal::TooLarge;
}

struct FileRead {
    QByteArray bytes;
    ReadRefusal refusal = ReadRefusal::None;
    qint64 limit = 0; // the bound the file was read within
    QString detail;   // the system's reason for Unreadable

    bool ok() const { return refusal == ReadRefusal::None; }
};

// Reads the whole file at `path` when it is a plain file of at most `maxBytes` bytes (a link
// is followed to what it names). A pipe is opened without waiting for a writer and refused,
// as are folders and devices; a file that grows past the bound while it is read is refused too.
FileRead readFileBounded(const QString &path, qint64 maxBytes);

// Opens `file` for reading with the checks of readFileBounded, for readers that read a part
// at a time (a picture's header first). On success the file is open and holds at most
// `maxBytes` bytes; otherwise `file` stays closed and `detail` (when given) gets the system's
// reason for Unreadable.
ReadRefusal openBounded(QFile &file, const QString &path, qint64 maxBytes,
                        QString *detail = nullptr);

// The checks alone, by the file's status, without opening it: for a file that is opened by
// other means after the check (for writing too).
ReadRefusal checkReadable(const QString &path, qint64 maxBytes);
