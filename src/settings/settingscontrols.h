#pragma once

#include <QFont>
#include <QGroupBox>
#include <QPushButton>
#include <QWidget>

#include <functional>

class QAbstractButton;
class QButtonGroup;
class QGridLayout;
class QComboBox;
class QAction;
class QLineEdit;
class QToolButton;
class Platform;

// A titled group of radio buttons addressed by item index, like a radio group control:
// setting the index from the program emits itemIndexChanged exactly as a user's click does.
class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    RadioGroup(const QString &title, const QStringList &items, QWidget *parent = nullptr);

    int itemIndex() const;
    void setItemIndex(int index);
    int count() const;
    QString itemText(int index) const;
    void setItemText(int index, const QString &text);
    QAbstractButton *itemButton(int index) const;
    // Places a widget to the right of item `index`, spanning `rows` items, vertically centred.
    void setItemWidget(int index, QWidget *widget, int rows = 1);

Q_SIGNALS:
    void itemIndexChanged(int index);

private:
    QButtonGroup *m_group;
    QGridLayout *m_layout;
    int m_index = -1;
};

// A push button whose caption wraps onto further lines when it is wider than the button.
class WrapButton : public QPushButton {
    Q_OBJECT
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent *event) override;
};

// A file name field with a browse button beside it.
class FileField : public QWidget {
    Q_OBJECT
public:
    explicit FileField(QWidget *parent = nullptr);

    QString text() const;
    void setText(const QString &text);
    QLineEdit *lineEdit() const { return m_edit; }
    QToolButton *button() const { return m_button; }
    // A problem with the named file, shown beside the name (a warning mark with the text as its
    // tip); an empty text removes it. The name itself stays as it is.
    void setProblem(const QString &problem);
    QString problem() const;

Q_SIGNALS:
    void textChanged(const QString &text);
    void buttonClicked();
    // The field lost the keyboard focus or the user pressed Enter in it.
    void exited();

private:
    QLineEdit *m_edit;
    QToolButton *m_button;
    QAction *m_problem = nullptr;
};

// A colour picker over the stored colour form 0x00BBGGRR: a drop-down of standard colours with
// a custom entry. Setting the colour from the program emits colourChanged as a user's choice does.
class ColourPicker : public QWidget {
    Q_OBJECT
public:
    // The "no colour" value of the foreground picker.
    static constexpr quint32 NoColour = 0x1FFFFFFF;

    ColourPicker(bool offerNoColour, QWidget *parent = nullptr);

    quint32 colour() const { return m_colour; }
    void setColour(quint32 bgr);
    // The colour as the picker shows it, "$00BBGGRR".
    static QString colourText(quint32 bgr);
    // Where a custom colour is asked for; without one the custom entry is not offered.
    void setCustomColourSource(std::function<bool(quint32 &)> source);
    // The names of the colours in the language in force.
    void retranslate();

Q_SIGNALS:
    void colourChanged(quint32 bgr);

private:
    void choose(int index);
    void showColour();

    QComboBox *m_box;
    quint32 m_colour = 0;
    std::function<bool(quint32 &)> m_customSource;
    bool m_updating = false;
};

// The font one step smaller, for notes under a field. A font given in pixels (as some platforms
// give their default font) has no point size to take one from, so it loses a pixel instead.
QFont smallerFont(QFont font);

// The mouse wheel over a number field or a list box of `root` changes it only once the field
// has the focus (a click or Tab gives it, the wheel does not); before that the wheel scrolls
// the page under it. One filter serves every such field of `root`.
void takeWheelOnlyWithFocus(QWidget &root);
