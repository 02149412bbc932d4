#include "draw/mersenne.h"
#include "presentation/backgroundpicture.h"
#include "presentation/displaypixels.h"
#include "presentation/flashcounter.h"
#include "presentation/numberdisplay.h"
#include "presentation/safeanimation.h"
#include "presentation/showcolours.h"

#include <QTest>

namespace {

// The foreground picker's "no colour".
constexpr quint32 NoColour = 0x1FFFFFFF;

QImage checkerPicture()
{
    QImage picture(QSize(64, 48), QImage::Format_ARGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, ((x / 8 + y / 8) % 2) ? qRgb(250, 250, 250) : qRgb(10, 10, 60));
    makeOuterRingTransparent(picture);
    return picture;
}

// The display filling a screen of `size`: a greeting, a draw animated at the real tick for
// `durationMs`, then the drawn entry, every frame handed to a flash counter.
struct Animation {
    explicit Animation(QSize size) : frame{size, size, false, false, false}, counter(size) {}

    NumberDisplayRenderer renderer;
    EffectsGenerator effects;
    DisplayState state;
    DisplayOptions options;
    EntryPool pool = EntryPool::fromRange({1, 999}, false);
    DisplayFrame frame;
    FlashCounter counter;
    QStringList shown;   // the entry each animation frame showed
    QList<QRgb> colours; // the number's colour in each animation frame

    void run(int durationMs)
    {
        renderer.ShowOnDisplay(QStringLiteral("Hallo!"), 2, false, state, options, frame, pool,
                               effects);
        counter.addFrame(renderer.bitmap(), 0);
        frame.running = frame.stopCaption = true;
        int t = AnimationTickMs;
        for (; t <= durationMs; t += AnimationTickMs) {
            const QString entry = pool.at(qsizetype(effects.next(quint32(pool.size()))));
            renderer.ShowOnDisplay(entry, 0, true, state, options, frame, pool, effects);
            shown.append(state.DisplayText);
            colours.append(state.DisplayForeColour);
            counter.addFrame(renderer.bitmap(), t);
        }
        frame.running = frame.stopCaption = false;
        renderer.ShowOnDisplay(QStringLiteral("123"), 2, true, state, options, frame, pool,
                               effects);
        counter.addFrame(renderer.bitmap(), t);
    }
};

QString colourName(quint32 bgr)
{
    for (const NamedColour &c : StandardColours)
        if (c.bgr == bgr)
            return QString::fromUtf8(c.name);
    return QStringLiteral("no colour");
}

QString figures(const FlashCounter::Figures &f)
{
    return QStringLiteral("%1/s, worst field %2 at %3 ms, flashing share %4, over the limit %5")
        .arg(f.flashesPerSecond)
        .arg(QStringLiteral("%1x%2+%3+%4")
                 .arg(f.worstField.width())
                 .arg(f.worstField.height())
                 .arg(f.worstField.x())
                 .arg(f.worstField.y()))
        .arg(f.worstTimeMs)
        .arg(f.flashingShare, 0, 'f', 3)
        .arg(f.overLimitShare, 0, 'f', 3);
}

// The most times the entry changed within any second, frames AnimationTickMs apart.
int changesPerSecond(const QStringList &shown)
{
    const int window = 1000 / AnimationTickMs + 1;
    int most = 0;
    for (qsizetype start = 0; start < shown.size(); ++start) {
        int changes = 0;
        for (qsizetype i = start + 1; i < std::min(shown.size(), start + window); ++i)
            changes += shown.at(i) != shown.at(i - 1);
        most = std::max(most, changes);
    }
    return most;
}

} // namespace

