#include "app/settingsflow.h"

#include "app/drawcontrol.h"
#include "draw/drawschedule.h"
#include "app/mainlayout.h"
#include "app/poolcontrol.h"
#include "localisation/uitext.h"
#include "app/windowtimer.h"
#include "app/zufall.h"
#include "platform/platform.h"
#include "results/resultstable.h"
#include "settings/settingspanel.h"
#include "settings/settingsstore.h"

#include <QCheckBox>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTextBrowser>

SettingsFlow::SettingsFlow(TForm1 &form) : f(form) {}

void SettingsFlow::loadHelpPage(const QString &stem)
{
    f.Hilfeviewer->setHtml(helpText(stem + QLatin1Char('A')) + helpText(stem + QLatin1Char('B')));
}

void SettingsFlow::OpenSettingsPanel()
{
    SettingsPanel &panel = *f.Einstellungen;
    DrawControl &draw = f.drawControl();
    // 1.-3.
    if (panel.cbSound->isChecked())
        f.stopSound();
    draw.AutopilotSuppressed = 1;
    draw.stopTimers();
    // 4. A running animation ends without a draw.
    if (f.BTStartStop->text() == lng("StrStopp"))
        draw.BTStartStopClick();
    // 5. The panel on top, the help page or the results below it.
    f.Display->show();
    f.Resultate->hide();
    f.Anzeige->hide();
    f.layout().hideOutputPane();
    panel.show();
    f.layout().setSplitterShown(false);
    if (panel.HilfeAktiv->isChecked()) {
        loadHelpPage(panel.activePageCaption());
        f.Hilfeviewer->show();
    } else {
        f.layout().EinstellungenResize();
        f.Resultate->show();
    }
    // 6. A finished pass: explain what the two buttons do.
    if (!f.BTStartStop->isEnabled() && panel.HilfeAktiv->isChecked())
        f.platform().messageBox(lng("StrTivrelHinweis"), lng("HilfeReset"),
                                Platform::Icon::Information, Platform::Buttons::Ok);
    // 7.
    panel.show();
    f.layout().setSplitterShown(false);
    f.layout().EinstellungenResize();
}

bool SettingsFlow::lotteryQuestions()
{
    if (f.pool().lotteryTableLeftOver())
        return f.pool().clearLotteryTable();
    if (!f.Resultate->columnShown(ResultsModel::Spiel) && f.mode() == 4) {
        const auto answer =
            f.platform().messageBox(lng("StrTivrelHinweis"), lng("HinweisLottoscheinAn"),
                                    Platform::Icon::Question, Platform::Buttons::OkCancel);
        if (answer != Platform::Answer::Ok)
            return false;
    }
    return true;
}

bool SettingsFlow::timeOfDayValid()
{
    if (f.mode() != 2 && f.mode() != 3)
        return true;
    const QString text = f.Einstellungen->Uhrzeit->text();
    if (parseTimeOfDay(text).isValid())
        return true;
    f.platform().messageBox(lng("StrTivrelHinweis"), lngFormat("HinweisUhrzeitUngueltig", {text}),
                            Platform::Icon::Warning, Platform::Buttons::Ok);
    return false;
}

void SettingsFlow::closePanel()
{
    f.Resultate->hide();
    f.Einstellungen->hide();
    f.Hilfeviewer->hide();
    f.layout().setSplitterShown(true);
    f.layout().showOutputPane();
    f.Anzeige->show();
    f.Resultate->show();
    f.Resultate->setColumnShown(ResultsModel::Spiel, false);
    f.Resultate->setColumnShown(ResultsModel::Gezogen, true);
}

bool SettingsFlow::ApplySettings()
{
    // 1.
    if (!saveSettings())
        return false;
    // 2.
    f.drawControl().AutopilotSuppressed = 0;
    // 3. A change between lottery and ordinary drawing. A time of day that is no time stops
    // here too, before the countdown would aim at a wrong moment.
    if (!lotteryQuestions() || !timeOfDayValid())
        return false;
    // 4.-5.
    if (!f.pool().BuildPool())
        return false;
    f.pool().closePrepareWindow();
    // 6.
    if (f.mode() == 0 || f.mode() == 1)
        loadPrizeList();
    // 7.-8.
    closePanel();
    f.drawControl().ActivateMode();
    // 9.-10.
    if (f.Einstellungen->cbWinnings->isChecked())
        f.Resultate->setColumnShown(ResultsModel::Spiel, true);
    f.layout().ApplyListVisibility();
    f.Resultate->FitResultColumns(f.width());
    return true;
}

bool SettingsFlow::saveSettings()
{
    const SettingsSaveResult result = SaveSettings(*f.Einstellungen, f, f.SettingsFile);
    if (!result.ok) {
        // The program's standard error box: its title, a stop icon, the text with a full stop.
        f.platform().messageBox(f.windowTitle(), result.errorText + QLatin1Char('.'),
                                Platform::Icon::Stop, Platform::Buttons::Ok);
    }
    return result.ok;
}

void SettingsFlow::loadPrizeList()
{
    // Draw lists and the prize list are read here once they are part of the program.
}

QString SettingsFlow::prizeText(int drawNumber) const
{
    // Without a prize list every draw number gets the consolation text.
    return lngFormat("StrTrostpreis", {drawNumber});
}

void SettingsFlow::runLottery()
{
    // The lottery run draws its games here once it is part of the program.
}
