#pragma once

#include "localisation/langcontroller.h"

#include <QList>

// The section of the main window's texts in the language files.
inline const QString Form1SectionName = QStringLiteral("Form1");

// The translatable texts of the main window as designed: every caption, hint, header caption,
// list and dialog text that a language file can replace, by ID.
const QList<LangDataEntry> &Form1LangData();
