#include "platform/savefile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

#include <cerrno>
#include <csignal>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#endif

namespace {

// Why a write of a file that would end up `size` bytes long failed. A write cut short by the
// file size limit leaves no error behind in Qt ("Unknown error"): that reason is named.
SaveResult writeFailure(const QFileDevice &file, qint64 size)
{
#ifdef Q_OS_UNIX
    rlimit limit{};
    if (getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY &&
        quint64(size) > quint64(limit.rlim_cur))
        return {false, QString(), SaveResult::Problem::FileTooLarge};
#else
    Q_UNUSED(size);
#endif
    return {false, file.errorString()};
}

SaveResult failure(SaveResult::Problem problem)
{
    return {false, QString(), problem};
}

SaveResult systemFailure(int error)
{
    return {false, QString::fromLocal8Bit(std::strerror(error))};
}

// Writes `content` to a new file beside the link at `path`, then renames it over the link: the
// link is gone, its target untouched, and the disk holds the link or the complete file.
SaveResult replaceLink(const QString &path, const QByteArray &content)
{
    const QFileInfo info(path);
    QTemporaryFile file(info.absolutePath() + QStringLiteral("/.") + info.fileName() +
                        QStringLiteral(".XXXXXX"));
    if (!file.open())
        return {false, file.errorString()};
    if (file.write(content) != content.size() || !file.flush())
        return writeFailure(file, content.size());
#ifdef Q_OS_UNIX
    if (::fsync(file.handle()) != 0)
        return systemFailure(errno);
#endif
    // The new file gets the permissions a newly saved file gets, not the temporary's 0600.
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                        QFileDevice::ReadOther);
    if (::rename(QFile::encodeName(file.fileName()).constData(),
                 QFile::encodeName(path).constData()) != 0)
        return systemFailure(errno);
    file.setAutoRemove(false);
    return {};
}

} // namespace

void ignoreFileSizeLimitSignal()
{
#ifdef SIGXFSZ
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}

SaveResult saveFileAtomically(const QString &path, const QByteArray &content)
{
    const QFileInfo info(path);
    // A link in the file's place is replaced by the file, not written through: whatever it
    // points to stays as it is.
    if (info.isSymLink())
        return replaceLink(path, content);
    if (info.exists() && !info.isFile())
        return failure(SaveResult::Problem::NotAFile);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {false, file.errorString()};
    // A short write or a failed flush must not reach commit(): it would put a torn file in
    // place of the complete previous one.
    if (file.write(content) != content.size() || !file.flush()) {
        const SaveResult failed = writeFailure(file, content.size());
        file.cancelWriting();
        return failed;
    }
    if (!file.commit())
        return {false, file.errorString()};
    return {};
}

SaveResult appendToFile(const QString &path, const QByteArray &content,
                        const AppendOptions &options)
{
    // Never through a link planted in the file's place, and never into a pipe: the open does
    // not wait for a reader, and only a plain file is written.
    const int fd =
        ::open(QFile::encodeName(path).constData(),
               O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) {
        const int error = errno;
        return error == ELOOP ? failure(SaveResult::Problem::Link) : systemFailure(error);
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return failure(SaveResult::Problem::NotAFile);
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    QFile file;
    // Unbuffered: what a failed write left in a buffer would otherwise be written by the close,
    // after the cut, into the room the cut freed.
    if (!file.open(fd, QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered,
                   QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return {false, file.errorString()};
    }
    qint64 before = file.size();
    if (options.expectedSize >= 0 && before != options.expectedSize) {
        if (before < options.expectedSize)
            return failure(SaveResult::Problem::Shortened);
        if (!file.resize(options.expectedSize))
            return {false, file.errorString()};
        before = options.expectedSize;
    }
    if (file.write(content) != content.size() || !file.flush()) {
        const SaveResult failed = writeFailure(file, before + content.size());
        file.resize(before);
        return failed;
    }
    if (options.sync && ::fsync(file.handle()) != 0) {
        const SaveResult failed = systemFailure(errno);
        file.resize(before);
        return failed;
    }
    return {};
}
