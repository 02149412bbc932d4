#include "presentation/WavePlay.h"
#include "presentation/soundcontrol.h"
#include "presentation/waveimage.h"
#include "support/fakeplatform.h"
#include "support/fakewaveoutput.h"
#include "support/testfolder.h"

#include <QBuffer>
#include <QTest>
#include <QtEndian>

#include <algorithm>
#include <cstdlib>

namespace {

void put16(QByteArray &image, qsizetype at, quint16 value)
{
    qToLittleEndian(value, image.data() + at);
}

void put32(QByteArray &image, qsizetype at, quint32 value)
{
    qToLittleEndian(value, image.data() + at);
}

// A canonical 44-byte-header PCM image: fmt at 12, data header at 36, samples from 44.
QByteArray pcmImage(int frames, quint16 channels = 2, quint32 rate = 22050, quint16 bits = 16)
{
    const quint16 align = quint16(channels * bits / 8);
    QByteArray image(44 + frames * align, '\0');
    image.replace(0, 4, "RIFF");
    put32(image, 4, quint32(image.size() - 8));
    image.replace(8, 8, "WAVEfmt ");
    put32(image, 16, 16);
    put16(image, 20, 1);
    put16(image, 22, channels);
    put32(image, 24, rate);
    put32(image, 28, rate * align);
    put16(image, 32, align);
    put16(image, 34, bits);
    image.replace(36, 4, "data");
    put32(image, 40, quint32(frames * align));
    for (qsizetype i = 44; i < image.size(); ++i)
        image[i] = char(i * 7);
    return image;
}

} // namespace

class TestWavePlayer : public QObject {
    Q_OBJECT

private slots:
    void headerChecks_data();
    void headerChecks();
    void chunksAreWalkedWithTheirPadding();
    void everyCutIsRefused();
    void fileTooLargeIsRefusedBeforeReading();
    void builtInClickHasItsFormat();

    void playRestartsTheLoopingSound();
    void playWithoutAPlayableImageOnlyStops();
    void activeFollowsTheOutput();
    void activeWritesStartAndStop();
    void brokenFileKeepsThePreviousSound();

    void fileNamed_data();
    void fileNamed();
    void soundRestartsOnEachDrawAndStopsWithIt();
    void toEndKeepsPlayingUntilSilenced();
    void lotteryAndWaitingMusic();
    void missingFileAtStartUpWarnsAndStaysSilent();
    void brokenFileWarnsAndKeepsTheClick();
    void soundClickReloadsAndEmptiesOnAMissingFile();
    void browsingGivesANameRelativeToTheProgram();
};

void TestWavePlayer::headerChecks_data()
{
    QTest::addColumn<QByteArray>("image");
    QTest::addColumn<WaveError>("error");

    const QByteArray good = pcmImage(10);
    QTest::newRow("canonical") << good << WaveError::None;
    QTest::newRow("empty") << QByteArray() << WaveError::NotRiff;
    QTest::newRow("text file") << QByteArray("Hello, this is no sound at all.\n")
                               << WaveError::NotRiff;
    QByteArray rifx = good;
    rifx.replace(0, 4, "RIFX");
    QTest::newRow("big-endian RIFX") << rifx << WaveError::NotRiff;
    QByteArray avi = good;
    avi.replace(8, 4, "AVI ");
    QTest::newRow("RIFF but not WAVE") << avi << WaveError::NotRiff;
    QTest::newRow("cut inside the RIFF header") << good.left(10) << WaveError::Truncated;
    QTest::newRow("cut inside the samples") << good.left(good.size() - 3) << WaveError::Truncated;
    QTest::newRow("cut inside the fmt chunk") << good.left(30) << WaveError::Truncated;
    QByteArray riffLies = good;
    put32(riffLies, 4, 0xFFFFFFF0u);
    QTest::newRow("RIFF size beyond the file") << riffLies << WaveError::Truncated;
    QByteArray dataLies = good;
    put32(dataLies, 40, 0x7FFFFFFFu);
    QTest::newRow("data size beyond the file") << dataLies << WaveError::Truncated;
    QByteArray shortRiff = good;
    put32(shortRiff, 4, 30); // the RIFF chunk ends inside the data chunk's header
    QTest::newRow("RIFF size smaller than its chunks") << shortRiff << WaveError::Truncated;
    QByteArray shortFmt = good;
    put32(shortFmt, 16, 12);
    QTest::newRow("fmt chunk too short") << shortFmt << WaveError::BadFormat;
    QByteArray noChannels = good;
    put16(noChannels, 22, 0);
    QTest::newRow("no channels") << noChannels << WaveError::BadFormat;
    QByteArray wrongAlign = good;
    put16(wrongAlign, 32, 8);
    QTest::newRow("block alignment disagrees") << wrongAlign << WaveError::BadFormat;
    QByteArray wrongRate = good;
    put32(wrongRate, 28, 1000);
    QTest::newRow("byte rate disagrees") << wrongRate << WaveError::BadFormat;
    QByteArray noData = good;
    noData.replace(36, 4, "LIST");
    QTest::newRow("no data chunk") << noData << WaveError::NoData;
    QByteArray noFormat = good;
    noFormat.replace(12, 4, "junk");
    QTest::newRow("no fmt chunk") << noFormat << WaveError::BadFormat;
    QByteArray halfFrame = good.left(44 + 2);
    put32(halfFrame, 4, quint32(halfFrame.size() - 8));
    put32(halfFrame, 40, 2);
    QTest::newRow("less than one frame") << halfFrame << WaveError::NoData;
}

