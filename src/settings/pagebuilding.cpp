#include "settings/pagebuilding.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

namespace pagebuilding {
QGridLayout *pageWithHeader(QWidget *page, QLabel *&header, const char *title)
{
    auto *outer = new QVBoxLayout(page);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    header = new QLabel(t(title), page);
    QFont font = header->font();
    font.setBold(true);
    header->setFont(font);
    header->setFixedHeight(22);
    header->setStyleSheet(
        QStringLiteral("QLabel { background: #EDE3C4; color: #3A3220; padding: 2px 8px;"
                       " border-bottom: 1px solid #CDBF93; }"));
    outer->addWidget(header);
    auto *grid = new QGridLayout;
    grid->setContentsMargins(6, 4, 6, 2);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(3);
    outer->addLayout(grid);
    outer->addStretch();
    return grid;
}

QSpinBox *spinField(int minimum, int maximum, int value, int width, QWidget *parent)
{
    auto *spin = new QSpinBox(parent);
    spin->setRange(minimum, maximum);
    spin->setValue(value);
    spin->setFixedWidth(width);
    spin->setAlignment(Qt::AlignRight);
    return spin;
}

QHBoxLayout *rightAligned(std::initializer_list<QWidget *> widgets)
{
    auto *row = new QHBoxLayout;
    row->setSpacing(4);
    row->addStretch();
    for (QWidget *w : widgets)
        row->addWidget(w);
    return row;
}

QHBoxLayout *spread(QWidget *left, QWidget *right)
{
    auto *row = new QHBoxLayout;
    row->setSpacing(4);
    row->addWidget(left);
    row->addStretch();
    row->addWidget(right);
    return row;
}

QLabel *caption(const char *text, QWidget *buddy, QWidget *parent)
{
    auto *label = new QLabel(t(text), parent);
    if (buddy)
        label->setBuddy(buddy);
    return label;
}

void nameObjects(std::initializer_list<std::pair<QObject *, const char *>> names)
{
    for (const auto &[object, name] : names)
        object->setObjectName(QString::fromLatin1(name));
}
} // namespace pagebuilding
