#include "platform/platform.h"

#include <QFileInfo>

QString programFolder(const Platform &platform)
{
    return QFileInfo(platform.programPath()).absolutePath() + QLatin1Char('/');
}

QString programSiblingPath(const Platform &platform, const QString &extension)
{
    const QFileInfo info(platform.programPath());
    return info.absolutePath() + QLatin1Char('/') + info.completeBaseName() + extension;
}
