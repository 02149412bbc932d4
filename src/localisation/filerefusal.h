#pragma once

#include "platform/boundedread.h"

#include <QString>

// The operator's message for a file that was not read: its name and why, in the language in
// force ("HinweisDateiNichtGelesen"). Empty for a file that was read or is simply missing.
QString fileRefusalMessage(const QString &path, ReadRefusal refusal, qint64 limit,
                           const QString &detail = QString());
inline QString fileRefusalMessage(const QString &path, const FileRead &read)
{
    return fileRefusalMessage(path, read.refusal, read.limit, read.detail);
}

// The reason alone, as one sentence.
QString fileRefusalReason(ReadRefusal refusal, qint64 limit, const QString &detail = QString());
