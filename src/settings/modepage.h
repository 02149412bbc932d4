#pragma once

#include <QStringList>
#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class RadioGroup;
struct Settings;

// The page "Modus wählen" (`konfAktion`): the list of draw modes `DoStatus`, and beside them
// the fields the modes use: "Autostop" with its seconds, the seconds of timed drawing and the
// time of the next draw.
class ModePage : public QWidget {
    Q_OBJECT
public:
    explicit ModePage(QWidget *parent = nullptr);

    // The index of the mode chosen in the list (a `DrawMode`); -1 before any is chosen.
    int modeIndex() const;
    // Chooses a mode as a click in the list does: modeChosen follows.
    void chooseMode(int index);
    bool autostop() const;
    QString timeOfDay() const;
    void setTimeOfDay(const QString &time);
    bool timeOfDayOpen() const;
    // Which of the fields the chosen mode leaves open to change.
    void openFields(bool seconds, bool autostop, bool timeOfDay);
    void openSeconds(bool open);
    // The page's title, which names the mode in force.
    void setTitle(const QString &title);

    // The names of the modes, in the list's order (the language files set them as one text).
    QStringList modeNames() const;
    void setModeNames(const QStringList &names);

    // Moves the page's keys between the settings and the fields; loading sets the mode first,
    // as a click would.
    void load(const Settings &settings);
    void collect(Settings &settings) const;
    // The page's fields in the order Tab visits them.
    QList<QWidget *> tabChain() const;
    // The mode buttons, for the texts read to screen readers.
    QList<QWidget *> modeButtons() const;

Q_SIGNALS:
    void modeChosen(int index); // DoStatusClick
    void autostopToggled();     // chkAutostopClick
    void timeOfDayEdited();     // UhrzeitExit

private:
    QLabel *hpModus = nullptr;
    RadioGroup *DoStatus = nullptr;
    QCheckBox *chkAutostop = nullptr;
    QSpinBox *Sekunden = nullptr;
    QLineEdit *Uhrzeit = nullptr;
};
