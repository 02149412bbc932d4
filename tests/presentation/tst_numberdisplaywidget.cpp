#include "presentation/numberdisplaywidget.h"
#include "support/fakeplatform.h"
#include "support/testfolder.h"

#include <QAccessible>
#include <QBuffer>
#include <QSignalSpy>
#include <QTest>

namespace {

QByteArray pngOf(QSize size, QRgb colour)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(colour);
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return data;
}

// The display as the main window sets it up, over a temporary program folder.
struct Fixture {
    TestFolder folder;
    FakePlatform platform{folder.programPath()};
    EntryPool pool =
        EntryPool::fromList({QStringLiteral("11"), QStringLiteral("12"), QStringLiteral("13")});
    NumberDisplayWidget::RunState run;
    NumberDisplayWidget display{platform};

    Fixture()
    {
        display.setPool(&pool);
        display.setRunStateSource([this] { return run; });
        display.resize(320, 200);
    }
    void setRunning(bool running) { run = {running, running}; }
};

} // namespace

class TestNumberDisplayWidget : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A screen reader hears the still texts as they stand on the display (list entries cut to
    // their length) and is told when one changes; the animation's frames pass unannounced.
    void screenReaderHearsTheStillText()
    {
        Fixture f;
        f.display.setAccessibleDescription(QStringLiteral("Ziehungsanzeige"));
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(&f.display);
        QVERIFY(iface);
        QCOMPARE(iface->role(), QAccessible::StaticText);
        QCOMPARE(iface->text(QAccessible::Description), QStringLiteral("Ziehungsanzeige"));

        QSignalSpy announced(&f.display, &NumberDisplayWidget::spokenTextChanged);
        f.display.ShowOnDisplay(QStringLiteral("Hallo!"), 2, false);
        f.setRunning(true);
        for (int i = 0; i < 3; ++i)
            f.display.ShowOnDisplay(f.pool.at(i), 0, true);
        const QString duringAnimation = iface->text(QAccessible::Name);
        f.setRunning(false);
        f.display.ShowOnDisplay(QStringLiteral("12"), 2, true);
        f.display.ShowOnDisplay(QStringLiteral("12"), 2, true); // a repaint says nothing new
        f.display.setEntryLength(true, 4);
        f.display.ShowOnDisplay(QStringLiteral("Fahrrad, blau"), 2, true);

        QCOMPARE(duringAnimation, QStringLiteral("Hallo!"));
        // The display shows four letters of it; the screen reader reads the whole entry.
        QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("Fahrrad, blau"));
        QCOMPARE(announced.size(), 3);
        QCOMPARE(announced.at(1).at(0).toString(), QStringLiteral("12"));
    }

    void resizeRepaintsWithoutChangingColours()
    {
        Fixture f;
        f.display.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.display));
        f.setRunning(true);
        for (int i = 0; i < 3; ++i)
            f.display.ShowOnDisplay(f.pool.at(i), 0, true);
        const DisplayState before = f.display.displayState();
        f.display.resize(400, 260);
        QCOMPARE(f.display.bitmap().size(), QSize(400, 260));
        QCOMPARE(f.display.displayState().DisplayForeColour, before.DisplayForeColour);
        QCOMPARE(f.display.displayState().DisplayBackColour, before.DisplayBackColour);
        QCOMPARE(f.display.displayState().DisplayText, QStringLiteral("13"));
        QVERIFY(f.display.displayState().DisplayTextIsEntry);
        QVERIFY(!f.display.KeepColours());
        f.display.ShowOnDisplay(QStringLiteral("12"), 0, true);
        QVERIFY(f.display.displayState().DisplayForeColour != before.DisplayForeColour);
    }

    void colourPickersRepaintTheText()
    {
        Fixture f;
        f.display.ShowOnDisplay(QStringLiteral("Hallo!"), 2, false);
        f.display.cpHintergrundChange(0x000000FFu);
        QCOMPARE(f.display.bitmap().pixel(0, 0), 0xFFFF0000u);
        QCOMPARE(f.display.displayState().DisplayBackColour, 0xFFFF0000u);
        f.display.cpVordergrundChange(0x0000FF00u);
        QCOMPARE(f.display.displayState().DisplayForeColour, 0xFF00FF00u);
        const QRect r = f.display.renderer().textRect();
        int green = 0;
        for (int x = r.left(); x <= r.right(); ++x)
            green += f.display.bitmap().pixel(x, r.center().y()) == 0xFF00FF00u;
        QVERIFY(green > 0);
    }

    void screenShowsTheBitmapOpaque()
    {
        Fixture f;
        f.folder.write(QStringLiteral("pic.png"), pngOf(QSize(40, 30), 0xFF3080C0u));
        QVERIFY(f.display.LoadBackgroundPicture(QStringLiteral("pic.png")));
        f.display.setPictureTicked(true);
        f.display.ShowOnDisplay(QStringLiteral("8"), 2, true);
        const QImage shown = f.display.grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown.size(), f.display.bitmap().size());
        const QRect strip = f.display.renderer().translucentRect();
        QVERIFY(!strip.isEmpty());
        // The grey strip shows its grey at full strength, the rest exactly as painted.
        QCOMPARE(shown.pixel(strip.topLeft()), qRgb(114, 114, 114));
        QCOMPARE(shown.pixel(strip.left() - 1, strip.top()), 0xFF3080C0u);
        QCOMPARE(shown.pixel(0, 100), f.display.bitmap().pixel(0, 100));
    }

    void browsingLoadsTheChosenPicture()
    {
        Fixture f;
        f.folder.write(QStringLiteral("pic.png"), pngOf(QSize(20, 10), 0xFF00FF00u));
        f.platform.fileNames.enqueue(f.folder.file(QStringLiteral("pic.png")));
        QSignalSpy field(&f.display, &NumberDisplayWidget::pictureFieldChanged);
        QSignalSpy enabled(&f.display, &NumberDisplayWidget::pictureOptionsEnabledChanged);
        f.display.edHintergrundbildButtonClick(QString());
        QCOMPARE(field.size(), 1);
        QCOMPARE(field.at(0).at(0).toString(), QStringLiteral("pic.png"));
        QCOMPARE(enabled.size(), 1);
        QCOMPARE(enabled.at(0).at(0).toBool(), true);
        QCOMPARE(enabled.at(0).at(1).toBool(), true);
        QCOMPARE(f.display.picture().size(), QSize(20, 10));
        QVERIFY(f.platform.messages.isEmpty());
    }

    // With the files kept away from the program (an installed copy), picture names are
    // relative to the files folder: a browsed picture is stored relative to it and a stored
    // name is loaded from it, not from the program's folder.
    void pictureNamesAreRelativeToTheFilesFolder()
    {
        Fixture f;
        TestFolder files;
        files.write(QStringLiteral("pic.png"), pngOf(QSize(20, 10), 0xFF00FF00u));
        f.folder.write(QStringLiteral("pic.png"), pngOf(QSize(8, 8), 0xFF0000FFu));
        f.display.setFilesFolder(files.path());
        f.platform.fileNames.enqueue(files.file(QStringLiteral("pic.png")));
        QSignalSpy field(&f.display, &NumberDisplayWidget::pictureFieldChanged);
        f.display.edHintergrundbildButtonClick(QString());
        QCOMPARE(field.size(), 1);
        QCOMPARE(field.at(0).at(0).toString(), QStringLiteral("pic.png"));
        QCOMPARE(f.display.picture().size(), QSize(20, 10));

        f.display.LoadBackgroundPictureAtStartUp(QStringLiteral("pic.png"));
        QCOMPARE(f.display.picture().size(), QSize(20, 10));
        QVERIFY(f.platform.messages.isEmpty());
    }

    void browsingWarnsAboutAFileThatCannotBeLoaded_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("missing") << QStringLiteral("nothere.jpg") << QByteArray();
        QTest::newRow("not a picture") << QStringLiteral("bad.jpg") << QByteArray("text\n");
    }
    void browsingWarnsAboutAFileThatCannotBeLoaded()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        Fixture f;
        f.folder.write(QStringLiteral("pic.png"), pngOf(QSize(20, 10), 0xFF00FF00u));
        QVERIFY(f.display.LoadBackgroundPicture(QStringLiteral("pic.png")));
        if (!content.isEmpty())
            f.folder.write(name, content);
        QSignalSpy enabled(&f.display, &NumberDisplayWidget::pictureOptionsEnabledChanged);
        f.display.edHintergrundbildButtonClick(name); // the dialog is cancelled
        QCOMPARE(f.platform.messages.size(), 1);
        QCOMPARE(f.platform.messages.at(0).caption, QStringLiteral("Tivrel-Hinweis"));
        QCOMPARE(f.platform.messages.at(0).text,
                 QStringLiteral("Die Bilddatei „") + name +
                     QStringLiteral("“ kann nicht geladen werden.\r\nBitte prüfen!"));
        QCOMPARE(f.platform.messages.at(0).icon, Platform::Icon::Warning);
        // The previous picture and option states remain.
        QCOMPARE(f.display.picture().size(), QSize(20, 10));
        QVERIFY(f.display.pictureEnabled());
        QCOMPARE(enabled.size(), 0);
    }

    void browsingWithoutANameDropsThePicture()
    {
        Fixture f;
        f.folder.write(QStringLiteral("pic.png"), pngOf(QSize(20, 10), 0xFF00FF00u));
        QVERIFY(f.display.LoadBackgroundPicture(QStringLiteral("pic.png")));
        f.display.setPictureTicked(true);
        QSignalSpy enabled(&f.display, &NumberDisplayWidget::pictureOptionsEnabledChanged);
        f.display.edHintergrundbildButtonClick(QStringLiteral(" "));
        QVERIFY(f.display.picture().isNull());
        QCOMPARE(enabled.size(), 1);
        QCOMPARE(enabled.at(0).at(0).toBool(), false);
        QCOMPARE(enabled.at(0).at(1).toBool(), false);
        QVERIFY(f.platform.messages.isEmpty());
        // Still ticked, but no picture: neither running nor idle paints show one.
        f.display.cpHintergrundChange(0x00FFFFFFu);
        f.setRunning(true);
        f.display.setColourEffect(false);
        f.display.ShowOnDisplay(QStringLiteral("12"), 0, true);
        QVERIFY(!f.display.renderer().pictureAngle().has_value());
        QCOMPARE(f.display.bitmap().pixel(0, 0), 0xFFFFFFFFu);
        f.setRunning(false);
        f.display.ShowOnDisplay(QStringLiteral("12"), 2, true);
        QVERIFY(!f.display.renderer().pictureAngle().has_value());
        QCOMPARE(f.display.bitmap().pixel(0, 0), 0xFFFFFFFFu);
    }

    void leavingAnEmptyFieldUnticksBothOptions()
    {
        Fixture f;
        QSignalSpy unticked(&f.display, &NumberDisplayWidget::pictureOptionsUnticked);
        QSignalSpy enabled(&f.display, &NumberDisplayWidget::pictureOptionsEnabledChanged);
        f.display.setPictureTicked(true);
        f.display.edHintergrundbildExit(QStringLiteral("pic.jpg"));
        QCOMPARE(unticked.size(), 0);
        QVERIFY(f.display.displayOptions().picture);
        f.display.edHintergrundbildExit(QString());
        QCOMPARE(unticked.size(), 1);
        QCOMPARE(enabled.size(), 1);
        QCOMPARE(enabled.at(0).at(0).toBool(), false);
        QVERIFY(!f.display.displayOptions().picture);
        QVERIFY(!f.display.displayOptions().pictureAnimated);
    }

    void failedStartUpLoadDisablesThePictureAndKeepsTheName_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("not a picture") << QByteArray("text\n");
    }
    void failedStartUpLoadDisablesThePictureAndKeepsTheName()
    {
        QFETCH(QByteArray, content);
        Fixture f;
        if (!content.isEmpty())
            f.folder.write(QStringLiteral("pic.jpg"), content);
        QSignalSpy field(&f.display, &NumberDisplayWidget::pictureFieldChanged);
        QSignalSpy enabled(&f.display, &NumberDisplayWidget::pictureOptionsEnabledChanged);
        QVERIFY(!f.display.LoadBackgroundPictureAtStartUp(QStringLiteral("pic.jpg")));
        QCOMPARE(field.size(), 0);
        QCOMPARE(enabled.size(), 1);
        QCOMPARE(enabled.at(0).at(0).toBool(), false);
        QVERIFY(f.platform.messages.isEmpty());
        QVERIFY(!f.display.pictureEnabled());
    }

    void failedStartUpPictureShowsTheUsersColoursAndIsToldOnce()
    {
        Fixture f;
        f.folder.write(QStringLiteral("broken.jpg"), QByteArray("no picture\n"));
        QSignalSpy told(&f.display, &NumberDisplayWidget::pictureUnavailable);
        f.display.setPictureTicked(true);
        QVERIFY(!f.display.LoadBackgroundPictureAtStartUp(QStringLiteral("broken.jpg")));
        QCOMPARE(told.size(), 1);
        QCOMPARE(told.at(0).at(0).toString(), QStringLiteral("broken.jpg"));
        // Idle and after a draw: the picker colours, white behind black text.
        f.display.ShowOnDisplay(QStringLiteral("Hallo!"), 2, false);
        QCOMPARE(f.display.bitmap().pixel(0, 0), 0xFFFFFFFFu);
        f.setRunning(true);
        f.display.ShowOnDisplay(QStringLiteral("12"), 0, true);
        f.setRunning(false);
        f.display.ShowOnDisplay(QStringLiteral("12"), 2, true); // the last tick, then the draw
        f.display.ShowOnDisplay(QStringLiteral("12"), 2, true);
        QCOMPARE(f.display.bitmap().pixel(0, 0), 0xFFFFFFFFu);
        QCOMPARE(told.size(), 1);

        // Nothing to tell when the option is off or no picture is named.
        Fixture quiet;
        QSignalSpy silent(&quiet.display, &NumberDisplayWidget::pictureUnavailable);
        quiet.display.LoadBackgroundPictureAtStartUp(QStringLiteral("broken.jpg"));
        quiet.display.setPictureTicked(true);
        quiet.display.LoadBackgroundPictureAtStartUp(QString());
        QCOMPARE(silent.size(), 0);
    }
};

QTEST_MAIN(TestNumberDisplayWidget)
#include "tst_numberdisplaywidget.moc"
