#include "app/drawcontrol.h"

#include "draw/drawschedule.h"
#include "app/poolcontrol.h"
#include "app/settingsflow.h"
#include "localisation/uitext.h"
#include "app/windowtimer.h"
#include "app/zufall.h"
#include "draw/mersenne.h"
#include "platform/platform.h"
#include "results/resultstable.h"
#include "settings/settingscontrols.h"
#include "settings/settingspanel.h"

#include <QCheckBox>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTextBrowser>
#include <QTimer>

DrawControl::DrawControl(TForm1 &form)
    : Refresher(new WindowTimer(80, this)), IntervallTimer(new WindowTimer(1000, this)),
      Nochtimer(new WindowTimer(1000, this)), f(form)
{
    connect(Refresher, &WindowTimer::timeout, this, &DrawControl::RefresherTimer);
    connect(IntervallTimer, &WindowTimer::timeout, this, &DrawControl::IntervallTimerTimer);
    connect(Nochtimer, &WindowTimer::timeout, this, &DrawControl::NochtimerTimer);
}

DrawControl::~DrawControl() = default;

bool DrawControl::soundChecked() const
{
    return f.Einstellungen->cbSound->isChecked();
}

bool DrawControl::soundLoops() const
{
    return f.Einstellungen->cbSchleife->isChecked();
}

void DrawControl::stopTimers()
{
    Refresher->setEnabled(false);
    IntervallTimer->setEnabled(false);
    Nochtimer->setEnabled(false);
}

void DrawControl::showNote(const QString &text)
{
    f.AutotivrelNotiz->setText(text);
    f.AutotivrelNotiz->show();
}

void DrawControl::endPass()
{
    IntervallTimer->setEnabled(false);
    Refresher->setEnabled(false);
    f.BTStartStop->setEnabled(false);
    f.BTStartStop->hide();
    showNote(lng("StrZiehungEnde"));
    if (f.Einstellungen->HilfeAktiv->isChecked())
        f.platform().messageBox(lng("StrTivrelHinweis"), lng("HinweisNeuerDurchgang"),
                                Platform::Icon::Information, Platform::Buttons::Ok);
}

void DrawControl::BTStartStopClick()
{
    SettingsPanel &panel = *f.Einstellungen;
    // 1. Start pressed while the help page shows: apply the settings first.
    if (f.BTStartStop->isEnabled() && TForm1::shown(f.Hilfeviewer))
        f.settingsFlow().ApplySettings();

    // 2. No draw allowed: the pass is over. (A running animation may always be stopped.)
    const bool running = !f.startCaptionShown();
    if (!running && !f.pool().drawAllowed()) {
        endPass();
        return;
    }

    // 3. Autopilot: after the manual part, timed drawing takes over.
    if (!running && panel.ckAutopilot->isChecked() && AutopilotSuppressed == 0 && f.mode() == 0 &&
        f.Resultate->results()->rowCount() >= panel.AutopilotStart->value()) {
        panel.DoStatus->setItemIndex(1);
        f.settingsFlow().ApplySettings();
        AutopilotSuppressed = 1;
        return;
    }

    // 4. A lottery table left over.
    if (!running && f.pool().lotteryTableLeftOver()) {
        if (!f.pool().clearLotteryTable()) {
            f.settingsFlow().OpenSettingsPanel();
            return;
        }
        // The reset emptied the pool: build it anew before an animation needs it.
        f.pool().BuildPool();
        f.pool().closePrepareWindow();
        if (!f.pool().drawAllowed()) {
            endPass();
            return;
        }
    }

    // 5. Autostop in manual mode: arm or disarm the countdown.
    if (f.mode() == 0 && panel.chkAutostop->isChecked()) {
        if (AutostopArmed == 0) {
            IntervallTimer->setInterval(1000);
            IntervallTimer->setEnabled(true);
            AutostopRemaining = panel.Sekunden->value();
            AutostopArmed = 1;
            showNote(autostopText(AutostopRemaining));
        } else {
            IntervallTimer->setEnabled(false);
            AutostopRemaining = 0;
            AutostopArmed = 0;
            f.AutotivrelNotiz->hide();
        }
    }

    // 6. Toggle.
    if (running) {
        f.BTStartStop->setText(lng("StrStart"));
        f.Resultate->show();
        if (soundChecked() && !soundLoops())
            f.stopSound();
        // The draw follows at the next animation tick.
    } else {
        startAnimation();
    }
}

