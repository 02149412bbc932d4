#include "presentation/helpvieweraccessible.h"

#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>

HelpViewerAccessible::HelpViewerAccessible(QTextBrowser *viewer)
    : QAccessibleWidget(viewer, QAccessible::EditableText)
{
}

QAccessibleInterface *HelpViewerAccessible::create(const QString &className, QObject *object)
{
    if (className == QLatin1String("HelpViewer") && object && object->isWidgetType())
        return new HelpViewerAccessible(static_cast<QTextBrowser *>(object));
    return nullptr;
}

QTextBrowser *HelpViewerAccessible::viewer() const
{
    return static_cast<QTextBrowser *>(widget());
}

QAccessible::State HelpViewerAccessible::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    s.readOnly = true;
    s.multiLine = true;
    s.editable = false;
    return s;
}

QString HelpViewerAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Value)
        return viewer()->toPlainText();
    return QAccessibleWidget::text(t);
}

void *HelpViewerAccessible::interface_cast(QAccessible::InterfaceType t)
{
    if (t == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface *>(this);
    return QAccessibleWidget::interface_cast(t);
}

void HelpViewerAccessible::selection(int selectionIndex, int *startOffset, int *endOffset) const
{
    *startOffset = *endOffset = 0;
    const QTextCursor cursor = viewer()->textCursor();
    if (selectionIndex == 0 && cursor.hasSelection()) {
        *startOffset = cursor.selectionStart();
        *endOffset = cursor.selectionEnd();
    }
}

int HelpViewerAccessible::selectionCount() const
{
    return viewer()->textCursor().hasSelection() ? 1 : 0;
}

void HelpViewerAccessible::addSelection(int startOffset, int endOffset)
{
    setSelection(0, startOffset, endOffset);
}

void HelpViewerAccessible::removeSelection(int selectionIndex)
{
    if (selectionIndex != 0)
        return;
    QTextCursor cursor = viewer()->textCursor();
    cursor.clearSelection();
    viewer()->setTextCursor(cursor);
}

void HelpViewerAccessible::setSelection(int selectionIndex, int startOffset, int endOffset)
{
    if (selectionIndex != 0)
        return;
    QTextCursor cursor = viewer()->textCursor();
    cursor.setPosition(qBound(0, startOffset, characterCount()));
    cursor.setPosition(qBound(0, endOffset, characterCount()), QTextCursor::KeepAnchor);
    viewer()->setTextCursor(cursor);
}

int HelpViewerAccessible::cursorPosition() const
{
    return viewer()->textCursor().position();
}

void HelpViewerAccessible::setCursorPosition(int position)
{
    QTextCursor cursor = viewer()->textCursor();
    cursor.setPosition(qBound(0, position, characterCount()));
    viewer()->setTextCursor(cursor);
}

QString HelpViewerAccessible::text(int startOffset, int endOffset) const
{
    QTextCursor cursor(viewer()->document());
    cursor.setPosition(qBound(0, startOffset, characterCount()));
    cursor.setPosition(qBound(0, endOffset, characterCount()), QTextCursor::KeepAnchor);
    QString text = cursor.selectedText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return text;
}

int HelpViewerAccessible::characterCount() const
{
    return viewer()->document()->characterCount() - 1;
}

QRect HelpViewerAccessible::characterRect(int offset) const
{
    QTextCursor cursor(viewer()->document());
    cursor.setPosition(qBound(0, offset, characterCount()));
    const QRect r = viewer()->cursorRect(cursor);
    return QRect(viewer()->viewport()->mapToGlobal(r.topLeft()), r.size());
}

int HelpViewerAccessible::offsetAtPoint(const QPoint &point) const
{
    return viewer()->cursorForPosition(viewer()->viewport()->mapFromGlobal(point)).position();
}

void HelpViewerAccessible::scrollToSubstring(int startIndex, int endIndex)
{
    setSelection(0, startIndex, endIndex);
    viewer()->ensureCursorVisible();
}

QString HelpViewerAccessible::attributes(int offset, int *startOffset, int *endOffset) const
{
    *startOffset = *endOffset = offset;
    return {};
}
