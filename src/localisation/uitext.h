#pragma once

#include <QString>
#include <QVariantList>

// The texts the main window shows, by the name of their language constant, in the language in
// force. A name the program does not hold gives the name itself, and a warning in the log.
QString lng(const char *name);
QString lng(const QString &name);
// The constant's text with its %-placeholders ("%s", "%d") filled from args.
QString lngFormat(const char *name, const QVariantList &args);
// A help text ("HTMLQuoteA", "HTMLHilfe") in the help language (SetHelpLanguage in
// presentation/helppages.h); empty when the program holds no such text.
QString helpText(const QString &name);
