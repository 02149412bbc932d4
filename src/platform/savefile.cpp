#include "platform/savefile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <csignal>
#include <cstring>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>
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
        return {false, QString(), true};
#else
    Q_UNUSED(size);
#endif
    return {false, file.errorString()};
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
    if (info.exists() && !info.isFile())
        return {false, QStringLiteral("%1 is not a file").arg(path)};
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
    QFile file;
    // Unbuffered: what a failed write left in a buffer would otherwise be written by the close,
    // after the cut, into the room the cut freed.
    const QIODevice::OpenMode mode =
        QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered;
#ifdef Q_OS_UNIX
    const int flags =
        O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | (options.noFollow ? O_NOFOLLOW : 0);
    const int fd = ::open(QFile::encodeName(path).constData(), flags, 0644);
    if (fd < 0) {
        const int error = errno;
        if (error == ELOOP && options.noFollow)
            return {false, lng("StrSymbolischerLink")};
        return {false, QString::fromLocal8Bit(std::strerror(error))};
    }
    if (!file.open(fd, mode, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return {false, file.errorString()};
    }
#else
    if (options.noFollow && QFileInfo(path).isSymLink())
        return {false, lng("StrSymbolischerLink")};
    file.setFileName(path);
    if (!file.open(mode))
        return {false, file.errorString()};
#endif
    qint64 before = file.size();
    if (options.expectedSize >= 0 && before != options.expectedSize) {
        if (before < options.expectedSize || !file.resize(options.expectedSize))
            return {false,
                    before < options.expectedSize ? lng("StrDateiGekuerzt") : file.errorString()};
        before = options.expectedSize;
    }
    if (file.write(content) != content.size() || !file.flush()) {
        const SaveResult failed = writeFailure(file, before + content.size());
        file.resize(before);
        return failed;
    }
#ifdef Q_OS_UNIX
    if (options.sync && ::fsync(file.handle()) != 0) {
        const QString reason = QString::fromLocal8Bit(std::strerror(errno));
        file.resize(before);
        return {false, reason};
    }
#endif
    return {};
}