void TestWavePlayer::headerChecks()
{
    QFETCH(QByteArray, image);
    QFETCH(WaveError, error);
    const WaveParseResult result = parseWaveImage(image);
    QCOMPARE(result.error, error);
    if (result.ok()) {
        QCOMPARE(result.layout.dataOffset, 44);
        QCOMPARE(result.layout.frameCount(), 10);
    }
}

void TestWavePlayer::chunksAreWalkedWithTheirPadding()
{
    // An odd-sized chunk before the data, padded to an even size, and a last frame cut in half.
    QByteArray image = pcmImage(4);
    QByteArray extra("LIST\x03\x00\x00\x00"
                     "abc\x00",
                     12);
    image.insert(36, extra);
    image.append("\x01\x02", 2);
    put32(image, 4, quint32(image.size() - 8));
    put32(image, 36 + 12 + 4, 4 * 4 + 2);
    const WaveParseResult result = parseWaveImage(image);
    QVERIFY(result.ok());
    QCOMPARE(result.layout.dataOffset, 44 + 12);
    QCOMPARE(result.layout.dataSize, 16);
    QCOMPARE(result.layout.format.sampleRate, 22050u);
}

void TestWavePlayer::everyCutIsRefused()
{
    QByteArray image = pcmImage(3);
    image.insert(36, QByteArray("LIST\x05\x00\x00\x00"
                                "abcde\x00",
                                14));
    put32(image, 4, quint32(image.size() - 8));
    QVERIFY(parseWaveImage(image).ok());
    for (qsizetype size = 0; size < image.size(); ++size) {
        const WaveError error = parseWaveImage(image.left(size)).error;
        QVERIFY2(error == (size < 4 ? WaveError::NotRiff : WaveError::Truncated),
                 qPrintable(QString::number(size)));
    }
}

void TestWavePlayer::fileTooLargeIsRefusedBeforeReading()
{
    TestFolder folder;
    folder.write(QStringLiteral("long.wav"), pcmImage(1000));
    QCOMPARE(readWaveFile(folder.file(QStringLiteral("long.wav")), 1000).error,
             WaveError::TooLarge);
    const WaveFileResult fits = readWaveFile(folder.file(QStringLiteral("long.wav")), 4044);
    QVERIFY(fits.ok());
    QCOMPARE(fits.image.size(), 4044);
    QCOMPARE(readWaveFile(folder.file(QStringLiteral("none.wav"))).error, WaveError::Missing);
}

void TestWavePlayer::builtInClickHasItsFormat()
{
    const QByteArray click = builtInWave(QStringLiteral("Klack"));
    QCOMPARE(click.size(), 16304);
    QCOMPARE(builtInWave(QStringLiteral("KLACK")), click);
    QVERIFY(builtInWave(QStringLiteral("Klick")).isEmpty());
    const WaveParseResult parsed = parseWaveImage(click);
    QVERIFY(parsed.ok());
    const WaveFormat &format = parsed.layout.format;
    QCOMPARE(format.formatTag, quint16(1));
    QCOMPARE(format.channels, quint16(2));
    QCOMPARE(format.sampleRate, 44100u);
    QCOMPARE(format.bitsPerSample, quint16(16));
    QCOMPARE(format.blockAlign, quint16(4));
    QCOMPARE(format.byteRate, 176400u);
    QCOMPARE(parsed.layout.dataSize, 16260);
    QCOMPARE(parsed.layout.frameCount(), 4065);
    // A click: loud at its start, silent at its end, so that the loop repeats without a seam.
    auto sample = [&](qsizetype frame) {
        return qFromLittleEndian<qint16>(click.constData() + 44 + frame * 4);
    };
    int loudest = 0;
    for (qsizetype frame = 0; frame < 200; ++frame)
        loudest = std::max(loudest, std::abs(int(sample(frame))));
    QVERIFY2(loudest > 8000, qPrintable(QString::number(loudest)));
    for (qsizetype frame = 4000; frame < 4065; ++frame)
        QVERIFY(std::abs(int(sample(frame))) < 64);
    QVERIFY(std::abs(int(sample(0))) < 64);
}

