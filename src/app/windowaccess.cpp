#include "app/windowaccess.h"

#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QTextBrowser>

namespace {
QString text(bool german, const char *de, const char *en)
{
    return QString::fromUtf8(german ? de : en);
}
} // namespace

bool isGermanLanguage(quint16 languageId)
{
    return (languageId & 0x3FF) == 0x07;
}

void describeWindowControls(const WindowControls &c, bool german, const QString &filesText)
{
    c.display.setAccessibleDescription(
        text(german, "Ziehungsanzeige: die gezogene Nummer", "Draw display: the drawn number"));
    c.startStop.setAccessibleDescription(
        text(german, "Startet und stoppt eine Ziehung (Strg+S oder Strg+Leertaste)",
             "Starts and stops a draw (Ctrl+S or Ctrl+Space)"));
    c.status.setAccessibleDescription(text(german, "Statuszeile", "Status line"));
    c.results.setAccessibleName(text(german, "Ergebnisse", "Results"));
    c.results.setAccessibleDescription(
        text(german, "Die Ziehungen des laufenden Durchgangs", "The draws of the current pass"));
    c.help.setAccessibleName(text(german, "Hilfe", "Help"));
    c.help.setAccessibleDescription(
        text(german, "Hilfe zur Seite der Einstellungen", "Help on the settings page"));
    c.splitter.setAccessibleName(
        text(german, "Trenner zwischen Anzeige und Liste", "Divider between display and list"));
    c.splitter.setAccessibleDescription(text(german,
                                             "Verschiebt die Grenze zwischen Anzeige und Liste",
                                             "Moves the border between display and list"));
    const QString where = text(german, "Dateien: ", "Files: ") + QLatin1Char('\n') + filesText;
    c.hint.setToolTip(where);
    c.hint.setAccessibleDescription(where);
}
