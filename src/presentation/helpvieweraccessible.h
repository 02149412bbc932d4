#pragma once

#include <QAccessibleWidget>

class QTextBrowser;

// What assistive technology sees of the help viewer: a read-only text of several lines that a
// screen reader reads and moves through (the toolkit shows a text browser as a label).
class HelpViewerAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit HelpViewerAccessible(QTextBrowser *viewer);

    // The factory for QAccessible::installFactory.
    static QAccessibleInterface *create(const QString &className, QObject *object);

    QAccessible::State state() const override;
    QString text(QAccessible::Text t) const override;
    void *interface_cast(QAccessible::InterfaceType t) override;

    void selection(int selectionIndex, int *startOffset, int *endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint &point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int *startOffset, int *endOffset) const override;

private:
    QTextBrowser *viewer() const;
};
