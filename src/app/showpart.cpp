#include "app/showpart.h"

#include "app/windowaccess.h"
#include "draw/drawpass.h"
#include "localisation/langmanager.h"
#include "presentation/audiencewindow.h"
#include "presentation/liveannouncement.h"
#include "presentation/numberdisplaywidget.h"
#include "settings/rangepage.h"
#include "settings/showoptions.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QShortcut>

ShowPart::ShowPart(Parts parts, QObject *parent)
    : QObject(parent), m_parts(parts), m_audience(std::make_unique<AudienceWindow>()),
      m_announcer({parts.speech,
                   [] {
                       return isGermanLanguage(LangManager().CurrentLanguage())
                                  ? QLocale(QLocale::German, QLocale::Germany)
                                  : QLocale(QLocale::English);
                   },
                   [range = &parts.range] { return range->prizesOn(); }})
{
    ShowOptionsBox &box = m_parts.box;
    box.setSpeechAvailable(m_announcer.available());
    screensChanged();

    m_live = new LiveAnnouncement(&m_parts.window);
    m_parts.display.setMirror(m_audience.get());
    connect(&box, &ShowOptionsBox::audienceToggled, this, [this] { updateAudience(); });
    connect(&box, &ShowOptionsBox::screenChosen, this, [this] {
        m_hiddenByOperator = false;
        updateAudience();
    });
    connect(&box, &ShowOptionsBox::safeAnimationToggled, &m_parts.display,
            &NumberDisplayWidget::setSafeAnimation);
    connect(&box, &ShowOptionsBox::speakingToggled, this,
            [this](bool on) { m_announcer.setEnabled(on); });
    connect(&m_parts.pass, &DrawPass::rowInserted, this, &ShowPart::announceRow);

    auto *f11 = new QShortcut(QKeySequence(Qt::Key_F11), &m_parts.window);
    f11->setContext(Qt::ApplicationShortcut);
    connect(f11, &QShortcut::activated, this, &ShowPart::toggleAudience);
    connect(m_audience.get(), &AudienceWindow::escapePressed, this, [this] {
        m_hiddenByOperator = true;
        m_shownOnOneScreen = false;
        updateAudience();
    });

    // On one screen the audience window covers the operator's: the window's commands work
    // from it too, its context menu opens over it, and F6 or anything that needs the
    // operator's window (the settings panel) brings that one forward.
    m_audience->addActions(m_parts.window.actions());
    m_audience->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_audience.get(), &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) {
                QWidget &window = m_parts.window;
                Q_EMIT window.customContextMenuRequested(
                    window.mapFromGlobal(m_audience->mapToGlobal(pos)));
            });
    connect(m_audience.get(), &AudienceWindow::operatorWindowRequested, this, &ShowPart::handBack);
    m_parts.panel.installEventFilter(this);

    auto *app = qGuiApp;
    connect(app, &QGuiApplication::screenAdded, this, [this] { screensChanged(); });
    connect(app, &QGuiApplication::screenRemoved, this, [this](QScreen *gone) {
        // The window leaves a screen that goes; with one screen left it closes.
        if (m_audience->isVisible() && m_audience->screen() == gone)
            m_audience->hide();
        screensChanged(gone);
    });
}

ShowPart::~ShowPart() = default;

void ShowPart::retranslate()
{
    m_parts.box.retranslate();
}

QList<QScreen *> ShowPart::screens() const
{
    QList<QScreen *> screens = QGuiApplication::screens();
    screens.removeAll(m_gone);
    return screens;
}

QScreen *ShowPart::audienceScreen() const
{
    const QList<QScreen *> screens = this->screens();
    QScreen *operatorScreen = m_parts.window.screen();
    if (screens.size() < 2)
        return m_shownOnOneScreen ? operatorScreen : nullptr;
    // The chosen screen by its name, else the first that is not the operator's.
    const QString name = m_parts.box.screenName();
    for (QScreen *screen : screens)
        if (!name.isEmpty() && screen->name() == name)
            return screen;
    for (QScreen *screen : screens)
        if (screen != operatorScreen)
            return screen;
    return nullptr;
}

void ShowPart::updateAudience()
{
    const bool wanted = m_parts.box.audienceOn();
    const bool several = screens().size() > 1;
    QScreen *screen = wanted && !(several && m_hiddenByOperator) ? audienceScreen() : nullptr;
    if (!screen) {
        m_audience->hide();
        return;
    }
    // With a screen of its own the operator keeps the keyboard; over the operator's only
    // screen the audience window takes it, for Esc.
    m_audience->setAttribute(Qt::WA_ShowWithoutActivating, several);
    m_audience->showOn(screen);
    if (several)
        m_parts.window.activateWindow();
    else
        m_audience->activateWindow();
}

void ShowPart::toggleAudience()
{
    if (!m_parts.box.audienceOn())
        return;
    if (screens().size() > 1) {
        m_hiddenByOperator = m_audience->isVisible();
    } else if (m_audience->isVisible() && !m_audience->isActiveWindow()) {
        // Behind the operator's window: F11 brings it forward again.
        m_audience->raise();
        m_audience->activateWindow();
        return;
    } else {
        m_shownOnOneScreen = !m_audience->isVisible();
    }
    updateAudience();
}

void ShowPart::handBack()
{
    if (!m_audience->isVisible())
        return;
    QWidget &window = m_parts.window;
    window.raise();
    window.activateWindow();
}

bool ShowPart::eventFilter(QObject *watched, QEvent *event)
{
    // The settings panel is the operator's: it comes to the front with it.
    if (watched == &m_parts.panel && event->type() == QEvent::Show && m_audience->isActiveWindow())
        handBack();
    return QObject::eventFilter(watched, event);
}

void ShowPart::screensChanged(QScreen *gone)
{
    m_gone = gone;
    QStringList names;
    for (const QScreen *screen : screens())
        names.append(screen->name());
    m_parts.box.setScreenNames(names);
    if (screens().size() < 2)
        m_hiddenByOperator = false;
    updateAudience();
    m_gone = nullptr;
}

void ShowPart::announceRow(int position)
{
    const ResultRows &rows = m_parts.pass.rows();
    if (position < 0 || position >= rows.size())
        return;
    // Assistive technology hears every draw; the voice only with its option on.
    m_live->announce(m_announcer.announcement(rows.entry(position), rows.game(position)));
    m_announcer.announce(rows.entry(position), rows.game(position));
}