class TestSafeAnimation : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Every colour the pickers offer as the number's and as the background's: at 1920x1080
    // every pair, at 3840x2160 each colour with the partner it contrasts with most (the
    // largest swings of brightness). Colours and rain on, as by default.
    void gentleAnimationDoesNotFlash_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<quint32>("foreground");
        QTest::addColumn<quint32>("background");
        QList<quint32> foregrounds{NoColour};
        for (const NamedColour &c : StandardColours)
            foregrounds.append(c.bgr);
        auto row = [](QSize screen, quint32 fg, quint32 bg) {
            QTest::addRow("%dx%d, %s on %s", screen.width(), screen.height(),
                          qPrintable(colourName(fg)), qPrintable(colourName(bg)))
                << screen << fg << bg;
        };
        // Under the sanitizers, where rendering is many times slower, the pairs of the first
        // two foregrounds at 1920x1080 stand for the rest; the plain build runs them all.
        const bool quick = qEnvironmentVariableIsSet("TIVREL_QUICK_RENDER_TESTS");
        if (quick)
            foregrounds.resize(2);
        for (const quint32 fg : foregrounds)
            for (const NamedColour &bg : StandardColours)
                row(QSize(1920, 1080), fg, bg.bgr);
        if (quick)
            return;
        auto contrast = [](quint32 a, quint32 b) {
            return contrastRatio(ToColor32(a), ToColor32(b));
        };
        for (const quint32 fg : foregrounds) {
            quint32 best = StandardColours[0].bgr;
            for (const NamedColour &bg : StandardColours)
                if (contrast(fg, bg.bgr) > contrast(fg, best))
                    best = bg.bgr;
            row(QSize(3840, 2160), fg, best);
        }
        for (const NamedColour &bg : StandardColours) {
            quint32 best = foregrounds[0];
            for (const quint32 fg : foregrounds)
                if (contrast(fg, bg.bgr) > contrast(best, bg.bgr))
                    best = fg;
            row(QSize(3840, 2160), best, bg.bgr);
        }
    }
    void gentleAnimationDoesNotFlash()
    {
        QFETCH(QSize, screen);
        QFETCH(quint32, foreground);
        QFETCH(quint32, background);
        Animation animation(screen);
        animation.options.safeAnimation = true;
        animation.options.foreground = foreground;
        animation.options.background = background;
        animation.run(1200);
        const FlashCounter &counter = animation.counter;
        QVERIFY2(counter.generalFlashesPerSecond() <= FlashCounter::AllowedPerSecond,
                 qPrintable(figures(counter.general())));
        QVERIFY2(counter.redFlashesPerSecond() <= FlashCounter::AllowedPerSecond,
                 qPrintable(figures(counter.red())));
        QCOMPARE(counter.general().overLimitShare, 0.0);
        QCOMPARE(counter.red().overLimitShare, 0.0);
        if (foreground == 0x000000 && background == 0xFFFFFF)
            qInfo("gentle at %dx%d, black on white: general %s; red %s", screen.width(),
                  screen.height(), qPrintable(figures(counter.general())),
                  qPrintable(figures(counter.red())));
    }

    void gentleAnimationOverAPictureDoesNotFlash()
    {
        Animation animation(QSize(1920, 1080));
        animation.options.safeAnimation = true;
        animation.state.picture = checkerPicture();
        animation.options.picture = animation.options.pictureEnabled = true;
        animation.options.pictureAnimated = true;
        animation.run(2000);
        QVERIFY2(animation.counter.generalFlashesPerSecond() <= FlashCounter::AllowedPerSecond,
                 qPrintable(figures(animation.counter.general())));
        QVERIFY(animation.renderer.rain().isEmpty());
    }

    // Alive, not flashing: a new entry in a new colour a few times a second, never more
    // than three times within one second, and no rain.
    void gentleAnimationChangesAtMostThreeTimesASecond()
    {
        Animation animation(QSize(640, 360));
        animation.options.safeAnimation = true;
        animation.options.foreground = 0x800000; // navy: a hue to change at its brightness
        animation.run(3000);
        const int changes = changesPerSecond(animation.shown);
        QVERIFY2(changes >= 2 && changes <= 3, qPrintable(QString::number(changes)));
        // With "Farben" the colour changes with the entry, and only then (two hues may come
        // out as the same dark colour).
        int entryChanges = 0, colourChanges = 0;
        for (qsizetype i = 1; i < animation.shown.size(); ++i) {
            const bool entryChanged = animation.shown.at(i) != animation.shown.at(i - 1);
            const bool colourChanged = animation.colours.at(i) != animation.colours.at(i - 1);
            QVERIFY(entryChanged || !colourChanged);
            entryChanges += entryChanged;
            colourChanges += colourChanged;
        }
        QVERIFY2(colourChanges * 4 >= entryChanges * 3,
                 qPrintable(QStringLiteral("%1 of %2").arg(colourChanges).arg(entryChanges)));
        QVERIFY(animation.renderer.rain().isEmpty());
    }

    // The animation as specified keeps its look: a new entry and new colours on every tick,
    // the rain over it; and so it flashes.
    void specifiedAnimationKeepsItsLook_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::newRow("1920x1080") << QSize(1920, 1080);
        QTest::newRow("3840x2160") << QSize(3840, 2160);
    }
    void specifiedAnimationKeepsItsLook()
    {
        QFETCH(QSize, screen);
        Animation animation(screen);
        animation.run(1600);
        QCOMPARE(changesPerSecond(animation.shown), 1000 / AnimationTickMs);
        QCOMPARE(QSet<QRgb>(animation.colours.begin(), animation.colours.end()).size(),
                 animation.colours.size());
        qInfo("specified at %dx%d: general %s; red %s", screen.width(), screen.height(),
              qPrintable(figures(animation.counter.general())),
              qPrintable(figures(animation.counter.red())));
        QVERIFY(animation.counter.generalFlashesPerSecond() > FlashCounter::AllowedPerSecond);
    }

    // The rule's figure for large text at the enhanced level, not the program's constant.
    void stillNumberStandsOutBySevenToOne()
    {
        QList<quint32> foregrounds{NoColour};
        for (const NamedColour &c : StandardColours)
            foregrounds.append(c.bgr);
        for (const bool picture : {false, true}) {
            for (const quint32 foreground : foregrounds) {
                for (const NamedColour &background : StandardColours) {
                    Animation display(QSize(320, 200));
                    display.options.foreground = foreground;
                    display.options.background = background.bgr;
                    display.options.safeAnimation = true;
                    if (picture) {
                        display.state.picture = checkerPicture();
                        display.options.picture = display.options.pictureEnabled = true;
                    }
                    display.renderer.ShowOnDisplay(QStringLiteral("88"), 2, false, display.state,
                                                   display.options, display.frame, display.pool,
                                                   display.effects);
                    const QRgb fg = display.state.DisplayForeColour;
                    const QRgb bg = display.state.DisplayBackColour;
                    // Every pixel around the number that is not the number itself: the
                    // background, or the grey strip over the picture (alpha not showing).
                    const QRect around = display.renderer.textRect()
                                             .adjusted(-1, -1, 2, 2)
                                             .intersected(QRect(QPoint(), QSize(320, 200)));
                    const QImage &bitmap = display.renderer.bitmap();
                    double least = 21.0;
                    for (int y = around.top(); y <= around.bottom(); ++y)
                        for (int x = around.left(); x <= around.right(); ++x) {
                            const QRgb p = bitmap.pixel(x, y);
                            if ((picture && qAlpha(p) == 16) || (!picture && p == bg))
                                least = std::min(least, contrastRatio(p | 0xFF000000u, fg));
                        }
                    QVERIFY2(least >= 7.0,
                             qPrintable(QStringLiteral("%1 on %2%3: %4")
                                            .arg(colourName(foreground),
                                                 QString::fromUtf8(background.name),
                                                 picture ? QStringLiteral(", picture") : QString())
                                            .arg(least)));
                    // A pair that stands out by 7:1 already is kept.
                    if (!picture &&
                        contrastRatio(ToColor32(foreground), ToColor32(background.bgr)) >= 7.0)
                        QCOMPARE(fg, ToColor32(foreground));
                }
            }
        }
    }
};

QTEST_MAIN(TestSafeAnimation)
#include "tst_safeanimation.moc"
