#include "platform/savefile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <csignal>

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

SaveResult appendToFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    // Unbuffered: what a failed write left in a buffer would otherwise be written by the close,
    // after the cut, into the room the cut freed.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return {false, file.errorString()};
    const qint64 before = file.size();
    if (file.write(content) != content.size() || !file.flush()) {
        const SaveResult failed = writeFailure(file, before + content.size());
        file.resize(before);
        return failed;
    }
    return {};
}
