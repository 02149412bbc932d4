#include "formfixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QSet>
#include <QTimer>

#include <random>

// Seeded random input on the real window: clicks on its buttons and check boxes, keys, timer
// ticks, settings applied and new passes, with every question answered at random. After every
// event the pass must hold: no entry both drawn and drawable, none drawn twice, DrawCount equal
// to the rows, and after a draw the log equal to the rows.

namespace {

// TIVREL_MONKEY_EVENTS sets another number, e.g. for a longer run by hand.
int eventCount()
{
    bool ok = false;
    const int n = qEnvironmentVariableIntValue("TIVREL_MONKEY_EVENTS", &ok);
    return ok && n > 0 ? n : 20000;
}

// The number a drawn or drawable entry stands for: range entries compare by number whatever
// their padding.
qint32 ticket(const QString &text)
{
    return EntryPool::numberOf(text).value_or(-1);
}

} // namespace

class TestMonkey : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void randomInputKeepsThePassWhole()
    {
        std::mt19937 chance(20261209);
        auto below = [&chance](int n) { return int(chance() % quint32(n)); };

        FormFixture fx;
        fx.folder.write(QStringLiteral("tivrel.ini"),
                        "[NUM]\r\nStart=1\r\nEnd=40\r\nCent=0\r\nPercentage=30\r\n"
                        "[DISPLAY]\r\nHelp=0\r\nSound=0\r\n");
        fx.platform.answerer = [&](const FakePlatform::MessageCall &call) {
            using A = Platform::Answer;
            switch (call.buttons) {
            case Platform::Buttons::Ok: return A::Ok;
            case Platform::Buttons::OkCancel: return below(2) ? A::Ok : A::Cancel;
            case Platform::Buttons::YesNo: return below(2) ? A::Yes : A::No;
            case Platform::Buttons::YesNoCancel:
                return std::array{A::Yes, A::No, A::Cancel}[below(3)];
            }
            return A::Ok;
        };
        Form &form = fx.start();
        form.show();
        // The seed of the draws is fixed; the tick counter then only times the waits of a new
        // pass, which it lets pass in a few milliseconds.
        form.pass().generator().Seed(4357);
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, this, [&fx] { fx.platform.ticks += 1000; });
        ticker.start(1);
        DrawControl &draw = fx.draw();
        DrawAnimation &animation = fx.animation();
        TimedDrawing &timed = fx.timed();
        SettingsPanel &panel = fx.panel();

        // What a click may hit: the window's buttons and check boxes, but not printing (a PDF
        // per click) and not a file's browse button (no dialog to answer).
        QList<QAbstractButton *> clickable;
        for (QAbstractButton *button : form.window->findChildren<QAbstractButton *>()) {
            const QString name = button->objectName();
            if (!name.isEmpty() && name != u"BTDrucken" && !name.contains(u"Browse") &&
                button != ui(panel).AusDatei && button != ui(panel).cbWinnings &&
                button != ui(panel).cbHintergrund)
                clickable.append(button);
        }
        QVERIFY(clickable.size() > 10);

        int draws = 0;
        int applied = 0;
        int logChecks = 0;
        const int events = eventCount();
        for (int event = 0; event < events; ++event) {
            const qint32 countBefore = form.pass().drawCount();
            const int kind = below(100);
            QString what;
            if (kind < 22) {
                what = QStringLiteral("start/stop");
                draw.BTStartStopClick();
            } else if (kind < 45) {
                what = QStringLiteral("animation tick");
                if (animation.refresher().isRunning())
                    animation.RefresherTimer();
            } else if (kind < 52) {
                what = QStringLiteral("interval tick");
                if (timed.intervalTimer().isRunning())
                    timed.IntervallTimerTimer();
            } else if (kind < 55) {
                what = QStringLiteral("countdown tick");
                fx.platform.clock = fx.platform.clock.addSecs(below(900));
                if (timed.countdownTimer().isRunning())
                    timed.NochtimerTimer();
            } else if (kind < 65) {
                const std::array keys{Qt::Key_S, Qt::Key_Space, Qt::Key_E, Qt::Key_Escape};
                const Qt::Key key = keys[size_t(below(int(keys.size())))];
                what = QStringLiteral("key %1").arg(int(key));
                QTest::keyClick(form.window.get(), key,
                                key == Qt::Key_Escape ? Qt::NoModifier : Qt::ControlModifier);
            } else if (kind < 77) {
                QAbstractButton *button = clickable[below(int(clickable.size()))];
                what = QStringLiteral("click ") + button->objectName();
                if (button->isVisibleTo(form.window.get()) && button->isEnabled())
                    button->click();
            } else if (kind < 88) {
                what = QStringLiteral("settings");
                form.settingsFlow().OpenSettingsPanel();
                switch (below(9)) {
                case 0: ui(panel).Minimum->setValue(1 + below(20)); break;
                case 1: ui(panel).Maximum->setValue(1 + below(60)); break;
                case 2: ui(panel).Ziehungsquote->setValue(1 + below(40)); break;
                case 3: ui(panel).Ziehung_Prozent->setChecked(below(2)); break;
                case 4:
                    ui(panel).ZeigeNullen->setChecked(!ui(panel).ZeigeNullen->isChecked());
                    break;
                case 5: ui(panel).DoStatus->setItemIndex(below(4)); break;
                case 6: ui(panel).ckAutopilot->setChecked(below(2)); break;
                case 7: ui(panel).AutopilotStart->setValue(1 + below(8)); break;
                case 8: ui(panel).chkAutostop->setChecked(below(2)); break;
                }
                ui(panel).Sekunden->setValue(1 + below(3));
                if (below(4) != 0) {
                    form.settingsFlow().ApplySettings();
                    ++applied;
                }
            } else if (kind < 89) {
                what = QStringLiteral("new pass");
                form.mmNeueRundeStarten->trigger();
            } else {
                what = QStringLiteral("events");
                QCoreApplication::processEvents();
            }
            if (QTest::currentTestFailed())
                QFAIL(qPrintable(QStringLiteral("event %1 (%2)").arg(event).arg(what)));

            // The pass after the event.
            const QString where = QStringLiteral("after event %1 (%2)").arg(event).arg(what);
            const ResultRows &rows = form.pass().rows();
            QVERIFY2(form.pass().drawCount() == rows.size(), qPrintable(where));
            QVERIFY2(fx.results().rowCount() == rows.size(), qPrintable(where));
            QSet<qint32> drawn;
            for (qsizetype i = 0; i < rows.size(); ++i) {
                const QString entry = rows.entry(i);
                QVERIFY2(!drawn.contains(ticket(entry)),
                         qPrintable(where + QStringLiteral(": drawn twice: ") + entry));
                drawn.insert(ticket(entry));
            }
            const QStringList pool = form.poolTexts();
            for (const QString &entry : pool)
                QVERIFY2(!drawn.contains(ticket(entry)),
                         qPrintable(where + QStringLiteral(": drawn and drawable: ") + entry));
            if (form.pass().drawCount() == countBefore + 1) {
                ++draws;
                if (form.pass().lastLogWrite().ok) {
                    ResultRows logged;
                    QVERIFY2(readDrawLog(form.DrawLog, logged), qPrintable(where));
                    QVERIFY2(logged == rows, qPrintable(where + QStringLiteral(": log differs")));
                    ++logChecks;
                }
            }
        }
        qInfo("%d events, %d draws, %d settings applied, %d logs compared, %d boxes", events, draws,
              applied, logChecks, int(fx.platform.messages.size()));
        QVERIFY(draws > 100);
    }
};

QTEST_MAIN(TestMonkey)
#include "tst_monkey.moc"
