#include "draw/mersenne.h"
#include "presentation/backgroundpicture.h"
#include "presentation/displaypixels.h"
#include "presentation/numberdisplay.h"

#include <QSet>
#include <QTest>

namespace {

// One display with its state, options and circumstances, as the widget would hold them.
struct TestDisplay {
    NumberDisplayRenderer renderer;
    EffectsGenerator effects;
    DisplayState state;
    DisplayOptions options;
    DisplayFrame frame{QSize(320, 200), QSize(336, 260), false, false, false};
    EntryPool pool =
        EntryPool::fromList({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")});

    TestDisplay()
    {
        options.numberEffect = false;
        options.colourEffect = false;
    }
    void setRunning(bool running)
    {
        frame.running = running;
        frame.stopCaption = running;
    }
    bool show(const QString &text, int smoothing = 2, bool isEntry = false)
    {
        return renderer.ShowOnDisplay(text, smoothing, isEntry, state, options, frame, pool,
                                      effects);
    }
    QRgb pixel(int x, int y) const { return renderer.bitmap().pixel(x, y); }
    int count(QRgb value) const
    {
        int n = 0;
        const QImage &image = renderer.bitmap();
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += image.pixel(x, y) == value;
        return n;
    }
};

int stepwiseFontSize(const QString &text, int maxW, int maxH)
{
    int size = 3;
    for (;;) {
        const QSize extent = textExtent(text, size);
        if (extent.width() >= maxW || extent.height() >= maxH)
            return size;
        ++size;
    }
}

QImage solidPicture(QSize size, QRgb colour)
{
    QImage picture(size, QImage::Format_ARGB32);
    picture.fill(colour);
    makeOuterRingTransparent(picture);
    return picture;
}

bool channelBetween(int value, int a, int b)
{
    return value >= qMin(a, b) && value <= qMax(a, b);
}

} // namespace

class TestNumberDisplay : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void emptyTextChangesNothing()
    {
        TestDisplay display;
        QVERIFY(display.show(QStringLiteral("Hallo!")));
        const QImage before = display.renderer.bitmap().copy();
        const quint32 effectsBefore = display.effects.state();
        QVERIFY(!display.show(QString()));
        QCOMPARE(display.renderer.bitmap(), before);
        QCOMPARE(display.state.DisplayText, QStringLiteral("Hallo!"));
        QCOMPARE(display.effects.state(), effectsBefore);
    }

    void drawnEmptyEntryIsAnEmptyStill_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<bool>("animated");
        QTest::newRow("after the greeting") << QStringLiteral("Hallo!") << false;
        QTest::newRow("after a drawn name") << QStringLiteral("Anna") << false;
        QTest::newRow("after an animation") << QStringLiteral("17") << true;
    }
    void drawnEmptyEntryIsAnEmptyStill()
    {
        QFETCH(QString, before);
        QFETCH(bool, animated);
        TestDisplay display;
        display.options.colourEffect = true;
        display.options.foreground = 0x000000FFu;
        display.options.background = 0x00FF0000u;
        display.state.KeepColours = false;
        display.setRunning(animated);
        display.show(before, animated ? 0 : 2, animated);
        if (animated) {
            display.setRunning(false);
            display.show(before, 0, true);
        }
        QVERIFY(display.show(QString(), 2, true));
        QCOMPARE(display.state.DisplayText, QString());
        QVERIFY(display.state.DisplayTextIsEntry);
        const QImage &image = display.renderer.bitmap();
        QCOMPARE(display.count(0xFF0000FFu), image.width() * image.height());
    }

