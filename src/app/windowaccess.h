#pragma once

#include <QString>

class QLabel;
class QPushButton;
class QSplitter;
class QTableView;
class QTextBrowser;
class QWidget;

// The main window's controls that assistive technology names and describes.
struct WindowControls {
    QWidget &display; // Ergebnisfeld: its name is the text it shows
    QPushButton &startStop;
    QLabel &hint;   // Label3
    QLabel &status; // AutotivrelNotiz
    QTableView &results;
    QTextBrowser &help;
    QSplitter &splitter;
};

// Gives the main window's controls their accessible names and descriptions in German or
// English. The hint line also says, as its tooltip and description, where the files are kept.
void describeWindowControls(const WindowControls &controls, bool german, const QString &filesText);

// Whether a language id is one of the German ones (German of any country).
bool isGermanLanguage(quint16 languageId);
