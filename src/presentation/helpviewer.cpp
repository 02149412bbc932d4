#include "presentation/helpviewer.h"

#include "platform/platform.h"
#include "presentation/helppages.h"
#include "presentation/helpvieweraccessible.h"

#include <QAccessible>
#include <QPalette>
#include <QUrl>

namespace {
// Where a page names the folders of this run.
const QString FilesMark = QStringLiteral("<!--FILES-->");
} // namespace

HelpViewer::HelpViewer(Platform &platform, QWidget *parent)
    : QTextBrowser(parent), m_platform(platform)
{
    setObjectName(QStringLiteral("Hilfeviewer"));
    static const bool accessibleInstalled = [] {
        QAccessible::installFactory(&HelpViewerAccessible::create);
        return true;
    }();
    Q_UNUSED(accessibleInstalled);
    // Links are the system's business: the viewer neither follows nor opens them itself.
    setOpenLinks(false);
    setOpenExternalLinks(false);
    setTextInteractionFlags(Qt::TextBrowserInteraction);
    QPalette colours = palette();
    colours.setColor(QPalette::Base, QColor(0xFF, 0xFB, 0xF0)); // cream
    colours.setColor(QPalette::Text, QColor(0x33, 0x33, 0x33));
    setPalette(colours);
    QFont font(QStringLiteral("Trebuchet MS"));
    font.setStyleHint(QFont::SansSerif);
    document()->setDefaultFont(font);
    document()->setDefaultStyleSheet(
        QStringLiteral("pre, code, tt { font-family: \"Courier New\", monospace; }"));
    setFrameShape(QFrame::NoFrame);
    connect(this, &QTextBrowser::anchorClicked, this, &HelpViewer::HilfeviewerHotSpotClick);
}

void HelpViewer::showPage(const QString &text)
{
    QString page = text.isEmpty() ? PageHelp(QStringLiteral("HTMLStart")) : text;
    if (m_filesText && page.contains(FilesMark)) {
        QString list = QStringLiteral("<ul class=\"s\">");
        for (const QString &line : m_filesText().split(u'\n', Qt::SkipEmptyParts))
            list += QStringLiteral("<li>") + line.toHtmlEscaped() + QStringLiteral("</li>");
        page.replace(FilesMark, list + QStringLiteral("</ul>"));
    }
    m_source = QByteArray("\xEF\xBB\xBF") + page.toUtf8();
    setHtml(page);
    clearHistory();
}

void HelpViewer::showHelp(const QString &key)
{
    showPage(PageHelp(key));
}

void HelpViewer::showGeneralHelp()
{
    showPage(GeneralHelp());
}

void HelpViewer::HilfeviewerHotSpotClick(const QUrl &link)
{
    // The target as the page writes it: a web address or a mailto: address.
    m_platform.shellOpen(link.toString());
}

void HelpViewer::focusInEvent(QFocusEvent *event)
{
    setFrameShape(QFrame::Box);
    QTextBrowser::focusInEvent(event);
}

void HelpViewer::focusOutEvent(QFocusEvent *event)
{
    setFrameShape(QFrame::NoFrame);
    QTextBrowser::focusOutEvent(event);
}
