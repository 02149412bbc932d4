#pragma once

#include <QString>
#include <QtGlobal>

// The built-in help pages. Each page exists in German and English; the page of a settings page
// is the pair of texts <key>A and <key>B (key "HTMLQuote": "HTMLQuoteA" then "HTMLQuoteB"),
// the general help the single text "HTMLHilfe", the welcome page the pair "HTMLStart".

// The language whose pages helpText() and PageHelp serve: German for the German language ids
// (1031, 2055, 3079, 4103, 5127), English for every other. German until the program chooses.
void SetHelpLanguage(quint16 languageId);
quint16 HelpLanguage();

// One help text by its name ("HTMLQuoteA", "HTMLHilfe"; compared without regard to case) in the
// given language; empty when the program holds no such text.
QString helpPageText(const QString &name, quint16 languageId);
// The same in the help language.
QString helpText(const QString &name);

// The page for a key, A part and B part in the help language. A page the program does not hold
// gives the welcome page instead of an empty view.
QString PageHelp(const QString &key);
// The general help; the welcome page when it is missing.
QString GeneralHelp();
