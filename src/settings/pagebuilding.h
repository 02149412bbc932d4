#pragma once

#include <QString>

#include <initializer_list>

class QGridLayout;
class QHBoxLayout;
class QLabel;
class QObject;
class QSpinBox;
class QWidget;

// What the settings pages are built from: a bold header over a grid, number fields of a fixed
// width, captions bound to their fields.
namespace pagebuilding {
constexpr int FieldWidth = 82;      // a number field of up to seven digits
constexpr int ShortFieldWidth = 56; // up to four digits

inline QString t(const char *text)
{
    return QString::fromUtf8(text);
}

// Fills `page` with a header panel (the bold title) over the page's own grid, which it returns.
QGridLayout *pageWithHeader(QWidget *page, QLabel *&header, const char *title);
QSpinBox *spinField(int minimum, int maximum, int value, int width, QWidget *parent);
// Widgets packed to the right end of a grid cell.
QHBoxLayout *rightAligned(std::initializer_list<QWidget *> widgets);
// Two widgets at the two ends of a grid cell.
QHBoxLayout *spread(QWidget *left, QWidget *right);
QLabel *caption(const char *text, QWidget *buddy, QWidget *parent);
// Object names are the control names, which the language files address.
void nameObjects(std::initializer_list<std::pair<QObject *, const char *>> names);
} // namespace pagebuilding
