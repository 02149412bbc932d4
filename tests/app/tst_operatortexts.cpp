#include "formfixture.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// The texts the operator reads, each brought about as a user would.
enum TextCase {
    SoundFileMissing,
    DrawListMissing,
    PrizeListMissing,
};

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
        fx.panel().AusDatei->setChecked(true);
        fx.panel().AusDateiPfad->setText(u"liste.txt"_s);
        form.settingsFlow().ApplySettings();
        return lastMessage(fx);
    }
    case PrizeListMissing: {
        Form &form = fx.start();
        form.settingsFlow().OpenSettingsPanel();
        fx.panel().edWinnings->setText(u"preise.txt"_s);
        fx.panel().cbWinnings->setChecked(true);
        form.settingsFlow().ApplySettings();
        return lastMessage(fx);
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