    void fittedSizeEqualsStepwiseSearch_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QSize>("area");
        const QStringList texts{QStringLiteral("7"), QStringLiteral("4711"),
                                QStringLiteral("Hallo!"),
                                QStringLiteral("Ziehung starten/fortsetzen"),
                                QStringLiteral("Neue Ziehung vorbereiten... und noch viel mehr")};
        const QList<QSize> areas{{4, 4},     {60, 40},     {300, 900},
                                 {640, 400}, {1920, 1080}, {3840, 2160}};
        for (const QString &text : texts)
            for (const QSize &area : areas)
                QTest::addRow("%s in %dx%d", qPrintable(text), area.width(), area.height())
                    << text << area;
    }
    void fittedSizeEqualsStepwiseSearch()
    {
        QFETCH(QString, text);
        QFETCH(QSize, area);
        for (bool picture : {false, true}) {
            const QSize box = textSizeBox(area, picture);
            QCOMPARE(FitFontSize(text, box.width(), box.height()),
                     stepwiseFontSize(text, box.width(), box.height()));
        }
    }

    void listEntriesAreShortened_data()
    {
        QTest::addColumn<bool>("isEntry");
        QTest::addColumn<bool>("fromFile");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("shown");
        const QString whole = QStringLiteral("1234567890123");
        QTest::newRow("entry, length 5") << true << true << 5 << QStringLiteral("12345");
        QTest::newRow("entry, length 0") << true << true << 0 << whole;
        QTest::newRow("entry, not from a file") << true << false << 5 << whole;
        QTest::newRow("message") << false << true << 5 << whole;
    }
    void listEntriesAreShortened()
    {
        QFETCH(bool, isEntry);
        QFETCH(bool, fromFile);
        QFETCH(int, length);
        QFETCH(QString, shown);
        TestDisplay display;
        display.options.fromFile = fromFile;
        display.options.entryLength = length;
        display.show(QStringLiteral("1234567890123"), 2, isEntry);
        QCOMPARE(display.state.DisplayText, QStringLiteral("1234567890123"));
        QCOMPARE(display.state.DisplayTextIsEntry, isEntry);

        TestDisplay plain;
        plain.show(shown, 2, false);
        QCOMPARE(display.renderer.bitmap(), plain.renderer.bitmap());
    }

    void textLongerThanAnyScreenIsCutAtItsStart_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        const QString start = QString(MaxDisplayedLength - 1, QLatin1Char('4'));
        QTest::newRow("a million characters")
            << start + QString(1'000'001, QLatin1Char('7')) << start + QLatin1Char('7');
        QTest::newRow("a character pair across the cut")
            << start + QStringLiteral("\U0001F3B2") + QString(9000, QLatin1Char('7')) << start;
        QTest::newRow("just short enough") << start + QLatin1Char('7') << start + QLatin1Char('7');
    }
    void textLongerThanAnyScreenIsCutAtItsStart()
    {
        // Painting a million characters took seconds a frame; what lies beyond the widest
        // screen's worth is left out, the main text and the rain alike.
        QFETCH(QString, text);
        QFETCH(QString, shown);
        TestDisplay display;
        display.setRunning(true);
        display.options.numberEffect = true;
        display.frame.windowSize = QSize(2000, 2000);
        display.pool = EntryPool::fromList({text});
        display.show(text, 0, true);
        QCOMPARE(display.state.DisplayText, text);
        for (const RainGlyph &glyph : display.renderer.rain())
            QCOMPARE(glyph.text, shown);
        TestDisplay plain;
        plain.setRunning(true);
        plain.pool = EntryPool::fromList({shown});
        plain.options.numberEffect = true;
        plain.frame.windowSize = QSize(2000, 2000);
        plain.show(shown, 0, true);
        QVERIFY(display.renderer.bitmap() == plain.renderer.bitmap());
    }

    void pictureOptionShrinksTheBox()
    {
        TestDisplay display;
        display.frame.imageSize = QSize(900, 600);
        display.options.picture = true;
        display.options.pictureEnabled = true;
        display.state.picture = solidPicture(QSize(30, 20), 0xFF3366CCu);
        display.show(QStringLiteral("42"), 2, true);
        // 5/6 of the area, divided by 3: 250 x 166; the picture leaves the corners black.
        QCOMPARE(display.renderer.fontSize(), stepwiseFontSize(QStringLiteral("42"), 250, 166));
        QCOMPARE(display.pixel(0, 0), 0xFF000000u);
    }

    void pictureThatIsNotLoadedPaintsAsIfTheOptionWereOff_data()
    {
        QTest::addColumn<bool>("running");
        QTest::addColumn<bool>("colourEffect");
        QTest::newRow("idle") << false << false;
        QTest::newRow("idle after coloured frames") << false << true;
        QTest::newRow("running") << true << false;
        QTest::newRow("running, coloured") << true << true;
    }
    void pictureThatIsNotLoadedPaintsAsIfTheOptionWereOff()
    {
        // A picture that failed to load must not leave a black area and a shrunken number:
        // the room sees the number in the user's colours.
        QFETCH(bool, running);
        QFETCH(bool, colourEffect);
        TestDisplay withOption;
        TestDisplay without;
        for (TestDisplay *display : {&withOption, &without}) {
            display->frame.imageSize = QSize(900, 600);
            display->options.colourEffect = colourEffect;
            display->options.pictureAnimated = true;
            display->state.KeepColours = false;
            display->setRunning(running);
        }
        withOption.options.picture = true;
        withOption.options.pictureEnabled = false;
        for (int i = 0; i < 3; ++i) {
            withOption.show(QString::number(40 + i), running ? 0 : 2, true);
            without.show(QString::number(40 + i), running ? 0 : 2, true);
            QCOMPARE(withOption.renderer.fontSize(), without.renderer.fontSize());
            QVERIFY(withOption.renderer.bitmap() == without.renderer.bitmap());
        }
    }

    void stoppedDrawShowsExactlyThePickerColours_data()
    {
        QTest::addColumn<quint32>("foreground");
        QTest::addColumn<quint32>("background");
        QTest::addColumn<QRgb>("fore");
        QTest::addColumn<QRgb>("back");
        QTest::newRow("red on blue") << 0x000000FFu << 0x00FF0000u << 0xFFFF0000u << 0xFF0000FFu;
        QTest::newRow("high bytes ignored")
            << 0xFF0000FFu << 0x80FFFFFFu << 0xFFFF0000u << 0xFFFFFFFFu;
        QTest::newRow("black on white") << 0x00000000u << 0x00FFFFFFu << 0xFF000000u << 0xFFFFFFFFu;
        QTest::newRow("mixed bytes") << 0x00123456u << 0x00ABCDEFu << 0xFF563412u << 0xFFEFCDABu;
    }
    void stoppedDrawShowsExactlyThePickerColours()
    {
        QFETCH(quint32, foreground);
        QFETCH(quint32, background);
        QFETCH(QRgb, fore);
        QFETCH(QRgb, back);
        TestDisplay display;
        display.options.colourEffect = true;
        display.options.numberEffect = true;
        display.options.foreground = foreground;
        display.options.background = background;
        display.state.KeepColours = false;
        display.setRunning(true);
        for (int i = 0; i < 3; ++i)
            display.show(QStringLiteral("17"), 0, true);
        // The tick that notices the stop paints once more, already idle: its text is in the
        // picker colour on the last random background; the draw then shows the entry.
        display.setRunning(false);
        const QRgb lastRandomBack = display.state.DisplayBackColour;
        display.show(QStringLiteral("17"), 0, true);
        QCOMPARE(display.pixel(0, 0), lastRandomBack);
        QVERIFY(display.count(fore) > 500);
        display.show(QStringLiteral("17"), 2, true);
        QCOMPARE(display.state.DisplayForeColour, fore);
        QCOMPARE(display.state.DisplayBackColour, back);
        QCOMPARE(display.pixel(0, 0), back);
        QVERIFY(display.count(fore) > 500);
        // Every other pixel is an antialiasing mix of the two colours.
        const QImage &image = display.renderer.bitmap();
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb p = image.pixel(x, y);
                QCOMPARE(qAlpha(p), 255);
                QVERIFY(channelBetween(qRed(p), qRed(fore), qRed(back)));
                QVERIFY(channelBetween(qGreen(p), qGreen(fore), qGreen(back)));
                QVERIFY(channelBetween(qBlue(p), qBlue(fore), qBlue(back)));
            }
    }

    void runningBackgroundLagsOneFrame()
    {
        TestDisplay display;
        display.options.colourEffect = true;
        display.state.KeepColours = false;
        display.setRunning(true);
        display.frame.stopCaption = false; // no rain over the text
        int changes = 0;
        for (int i = 0; i < 6; ++i) {
            const QRgb previousBack = display.state.DisplayBackColour;
            const QRgb previousFore = display.state.DisplayForeColour;
            display.show(QString::number(100 + i), 0, true);
            // The bitmap was cleared before this paint chose its colours.
            QCOMPARE(display.pixel(0, 0), previousBack);
            // The text already uses this paint's colour.
            QVERIFY(display.count(display.state.DisplayForeColour) > 500);
            QCOMPARE(qAlpha(display.state.DisplayForeColour), 255);
            QCOMPARE(qAlpha(display.state.DisplayBackColour), 255);
            changes += display.state.DisplayForeColour != previousFore;
        }
        QCOMPARE(changes, 6);
    }

    void keptColoursSurviveOnePaint_data()
    {
        QTest::addColumn<bool>("keep");
        QTest::addColumn<bool>("panelHidden");
        QTest::newRow("after a resize") << true << false;
        QTest::newRow("panel hidden") << false << true;
    }
    void keptColoursSurviveOnePaint()
    {
        QFETCH(bool, keep);
        QFETCH(bool, panelHidden);
        TestDisplay display;
        display.options.colourEffect = true;
        display.setRunning(true);
        display.state.DisplayForeColour = 0xFF112233u;
        display.state.DisplayBackColour = 0xFF445566u;
        display.state.KeepColours = keep;
        display.frame.panelHidden = panelHidden;
        display.show(QStringLiteral("5"), 0, true);
        QCOMPARE(display.state.DisplayForeColour, 0xFF112233u);
        QCOMPARE(display.state.DisplayBackColour, 0xFF445566u);
        QVERIFY(!display.state.KeepColours);
        display.frame.panelHidden = false;
        display.show(QStringLiteral("5"), 0, true);
        QVERIFY(display.state.DisplayForeColour != 0xFF112233u);
    }

    void toColor32_data()
    {
        QTest::addColumn<quint32>("colour");
        QTest::addColumn<QRgb>("pixel");
        QTest::newRow("pure red") << 0x000000FFu << 0xFFFF0000u;
        QTest::newRow("pure green") << 0x0000FF00u << 0xFF00FF00u;
        QTest::newRow("pure blue") << 0x00FF0000u << 0xFF0000FFu;
        QTest::newRow("system colour byte") << 0x80000005u << 0xFF050000u;
        QTest::newRow("no colour") << 0x1FFFFFFFu << 0xFFFFFFFFu;
    }
    void toColor32()
    {
        QFETCH(quint32, colour);
        QFETCH(QRgb, pixel);
        QCOMPARE(ToColor32(colour), pixel);
    }

    void stillNumberStandsOnAGreyStrip()
    {
        TestDisplay display;
        display.options.picture = true;
        display.options.pictureEnabled = true;
        display.state.picture = solidPicture(QSize(40, 30), 0xFF3080C0u);
        display.show(QStringLiteral("8"), 2, true);
        const QRect r = display.renderer.textRect();
        QCOMPARE(r.size(), textExtent(QStringLiteral("8"), display.renderer.fontSize()));
        // I = (61 * 0x30 + 174 * 0x80 + 21 * 0xC0) div 256 = 114, alpha 16.
        const QRgb grey = 0x10727272u;
        const int left = r.left() - 1;
        const int top = r.top() - 1;
        const int right = r.left() + r.width() + 2;
        const int bottom = r.top() + r.height() + 2;
        QCOMPARE(display.pixel(left, top), grey);
        QCOMPARE(display.pixel(right, top), grey);
        QCOMPARE(display.pixel(left, bottom), grey);
        QCOMPARE(display.pixel(right, bottom), grey);
        QCOMPARE(display.pixel(left - 1, top), 0xFF3080C0u);
        QCOMPARE(display.pixel(left, top - 1), 0xFF3080C0u);
        QCOMPARE(display.pixel(right + 1, bottom), 0xFF3080C0u);
        QCOMPARE(display.pixel(right, bottom + 1), 0xFF3080C0u);
        QCOMPARE(display.renderer.translucentRect(),
                 QRect(QPoint(left, top), QPoint(right, bottom)));
        // The text covers part of the strip in the picker colour (black).
        QVERIFY(display.count(0xFF000000u) > 0);
    }

    void greyOfPixel_data()
    {
        QTest::addColumn<QRgb>("pixel");
        QTest::addColumn<QRgb>("grey");
        QTest::newRow("white") << 0xFFFFFFFFu << 0x10FFFFFFu; // the weights sum to 256
        QTest::newRow("black") << 0xFF000000u << 0x10000000u;
        QTest::newRow("red") << 0xFFFF0000u << 0x103C3C3Cu;   // 61 * 255 div 256 = 60
        QTest::newRow("green") << 0xFF00FF00u << 0x10ADADADu; // 174 * 255 div 256 = 173
        QTest::newRow("blue") << 0xFF0000FFu << 0x10141414u;  // 21 * 255 div 256 = 20
    }
    void greyOfPixel()
    {
        QFETCH(QRgb, pixel);
        QFETCH(QRgb, grey);
        QCOMPARE(greyOf(pixel), grey);
    }

    void animatedPictureTakesAngles0To329()
    {
        TestDisplay display;
        display.frame.imageSize = QSize(48, 32);
        display.setRunning(true);
        display.options.picture = true;
        display.options.pictureEnabled = true;
        display.options.pictureAnimated = true;
        display.state.picture = solidPicture(QSize(8, 6), 0xFFFFFFFFu);
        QSet<int> angles;
        for (int i = 0; i < 3000; ++i) {
            display.show(QStringLiteral("3"), 0, true);
            QVERIFY(display.renderer.pictureAngle().has_value());
            const double angle = *display.renderer.pictureAngle();
            QCOMPARE(angle, double(int(angle)));
            angles.insert(int(angle));
        }
        QCOMPARE(angles.size(), 330);
        QVERIFY(angles.contains(0) && angles.contains(329));
        QVERIFY(!angles.contains(330));
    }

    void rainDrawsPoolEntries()
    {
        TestDisplay display;
        display.setRunning(true);
        display.options.numberEffect = true;
        display.frame.windowSize = QSize(2000, 2000);
        display.pool = EntryPool::fromList({QStringLiteral("7")});
        display.show(QStringLiteral("7"), 0, true);
        QCOMPARE(display.renderer.rain().size(), 21);
        for (const RainGlyph &glyph : display.renderer.rain())
            QCOMPARE(glyph.text, QStringLiteral("7"));

        // Every entry of a larger pool shows up, shortened like the main text.
        display.options.fromFile = true;
        display.options.entryLength = 2;
        display.pool = EntryPool::fromList({QStringLiteral("Anna"), QStringLiteral("Bert"),
                                            QStringLiteral("Carl"), QStringLiteral("Dora"),
                                            QStringLiteral("Emil")});
        QSet<QString> seen;
        for (int i = 0; i < 10; ++i) {
            display.show(QStringLiteral("Anna"), 0, true);
            for (const RainGlyph &glyph : display.renderer.rain())
                seen.insert(glyph.text);
        }
        QCOMPARE(seen,
                 (QSet<QString>{QStringLiteral("An"), QStringLiteral("Be"), QStringLiteral("Ca"),
                                QStringLiteral("Do"), QStringLiteral("Em")}));
    }

    void rainGlyphSizesAndPlaces()
    {
        TestDisplay display;
        display.setRunning(true);
        display.options.numberEffect = true;
        display.frame.windowSize = QSize(400, 300);
        for (int i = 0; i < 20; ++i) {
            display.show(QStringLiteral("12"), 0, true);
            int bound = display.renderer.fontSize();
            for (const RainGlyph &glyph : display.renderer.rain()) {
                QVERIFY(glyph.size >= 5 && glyph.size < bound + 5);
                bound = glyph.size;
                QVERIFY(qAlpha(glyph.colour) <= 254 && qRed(glyph.colour) <= 254);
                const int spanX = 400 - 3 * glyph.size;
                const int spanY = 300 - 3 * glyph.size;
                QCOMPARE(glyph.drawn, spanX > 0 && spanY > 0);
                if (glyph.drawn) {
                    QVERIFY(glyph.position.x() >= 0 && glyph.position.x() < spanX);
                    QVERIFY(glyph.position.y() >= 0 && glyph.position.y() < spanY);
                }
            }
        }
    }

    void rainNeedsTheStopCaptionAndTheOption_data()
    {
        QTest::addColumn<bool>("option");
        QTest::addColumn<bool>("stopCaption");
        QTest::addColumn<bool>("rains");
        QTest::newRow("ticked, running") << true << true << true;
        QTest::newRow("unticked") << false << true << false;
        QTest::newRow("caption not Stopp") << true << false << false;
    }
    void rainNeedsTheStopCaptionAndTheOption()
    {
        QFETCH(bool, option);
        QFETCH(bool, stopCaption);
        QFETCH(bool, rains);
        TestDisplay withRain;
        TestDisplay without;
        for (TestDisplay *display : {&withRain, &without}) {
            display->setRunning(true);
            display->frame.stopCaption = stopCaption;
            display->frame.windowSize = QSize(320, 200);
            display->options.colourEffect = true;
        }
        withRain.options.numberEffect = option;
        withRain.show(QStringLiteral("2"), 0, true);
        without.show(QStringLiteral("2"), 0, true);
        QCOMPARE(!withRain.renderer.rain().isEmpty(), rains);
        QCOMPARE(withRain.renderer.bitmap() != without.renderer.bitmap(), rains);
    }
};

QTEST_MAIN(TestNumberDisplay)
#include "tst_numberdisplay.moc"