namespace {

// A player over a fake output that fails the test on any call it was not told to expect. The
// player's end stops the output; the fixture expects that stop.
struct PlayerFixture {
    FakeWaveOutput output;
    TWavePlayer player{output};

    ~PlayerFixture() { output.expectStop(); }

    // Loads `content` from a stream, as a looping sound.
    bool load(QByteArray content)
    {
        QBuffer stream(&content);
        stream.open(QIODevice::ReadOnly);
        player.setLoop(true);
        return player.LoadFromStream(stream);
    }
};

} // namespace

void TestWavePlayer::playRestartsTheLoopingSound()
{
    PlayerFixture f;
    QByteArray image = pcmImage(10);
    QBuffer stream(&image);
    stream.open(QIODevice::ReadOnly);
    stream.seek(20); // the whole stream is taken, from its beginning
    QVERIFY(f.player.LoadFromStream(stream));
    QCOMPARE(f.player.Sound(), image);
    f.player.setLoop(true);

    for (int start = 0; start < 2; ++start) {
        f.output.expectStop();
        f.output.expectPlay();
        f.player.Play();
        QVERIFY(f.player.Active());
    }
    QCOMPARE(f.output.lastImage, image);
    QCOMPARE(f.output.lastLayout.dataOffset, 44);
    f.output.expectStop();
    f.player.Stop();
    QVERIFY(!f.player.Active());
    // Loading a new sound stops the one held; the player's end stops whatever plays.
    f.output.expectStop();
    QVERIFY(f.player.LoadFromStream(stream));
    f.output.expectStop();
    f.player.Clear();
    QVERIFY(f.player.Sound().isEmpty());
    f.player.Clear(); // nothing held: nothing to stop
    QVERIFY(f.output.done());
}

void TestWavePlayer::playWithoutAPlayableImageOnlyStops()
{
    PlayerFixture f;
    f.player.setLoop(true);
    f.output.expectStop();
    f.player.Play(); // empty
    QVERIFY(!f.player.Active());
    QVERIFY(f.load("not a sound"));
    f.output.expectStop();
    f.player.Play();
    QVERIFY(!f.player.Active());
    QVERIFY(f.output.done());
}

void TestWavePlayer::activeFollowsTheOutput()
{
    PlayerFixture f;
    QVERIFY(f.load(pcmImage(10)));

    f.output.expectStop();
    f.output.expectPlay(false); // no audio device
    f.player.Play();
    QVERIFY(!f.player.Active());

    f.output.expectStop();
    f.output.expectPlay();
    f.player.Play();
    QVERIFY(f.player.Active());
    f.output.deviceFails(); // after the request returned
    QVERIFY(!f.player.Active());

    // Without Loop a started sound does not count as playing.
    f.player.setLoop(false);
    f.output.loopExpected = false;
    f.output.expectStop();
    f.output.expectPlay();
    f.player.Play();
    QVERIFY(!f.player.Active());
    QVERIFY(f.output.done());
}

void TestWavePlayer::activeWritesStartAndStop()
{
    PlayerFixture f;
    QVERIFY(f.load(pcmImage(10)));
    f.player.setActive(false); // already inactive: no call
    f.output.expectStop();
    f.output.expectPlay();
    f.player.setActive(true);
    f.player.setActive(true); // already active: no restart
    f.output.expectStop();
    f.player.setActive(false);
    QVERIFY(f.output.done());
}

