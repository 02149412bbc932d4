#include "app/controlstrip.h"

#include "localisation/uitext.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>

ControlStrip::ControlStrip(QPushButton &startStop, QLabel &note)
    : m_button(startStop), m_note(note), m_noteFont(note.font())
{
}

void ControlStrip::showRunning(bool running)
{
    m_button.setText(lng(running ? "StrStopp" : "StrStart"));
}

void ControlStrip::setStartShown(bool shown)
{
    m_button.setEnabled(shown);
    m_button.setVisible(shown);
}

bool ControlStrip::startEnabled() const
{
    return m_button.isEnabled();
}

QString ControlStrip::startCaption() const
{
    return m_button.text();
}

void ControlStrip::hideStart()
{
    m_button.hide();
}

void ControlStrip::showNote(const QString &text)
{
    m_note.setFont(m_noteFont);
    m_note.setText(text);
    m_note.show();
}

void ControlStrip::showLongNote(const QString &text)
{
    const QWidget *window = m_note.window();
    const int width =
        (m_note.width() > 0 && m_note.isVisible() ? m_note.width() : window->width()) - 8;
    QFont font = m_noteFont;
    while (font.pixelSize() > 9 && QFontMetrics(font).horizontalAdvance(text) > width)
        font.setPixelSize(font.pixelSize() - 1);
    m_note.setFont(font);
    m_note.setText(text);
    m_note.show();
}

void ControlStrip::hideNote()
{
    m_note.hide();
}

QString ControlStrip::note() const
{
    return m_note.text();
}

bool ControlStrip::noteShown() const
{
    return m_note.isVisibleTo(m_note.window());
}
