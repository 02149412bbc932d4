#include "formfixture.h"

#include "app/showpart.h"
#include "presentation/audiencewindow.h"
#include "presentation/speech.h"
#include "settings/optionspage.h"
#include "settings/profilefile.h"
#include "settings/settings.h"
#include "settings/showoptions.h"

#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMenu>
#include <QQueue>
#include <QScreen>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <cstring>

#include <qpa/qplatformnativeinterface.h>

using namespace Qt::StringLiterals;

namespace {

QJsonObject screen(const char *name, int x, int width, int height)
{
    return {{QStringLiteral("name"), QString::fromLatin1(name)},
            {QStringLiteral("x"), x},
            {QStringLiteral("y"), 0},
            {QStringLiteral("width"), width},
            {QStringLiteral("height"), height},
            {QStringLiteral("logicalDpi"), 96},
            {QStringLiteral("logicalBaseDpi"), 96},
            {QStringLiteral("dpr"), 1}};
}

QJsonObject screens(bool projector)
{
    QJsonArray list{screen("laptop", 0, 1280, 800)};
    if (projector)
        list.append(screen("projector", 1280, 1920, 1080));
    return {{QStringLiteral("screens"), list}};
}

// Plugs the projector in or out, as the offscreen platform lets a test do.
void setProjector(bool plugged)
{
    using SetConfiguration = void (*)(const QJsonObject &, void *);
    // The platform hands out the function as an untyped pointer; it takes the configuration
    // and the platform's native interface.
    void *function = QGuiApplication::platformNativeInterface()->nativeResourceForIntegration(
        "setConfiguration");
    SetConfiguration set = nullptr;
    static_assert(sizeof(set) == sizeof(function));
    std::memcpy(&set, &function, sizeof(set));
    QVERIFY(set);
    set(screens(plugged), QGuiApplication::platformNativeInterface());
    QTRY_COMPARE(QGuiApplication::screens().size(), plugged ? 2 : 1);
}

// A voice that expects the texts it is told to, in order; anything else fails the test.
class FakeSpeech : public SpeechEngine {
public:
    bool available() const override { return true; }
    void say(const QString &text, const QLocale &locale) override
    {
        if (expected.isEmpty()) {
            QFAIL(qPrintable(QStringLiteral("unexpected speech: ") + text));
            return;
        }
        QCOMPARE(text, expected.dequeue());
        said.append(locale);
    }
    QQueue<QString> expected;
    QList<QLocale> said;
};

ShowOptionsBox &box(FormFixture &fx)
{
    return fx.panel().optionsPage().showOptions();
}

} // namespace

