#pragma once

#include <QByteArray>
#include <QTextBrowser>

#include <functional>

class Platform;
class QUrl;

// The help viewer Hilfeviewer: shows one built-in help page at a time on a cream ground and
// hands every link to the system, never following it itself.
class HelpViewer final : public QTextBrowser {
    Q_OBJECT
public:
    explicit HelpViewer(Platform &platform, QWidget *parent = nullptr);

    // Loads a page text, replacing the page shown; an empty text shows the welcome page.
    void showPage(const QString &text);
    // The help page of a settings page key ("HTMLQuote"), and the general help.
    void showHelp(const QString &key);
    void showGeneralHelp();

    // The page as loaded: the byte order mark EF BB BF, then the text as UTF-8. This is what
    // "Anzeige im Browser" writes to its file.
    const QByteArray &documentSource() const { return m_source; }

    // Where this run keeps its files, one "what: where" a line, in the help language: it
    // takes the place of the mark <!--FILES--> in a page.
    void setFilesText(std::function<QString()> text) { m_filesText = std::move(text); }

    // A link in the page was clicked: its target goes to the system's default handler.
    void HilfeviewerHotSpotClick(const QUrl &link);

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    Platform &m_platform;
    QByteArray m_source;
    std::function<QString()> m_filesText;
};
