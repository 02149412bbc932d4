#include "app/webpart.h"

#include "app/windowaccess.h"
#include "draw/drawpass.h"
#include "localisation/langmanager.h"
#include "localisation/uitext.h"
#include "settings/settingssource.h"
#include "settings/weboptions.h"
#include "web/resultsservice.h"

#include <QAction>
#include <QLabel>

#include <algorithm>

WebPart::WebPart(Parts parts, QObject *parent) : QObject(parent), p(std::move(parts))
{
    m_codeAction = new QAction(lng("StrWebQrCode"), this);
    m_codeAction->setObjectName(QStringLiteral("mmWebQrCode"));
    m_codeAction->setShortcut(QKeySequence(Qt::Key_F9));
    m_codeAction->setShortcutContext(Qt::ApplicationShortcut);
    m_codeAction->setVisible(false);
    connect(m_codeAction, &QAction::triggered, this, &WebPart::toggleCode);

    p.box.setAddresses(machineAddresses());

    // After the window and the verifiable draw have taken the change in: the draw is shown
    // before anything is handed to the server.
    connect(
        &p.pass, &DrawPass::rowInserted, this,
        [this](int position) {
            const ResultRows &rows = p.pass.rows();
            if (position >= 0 && position < rows.size())
                m_seen.insert(rows.drawNumber(position),
                              {++m_sequence, p.now().time().toString(QStringLiteral("hh:mm:ss"))});
            hideCode();
            passChanged();
        },
        Qt::QueuedConnection);
    connect(
        &p.pass, &DrawPass::rowsReset, this,
        [this] {
            if (p.pass.rows().isEmpty() && !m_seen.isEmpty()) {
                ++m_passNumber;
                m_seen.clear();
            }
            passChanged();
        },
        Qt::QueuedConnection);
}

WebPart::~WebPart() = default;

void WebPart::apply()
{
    const Settings settings = p.settings.current();
    // Kept as applied: the code moves at every animation start and end.
    m_corner = settings.WebCorner;
    if (!settings.WebEnabled) {
        if (m_service)
            m_service->stop();
        m_url.clear();
        m_error.clear();
        hideCode();
        showAddress();
        return;
    }
    if (!m_service)
        m_service = std::make_unique<ResultsService>();
    publish();
    // Applied again unchanged: the guests' open pages stay connected.
    const std::pair<QString, qint32> asked{settings.WebAddress, settings.WebPort};
    if (m_service->running() && asked == m_asked) {
        placeCodes();
        return;
    }
    m_asked = asked;
    const ResultsService::Started started =
        m_service->start(settings.WebAddress, quint16(settings.WebPort));
    m_error = started.error;
    m_url.clear();
    if (started.port) {
        // Listening on all addresses, the page is named by the first a guest can reach.
        QString shown = settings.WebAddress;
        if (shown.isEmpty()) {
            const QStringList addresses = machineAddresses();
            shown = addresses.isEmpty() ? QStringLiteral("127.0.0.1") : addresses.first();
        }
        m_url = pageUrl(shown, started.port);
    }
    placeCodes();
    showAddress();
}

void WebPart::retranslate()
{
    p.box.retranslate();
    m_codeAction->setText(lng("StrWebQrCode"));
    showAddress();
    if (m_service && m_service->running())
        publish();
}

void WebPart::showAddress()
{
    p.box.showState(m_url, m_error);
    m_codeAction->setVisible(!m_url.isEmpty());
    QString tooltip = p.hint.toolTip();
    if (!m_tooltipLine.isEmpty() && tooltip.endsWith(m_tooltipLine))
        tooltip.chop(m_tooltipLine.size());
    m_tooltipLine = m_url.isEmpty() ? QString() : u'\n' + lngFormat("StrWebSeite", {m_url});
    p.hint.setToolTip(tooltip + m_tooltipLine);
}

bool WebPart::codeShown() const
{
    return m_large && p.codes.shown();
}

void WebPart::toggleCode()
{
    m_large = !codeShown() && !m_url.isEmpty();
    placeCodes();
}

void WebPart::setIdle(bool idle)
{
    m_idle = idle;
    placeCodes();
}

void WebPart::hideCode()
{
    m_large = false;
    placeCodes();
}

void WebPart::placeCodes()
{
    const bool corner = !m_large && m_idle && m_corner;
    if (m_url.isEmpty() || (!m_large && !corner)) {
        p.codes.hide();
        return;
    }
    p.codes.showAs(m_url, m_large ? QrOverlay::Size::Large : QrOverlay::Size::Corner);
}

void WebPart::passChanged()
{
    if (m_service && m_service->running())
        publish();
}

void WebPart::publish()
{
    ResultsSnapshot s;
    s.pass = m_passNumber;
    s.version = ++m_version;
    s.count = p.pass.drawCount();
    s.quota = p.pass.drawQuota();
    s.closed = !p.pass.drawAllowed() && !p.pass.rows().isEmpty();
    s.language = isGermanLanguage(LangManager().CurrentLanguage()) ? QStringLiteral("de")
                                                                   : QStringLiteral("en");
    for (const auto &[key, name] : webTextNames())
        s.texts.append({QString::fromLatin1(key), lng(name)});
    const ResultRows &rows = p.pass.rows();
    QList<std::pair<qint64, WebDraw>> draws;
    draws.reserve(rows.size());
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const auto seen = m_seen.value(rows.drawNumber(i), {0, QString()});
        draws.append(
            {seen.first, WebDraw{rows.drawNumber(i), rows.entry(i), rows.game(i), seen.second}});
    }
    // Newest first: the draws seen this run by when they came, the restored ones as the
    // results table holds them.
    std::stable_sort(draws.begin(), draws.end(),
                     [](const auto &a, const auto &b) { return a.first > b.first; });
    for (auto &[order, draw] : draws)
        s.draws.append(std::move(draw));
    if (p.verification)
        p.verification(s);
    m_service->publish(std::move(s));
}
