#include "fakesettingshost.h"
#include "filesizelimit.h"

#include "draw/drawpass.h"
#include "settings/optionspage.h"
#include "settings/profilefile.h"
#include "settings/rangepage.h"
#include "settings/settingscontrols.h"
#include "settings/settingspanel.h"
#include "settings/settingsstore.h"
#include "support/panelcontrols.h"
#include "support/testfolder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>

namespace {
QString s(const char *text)
{
    return QString::fromUtf8(text);
}

// The panel as start-up leaves it before loading: both languages listed, the system's chosen.
struct Window {
    explicit Window(int chosenLanguage = 1)
    {
        ui(panel).HilfeLng->addItems({s("Deutsch"), s("English")});
        ui(panel).HilfeLng->setCurrentIndex(chosenLanguage);
        // The range handler as the window binds it: keeps Minimum <= Maximum, counts the range.
        auto rangeChanged = [this] {
            if (ui(panel).Minimum->value() > ui(panel).Maximum->value())
                ui(panel).Minimum->setValue(ui(panel).Maximum->value());
            pass.setRangeSize(ui(panel).Maximum->value() - ui(panel).Minimum->value() + 1);
        };
        QObject::connect(ui(panel).Minimum, &QSpinBox::valueChanged, &panel, rangeChanged);
        QObject::connect(ui(panel).Maximum, &QSpinBox::valueChanged, &panel, rangeChanged);
    }
    SettingsPanel panel;
    DrawPass pass{[] { return 0u; }};
    FakeSettingsHost host;
};

// Every stored value of the panel and the host, as text, keyed by its settings key.
QMap<QString, QString> state(const Window &w)
{
    const SettingsPanel &p = w.panel;
    auto b = [](const QCheckBox *box) { return box->isChecked() ? s("1") : s("0"); };
    auto n = [](double v) { return QString::number(v, 'g', 15); };
    return {
        {s("Start"), n(ui(p).Minimum->value())},
        {s("End"), n(ui(p).Maximum->value())},
        {s("Cent"), b(ui(p).Ziehung_Prozent)},
        {s("Quota"), n(ui(p).Ziehungsquote->value())},
        {s("AutoPilot"), b(ui(p).ckAutopilot)},
        {s("AutoVal"), n(ui(p).AutopilotStart->value())},
        {s("Zeros"), b(ui(p).ZeigeNullen)},
        {s("Help"), b(ui(p).HilfeAktiv)},
        {s("SFile"), ui(p).edSoundfile->text()},
        {s("Sound"), b(ui(p).cbSound)},
        {s("Play"), b(ui(p).cbSchleife)},
        {s("Colors"), b(ui(p).cbFarbenregen)},
        {s("Numbers"), b(ui(p).cbNumberEffect)},
        {s("FGC"), n(ui(p).cpVordergrund->colour())},
        {s("BGC"), n(ui(p).cpHintergrund->colour())},
        {s("Language"), n(ui(p).HilfeLng->currentIndex())},
        {s("Size"), b(ui(p).cbMaximiert)},
        {s("List"), b(ui(p).cbListeAus)},
        {s("WinSize"), n(w.host.outputPercent)},
        {s("HGB"), b(ui(p).cbHintergrund)},
        {s("HGA"), b(ui(p).cbHintergrundAnimiert)},
        {s("HGI"), ui(p).edHintergrundbild->text()},
        {s("Lottery"), n(w.host.gameColumn)},
        {s("Games"), n(ui(p).Lotto_Spiele->value())},
        {s("Pool"), n(ui(p).Lotto_Pool->value())},
        {s("Pool_n"), n(ui(p).Lotto_n->value())},
        {s("Pool_x"), n(ui(p).Lotto_x->value())},
        {s("Mode"), n(ui(p).DoStatus->itemIndex())},
        {s("Intervall"), n(ui(p).Sekunden->value())},
        {s("Autostop"), b(ui(p).chkAutostop)},
        {s("Time"), ui(p).Uhrzeit->text()},
        {s("UseFile"), b(ui(p).AusDatei)},
        {s("Filename"), ui(p).AusDateiPfad->text()},
        {s("Cols"), n(ui(p).AusDateiLaenge->value())},
        {s("Winnings"), ui(p).edWinnings->text()},
        {s("UseWinnings"), b(ui(p).cbWinnings)},
    };
}

// The values of a first run.
QMap<QString, QString> defaults()
{
    return {
        {s("Start"), s("100")},  {s("End"), s("999")},       {s("Cent"), s("1")},
        {s("Quota"), s("10")},   {s("AutoPilot"), s("0")},   {s("AutoVal"), s("999")},
        {s("Zeros"), s("0")},    {s("Help"), s("1")},        {s("SFile"), QString()},
        {s("Sound"), s("1")},    {s("Play"), s("0")},        {s("Colors"), s("1")},
        {s("Numbers"), s("1")},  {s("FGC"), s("0")},         {s("BGC"), s("16777215")},
        {s("Language"), s("1")}, {s("Size"), s("0")},        {s("List"), s("0")},
        {s("WinSize"), s("25")}, {s("HGB"), s("0")},         {s("HGA"), s("0")},
        {s("HGI"), QString()},   {s("Lottery"), s("0")},     {s("Games"), s("2")},
        {s("Pool"), s("2")},     {s("Pool_n"), s("6")},      {s("Pool_x"), s("49")},
        {s("Mode"), s("0")},     {s("Intervall"), s("5")},   {s("Autostop"), s("0")},
        {s("Time"), s(":")},     {s("UseFile"), s("0")},     {s("Filename"), QString()},
        {s("Cols"), s("10")},    {s("Winnings"), QString()}, {s("UseWinnings"), s("0")},
    };
}

// The first-run values with some replaced, each given as "Key=value".
QMap<QString, QString> defaultsExcept(const QStringList &changed)
{
    QMap<QString, QString> expected = defaults();
    for (const QString &pair : changed)
        expected[pair.section(u'=', 0, 0)] = pair.section(u'=', 1);
    return expected;
}

const char *const allKeys =
    "[NUM]\nStart=%1\nEnd=%1\nCent=%1\nCount=%1\nPercentage=%1\nAutoPilot=%1\nAutoVal=%1\n"
    "[DISPLAY]\nZeros=%1\nHelp=%1\nSFile=%1\nSound=%1\nPlay=%1\nColors=%1\nNumbers=%1\n"
    "FGC=%1\nBGC=%1\nLanguage=%1\nSize=%1\nList=%1\nWinSize=%1\nHGB=%1\nHGA=%1\nHGI=%1\n"
    "Lottery=%1\n[LOTTERY]\nGames=%1\nPool=%1\nPool_n=%1\nPool_x=%1\n"
    "[DRAW]\nMode=%1\nIntervall=%1\nAutostop=%1\nTime=%1\nUseFile=%1\nFilename=%1\nCols=%1\n"
    "Winnings=%1\nUseWinnings=%1\n";
} // namespace