void DrawControl::startAnimation()
{
    f.Resultate->setSelectionHidden(true);
    if (soundChecked() && !soundLoops())
        f.playSound();
    if (soundChecked() && soundLoops() && !f.soundActive())
        f.playSound();
    f.BTStartStop->setText(lng("StrStopp"));
    Refresher->setEnabled(true);
}

void DrawControl::showFlashEntry()
{
    const QStringList &pool = f.Draw.DrawPool;
    qsizetype index = 0;
    if (pool.size() >= 6) {
        index = chooseEntryIndex(*f.DrawGenerator, pool.size());
    } else {
        AnimationIndex += 1;
        if (AnimationIndex >= pool.size())
            AnimationIndex = 0;
        index = AnimationIndex;
    }
    f.ShowOnDisplay(pool.at(index), 0, true);
}

void DrawControl::RefresherTimer()
{
    // An animation over an empty pool has nothing to show and nothing to draw; after the
    // window closed there is no generator left.
    if (f.Draw.DrawPool.isEmpty() || !f.DrawGenerator) {
        Refresher->setEnabled(false);
        f.BTStartStop->setText(lng("StrStart"));
        f.Resultate->setSelectionHidden(false);
        return;
    }
    showFlashEntry();
    if (f.startCaptionShown()) {
        Refresher->setEnabled(false);
        f.pool().DrawNumber();
    }
}

void DrawControl::IntervallTimerTimer()
{
    IntervalTick();
}

void DrawControl::IntervalTick()
{
    if (AutostopRemaining != 0) {
        f.AutotivrelNotiz->hide();
        AutostopRemaining -= 1;
        showNote(autostopText(AutostopRemaining));
        if (AutostopRemaining == 1)
            AutostopRemaining = 0;
        return;
    }
    IntervallTimer->setInterval(f.Einstellungen->Sekunden->value() * 500);
    BTStartStopClick();
}

void DrawControl::NochtimerTimer()
{
    if (f.platform().now() >= NextDrawTime) {
        Nochtimer->setEnabled(false);
        f.Einstellungen->DoStatus->setItemIndex(0);
        f.ShowOnDisplay(lng("StrGleich"), 2, false);
        return;
    }
    ShowTimeToNextDraw();
}

void DrawControl::ShowTimeToNextDraw()
{
    f.ShowOnDisplay(timeToNextDrawText(f.platform().now(), NextDrawTime), 2, false);
}

void DrawControl::DoStatusClick()
{
    SettingsPanel &panel = *f.Einstellungen;
    switch (f.mode()) {
    case 0:
        panel.Uhrzeit->setEnabled(false);
        panel.chkAutostop->setEnabled(true);
        panel.Sekunden->setEnabled(panel.chkAutostop->isChecked());
        panel.btKonfig->setEnabled(true);
        IntervallTimer->setEnabled(false);
        Nochtimer->setEnabled(false);
        f.AutotivrelNotiz->hide();
        f.ShowOnDisplay(lng("StrNeueZiehungStarten"), 2, false);
        panel.hpModus->setText(lng("StrModeManuell"));
        break;
    case 1: {
        panel.Sekunden->setEnabled(true);
        panel.Uhrzeit->setEnabled(false);
        panel.chkAutostop->setEnabled(false);
        panel.btKonfig->setEnabled(true);
        const bool autopilotReached =
            panel.ckAutopilot->isChecked() &&
            f.Resultate->results()->rowCount() >= panel.AutopilotStart->value();
        f.ShowOnDisplay(lng(autopilotReached ? "StrAutoPilot" : "StrNeueZiehungStarten"), 2, false);
        panel.hpModus->setText(lng("StrModeTimer"));
        break;
    }
    case 2:
    case 3:
        if (!panel.Uhrzeit->isEnabled())
            panel.Uhrzeit->setText(nextFullHourText(f.platform().now().time()));
        panel.Uhrzeit->setEnabled(true);
        panel.Sekunden->setEnabled(false);
        panel.chkAutostop->setEnabled(false);
        panel.btKonfig->setEnabled(false);
        panel.hpModus->setText(lng("StrModeZeit"));
        break;
    case 4:
        panel.Sekunden->setEnabled(false);
        panel.Uhrzeit->setEnabled(false);
        panel.chkAutostop->setEnabled(false);
        panel.btKonfig->setEnabled(true);
        f.ShowOnDisplay(lng("StrNeueZiehungStarten"), 2, false);
        panel.hpModus->setText(lng("StrModeLotto"));
        break;
    default: break;
    }
}

