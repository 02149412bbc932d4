#pragma once

#include <QString>
#include <QVariantList>

// The program's %-formatting of message texts, in the style of Delphi's Format:
// a placeholder is "%" [ "-" ] [ width ] [ "." precision ] type, with the types
// "s" (text) and "d" (whole number), and "%%" for a percent sign.
//   width      minimum length, filled with blanks on the left ("-": on the right)
//   precision  for "d" the minimum number of digits, filled with zeros;
//              for "s" the maximum number of characters
// Placeholders take the arguments in order. Arguments left over are ignored; a
// placeholder without an argument, or one that is not understood, stays in the
// text as it stands.
QString FormatText(const QString &pattern, const QVariantList &args);