class TestSettingsStore : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void aFirstRunStartsWithTheDefaults()
    {
        TestFolder folder;
        Window w;
        QSignalSpy soundLoaded(&w.panel.optionsPage(), &OptionsPage::soundFileLeft);
        LoadSettings(w.panel, w.pass, w.host, folder.file(s("tivrel.ini")));
        QCOMPARE(state(w), defaults());
        QCOMPARE(w.pass.drawQuota(), 90);
        QCOMPARE(ui(w.panel).LAnzahl_Ziehungen->text(), s("Anzahl Ziehungen: 90"));
        QVERIFY(w.host.listTick);
        QVERIFY(!w.host.maximised);
        QVERIFY(!ui(w.panel).cbSchleife->isEnabled()); // no sound file named
        QCOMPARE(soundLoaded.count(), 1);              // as leaving the sound file's field does
        QVERIFY(w.host.calls.isEmpty());               // no picture named
        QVERIFY(!QFile::exists(folder.file(s("tivrel.ini")))); // loading writes nothing
    }

    void storedValuesOverrideOnlyTheirKeys_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QStringList>("changed"); // key=value pairs that differ from the defaults
        QTest::addColumn<int>("drawQuota");

        QTest::newRow("only Start")
            << QByteArray("[NUM]\nStart=5\n") << s("C") << QStringList{s("Start=5")} << 99;
        QTest::newRow("percent mode ignores Percentage")
            << QByteArray("[NUM]\nCent=1\nPercentage=40\n") << s("C") << QStringList{} << 90;
        QTest::newRow("count mode ignores Count")
            << QByteArray("[NUM]\nCent=0\nCount=50\nPercentage=40\n") << s("C")
            << QStringList{s("Cent=0"), s("Quota=40")} << 40;
        QTest::newRow("decimal comma under an English locale")
            << QByteArray("[NUM]\nCount=12,5\n") << s("en_GB") << QStringList{} << 90;
        QTest::newRow("decimal comma under a German locale")
            << QByteArray("[NUM]\nCount=12,5\n") << s("de_DE") << QStringList{s("Quota=12.5")}
            << 112;
        QTest::newRow("range above the current maximum")
            << QByteArray("[NUM]\nStart=1000\nEnd=2000\n") << s("C")
            << QStringList{s("Start=1000"), s("End=2000")} << 100;
        QTest::newRow("names in other case")
            << QByteArray("[display]\nzeros=1\n") << s("C") << QStringList{s("Zeros=1")} << 90;
        QTest::newRow("effects off") << QByteArray("[DISPLAY]\nColors=0\nNumbers=0\n") << s("C")
                                     << QStringList{s("Colors=0"), s("Numbers=0")} << 90;
        QTest::newRow("effects in another section count for nothing")
            << QByteArray("[NUM]\nColors=0\nNumbers=0\n") << s("C") << QStringList{} << 90;
        QTest::newRow("time of day shown as hh:mm")
            << QByteArray("[DRAW]\nTime=7:05\n") << s("C") << QStringList{s("Time=07:05")} << 90;
        // The pool is checked against the numbers stored beside it, not against the design's.
        QTest::newRow("a pool that fits its numbers stays")
            << QByteArray("[LOTTERY]\nPool=5\nPool_n=15\nPool_x=99\n") << s("C")
            << QStringList{s("Pool=5"), s("Pool_n=15"), s("Pool_x=99")} << 90;
        QTest::newRow("Pool_n 0 is raised to 1")
            << QByteArray("[LOTTERY]\nPool_n=0\n") << s("C") << QStringList{s("Pool_n=1")} << 90;
    }
    void storedValuesOverrideOnlyTheirKeys()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, locale);
        QFETCH(QStringList, changed);
        QFETCH(int, drawQuota);
        QLocale::setDefault(QLocale(locale));
        TestFolder folder;
        folder.write(s("tivrel.ini"), file);
        Window w;
        LoadSettings(w.panel, w.pass, w.host, folder.file(s("tivrel.ini")));
        QCOMPARE(state(w), defaultsExcept(changed));
        QCOMPARE(w.pass.drawQuota(), drawQuota);
    }

    void valuesNoControlCanHoldGiveTheDefaultOrTheLimit_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("changed");
        // Text that is no number: every key has its default (text keys take it as it is).
        const QStringList textKeys{s("SFile=%1"), s("HGI=%1"), s("Filename=%1"), s("Winnings=%1")};
        QStringList letters;
        for (const QString &k : textKeys)
            letters << k.arg(s("abc"));
        QTest::newRow("letters") << s("abc") << letters;
        QTest::newRow("empty") << QString() << QStringList{};
        // Huge numbers: numeric fields at their upper limits, booleans on, the rest defaults.
        QStringList huge{s("Start=999999"), s("End=999999"), s("Quota=100"), s("AutoVal=9999"),
                         s("Zeros=1"),      s("Play=1"),     s("Size=1"),    s("List=1"),
                         s("HGB=1"),        s("HGA=1"),      s("Lottery=1"), s("Games=999"),
                         s("Pool=6"),       s("Pool_n=15"),  s("Pool_x=99"), s("Intervall=9999"),
                         s("Autostop=1"),   s("UseFile=1"),  s("Cols=999"),  s("UseWinnings=1"),
                         s("AutoPilot=1"),  s("WinSize=75")};
        for (const QString &k : textKeys)
            huge << k.arg(s("2000000000"));
        QTest::newRow("huge") << s("2000000000") << huge;
        // Negative numbers: lower limits; a negative language index means the first language.
        QStringList negative{s("Start=0"),     s("End=0"),      s("Quota=0"),   s("AutoVal=0"),
                             s("Zeros=1"),     s("Play=1"),     s("Size=1"),    s("List=1"),
                             s("HGB=1"),       s("HGA=1"),      s("Lottery=1"), s("Games=1"),
                             s("Pool=1"),      s("Pool_n=1"),   s("Pool_x=15"), s("Intervall=0"),
                             s("Autostop=1"),  s("UseFile=1"),  s("Cols=0"),    s("UseWinnings=1"),
                             s("AutoPilot=1"), s("Language=0"), s("WinSize=20")};
        for (const QString &k : textKeys)
            negative << k.arg(s("-7"));
        QTest::newRow("negative") << s("-7") << negative;
    }
    void valuesNoControlCanHoldGiveTheDefaultOrTheLimit()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, changed);
        TestFolder folder;
        folder.write(s("tivrel.ini"), QString::fromLatin1(allKeys).arg(text).toUtf8());
        Window w;
        LoadSettings(w.panel, w.pass, w.host, folder.file(s("tivrel.ini")));
        QCOMPARE(state(w), defaultsExcept(changed));
        QVERIFY(w.pass.drawQuota() >= 0);
    }

    void outOfRangeChoicesFallBack_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("changed");
        QTest::newRow("mode 5") << QByteArray("[DRAW]\nMode=5\n") << QStringList{};
        QTest::newRow("mode 4") << QByteArray("[DRAW]\nMode=4\n") << QStringList{s("Mode=4")};
        QTest::newRow("language beyond the list")
            << QByteArray("[DISPLAY]\nLanguage=2\n") << QStringList{};
        QTest::newRow("language 0")
            << QByteArray("[DISPLAY]\nLanguage=0\n") << QStringList{s("Language=0")};
        QTest::newRow("system colour as foreground")
            << QByteArray("[DISPLAY]\nFGC=-16777201\n") << QStringList{};
        QTest::newRow("no foreground colour")
            << QByteArray("[DISPLAY]\nFGC=536870911\n") << QStringList{s("FGC=536870911")};
        QTest::newRow("no background colour")
            << QByteArray("[DISPLAY]\nBGC=536870911\n") << QStringList{};
        QTest::newRow("colour as hex")
            << QByteArray("[DISPLAY]\nBGC=$0000FF\n") << QStringList{s("BGC=255")};
        // The output pane's share is kept within what the layout allows.
        QTest::newRow("output pane beyond the window")
            << QByteArray("[DISPLAY]\nWinSize=650\n") << QStringList{s("WinSize=75")};
        QTest::newRow("output pane too small")
            << QByteArray("[DISPLAY]\nWinSize=5\n") << QStringList{s("WinSize=20")};
        QTest::newRow("no time of day") << QByteArray("[DRAW]\nTime=25:99\n") << QStringList{};
    }
    void outOfRangeChoicesFallBack()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, changed);
        TestFolder folder;
        folder.write(s("tivrel.ini"), file);
        Window w;
        LoadSettings(w.panel, w.pass, w.host, folder.file(s("tivrel.ini")));
        QCOMPARE(state(w), defaultsExcept(changed));
    }

    void loadingSwitchesZerosAndTheListAsTheProgram()
    {
        TestFolder folder;
        folder.write(s("tivrel.ini"), "[DISPLAY]\nZeros=1\n[DRAW]\nUseFile=1\n");
        Window w;
        RangePage &range = w.panel.rangePage();
        QSignalSpy zeros(&range, &RangePage::zerosClicked);
        QSignalSpy list(&range, &RangePage::listSwitched);
        LoadSettings(w.panel, w.pass, w.host, folder.file(s("tivrel.ini")));
        QVERIFY(range.zeros());
        QCOMPARE(zeros.count(), 0);
        QCOMPARE(list.count(), 1);
        QVERIFY(list.takeFirst().at(0).toBool());
        // The user's own switches afterwards are the user's.
        ui(w.panel).ZeigeNullen->setChecked(false);
        ui(w.panel).AusDatei->setChecked(false);
        QCOMPARE(zeros.count(), 1);
        QVERIFY(!list.takeFirst().at(0).toBool());
    }

    void theBackgroundPictureIsLoadedOrMarkedMissing_data()
    {
        QTest::addColumn<bool>("loads");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QString>("problem");
        QTest::newRow("loads") << true << true << QString();
        QTest::newRow("fails") << false << false << s("Datei nicht gefunden!");
    }
    void theBackgroundPictureIsLoadedOrMarkedMissing()
    {
        QFETCH(bool, loads);
        QFETCH(bool, enabled);
        QFETCH(QString, problem);
        TestFolder folder;
        folder.write(s("tivrel.ini"), "[DISPLAY]\nHGB=1\nHGI=bild.png\n");
        Window w;
        w.host.pictureLoads = loads;
        LoadSettings(w.panel, w.pass, w.host, folder.file(s("tivrel.ini")));
        QVERIFY(w.host.calls.contains(s("loadBackgroundPicture bild.png")));
        QCOMPARE(ui(w.panel).cbHintergrund->isEnabled(), enabled);
        // The stored name stays (the next save keeps it); a failure shows beside it.
        QCOMPARE(ui(w.panel).edHintergrundbild->text(), s("bild.png"));
        QCOMPARE(ui(w.panel).edHintergrundbild->problem(), problem);
        QVERIFY(SaveSettings(w.panel, w.host, folder.file(s("tivrel.ini"))).ok);
        QVERIFY(folder.read(s("tivrel.ini")).contains("HGI=bild.png\n"));
    }

    void theOutputPaneShareIsStoredInWholePercent()
    {
        TestFolder folder;
        const QString ini = folder.file(s("tivrel.ini"));
        folder.write(s("tivrel.ini"), "[DISPLAY]\nWinSize=25\n");
        Window w;
        w.host.windowHeight = 650;
        LoadSettings(w.panel, w.pass, w.host, ini);
        QCOMPARE(w.host.paneHeight, 150);
        QVERIFY(SaveSettings(w.panel, w.host, ini).ok);
        QCOMPARE(ProfileFile(ini).readInteger(s("DISPLAY"), s("WinSize"), 0), 23);
    }

    void savingWritesEveryKeyInItsSectionAndKeepsOtherLines()
    {
        QLocale::setDefault(QLocale(s("de_DE")));
        TestFolder folder;
        const QString ini = folder.file(s("tivrel.ini"));
        const QByteArray foreign = "; kept\n[Extra]\nA=1\n";
        folder.write(s("tivrel.ini"), foreign + "[num]\nstart=7\nMine=x\n");
        Window w;
        LoadSettings(w.panel, w.pass, w.host, ini);
        ui(w.panel).Ziehungsquote->setValue(12.5);
        QVERIFY(SaveSettings(w.panel, w.host, ini).ok);
        const QByteArray expected =
            foreign +
            "[num]\nstart=7\nMine=x\nEnd=999\nCent=1\nCount=12,5\nAutoPilot=0\nAutoVal=999\n"
            "\n[DISPLAY]\nZeros=0\nHelp=1\nSound=1\nPlay=0\nColors=1\nNumbers=1\nLanguage=1\n"
            "Size=0\nList=0\nLottery=0\nFGC=0\nBGC=16777215\nHGB=0\nHGA=0\nHGI=\nSFile=\n"
            "WinSize=23\n\n[LOTTERY]\nGames=2\nPool=2\nPool_n=6\nPool_x=49\n"
            "\n[DRAW]\nMode=0\nIntervall=5\nAutostop=0\nTime=:\nUseFile=0\nFilename=\n"
            "UseWinnings=0\nWinnings=\nCols=10\n";
        QCOMPARE(QString::fromUtf8(folder.read(s("tivrel.ini"))).split(u'\n'),
                 QString::fromUtf8(expected).split(u'\n'));
    }

    void theCountKeyOfTheOtherModeStays()
    {
        TestFolder folder;
        const QString ini = folder.file(s("tivrel.ini"));
        folder.write(s("tivrel.ini"), "[NUM]\nCount=33\n");
        Window w;
        LoadSettings(w.panel, w.pass, w.host, ini);
        ui(w.panel).Ziehung_Prozent->setChecked(false);
        ui(w.panel).Ziehungsquote->setDecimals(0);
        ui(w.panel).Ziehungsquote->setValue(40.4);
        QVERIFY(SaveSettings(w.panel, w.host, ini).ok);
        const ProfileFile saved(ini);
        QCOMPARE(saved.readString(s("NUM"), s("Count")), s("33"));
        QCOMPARE(saved.readString(s("NUM"), s("Percentage")), s("40"));
    }

    void everyKeySurvivesASaveAndALoad()
    {
        TestFolder folder;
        const QString ini = folder.file(s("tivrel.ini"));
        Window a;
        SettingsPanel &p = a.panel;
        ui(p).Maximum->setValue(5000);
        ui(p).Minimum->setValue(1000);
        ui(p).Ziehungsquote->setValue(33.3);
        ui(p).ckAutopilot->setChecked(true);
        ui(p).AutopilotStart->setValue(17);
        ui(p).ZeigeNullen->setChecked(true);
        ui(p).HilfeAktiv->setChecked(false);
        ui(p).edSoundfile->setText(s("klänge/tusch.wav"));
        ui(p).cbSound->setChecked(false);
        ui(p).cbSchleife->setChecked(true);
        ui(p).cbFarbenregen->setChecked(false);
        ui(p).cbNumberEffect->setChecked(false);
        ui(p).cpVordergrund->setColour(ColourPicker::NoColour);
        ui(p).cpHintergrund->setColour(0x123456);
        ui(p).HilfeLng->setCurrentIndex(0);
        ui(p).cbMaximiert->setChecked(true);
        ui(p).cbListeAus->setChecked(true);
        a.host.paneHeight = 260; // 40 % of 650
        ui(p).cbHintergrund->setChecked(true);
        ui(p).cbHintergrundAnimiert->setChecked(true);
        ui(p).edHintergrundbild->setText(s("bilder/saal.jpg"));
        a.host.gameColumn = true;
        ui(p).Lotto_Spiele->setValue(12);
        ui(p).Lotto_Pool->setValue(3);
        ui(p).Lotto_n->setValue(7);
        ui(p).Lotto_x->setValue(90);
        ui(p).DoStatus->setItemIndex(int(DrawMode::Countdown));
        ui(p).Sekunden->setValue(42);
        ui(p).chkAutostop->setChecked(true);
        ui(p).Uhrzeit->setText(s("18:45"));
        ui(p).AusDatei->setChecked(true);
        ui(p).AusDateiPfad->setText(s("listen/lose.txt"));
        ui(p).AusDateiLaenge->setValue(25);
        ui(p).edWinnings->setText(s("listen/preise.txt"));
        ui(p).cbWinnings->setChecked(true);
        QVERIFY(SaveSettings(a.panel, a.host, ini).ok);

        Window b(1);
        LoadSettings(b.panel, b.pass, b.host, ini);
        QMap<QString, QString> expected = state(a);
        expected[s("WinSize")] = s("40");
        QCOMPARE(state(b), expected);
        QVERIFY(b.host.maximised);
        QVERIFY(!b.host.listTick);
        QCOMPARE(b.pass.drawQuota(), 1332); // 33.3 % of 4001
    }

    void aSettingsFileThatCanNotBeWrittenIsReported()
    {
        TestFolder folder;
        folder.write(s("blocked"), "x");
        const QString ini = folder.file(s("blocked/tivrel.ini")); // its folder is a file
        Window w;
        LoadSettings(w.panel, w.pass, w.host, ini);
        const SettingsSaveResult result = SaveSettings(w.panel, w.host, ini);
        QVERIFY(!result.ok);
        QCOMPARE(result.errorText,
                 s("In ") + QDir::toNativeSeparators(ini) + s(" kann nicht geschrieben werden"));
    }

    void aWriteProtectedFolderIsReported()
    {
        TestFolder folder;
        QDir(folder.path()).mkdir(s("ro"));
        const QString dir = folder.file(s("ro"));
        QFile::setPermissions(dir, QFile::ReadOwner | QFile::ExeOwner);
        const bool writable = QFileInfo(dir).isWritable();
        Window w;
        const SettingsSaveResult result = SaveSettings(w.panel, w.host, dir + s("/tivrel.ini"));
        QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        if (writable)
            QSKIP("running as root: the folder is writable anyway");
        QVERIFY(!result.ok);
        QVERIFY(result.errorText.contains(QDir::toNativeSeparators(dir + s("/tivrel.ini"))));
    }

    // All keys go to disk in one write: a write that fails leaves the file as it was, and one
    // that succeeds replaces it once.
    void aFailingSaveLeavesTheFileAsItWas()
    {
#ifdef Q_OS_UNIX
        TestFolder folder;
        const QString ini = folder.file(s("tivrel.ini"));
        const QByteArray before = "[NUM]\nStart=5\n; a comment\n";
        folder.write(s("tivrel.ini"), before);
        Window w;
        SettingsSaveResult result;
        {
            const FileSizeLimit limit(100); // room for the first few keys only
            result = SaveSettings(w.panel, w.host, ini);
        }
        QVERIFY(!result.ok);
        QCOMPARE(folder.read(s("tivrel.ini")), before);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{s("tivrel.ini")});
        QVERIFY(SaveSettings(w.panel, w.host, ini).ok);
        QVERIFY(
            folder.read(s("tivrel.ini")).startsWith("[NUM]\nStart=100\n; a comment\nEnd=999\n"));
#else
        QSKIP("needs a file size limit");
#endif
    }
};

QTEST_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