void DrawControl::chkAutostopClick()
{
    f.Einstellungen->Sekunden->setEnabled(f.Einstellungen->chkAutostop->isChecked());
}

void DrawControl::ckAutopilotClick()
{
    SettingsPanel &panel = *f.Einstellungen;
    const bool on = panel.ckAutopilot->isChecked();
    if (on && f.Resultate->results()->rowCount() > 0)
        f.platform().messageBox(lng("StrTivrelHinweis"), lng("StrAutoPilotDoubletten"),
                                Platform::Icon::Warning, Platform::Buttons::Ok);
    panel.AutopilotStart->setEnabled(on);
    panel.lbAutopilotRest->setVisible(on);
    if (on) {
        if (panel.AutopilotStart->value() > f.Draw.DrawQuota)
            panel.AutopilotStart->setValue(f.Draw.DrawQuota);
        panel.AutopilotStart->setMaximum(qMax(0, f.Draw.DrawQuota));
    }
}

void DrawControl::AutopilotStartChange()
{
    f.Einstellungen->lbAutopilotRest->setText(
        QStringLiteral(" + ") +
        QString::number(f.Draw.DrawQuota - f.Einstellungen->AutopilotStart->value()));
}

void DrawControl::AutopilotStartEnter()
{
    f.pool().ApplyQuotaRule();
    f.Einstellungen->AutopilotStart->setMaximum(qMax(0, f.Draw.DrawQuota));
}

void DrawControl::UhrzeitExit()
{
    f.ShowOnDisplay(f.Einstellungen->Uhrzeit->text(), 2, true);
}

void DrawControl::ActivateMode()
{
    SettingsPanel &panel = *f.Einstellungen;
    const bool soundNamed =
        !panel.edSoundfile->text().isEmpty() && panel.edSoundfile->text() != QStringLiteral(" ");
    switch (f.mode()) {
    case 0:
        f.BTStartStop->setEnabled(true);
        f.BTStartStop->show();
        f.AutotivrelNotiz->hide();
        break;
    case 1:
        IntervallTimer->setInterval(panel.Sekunden->value() * 1000);
        IntervallTimer->setEnabled(true);
        showNote(intervalText(panel.Sekunden->value()));
        f.BTStartStop->hide();
        break;
    case 2:
        showNote(lng("StrZiehungNaechste"));
        f.ShowOnDisplay(panel.Uhrzeit->text(), 2, true);
        f.BTStartStop->hide();
        if (soundChecked() && soundNamed)
            f.playSound();
        break;
    case 3:
        Nochtimer->setEnabled(true);
        showNote(lng("StrZiehungZeit"));
        NextDrawTime = nextDrawTime(f.platform().now(), parseTimeOfDay(panel.Uhrzeit->text()));
        f.ShowOnDisplay(dateTimeText(NextDrawTime), 2, false);
        f.BTStartStop->hide();
        if (soundChecked() && soundNamed)
            f.playSound();
        break;
    case 4: f.settingsFlow().runLottery(); break;
    default: break;
    }
}

void DrawControl::mmNeueRundeStartenClick()
{
    stopTimers();
    f.AutotivrelNotiz->hide();
    f.AutotivrelNotiz->repaint();
    f.ShowOnDisplay(lng("StrNeueZiehungVorbereiten"), 2, false);
    if (!WaitPumping(2000))
        return;
    f.pool().Reset_ZiehungClick();
    f.ShowOnDisplay(lng("StrNeueZiehungStarten"), 2, false);
    if (WaitPumping(2000))
        f.settingsFlow().ApplySettings();
}

bool DrawControl::WaitPumping(int ms)
{
    if (f.closing())
        return false;
    const quint32 start = f.platform().tickCount();
    QEventLoop loop;
    QTimer poll;
    const auto check = [&] {
        if (f.closing() || f.platform().tickCount() - start >= quint32(ms))
            loop.quit();
    };
    connect(&poll, &QTimer::timeout, &loop, check);
    poll.start(10);
    check();
    if (f.platform().tickCount() - start < quint32(ms) && !f.closing())
        loop.exec();
    return !f.closing();
}
