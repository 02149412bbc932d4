#pragma once

#include <QString>

class Platform;
class QTextCursor;

// The help viewer's context menu: the page shown handed to the web browser, and the selected
// part copied to the clipboard as HTML.

// Where the page for the browser goes: "tivrelh.html" in the system's temporary folder.
QString helpPageBrowserPath(const Platform &platform);

// Writes the source text of the page shown to the browser file, replacing it, and opens it in
// the program the desktop associates with HTML. A failure on the way is passed over silently.
void pHTMLShowClick(Platform &platform, const QString &pageSource);

// The copy item is enabled only while part of the page is selected.
bool helpCopyEnabled(const QTextCursor &selection);

// Puts the selected part on the clipboard as an HTML fragment, with its plain text beside it
// for programs that take no HTML.
void pHTMLSaveClick(const QTextCursor &selection);
