#include "platform/boundedread.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

ReadRefusal refusalFor(const struct stat &status, qint64 maxBytes)
{
    if (S_ISDIR(status.st_mode))
        return ReadRefusal::Folder;
    if (S_ISFIFO(status.st_mode) || S_ISSOCK(status.st_mode))
        return ReadRefusal::Pipe;
    if (!S_ISREG(status.st_mode))
        return ReadRefusal::Device;
    if (qint64(status.st_size) > maxBytes)
        return ReadRefusal::TooLarge;
    return ReadRefusal::None;
}

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

ReadRefusal checkReadable(const QString &path, qint64 maxBytes)
{
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return errno == ENOENT || errno == ENOTDIR ? ReadRefusal::Missing : ReadRefusal::Unreadable;
    return refusalFor(status, maxBytes);
}

ReadRefusal openBounded(QFile &file, const QString &path, qint64 maxBytes, QString *detail)
{
    const QByteArray native = QFile::encodeName(path);
    // The kind is told by the status first, so a device is never opened at all.
    if (const ReadRefusal early = checkReadable(path, maxBytes);
        early != ReadRefusal::None && early != ReadRefusal::Unreadable)
        return early;
    // Without O_NONBLOCK a FIFO put in place after the check would hold the open until a
    // writer comes; the open file's own status then decides.
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        if (error == ENOENT || error == ENOTDIR)
            return ReadRefusal::Missing;
        if (detail)
            *detail = systemReason(error);
        return ReadRefusal::Unreadable;
    }
    struct stat status {};
    ReadRefusal refusal = ReadRefusal::None;
    if (::fstat(fd, &status) != 0) {
        if (detail)
            *detail = systemReason(errno);
        refusal = ReadRefusal::Unreadable;
    } else {
        refusal = refusalFor(status, maxBytes);
    }
    if (refusal == ReadRefusal::None) {
        // A plain file: reads block as usual again.
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
        if (file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
            return ReadRefusal::None;
        if (detail)
            *detail = file.errorString();
        refusal = ReadRefusal::Unreadable;
    }
    ::close(fd);
    return refusal;
}

FileRead readFileBounded(const QString &path, qint64 maxBytes)
{
    FileRead result;
    result.limit = maxBytes;
    QFile file;
    result.refusal = openBounded(file, path, maxBytes, &result.detail);
    if (!result.ok())
        return result;
    // One byte more than the bound is asked for: a file that grew since its size was checked
    // is refused, not cut.
    const qint64 size = file.size();
    result.bytes.resize(qsizetype(size + 1));
    qint64 have = 0;
    for (;;) {
        if (have == result.bytes.size()) {
            if (have > maxBytes)
                break;
            result.bytes.resize(qsizetype(qMin(maxBytes + 1, have * 2 + 4096)));
        }
        const qint64 got = file.read(result.bytes.data() + have, result.bytes.size() - have);
        if (got < 0) {
            result.refusal = ReadRefusal::Unreadable;
            result.detail = file.errorString();
            result.bytes.clear();
            return result;
        }
        if (got == 0)
            break;
        have += got;
    }
    if (have > maxBytes) {
        result.refusal = ReadRefusal::TooLarge;
        result.bytes.clear();
        return result;
    }
    result.bytes.resize(qsizetype(have));
    return result;
}
