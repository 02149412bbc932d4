#include "platform/languageid.h"

#include <unicode/uloc.h>

quint16 languageIdForLocaleName(const QString &localeName)
{
    const QByteArray name = localeName.toLatin1();
    return static_cast<quint16>(uloc_getLCID(name.constData()) & 0xFFFF);
}
