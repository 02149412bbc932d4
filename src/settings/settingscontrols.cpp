#include "settings/settingscontrols.h"

#include "localisation/uitext.h"
#include "presentation/showcolours.h"
#include "settings/settingsaccessibility.h"

#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPixmap>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QToolButton>
#include <QVBoxLayout>

RadioGroup::RadioGroup(const QString &title, const QStringList &items, QWidget *parent)
    : QGroupBox(title, parent), m_group(new QButtonGroup(this)), m_layout(new QGridLayout(this))
{
    m_layout->setContentsMargins(8, 4, 8, 6);
    m_layout->setHorizontalSpacing(8);
    m_layout->setVerticalSpacing(0);
    m_layout->setColumnStretch(0, 1);
    for (int i = 0; i < items.size(); ++i) {
        auto *button = new QRadioButton(items.at(i), this);
        button->setMinimumHeight(24);
        m_group->addButton(button, i);
        m_layout->addWidget(button, i, 0);
    }
    connect(m_group, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked && id != m_index) {
            m_index = id;
            Q_EMIT itemIndexChanged(id);
        }
    });
}

int RadioGroup::itemIndex() const
{
    return m_index;
}

void RadioGroup::setItemIndex(int index)
{
    if (index == m_index)
        return;
    if (QAbstractButton *button = m_group->button(index)) {
        button->setChecked(true);
        return;
    }
    // No item: every button unchecked.
    m_group->setExclusive(false);
    for (QAbstractButton *b : m_group->buttons())
        b->setChecked(false);
    m_group->setExclusive(true);
    m_index = -1;
    Q_EMIT itemIndexChanged(-1);
}

QAbstractButton *RadioGroup::itemButton(int index) const
{
    return m_group->button(index);
}

void RadioGroup::setItemWidget(int index, QWidget *widget, int rows)
{
    widget->setParent(this);
    m_layout->addWidget(widget, index, 1, rows, 1, Qt::AlignLeft | Qt::AlignVCenter);
}

int RadioGroup::count() const
{
    return m_group->buttons().size();
}

QString RadioGroup::itemText(int index) const
{
    QAbstractButton *button = m_group->button(index);
    return button ? button->text() : QString();
}

void RadioGroup::setItemText(int index, const QString &text)
{
    if (QAbstractButton *button = m_group->button(index))
        button->setText(text);
}

void WrapButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option); // bevel and focus frame
    const QRect area =
        style()->subElementRect(QStyle::SE_PushButtonContents, &option, this).adjusted(4, 0, -4, 0);
    int flags = Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;
    if (!style()->styleHint(QStyle::SH_UnderlineShortcut, &option, this))
        flags |= Qt::TextHideMnemonic;
    painter.drawItemText(area, flags, option.palette, isEnabled(), caption, QPalette::ButtonText);
}

FileField::FileField(QWidget *parent)
    : QWidget(parent), m_edit(new QLineEdit(this)), m_button(new QToolButton(this))
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    m_button->setText(QStringLiteral("…"));
    m_button->setFocusPolicy(Qt::TabFocus);
    layout->addWidget(m_edit, 1);
    layout->addWidget(m_button);
    setFocusProxy(m_edit);
    connect(m_edit, &QLineEdit::textChanged, this, &FileField::textChanged);
    connect(m_edit, &QLineEdit::editingFinished, this, &FileField::exited);
    connect(m_button, &QToolButton::clicked, this, &FileField::buttonClicked);
}

QString FileField::text() const
{
    return m_edit->text();
}

void FileField::setText(const QString &text)
{
    m_edit->setText(text);
}

void FileField::setProblem(const QString &problem)
{
    if (problem.isEmpty()) {
        delete m_problem;
        m_problem = nullptr;
        return;
    }
    if (!m_problem) {
        m_problem = m_edit->addAction(style()->standardIcon(QStyle::SP_MessageBoxWarning),
                                      QLineEdit::TrailingPosition);
        // A new name clears the notice.
        connect(m_edit, &QLineEdit::textEdited, this, [this] { setProblem({}); });
    }
    m_problem->setToolTip(problem);
    m_problem->setText(problem);
}

QString FileField::problem() const
{
    return m_problem ? m_problem->text() : QString();
}

namespace {
QColor toQColor(quint32 bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

QIcon swatch(quint32 bgr)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(toQColor(bgr));
    return QIcon(pixmap);
}

constexpr int CustomEntry = -1;
constexpr int NoColourEntry = -2;
} // namespace