class TestShowMode : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { setProjector(true); }

    void optionsOffLeaveTheSettingsFileAsItWas()
    {
        FormFixture fx;
        fx.start();
        QVERIFY(fx.form->settingsFlow().ApplySettings());
        const ProfileFile before(fx.form->SettingsFile);
        QVERIFY(!before.hasSection(QStringLiteral("SHOW")));

        ui(fx.panel()).cbPublikum->setChecked(true);
        ui(fx.panel())
            .cbBildschirm->setCurrentIndex(ui(fx.panel()).cbBildschirm->findText(u"projector"_s));
        ui(fx.panel()).cbSanft->setChecked(true);
        QVERIFY(fx.form->settingsFlow().ApplySettings());
        const Settings stored = readSettingsFile(fx.form->SettingsFile);
        QVERIFY(stored.Audience);
        QCOMPARE(stored.AudienceScreen, u"projector"_s);
        QVERIFY(stored.SafeAnimation);
        QVERIFY(!stored.Speak); // no voice on the fake platform

        // Read back at the next start.
        fx.form->close();
        fx.start();
        QVERIFY(ui(fx.panel()).cbPublikum->isChecked());
        QVERIFY(ui(fx.panel()).cbSanft->isChecked());
        QCOMPARE(box(fx).screenName(), u"projector"_s);
        QVERIFY(fx.form->Ergebnisfeld->displayOptions().safeAnimation);
    }

    void audienceWindowFillsTheOtherScreenAndShowsOnlyTheDraw()
    {
        FormFixture fx;
        fx.start();
        fx.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(fx.form->window.get()));
        AudienceWindow *audience = fx.form->parts.show.audienceWindow();
        QVERIFY(!audience->isVisible());
        ui(fx.panel()).cbPublikum->setChecked(true);
        QVERIFY(audience->isVisible());
        QCOMPARE(audience->screen()->name(), u"projector"_s);
        QCOMPARE(audience->geometry(), audience->screen()->geometry());
        QVERIFY(audience->windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(audience->children().isEmpty()); // the picture only: no controls, no table
        QCOMPARE(fx.form->window->screen()->name(), u"laptop"_s);

        fx.useRange(1, 99, 10);
        fx.draw().BTStartStopClick();
        fx.animation().RefresherTimer();
        const QImage running = audience->bitmap();
        QCOMPARE(running.size(), QSize(1920, 1080));
        // Settings panel open: the audience keeps the display.
        fx.draw().BTStartStopClick();
        fx.animation().RefresherTimer();
        fx.form->settingsFlow().OpenSettingsPanel();
        QVERIFY(audience->isVisible());
        QCOMPARE(audience->bitmap().pixel(0, 0), fx.form->Ergebnisfeld->bitmap().pixel(0, 0));

        if (const QByteArray dir = qgetenv("TIVREL_SHOW_SHOTS"); !dir.isEmpty()) {
            fx.form->settingsFlow().BTEinstellungenSchliessenClick();
            fx.draw().BTStartStopClick();
            for (int i = 0; i < 3; ++i)
                fx.animation().RefresherTimer();
            fx.form->window->grab().save(QString::fromLocal8Bit(dir) + u"/laptop.png"_s);
            audience->grab().save(QString::fromLocal8Bit(dir) + u"/projector.png"_s);
            fx.draw().BTStartStopClick();
            fx.animation().RefresherTimer();
            fx.form->settingsFlow().OpenSettingsPanel();
            fx.panel().btOptionenClick();
            fx.form->window->resize(900, 700);
            ui(fx.panel()).cpVordergrund->setColour(0x00FFFF);
            fx.form->window->grab().save(QString::fromLocal8Bit(dir) + u"/options.png"_s);
            for (QWidget *w = &box(fx); w; w = w->parentWidget())
                if (auto *scroll = qobject_cast<QScrollArea *>(w))
                    scroll->ensureWidgetVisible(&box(fx));
            fx.form->window->grab().save(QString::fromLocal8Bit(dir) + u"/options-show.png"_s);
        }
    }

    // The audience's frames are the main display's: the same colours, text and rain.
    void audienceFramesEqualTheMainDisplays_data()
    {
        QTest::addColumn<bool>("safe");
        QTest::newRow("as specified") << false;
        QTest::newRow("safe") << true;
    }
    void audienceFramesEqualTheMainDisplays()
    {
        QFETCH(bool, safe);
        FormFixture fx;
        fx.start();
        fx.form->window->resize(800, 600);
        fx.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(fx.form->window.get()));
        fx.useRange(1, 999, 50);
        ui(fx.panel()).cbSanft->setChecked(safe);
        NumberDisplayWidget &display = *fx.form->Ergebnisfeld;
        // A second audience window the size of the main display.
        AudienceWindow same;
        same.resize(display.size());
        same.show();
        QVERIFY(QTest::qWaitForWindowExposed(&same));
        display.setMirror(&same);
        fx.draw().BTStartStopClick();
        for (int tick = 0; tick < 8; ++tick) {
            fx.animation().RefresherTimer();
            QCOMPARE(same.bitmap(), display.bitmap());
        }
        fx.draw().BTStartStopClick();
        fx.animation().RefresherTimer();
        QCOMPARE(same.bitmap(), display.bitmap());
        display.setMirror(nullptr);
    }

    void screenRemovedWhileTheAudienceWindowIsOpen()
    {
        FormFixture fx;
        fx.start();
        fx.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(fx.form->window.get()));
        ui(fx.panel()).cbPublikum->setChecked(true);
        AudienceWindow *audience = fx.form->parts.show.audienceWindow();
        QVERIFY(audience->isVisible());
        fx.useRange(1, 99, 10);
        fx.draw().BTStartStopClick();
        fx.animation().RefresherTimer();

        setProjector(false);
        QVERIFY(!audience->isVisible()); // one screen left: the operator's
        fx.animation().RefresherTimer(); // the draw goes on
        fx.draw().BTStartStopClick();
        fx.animation().RefresherTimer();
        QCOMPARE(fx.rows().size(), 1);
        QCOMPARE(ui(fx.panel()).cbBildschirm->count(), 1);

        setProjector(true);
        QTRY_VERIFY(audience->isVisible());
        QCOMPARE(audience->screen()->name(), u"projector"_s);
    }

    void f11AndEscapeWithOneScreen()
    {
        setProjector(false);
        FormFixture fx;
        fx.start();
        fx.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(fx.form->window.get()));
        AudienceWindow *audience = fx.form->parts.show.audienceWindow();
        // F11 does nothing while the option is off.
        QTest::keyClick(fx.form->window.get(), Qt::Key_F11);
        QVERIFY(!audience->isVisible());
        ui(fx.panel()).cbPublikum->setChecked(true);
        QVERIFY(!audience->isVisible()); // one screen: the operator's own, until F11
        QTest::keyClick(fx.form->window.get(), Qt::Key_F11);
        QVERIFY(audience->isVisible());
        QCOMPARE(audience->geometry(), QGuiApplication::primaryScreen()->geometry());
        QTRY_COMPARE(QApplication::activeWindow(), audience);
        QTest::keyClick(QApplication::activeWindow(), Qt::Key_Escape);
        QVERIFY(!audience->isVisible());
        QTest::keyClick(fx.form->window.get(), Qt::Key_F11);
        QVERIFY(audience->isVisible());
    }

    // On one screen the audience window has the keyboard; the operator still draws.
    void commandsWorkWhileTheAudienceWindowHasTheKeyboard()
    {
        setProjector(false);
        FormFixture fx;
        fx.start();
        fx.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(fx.form->window.get()));
        fx.useRange(1, 99, 10);
        ui(fx.panel()).cbPublikum->setChecked(true);
        AudienceWindow *audience = fx.form->parts.show.audienceWindow();
        QTest::keyClick(fx.form->window.get(), Qt::Key_F11);
        QTRY_COMPARE(QApplication::activeWindow(), audience);

        // Ctrl+S starts, Ctrl+Space stops, the tick draws.
        QTest::keyClick(audience, Qt::Key_S, Qt::ControlModifier);
        QVERIFY(fx.running());
        fx.animation().RefresherTimer();
        QTest::keyClick(audience, Qt::Key_Space, Qt::ControlModifier);
        fx.animation().RefresherTimer();
        QVERIFY(!fx.running());
        QCOMPARE(fx.rows().size(), 1);
        QCOMPARE(audience->bitmap().size(), audience->size());

        // Ctrl+M: the music off.
        auto *music = fx.form->child<QAction>("mStille");
        QSignalSpy musicOff(music, &QAction::triggered);
        QTest::keyClick(audience, Qt::Key_M, Qt::ControlModifier);
        QCOMPARE(musicOff.size(), 1);

        // The context menu opens over the audience window, and its commands work.
        auto *menu = fx.form->child<QMenu>("PopupMenu1");
        const QPoint at(200, 150);
        QContextMenuEvent click(QContextMenuEvent::Mouse, at, audience->mapToGlobal(at));
        QApplication::sendEvent(audience, &click);
        QTRY_VERIFY(menu->isVisible());
        QCOMPARE(menu->pos(), audience->mapToGlobal(at));
        auto *startStop = fx.form->child<QAction>("mStartStop");
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(startStop).center());
        QVERIFY(fx.running());
        QTest::keyClick(audience, Qt::Key_S, Qt::ControlModifier);
        fx.animation().RefresherTimer();
        QCOMPARE(fx.rows().size(), 2);
        if (const QByteArray dir = qgetenv("TIVREL_SHOW_SHOTS"); !dir.isEmpty()) {
            // Drawn, then running, as specified and gentle.
            const QString path = QString::fromLocal8Bit(dir) + u"/one-screen-"_s;
            for (const bool gentle : {false, true}) {
                ui(fx.panel()).cbSanft->setChecked(gentle);
                const QString kind = gentle ? u"gentle-"_s : u"specified-"_s;
                audience->grab().save(path + kind + u"drawn.png"_s);
                QTest::keyClick(audience, Qt::Key_S, Qt::ControlModifier);
                for (int i = 0; i < 6; ++i)
                    fx.animation().RefresherTimer();
                audience->grab().save(path + kind + u"running.png"_s);
                QTest::keyClick(audience, Qt::Key_S, Qt::ControlModifier);
                fx.animation().RefresherTimer();
            }
            ui(fx.panel()).cbSanft->setChecked(false);
        }

        // F6 hands the keyboard back, the audience window staying; F11 brings it forward.
        QTRY_COMPARE(QApplication::activeWindow(), audience);
        QTest::keyClick(audience, Qt::Key_F6);
        QTRY_COMPARE(QApplication::activeWindow(), fx.form->window.get());
        QVERIFY(audience->isVisible());
        QTest::keyClick(fx.form->window.get(), Qt::Key_F11);
        QTRY_COMPARE(QApplication::activeWindow(), audience);
        QVERIFY(audience->isVisible());
        // Ctrl+E opens the settings in the operator's window, which comes forward.
        QTest::keyClick(audience, Qt::Key_E, Qt::ControlModifier);
        QVERIFY(shown(&fx.panel()));
        QTRY_COMPARE(QApplication::activeWindow(), fx.form->window.get());
        QVERIFY(audience->isVisible());
    }

    void resultSpokenWithAVoice_data()
    {
        QTest::addColumn<bool>("prizes");
        QTest::addColumn<QString>("spoken");
        QTest::newRow("plain draw") << false << u"Gezogen: 7"_s;
        QTest::newRow("with prize") << true << u"Gezogen: 7. Gewinn: Teddy"_s;
    }
    void resultSpokenWithAVoice()
    {
        QFETCH(bool, prizes);
        QFETCH(QString, spoken);
        FakeSpeech voice;
        ResultAnnouncer announcer(
            {&voice, [] { return QLocale(QLocale::German); }, [prizes] { return prizes; }});
        QVERIFY(announcer.available());
        announcer.announce(u"7"_s, u"Teddy"_s); // off: nothing said
        announcer.setEnabled(true);
        voice.expected.enqueue(spoken);
        announcer.announce(u"7"_s, u"Teddy"_s);
        QVERIFY(voice.expected.isEmpty());
        QCOMPARE(voice.said, QList<QLocale>{QLocale(QLocale::German)});
    }

    void drawSpokenThroughThePlatformsVoice()
    {
        FakeSpeech voice;
        FormFixture fx;
        fx.speech = &voice;
        fx.start();
        QVERIFY(ui(fx.panel()).cbAnsagen->isEnabled());
        QVERIFY(ui(fx.panel()).lbKeineSprache->isHidden());
        fx.useRange(5, 6, 2);
        fx.drawOnce(); // option off: nothing said
        ui(fx.panel()).cbAnsagen->setChecked(true);
        QCOMPARE(fx.form->poolTexts().size(), 1);
        voice.expected.enqueue(u"Gezogen: "_s + fx.form->poolTexts().constFirst());
        fx.drawOnce();
        QVERIFY(voice.expected.isEmpty());
    }

    void withoutAVoiceTheOptionIsOffAndSaysWhy()
    {
        FormFixture fx;
        fx.start();
        fx.form->show();
        QVERIFY(!ui(fx.panel()).cbAnsagen->isEnabled());
        QVERIFY(!ui(fx.panel()).cbAnsagen->isChecked());
        fx.panel().btOptionenClick();
        fx.form->settingsFlow().OpenSettingsPanel();
        fx.panel().btOptionenClick();
        QVERIFY(ui(fx.panel()).lbKeineSprache->isVisible());
        QVERIFY(!ui(fx.panel()).lbKeineSprache->text().isEmpty());
        fx.useRange(1, 9, 2);
        fx.drawOnce(); // nothing waits, nothing fails
        QCOMPARE(fx.rows().size(), 1);
    }

    void pickersWarnBelowFourAndAHalfToOne_data()
    {
        QTest::addColumn<quint32>("foreground");
        QTest::addColumn<quint32>("background");
        QTest::addColumn<bool>("warns");
        QTest::newRow("black on white") << 0x000000u << 0xFFFFFFu << false;
        QTest::newRow("#767676 on white: 4.54") << 0x767676u << 0xFFFFFFu << false;
        QTest::newRow("#777777 on white: 4.48") << 0x777777u << 0xFFFFFFu << true;
        QTest::newRow("yellow on white") << 0x00FFFFu << 0xFFFFFFu << true;
        QTest::newRow("blue on black") << 0xFF0000u << 0x000000u << true;
    }
    void pickersWarnBelowFourAndAHalfToOne()
    {
        QFETCH(quint32, foreground);
        QFETCH(quint32, background);
        QFETCH(bool, warns);
        FormFixture fx;
        fx.start();
        ui(fx.panel()).cpVordergrund->setColour(foreground);
        ui(fx.panel()).cpHintergrund->setColour(background);
        QCOMPARE(!ui(fx.panel()).lbKontrast->isHidden(), warns);
    }
};

int main(int argc, char **argv)
{
    // Two screens, a laptop and a projector, that the test can plug in and out.
    QTemporaryDir dir;
    const QString config = dir.filePath(QStringLiteral("screens.json"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly))
        return 1;
    file.write(QJsonDocument(screens(true)).toJson());
    file.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toLocal8Bit());
    QApplication app(argc, argv);
    TestShowMode test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_showmode.moc"
