#include "localisation/filerefusal.h"

#include "localisation/uitext.h"

#include <QDir>

QString fileRefusalReason(ReadRefusal refusal, qint64 limit, const QString &detail)
{
    switch (refusal) {
    case ReadRefusal::None:
    case ReadRefusal::Missing: return {};
    case ReadRefusal::Folder: return lng("StrDateiIstOrdner");
    case ReadRefusal::Pipe: return lng("StrDateiIstPipe");
    case ReadRefusal::Device: return lng("StrDateiIstGeraet");
    case ReadRefusal::TooLarge: {
        // Whole megabytes, rounded up, so the bound is never understated.
        const qint64 megabytes = (limit + (1 << 20) - 1) >> 20;
        return lngFormat("StrDateiUeberGrenze", {QString::number(megabytes)});
    }
    case ReadRefusal::Unreadable: return detail;
    }
    return {};
}

QString fileRefusalMessage(const QString &path, ReadRefusal refusal, qint64 limit,
                           const QString &detail)
{
    const QString reason = fileRefusalReason(refusal, limit, detail);
    if (reason.isEmpty())
        return {};
    return lngFormat("HinweisDateiNichtGelesen", {QDir::toNativeSeparators(path), reason});
}