void TestWavePlayer::brokenFileKeepsThePreviousSound()
{
    TestFolder folder;
    PlayerFixture f;
    folder.write(QStringLiteral("good.wav"), pcmImage(10));
    QByteArray cut = pcmImage(10);
    cut.chop(5);
    folder.write(QStringLiteral("cut.wav"), cut);
    QCOMPARE(f.player.LoadFromFile(folder.file(QStringLiteral("good.wav"))), WaveError::None);
    QCOMPARE(f.player.LoadFromFile(folder.file(QStringLiteral("cut.wav"))), WaveError::Truncated);
    QCOMPARE(f.player.LoadFromFile(folder.file(QStringLiteral("gone.wav"))), WaveError::Missing);
    QCOMPARE(f.player.Sound(), pcmImage(10));
}

void TestWavePlayer::fileNamed_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("named");
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("one blank") << QStringLiteral(" ") << false;
    QTest::newRow("a tab") << QStringLiteral("\t") << false;
    QTest::newRow("two blanks") << QStringLiteral("  ") << true;
    QTest::newRow("a name") << QStringLiteral("fanfare.wav") << true;
}

void TestWavePlayer::fileNamed()
{
    QFETCH(QString, text);
    QFETCH(bool, named);
    QCOMPARE(SoundControl::fileNamed(text), named);
}

namespace {

// The window's player over a temporary program folder, loaded as at start-up.
struct SoundFixture {
    TestFolder folder;
    FakePlatform platform{folder.programPath()};
    FakeWaveOutput output;
    TWavePlayer player{output};
    SoundControl control{player, platform};

    // Start-up: the chosen sound (or the click) is loaded, then Loop is set.
    bool startUp(const QString &fileName)
    {
        const bool loaded = control.edSoundfileExit(fileName);
        player.setLoop(true);
        return loaded;
    }
    void expectRestart()
    {
        output.expectStop();
        output.expectPlay();
    }
    ~SoundFixture()
    {
        if (!output.done())
            QTest::qFail("an expected call on the sound output did not come", __FILE__, __LINE__);
        output.expected.clear();
        output.expectStop(); // the player's end
    }
};

} // namespace

void TestWavePlayer::soundRestartsOnEachDrawAndStopsWithIt()
{
    SoundFixture f;
    QVERIFY(f.startUp(QString()));
    QCOMPARE(f.player.Sound().size(), 16304); // the click
    const SoundOptions klang{true, false, QString()};
    for (int draw = 0; draw < 3; ++draw) {
        f.expectRestart();
        f.control.drawStarted(klang);
        QVERIFY(f.player.Active());
        f.output.expectStop();
        f.control.drawStopped(klang);
        QVERIFY(!f.player.Active());
    }
    // Without "Klang" draws are silent, but "Musik aus" still stops.
    const SoundOptions silent{false, false, QString()};
    f.control.drawStarted(silent);
    f.control.drawStopped(silent);
    f.control.settingsOpened(silent);
    f.output.expectStop();
    f.control.MMStille();
    QVERIFY(f.platform.messages.isEmpty());
}

void TestWavePlayer::toEndKeepsPlayingUntilSilenced()
{
    SoundFixture f;
    f.folder.write(QStringLiteral("music.wav"), pcmImage(100));
    QVERIFY(f.startUp(QStringLiteral("music.wav")));
    const SoundOptions toEnd{true, true, QStringLiteral("music.wav")};
    f.expectRestart();
    f.control.drawStarted(toEnd);
    f.control.drawStopped(toEnd);
    f.control.drawStarted(toEnd); // still playing: not restarted
    f.control.drawStopped(toEnd);
    QVERIFY(f.player.Active());
    f.output.expectStop();
    f.control.settingsOpened(toEnd);
    QVERIFY(!f.player.Active());

    f.expectRestart();
    f.control.drawStarted(toEnd);
    f.output.expectStop();
    f.control.MMStille();
    // A sound that died on its device is started again by the next draw.
    f.expectRestart();
    f.control.drawStarted(toEnd);
    f.output.deviceFails();
    f.expectRestart();
    f.control.drawStarted(toEnd);
    f.output.expectStop();
    f.control.windowClosing();
    f.control.windowClosing(); // no longer active: nothing to stop
}

