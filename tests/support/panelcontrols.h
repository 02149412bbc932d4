#pragma once

#include "settings/settingscontrols.h"
#include "settings/settingspanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>

// The settings panel's controls as a test reaches them: by their object names, the names the
// language files address them by, as a user or a screen reader finds them on the pages that
// keep them.
struct PanelControls {
    explicit PanelControls(const SettingsPanel &panel) : m_panel(panel) {}

    template <typename T> T *get(const char *name) const
    {
        T *found = m_panel.findChild<T *>(QString::fromLatin1(name));
        if (!found)
            qFatal("the settings panel has no %s", name);
        return found;
    }

    const SettingsPanel &m_panel;
#define TIVREL_CONTROL(Type, name) Type *name = get<Type>(#name);
    TIVREL_CONTROL(QWidget, SettingX)
    TIVREL_CONTROL(QPushButton, btModus)
    TIVREL_CONTROL(QPushButton, btKonfig)
    TIVREL_CONTROL(QPushButton, btOptionen)
    TIVREL_CONTROL(QCheckBox, HilfeAktiv)
    TIVREL_CONTROL(QStackedWidget, Konfiguration)
    TIVREL_CONTROL(QWidget, konfAktion)
    TIVREL_CONTROL(QWidget, konfQuote)
    TIVREL_CONTROL(QWidget, konfLotto)
    TIVREL_CONTROL(QWidget, konfOptionen)
    TIVREL_CONTROL(QLabel, hpModus)
    TIVREL_CONTROL(RadioGroup, DoStatus)
    TIVREL_CONTROL(QCheckBox, chkAutostop)
    TIVREL_CONTROL(QSpinBox, Sekunden)
    TIVREL_CONTROL(QLineEdit, Uhrzeit)
    TIVREL_CONTROL(QSpinBox, Minimum)
    TIVREL_CONTROL(QSpinBox, Maximum)
    TIVREL_CONTROL(QCheckBox, ZeigeNullen)
    TIVREL_CONTROL(QCheckBox, AusDatei)
    TIVREL_CONTROL(FileField, AusDateiPfad)
    TIVREL_CONTROL(QSpinBox, AusDateiLaenge)
    TIVREL_CONTROL(QLabel, LQuote)
    TIVREL_CONTROL(QDoubleSpinBox, Ziehungsquote)
    TIVREL_CONTROL(QCheckBox, Ziehung_Prozent)
    TIVREL_CONTROL(QLabel, LAnzahl_Ziehungen)
    TIVREL_CONTROL(QCheckBox, ckAutopilot)
    TIVREL_CONTROL(QSpinBox, AutopilotStart)
    TIVREL_CONTROL(QLabel, lbAutopilotRest)
    TIVREL_CONTROL(QCheckBox, cbWinnings)
    TIVREL_CONTROL(FileField, edWinnings)
    TIVREL_CONTROL(QSpinBox, Lotto_n)
    TIVREL_CONTROL(QSpinBox, Lotto_x)
    TIVREL_CONTROL(QSpinBox, Lotto_Spiele)
    TIVREL_CONTROL(QSpinBox, Lotto_Pool)
    TIVREL_CONTROL(QLabel, lbLottoAnzahl)
    TIVREL_CONTROL(QCheckBox, cbNachpruefbar)
    TIVREL_CONTROL(QComboBox, HilfeLng)
    TIVREL_CONTROL(QCheckBox, cbListeAus)
    TIVREL_CONTROL(QCheckBox, cbMaximiert)
    TIVREL_CONTROL(QCheckBox, cbNumberEffect)
    TIVREL_CONTROL(QCheckBox, cbFarbenregen)
    TIVREL_CONTROL(QCheckBox, cbSound)
    TIVREL_CONTROL(QCheckBox, cbSchleife)
    TIVREL_CONTROL(FileField, edSoundfile)
    TIVREL_CONTROL(QCheckBox, cbHintergrund)
    TIVREL_CONTROL(QCheckBox, cbHintergrundAnimiert)
    TIVREL_CONTROL(FileField, edHintergrundbild)
    TIVREL_CONTROL(ColourPicker, cpVordergrund)
    TIVREL_CONTROL(ColourPicker, cpHintergrund)
    TIVREL_CONTROL(QCheckBox, cbPublikum)
    TIVREL_CONTROL(QComboBox, cbBildschirm)
    TIVREL_CONTROL(QCheckBox, cbSanft)
    TIVREL_CONTROL(QCheckBox, cbAnsagen)
    TIVREL_CONTROL(QLabel, lbKeineSprache)
    TIVREL_CONTROL(QLabel, lbKontrast)
    TIVREL_CONTROL(QCheckBox, cbWeb)
    TIVREL_CONTROL(QSpinBox, sbWebPort)
    TIVREL_CONTROL(QCheckBox, cbWebEcke)
    TIVREL_CONTROL(QLabel, lbWebSeite)
    TIVREL_CONTROL(QPushButton, BTDrucken)
    TIVREL_CONTROL(QPushButton, BTHTML)
    TIVREL_CONTROL(QPushButton, BTCSV)
    TIVREL_CONTROL(QPushButton, BTTxT)
    TIVREL_CONTROL(QPushButton, Reset_Ziehung)
    TIVREL_CONTROL(QPushButton, BTEinstellungenSchliessen)
    TIVREL_CONTROL(QLabel, lbPoolReport)
    TIVREL_CONTROL(QPushButton, btPoolFindings)
#undef TIVREL_CONTROL
};

inline PanelControls ui(const SettingsPanel &panel)
{
    return PanelControls(panel);
}

inline PanelControls ui(const SettingsPanel *panel)
{
    return PanelControls(*panel);
}
