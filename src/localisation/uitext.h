#pragma once

#include "platform/savefile.h"

#include <QString>
#include <QVariantList>

// The texts the main window shows, by the name of their language constant, in the language in
// force. A name the program does not hold gives the name itself, and a warning in the log.
QString lng(const char *name);
QString lng(const QString &name);
// The constant's text with its %-placeholders ("%s", "%d") filled from args.
QString lngFormat(const char *name, const QVariantList &args);
// Why a save failed, in words: the system's reason, or "StrDateiZuGross" for a file that ran
// into the file size limit.
QString saveFailureText(const SaveResult &result);
