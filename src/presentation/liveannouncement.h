#pragma once

#include <QWidget>

// Where assistive technology hears what happened: an object of the notification role, without
// size on screen, whose name is the last announcement. Each announcement renames it and shows
// it anew, which screen readers read out at once (Orca speaks a notification that shows), and
// clients that follow name changes hear it as well.
class LiveAnnouncement : public QWidget {
    Q_OBJECT
public:
    explicit LiveAnnouncement(QWidget *parent = nullptr);

    void announce(const QString &text);
    QString text() const { return m_text; }

private:
    QString m_text;
};
