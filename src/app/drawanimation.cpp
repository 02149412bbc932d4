#include "app/drawanimation.h"

#include "app/controlstrip.h"
#include "app/soundpart.h"
#include "app/windowtimer.h"
#include "draw/drawpass.h"
#include "platform/platform.h"
#include "presentation/entrydisplay.h"
#include "results/resultstable.h"
#include "settings/settingssource.h"

#include <QEventLoop>
#include <QTimer>

DrawAnimation::DrawAnimation(const Parts &parts, QObject *parent)
    : QObject(parent), p(parts), Refresher(new WindowTimer(80, this))
{
    setObjectName(QStringLiteral("DrawAnimation"));
    Refresher->setObjectName(QStringLiteral("Refresher"));
    connect(Refresher, &WindowTimer::timeout, this, &DrawAnimation::RefresherTimer);
}

DrawAnimation::~DrawAnimation() = default;

void DrawAnimation::setAnimation(Animation animation)
{
    if (animation == m_animation)
        return;
    m_animation = animation;
    p.strip.showRunning(animation == Animation::Running);
    Q_EMIT animationChanged(animation);
}

void DrawAnimation::abandon()
{
    if (m_animation == Animation::Idle)
        return;
    Refresher->setEnabled(false);
    setAnimation(Animation::Idle);
    p.results.setSelectionHidden(false);
    p.display.showLastStill();
}

void DrawAnimation::start()
{
    const Settings settings = p.settings.current();
    p.results.setSelectionHidden(true);
    p.sound.drawStarted(SoundPart::optionsOf(settings));
    setAnimation(Animation::Running);
    Refresher->setEnabled(true);
}

void DrawAnimation::stop()
{
    setAnimation(Animation::Stopping);
    p.results.show();
    p.sound.drawStopped(SoundPart::optionsOf(p.settings.current()));
    // The draw follows at the next animation tick.
}

void DrawAnimation::drawPendingNumber()
{
    if (m_animation == Animation::Stopping)
        RefresherTimer();
}

void DrawAnimation::startLotteryNumber()
{
    drawPendingNumber();
    const Settings settings = p.settings.current();
    setAnimation(Animation::Running);
    p.sound.lotteryNumberStarts(SoundPart::optionsOf(settings));
    Refresher->setEnabled(true);
}

void DrawAnimation::stopLotteryNumber()
{
    const Settings settings = p.settings.current();
    // The next animation tick draws the number and switches the animation off.
    setAnimation(Animation::Stopping);
    p.sound.lotteryNumberDone(SoundPart::optionsOf(settings));
}

void DrawAnimation::RefresherTimer()
{
    // An animation over an empty pool has nothing to show and nothing to draw.
    const qsizetype index = p.pass.flashIndex();
    if (index < 0 || m_closing) {
        abandon();
        return;
    }
    p.display.ShowOnDisplay(p.pass.pool().at(index), 0, true);
    if (m_animation == Animation::Stopping) {
        Refresher->setEnabled(false);
        setAnimation(Animation::Idle);
        Q_EMIT numberDue();
    }
}

void DrawAnimation::settingsOpened()
{
    p.sound.settingsOpened(SoundPart::optionsOf(p.settings.current()));
}

bool DrawAnimation::WaitPumping(int ms)
{
    if (m_closing)
        return false;
    const quint32 start = p.platform.tickCount();
    QEventLoop loop;
    QTimer poll;
    const auto check = [&] {
        if (m_closing || p.platform.tickCount() - start >= quint32(ms))
            loop.quit();
    };
    connect(&poll, &QTimer::timeout, &loop, check);
    poll.start(10);
    check();
    if (p.platform.tickCount() - start < quint32(ms) && !m_closing)
        loop.exec();
    return !m_closing;
}
