#pragma once

#include <QString>
#include <QtGlobal>

// Windows locale id (LCID) of a locale name such as "de_CH" or "en_GB"; 0 when unknown.
quint16 languageIdForLocaleName(const QString &localeName);
