#pragma once

#include "web/qroverlay.h"
#include "web/resultsfeed.h"

#include <QDateTime>
#include <QHash>
#include <QObject>

#include <functional>
#include <memory>

class DrawPass;
class QAction;
class QLabel;
class ResultsService;
class SettingsSource;
class WebOptionsBox;

// The results page at work: with the option on, the server listens (on the chosen address
// and the port, or the next free one) and is handed a snapshot of the pass after each change;
// the page's address shows in the options, in the hint line's tooltip and, on command (menu
// or F9), as a QR code on the display and the audience window until the next draw, and, if the
// user wants it, small in a corner while no draw runs. With the option off there is no socket,
// no thread work and no key written.
class WebPart : public QObject {
    Q_OBJECT
public:
    struct Parts {
        QrCodeScreens codes; // the display and the audience window
        QLabel &hint;        // its tooltip names the page
        WebOptionsBox &box;
        DrawPass &pass;
        const SettingsSource &settings;
        std::function<QDateTime()> now;
        // Fills in the verifiable draw's commitment, chain head and seed; may be empty.
        std::function<void(ResultsSnapshot &)> verification;
    };
    explicit WebPart(Parts parts, QObject *parent = nullptr);
    ~WebPart() override;

    // The settings were applied (and at start-up): starts, moves or stops the server.
    void apply();
    void retranslate();
    // The menu command and F9: shows the QR code, or hides it when shown.
    void toggleCode();
    // Whether the display is idle (no draw runs): the corner code shows only then.
    void setIdle(bool idle);

    QString pageAddress() const { return m_url; }
    bool codeShown() const;
    // The command; the window puts it in the display's menu and on its own key (F9), so the
    // key works with the menu closed.
    QAction *codeAction() const { return m_codeAction; }

private:
    void passChanged();
    void publish();
    void showAddress();
    void hideCode();
    // The codes as they should stand now: large on command, else small in the corner while
    // the display is idle and the corner is wanted, else none.
    void placeCodes();

    Parts p;
    std::unique_ptr<ResultsService> m_service; // made when first switched on
    QString m_url;
    QString m_error;
    std::pair<QString, qint32> m_asked; // the address and port listened on
    QString m_tooltipLine;              // the line this part added to the hint's tooltip
    quint64 m_passNumber = 1;
    quint64 m_version = 0;
    qint64 m_sequence = 0;
    // When each draw of the pass was seen, and in which order, by draw number.
    QHash<qint32, std::pair<qint64, QString>> m_seen;
    QAction *m_codeAction = nullptr;
    bool m_large = false; // shown large on command
    bool m_idle = true;
    bool m_corner = false; // the option to keep the code small in a corner, as applied
};
