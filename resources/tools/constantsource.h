#pragma once

#include <QList>
#include <QString>

// A readable source file of language constants (resources/constants_*.txt):
//
//   # comment
//   Name = "text"
//   Long =
//       "first line\r\n"
//       "second line"
//
//   Page = <<END
//   <p>lines taken as they stand</p>
//   END
//
// An entry is a name, "=" and one or more quoted strings that are joined. Inside
// the quotes \r, \n, \t, \" and \\ stand for a carriage return, a line feed, a
// tab, a double quote and a backslash; every other character is itself (UTF-8).
// A block ("<<" and an end mark) takes the lines up to the line holding just the
// end mark verbatim, joined with CR LF, for long texts such as help pages.
struct SourceConstant {
    QString name;
    QString text;
    int line = 0; // line of the name, counted from 1
};

// What an entry is named by: a constant name (an identifier), or the decimal ID of a
// control's text (the texts of a window in a language file).
enum class SourceKeys { Names, Ids };

// Parses the whole file; on failure returns false with "line N: problem" in error.
// Keys may appear only once (names compared case-insensitively).
bool ParseConstantSource(const QString &content, QList<SourceConstant> &constants, QString &error,
                         SourceKeys keys = SourceKeys::Names);
