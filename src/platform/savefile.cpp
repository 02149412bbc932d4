#include "platform/savefile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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
        const QString reason = file.errorString();
        file.cancelWriting();
        return {false, reason};
    }
    if (!file.commit())
        return {false, file.errorString()};
    return {};
}

SaveResult appendToFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return {false, file.errorString()};
    const qint64 before = file.size();
    if (file.write(content) != content.size() || !file.flush()) {
        const QString reason = file.errorString();
        file.resize(before);
        return {false, reason};
    }
    return {};
}