ColourPicker::ColourPicker(bool offerNoColour, QWidget *parent)
    : QWidget(parent), m_box((installSettingsAccessible(), new QComboBox(this)))
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_box);
    setFocusProxy(m_box);
    m_box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_box->setMinimumContentsLength(9);
    for (const NamedColour &c : StandardColours)
        m_box->addItem(swatch(c.bgr), QString(), QVariant::fromValue(c.bgr));
    if (offerNoColour)
        m_box->addItem(QString(), NoColourEntry);
    connect(m_box, &QComboBox::activated, this, &ColourPicker::choose);
    retranslate();
    showColour();
}

void ColourPicker::retranslate()
{
    for (int i = 0; i < m_box->count(); ++i) {
        const QVariant data = m_box->itemData(i);
        if (data.typeId() == QMetaType::UInt) {
            for (const NamedColour &c : StandardColours)
                if (c.bgr == data.value<quint32>())
                    m_box->setItemText(i, lng(c.name));
        } else if (data.typeId() == QMetaType::Int) {
            m_box->setItemText(
                i, lng(data.toInt() == CustomEntry ? "StrFarbeEigene" : "StrFarbeKeine"));
        }
    }
}

QString ColourPicker::colourText(quint32 bgr)
{
    return QLatin1Char('$') +
           QString::number(bgr, 16).rightJustified(8, QLatin1Char('0')).toUpper();
}

void ColourPicker::setCustomColourSource(std::function<bool(quint32 &)> source)
{
    m_customSource = std::move(source);
    if (m_customSource && m_box->findData(CustomEntry) < 0)
        m_box->addItem(lng("StrFarbeEigene"), CustomEntry);
}

void ColourPicker::setColour(quint32 bgr)
{
    if (bgr == m_colour)
        return;
    m_colour = bgr;
    showColour();
    Q_EMIT colourChanged(bgr);
}

void ColourPicker::choose(int index)
{
    if (m_updating)
        return;
    const QVariant data = m_box->itemData(index);
    if (data.typeId() == QMetaType::QString) {
        showColour(); // the entry of the current colour itself
    } else if (data.typeId() == QMetaType::Int && data.toInt() == NoColourEntry) {
        setColour(NoColour);
    } else if (data.typeId() == QMetaType::Int && data.toInt() == CustomEntry) {
        quint32 chosen = m_colour;
        if (m_customSource && m_customSource(chosen))
            setColour(chosen);
        else
            showColour();
    } else {
        setColour(data.value<quint32>());
    }
}

void ColourPicker::showColour()
{
    m_updating = true;
    int index = -1;
    for (int i = 0; i < m_box->count(); ++i) {
        const QVariant data = m_box->itemData(i);
        if ((data.typeId() == QMetaType::UInt && data.value<quint32>() == m_colour) ||
            (m_colour == NoColour && data.typeId() == QMetaType::Int &&
             data.toInt() == NoColourEntry)) {
            index = i;
            break;
        }
    }
    const int customIndex = m_box->findData(QStringLiteral("current"));
    if (index < 0) {
        // A colour that is not in the list is shown as its own entry.
        if (customIndex >= 0) {
            m_box->setItemText(customIndex, colourText(m_colour));
            m_box->setItemIcon(customIndex, swatch(m_colour));
            index = customIndex;
        } else {
            m_box->insertItem(0, swatch(m_colour), colourText(m_colour), QStringLiteral("current"));
            index = 0;
        }
    }
    m_box->setCurrentIndex(index);
    m_box->setToolTip(colourText(m_colour));
    m_updating = false;
}

QFont smallerFont(QFont font)
{
    if (font.pointSizeF() > 1)
        font.setPointSizeF(font.pointSizeF() - 1);
    else if (font.pixelSize() > 1)
        font.setPixelSize(font.pixelSize() - 1);
    return font;
}

namespace {
class WheelNeedsFocus final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Wheel)
            return false;
        auto *field = qobject_cast<QWidget *>(watched);
        if (!field || field->hasFocus() || field->isAncestorOf(QApplication::focusWidget()))
            return false;
        // The page scrolls instead, when it lies in a scroll area; else the wheel goes on to
        // the field's parents as if the field had ignored it.
        for (QWidget *w = field->parentWidget(); w; w = w->parentWidget()) {
            if (auto *area = qobject_cast<QAbstractScrollArea *>(w)) {
                QApplication::sendEvent(area->viewport(), event);
                return true;
            }
        }
        event->ignore();
        return true;
    }
};
} // namespace

void takeWheelOnlyWithFocus(QWidget &root)
{
    auto *filter = new WheelNeedsFocus(&root);
    QList<QWidget *> fields;
    for (QAbstractSpinBox *box : root.findChildren<QAbstractSpinBox *>())
        fields.append(box);
    for (QComboBox *box : root.findChildren<QComboBox *>())
        fields.append(box);
    for (QWidget *field : fields) {
        field->setFocusPolicy(Qt::StrongFocus);
        field->installEventFilter(filter);
    }
}