void TestWavePlayer::lotteryAndWaitingMusic()
{
    SoundFixture f;
    QVERIFY(f.startUp(QString()));
    const SoundOptions click{true, false, QString()};
    for (int number = 0; number < 2; ++number) {
        f.expectRestart();
        f.control.lotteryNumberStarts(click);
        f.output.expectStop();
        f.control.lotteryNumberDone(click);
    }
    // Waiting music needs a named file: the click alone does not play while waiting.
    f.control.waitingStarted(click);
    QVERIFY(!f.player.Active());

    f.folder.write(QStringLiteral("wait.wav"), pcmImage(50));
    f.output.expectStop(); // loading replaces the click
    QVERIFY(f.control.edSoundfileExit(QStringLiteral("wait.wav")));
    const SoundOptions music{true, true, QStringLiteral("wait.wav")};
    f.expectRestart();
    f.control.waitingStarted(music);
    QVERIFY(f.player.Active());
    f.control.lotteryNumberStarts(music); // already playing
    f.control.lotteryNumberDone(music);
    QVERIFY(f.player.Active());
    f.control.waitingStarted({false, true, QStringLiteral("wait.wav")});
    f.output.expectStop();
    f.control.settingsOpened(music);
}

void TestWavePlayer::missingFileAtStartUpWarnsAndStaysSilent()
{
    SoundFixture f;
    QVERIFY(!f.startUp(QStringLiteral("gone.wav")));
    QCOMPARE(f.platform.messages.size(), 1);
    const FakePlatform::MessageCall &box = f.platform.messages.first();
    QCOMPARE(box.icon, Platform::Icon::Warning);
    QVERIFY2(box.text.contains(QStringLiteral("gone.wav")), qPrintable(box.text));
    QVERIFY(!box.caption.isEmpty());
    QVERIFY(f.player.Sound().isEmpty()); // the click does not stand in
    f.output.expectStop();
    f.control.drawStarted({true, false, QStringLiteral("gone.wav")});
    QVERIFY(!f.player.Active());
}

void TestWavePlayer::brokenFileWarnsAndKeepsTheClick()
{
    SoundFixture f;
    QVERIFY(f.startUp(QString()));
    const QByteArray click = f.player.Sound();
    QByteArray liar = pcmImage(10);
    put32(liar, 40, 0x40000000u); // claims a gigabyte of samples
    f.folder.write(QStringLiteral("liar.wav"), liar);
    f.folder.write(QStringLiteral("notes.wav"), "just text");
    QVERIFY(!f.control.edSoundfileExit(QStringLiteral("liar.wav")));
    QVERIFY(!f.control.edSoundfileExit(QStringLiteral("notes.wav")));
    QCOMPARE(f.platform.messages.size(), 2);
    QVERIFY(f.platform.messages.at(1).text.contains(QStringLiteral("notes.wav")));
    QCOMPARE(f.player.Sound(), click);
}

void TestWavePlayer::soundClickReloadsAndEmptiesOnAMissingFile()
{
    SoundFixture f;
    f.folder.write(QStringLiteral("music.wav"), pcmImage(100));
    QVERIFY(f.startUp(QStringLiteral("music.wav")));
    const SoundOptions music{true, true, QStringLiteral("music.wav")};
    f.expectRestart();
    f.control.drawStarted(music);
    // Toggling "Klang" stops the sound and loads it afresh.
    f.output.expectStop();
    f.control.cbSoundClick(QStringLiteral("music.wav"));
    QCOMPARE(f.player.Sound(), pcmImage(100));
    QVERIFY(!f.player.Active());
    // An absolute name is taken as it stands.
    f.output.expectStop();
    f.control.cbSoundClick(f.folder.file(QStringLiteral("music.wav")));
    QCOMPARE(f.player.Sound(), pcmImage(100));
    f.output.expectStop();
    f.control.cbSoundClick(QStringLiteral("gone.wav"));
    QCOMPARE(f.platform.messages.size(), 1);
    QVERIFY(f.player.Sound().isEmpty());
    f.control.cbSoundClick(QString()); // back to the click; nothing held, nothing to stop
    QCOMPARE(f.player.Sound().size(), 16304);
}

void TestWavePlayer::browsingGivesANameRelativeToTheProgram()
{
    SoundFixture f;
    f.platform.fileNames.enqueue(f.folder.file(QStringLiteral("sounds/gong.wav")));
    f.platform.fileNames.enqueue(f.folder.file(QStringLiteral("fanfare")));
    QCOMPARE(f.control.edSoundfileButtonClick(QStringLiteral("old.wav")),
             QStringLiteral("sounds/gong.wav"));
    QCOMPARE(f.control.edSoundfileButtonClick(QString()), QStringLiteral("fanfare.wav"));
    QCOMPARE(f.control.edSoundfileButtonClick(QStringLiteral("old.wav")),
             QStringLiteral("old.wav")); // cancelled
}

QTEST_GUILESS_MAIN(TestWavePlayer)
#include "tst_waveplayer.moc"
