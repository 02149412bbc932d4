#pragma once

#include <QStringList>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class ColourPicker;
class FileField;
class ShowOptionsBox;
class WebOptionsBox;
struct Settings;

// The page "Optionen" (`konfOptionen`): the language, the draw's effects, the sound, the
// background picture, the colours, the window's two options, and under them the show options
// and the results page. Its fields scroll under the header.
class OptionsPage : public QWidget {
    Q_OBJECT
public:
    explicit OptionsPage(QWidget *parent = nullptr);

    // The language list. Filling it is no choice; choosing an entry is a languageChosen.
    void setLanguageNames(const QStringList &names);
    int languageCount() const;
    int languageIndex() const;
    void setLanguageIndex(int index);

    // The sound file and "bis Ende", which only a loadable named file offers.
    QString soundFile() const;
    void setSoundFile(const QString &name);
    // The program leaves the sound file's field as the user does: the file named is loaded.
    void leaveSoundFile();
    void openLoop(bool open);
    // "bis Ende" off and closed.
    void lockLoop();

    // The background picture: its file, and its two boxes, which only a loaded picture opens.
    QString picturePath() const;
    void setPicturePath(const QString &path);
    bool pictureTicked() const;
    bool pictureAnimated() const;
    void openPictureOptions(bool picture, bool animated);
    void untickPictureOptions();
    // The named picture could not be loaded: its box closes and the reason shows by the name,
    // which stays.
    void refusePicture(const QString &problem);

    bool numberEffect() const;
    bool colourEffect() const;
    quint32 foreColour() const;
    quint32 backColour() const;
    void setForeColour(quint32 bgr);
    void setBackColour(quint32 bgr);
    // The pickers' colour names, in the language in force.
    void retranslateColours();

    // "Liste aus": the results list hidden.
    bool listOff() const;
    void setListOff(bool off);
    // "Maximiert": the window starts maximised.
    bool maximised() const;

    ShowOptionsBox &showOptions() const { return *gbShow; }
    WebOptionsBox &webOptions() const { return *gbWeb; }

    // Loading the page's keys; each step runs the handlers as a user's change would, and the
    // window's own steps follow in between (see LoadSettings).
    void loadSound(const Settings &settings);
    void loadEffects(const Settings &settings);
    void loadWindowOptions(const Settings &settings);
    void loadPicture(const Settings &settings);
    void collect(Settings &settings) const;
    QList<QWidget *> tabChain() const;

Q_SIGNALS:
    void languageChosen();
    void soundToggled();
    void loopToggled();
    void soundFileChanged();
    void soundFileLeft();
    void soundBrowseClicked();
    void numberEffectToggled(bool on);
    void colourEffectToggled(bool on);
    void pictureToggled(bool on);
    void pictureAnimatedToggled(bool on);
    void pictureBrowseClicked();
    void pictureFieldLeft();
    void foreColourChanged(quint32 bgr);
    void backColourChanged(quint32 bgr);

private:
    QLabel *hpOptionen = nullptr;
    QComboBox *HilfeLng = nullptr;
    QLabel *lbHilfeLng = nullptr; // "Sprache:"
    QLabel *Label5 = nullptr;     // "Effekte"
    QCheckBox *cbNumberEffect = nullptr;
    QCheckBox *cbFarbenregen = nullptr;
    QCheckBox *cbSound = nullptr;
    QCheckBox *cbSchleife = nullptr;
    FileField *edSoundfile = nullptr;
    QCheckBox *cbHintergrund = nullptr;
    QCheckBox *cbHintergrundAnimiert = nullptr;
    FileField *edHintergrundbild = nullptr;
    QLabel *Label6 = nullptr; // "Vordergrundfarbe"
    ColourPicker *cpVordergrund = nullptr;
    QLabel *Label7 = nullptr; // "Hintergrundfarbe"
    ColourPicker *cpHintergrund = nullptr;
    QCheckBox *cbListeAus = nullptr;
    QCheckBox *cbMaximiert = nullptr;
    ShowOptionsBox *gbShow = nullptr; // audience window, safe animation, spoken result
    WebOptionsBox *gbWeb = nullptr;   // the results page on the local network
};
