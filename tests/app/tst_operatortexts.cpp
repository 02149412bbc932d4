#include "formfixture.h"

#include "app/listcontrol.h"

#include <QComboBox>
#include <QDir>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

// The texts the operator reads, each brought about as a user would.
enum TextCase {
    SoundFileMissing,
    DrawListMissing,
    PrizeListMissing,
    ColourList,
    ColourListAfterSwitch,
    SettingsNotWritable,
    ListDialog,
    LotteryHeader,
    IntervalNote,
};

// The names the colour boxes offer.
QString colourNames(const FormFixture &fx)
{
    QStringList names;
    for (const QComboBox *box : fx.panel().findChildren<QComboBox *>())
        if (qobject_cast<ColourPicker *>(box->parentWidget()))
            for (int i = 0; i < box->count(); ++i)
                names.append(box->itemText(i));
    return names.join(u'|');
}

// The last message box's text.
QString lastMessage(const FormFixture &fx)
{
    return fx.platform.messages.isEmpty() ? QString() : fx.platform.messages.last().text;
}

QString shownText(bool english, int textCase)
{
    FormFixture fx;
    fx.platform.languageId = english ? 2057 : 1031;
    switch (TextCase(textCase)) {
    case SoundFileMissing:
        fx.folder.write(u"tivrel.ini"_s, "[DISPLAY]\r\nSFile=weg.wav\r\nSound=1\r\n");
        fx.start();
        return lastMessage(fx);
    case DrawListMissing: {
        Form &form = fx.start();
        form.settingsFlow().OpenSettingsPanel();
        fx.platform.answers.enqueue(Platform::Answer::Yes);
        ui(fx.panel()).AusDatei->setChecked(true);
        ui(fx.panel()).AusDateiPfad->setText(u"liste.txt"_s);
        form.settingsFlow().ApplySettings();
        return lastMessage(fx);
    }
    case PrizeListMissing: {
        Form &form = fx.start();
        form.settingsFlow().OpenSettingsPanel();
        ui(fx.panel()).edWinnings->setText(u"preise.txt"_s);
        ui(fx.panel()).cbWinnings->setChecked(true);
        form.settingsFlow().ApplySettings();
        return lastMessage(fx);
    }
    case ColourList: fx.start(); return colourNames(fx);
    case ColourListAfterSwitch:
        // Started in the other language, then switched on the options page.
        fx.platform.languageId = english ? 1031 : 2057;
        fx.start();
        ui(fx.panel()).HilfeLng->setCurrentIndex(english ? 1 : 0);
        return colourNames(fx);
    case SettingsNotWritable: {
        // A folder in the settings file's place: nothing can be written there.
        QDir(fx.folder.path()).mkdir(u"tivrel.ini"_s);
        Form &form = fx.start();
        form.settingsFlow().ApplySettings();
        return lastMessage(fx);
    }
    case ListDialog: {
        Form &form = fx.start();
        fx.platform.answers.enqueue(Platform::Answer::Yes); // list drawing goes on
        form.parts.lists.AusDateiPfadButtonClick();
        if (fx.platform.dialogs.isEmpty())
            return {};
        return fx.platform.dialogs.last().title + u'\n' + fx.platform.dialogs.last().filter;
    }
    case LotteryHeader: {
        Form &form = fx.start();
        form.settingsFlow().OpenSettingsPanel();
        ui(fx.panel()).DoStatus->setItemIndex(int(DrawMode::Lottery));
        ui(fx.panel()).Lotto_Spiele->setValue(1);
        QTimer clock;
        QObject::connect(&clock, &QTimer::timeout, &clock, [&] { fx.platform.ticks += 20; });
        clock.start(10);
        fx.platform.answers.enqueue(Platform::Answer::Ok);
        form.settingsFlow().ApplySettings();
        return fx.results().headerText(ResultsModel::Spiel);
    }
    case IntervalNote: {
        Form &form = fx.start();
        form.settingsFlow().OpenSettingsPanel();
        ui(fx.panel()).DoStatus->setItemIndex(int(DrawMode::Timer));
        ui(fx.panel()).Sekunden->setValue(2);
        form.settingsFlow().ApplySettings();
        return form.AutotivrelNotiz->text();
    }
    }
    return {};
}

} // namespace

// What the operator reads, in German and in English: each text in the language in force, and
// messages about files name the file and what it is.
class TestOperatorTexts : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void textsFollowTheLanguage_data()
    {
        QTest::addColumn<int>("textCase");
        QTest::addColumn<bool>("english");
        QTest::addColumn<QStringList>("parts"); // what the text holds in that language
        const auto both = [](const char *name, int textCase, const QStringList &german,
                             const QStringList &english) {
            QTest::addRow("%s, German", name) << textCase << false << german;
            QTest::addRow("%s, English", name) << textCase << true << english;
        };
        both("missing sound file", SoundFileMissing, {u"Klangdatei"_s, u"weg.wav"_s},
             {u"sound file"_s, u"weg.wav"_s});
        both("missing draw list", DrawListMissing, {u"Ziehungsliste"_s, u"liste.txt"_s},
             {u"draw list"_s, u"liste.txt"_s});
        both("missing prize list", PrizeListMissing, {u"Gewinnliste"_s, u"preise.txt"_s},
             {u"prize list"_s, u"preise.txt"_s});
        both("colour names", ColourList, {u"Schwarz|Weiß|Rot"_s, u"Keine Farbe"_s},
             {u"Black|White|Red"_s, u"No colour"_s});
        both("colour names after a switch", ColourListAfterSwitch,
             {u"Schwarz|Weiß|Rot"_s, u"Keine Farbe"_s}, {u"Black|White|Red"_s, u"No colour"_s});
        both("settings not writable", SettingsNotWritable,
             {u"tivrel.ini kann nicht geschrieben werden"_s}, {u"tivrel.ini can not be written"_s});
        both("list dialog", ListDialog, {u"Tivrel-Liste laden\n"_s, u"Textdateien (*.txt)"_s},
             {u"Load Tivrel List\n"_s, u"Text files (*.txt)"_s});
        both("lottery column", LotteryHeader, {u"Spiel / Zahl"_s}, {u"Game / Number"_s});
        both("interval of two seconds", IntervalNote, {u"Ziehungsintervall: 2 Sekunden"_s},
             {u"Drawing interval: 2 Seconds"_s});
    }
    void textsFollowTheLanguage()
    {
        QFETCH(int, textCase);
        QFETCH(bool, english);
        QFETCH(QStringList, parts);
        const QString shown = shownText(english, textCase);
        for (const QString &part : parts)
            QVERIFY2(shown.contains(part), qPrintable(shown));
        // The same text in the other language is another text.
        QVERIFY2(shown != shownText(!english, textCase), qPrintable(shown));
    }
};

QTEST_MAIN(TestOperatorTexts)
#include "tst_operatortexts.moc"
