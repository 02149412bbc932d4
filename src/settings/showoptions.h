#pragma once

#include <QGroupBox>

class QCheckBox;
class QComboBox;
class QLabel;
class ColourPicker;
struct Settings;

// The show options on the options page: the audience window on a chosen screen, the safe
// animation and the spoken result; beside them the note on the colour pickers' contrast.
class ShowOptionsBox : public QGroupBox {
    Q_OBJECT
public:
    explicit ShowOptionsBox(QWidget *parent = nullptr);

    // The texts in the language in force.
    void retranslate();
    // Whether the system can speak; without, the option is off and says why.
    void setSpeechAvailable(bool available);
    // The screens to choose from, by name; the chosen name stays chosen while a screen of that
    // name is there, and is kept (as its own entry) when it is not.
    void setScreenNames(const QStringList &names);
    QString screenName() const;
    void setScreenName(const QString &name);
    // Warns under the colour pickers when their pair reads poorly.
    void showPickerContrast(quint32 foreground, quint32 background);
    // The contrast note, which the page places under the pickers.
    QLabel *contrastNote() const { return lbKontrast; }

    // Whether the audience window is wanted.
    bool audienceOn() const;
    // Moves the box's keys between the settings and the fields. The spoken result stays off
    // where the system cannot speak.
    void load(const Settings &settings);
    void collect(Settings &settings) const;
    QList<QWidget *> tabChain() const;

Q_SIGNALS:
    void audienceToggled();
    void screenChosen();
    void safeAnimationToggled(bool on);
    void speakingToggled(bool on);

private:
    void showContrastWarning();

    QCheckBox *cbPublikum = nullptr;
    QComboBox *cbBildschirm = nullptr;
    QCheckBox *cbSanft = nullptr;
    QCheckBox *cbAnsagen = nullptr;
    QLabel *lbBildschirm = nullptr;
    QLabel *lbKeineSprache = nullptr;
    QLabel *lbKontrast = nullptr;
    bool m_speech = true;
    double m_contrast = 21.0;
};
