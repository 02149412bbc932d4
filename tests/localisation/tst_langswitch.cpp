#include "localisation/form1langdata.h"
#include "localisation/langcontroller.h"
#include "localisation/langfile.h"
#include "localisation/langmanager.h"
#include "support/testfolder.h"

#include <QFile>
#include <QLocale>
#include <QTest>

#include <map>

using namespace Qt::StringLiterals;

namespace {

// The texts of a window bound to a controller: every entry of the main window's table holds
// "design <id>" as designed; each set is counted.
struct BoundTexts {
    std::map<qint32, QString> texts;
    int sets = 0;

    void bindAll(TLanguageController &controller)
    {
        for (const LangDataEntry &entry : Form1LangData()) {
            texts[entry.id] = u"design %1"_s.arg(entry.id);
            const qint32 id = entry.id;
            controller.bind(
                QString::fromLatin1(entry.component), QString::fromLatin1(entry.path),
                [this, id] { return texts[id]; },
                [this, id](const QString &text) {
                    texts[id] = text;
                    ++sets;
                });
        }
    }
};

TLangCompTranslations builtInEnglish()
{
    QFile file(u":/LNG_ENGLISH"_s);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return ParseLanguageFile(file.readAll()).translations;
}

// A manager over the built-in German constants with the built-in English registered.
struct Setup {
    TLanguageManager manager{u":/LANG_CONSTS"_s};
    Setup()
    {
        manager.SetSourceLanguage(LangIdGerman);
        manager.AddLanguageResource(ProgramModule, u"LNG_ENGLISH"_s, LangIdEnglishUK);
    }
};

} // namespace

class TestLangSwitch : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void startupLanguageFollowsTheSystem_data()
    {
        QTest::addColumn<int>("system");
        QTest::addColumn<int>("language");
        for (const int german : {1031, 2055, 3079, 4103, 5127})
            QTest::addRow("%d", german) << german << int(LangIdGerman);
        for (const int other : {1036, 2057, 1033, 1043, 0})
            QTest::addRow("%d", other) << other << int(LangIdEnglishUK);
    }
    void startupLanguageFollowsTheSystem()
    {
        QFETCH(int, system);
        QFETCH(int, language);
        QCOMPARE(StartupLanguageId(quint16(system)), quint16(language));
    }

    void languageListStartsWithTheSourceLanguage()
    {
        Setup s;
        TLanguageManager &m = s.manager;
        m.AddLanguageResource(ProgramModule, u"LNG_ENGLISH"_s, LangIdGerman); // the source: ignored
        QCOMPARE(m.LanguageCount(), 2);
        QCOMPARE(m.LanguageIdAt(0), LangIdGerman);
        QCOMPARE(m.LanguageIdAt(1), LangIdEnglishUK);
        QCOMPARE(m.LanguageIdAt(2), LangIdGerman);
        QCOMPARE(m.LanguageIdAt(-1), LangIdGerman);
        QCOMPARE(m.LanguageIndexOf(LangIdEnglishUK), 1);
        QCOMPARE(m.LanguageIndexOf(LangIdGerman), 0);
        QCOMPARE(m.LanguageIndexOf(1036), 0);
        m.AddLanguageResource(ProgramModule, u"LNG_FRENCH"_s, 1036);
        QCOMPARE(m.LanguageCount(), 3);
        QCOMPARE(m.LanguageIndexOf(1036), 2);
    }

    void languageNamesComeFromTheSystem()
    {
        const QLocale previous;
        QLocale::setDefault(QLocale(u"en_GB"_s));
        const QString englishName = LanguageDisplayName(LangIdGerman);
        QLocale::setDefault(QLocale(u"de_DE"_s));
        const QString germanName = LanguageDisplayName(LangIdGerman);
        QLocale::setDefault(previous);
        QVERIFY2(englishName.startsWith(u"German"_s), qPrintable(englishName));
        QVERIFY2(germanName.startsWith(u"Deutsch"_s), qPrintable(germanName));
        QCOMPARE(LanguageDisplayName(0x7FFF), u"32767"_s);
    }

    void englishAndBackRestoresEveryText()
    {
        Setup s;
        TLanguageController spin(Form1SectionName, Form1LangData(), s.manager);
        BoundTexts window;
        window.bindAll(spin);
        spin.loaded();
        QVERIFY(spin.unboundIds().isEmpty());
        const std::map<qint32, QString> design = window.texts;
        const QString germanStop = s.manager.LookupConstant(u"StrStopp"_s);

        const LanguageSwitch toEnglish = s.manager.ActivateLanguage(LangIdEnglishUK);
        QVERIFY(toEnglish.ok() && toEnglish.changed);
        QCOMPARE(s.manager.CurrentLanguage(), LangIdEnglishUK);
        const TLangCompTranslations english = builtInEnglish();
        const TLangCompTranslation *form = english.section(Form1SectionName);
        QVERIFY(form);
        for (const auto &[id, text] : window.texts)
            QCOMPARE(text, *form->text(id));
        for (const QString &name : s.manager.constantNames())
            QCOMPARE(s.manager.LookupConstant(name), english.constants.value(name));

        const LanguageSwitch back = s.manager.ActivateLanguage(LangIdGerman);
        QVERIFY(back.ok() && back.changed);
        QCOMPARE(window.texts, design);
        QCOMPARE(s.manager.LookupConstant(u"StrStopp"_s), germanStop);
        const TLanguageManager fresh(u":/LANG_CONSTS"_s);
        for (const QString &name : s.manager.constantNames())
            QCOMPARE(s.manager.LookupConstant(name), fresh.LookupConstant(name));
    }

    void sameLanguageAgainChangesNothing()
    {
        Setup s;
        TLanguageController spin(Form1SectionName, Form1LangData(), s.manager);
        BoundTexts window;
        window.bindAll(spin);
        spin.loaded();
        QVERIFY(s.manager.ActivateLanguage(LangIdEnglishUK).changed);
        const int sets = window.sets;
        QVERIFY(!s.manager.ActivateLanguage(LangIdEnglishUK).changed);
        QCOMPARE(window.sets, sets);
        // An id that is not registered means the source language.
        QVERIFY(s.manager.ActivateLanguage(1036).changed);
        QCOMPARE(s.manager.CurrentLanguage(), LangIdGerman);
    }

    void abandonedActivationLeavesTheLanguageUnchanged_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("error");
        QTest::newRow("duplicate ID")
            << QByteArray("LANGID=1036\r\n[$CONSTANTS]\r\nStrStopp=Arr\xC3\xAAt\r\n"
                          "[Form1]\r\n00000004=D\xC3\xA9marrer\r\n00000004=again\r\n")
            << u"Loading translations failed.\r\nLine 5: Duplicate property value translation ID (4)"_s;
        QTest::newRow("missing file") << QByteArray() << u"cannot be read"_s;
    }
    void abandonedActivationLeavesTheLanguageUnchanged()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, error);
        Setup s;
        TestFolder folder;
        if (!file.isEmpty())
            folder.write(u"french.lng"_s, file);
        s.manager.AddLanguageFile(folder.file(u"french.lng"_s), 1036);
        TLanguageController spin(Form1SectionName, Form1LangData(), s.manager);
        BoundTexts window;
        window.bindAll(spin);
        spin.loaded();
        QVERIFY(s.manager.ActivateLanguage(LangIdEnglishUK).changed);
        const std::map<qint32, QString> before = window.texts;
        const int sets = window.sets;

        const LanguageSwitch french = s.manager.ActivateLanguage(1036);
        QVERIFY(!french.changed);
        QVERIFY2(french.error.contains(error), qPrintable(french.error));
        QCOMPARE(s.manager.CurrentLanguage(), LangIdEnglishUK);
        QCOMPARE(s.manager.LookupConstant(u"StrStopp"_s), u"&Stop"_s);
        QCOMPARE(window.sets, sets);
        QCOMPARE(window.texts, before);
    }

    // A translation that leaves texts out: controls fall back to their design text, constants
    // keep the text they had.
    void partialTranslationKeepsTheOtherTexts()
    {
        Setup s;
        TestFolder folder;
        folder.write(
            u"partial.lng"_s,
            "LANGID=1043\r\n[form1]\r\n00000004=Begin\r\n[$CONSTANTS]\r\nStrStart=Begin\r\n");
        s.manager.AddLanguageFile(folder.file(u"partial.lng"_s), 1043);
        TLanguageController spin(Form1SectionName, Form1LangData(), s.manager);
        BoundTexts window;
        window.bindAll(spin);
        spin.loaded();
        QVERIFY(s.manager.ActivateLanguage(LangIdEnglishUK).ok());
        QVERIFY(s.manager.ActivateLanguage(1043).changed);
        QCOMPARE(window.texts[4], u"Begin"_s);
        QCOMPARE(window.texts[5], u"design 5"_s);
        QCOMPARE(s.manager.LookupConstant(u"StrStart"_s), u"Begin"_s);
        QCOMPARE(s.manager.LookupConstant(u"StrStopp"_s), u"&Stop"_s);
    }

    // A window built while English is in force captures its German design texts and shows
    // English at once.
    void windowBuiltLaterGetsTheLanguageInForce()
    {
        Setup s;
        QVERIFY(s.manager.ActivateLanguage(LangIdEnglishUK).changed);
        TLanguageController spin(Form1SectionName, Form1LangData(), s.manager);
        BoundTexts window;
        window.bindAll(spin);
        spin.loaded();
        QCOMPARE(window.texts[27], *builtInEnglish().section(Form1SectionName)->text(27));
        QCOMPARE(spin.sourceText(27), u"design 27"_s);
        QVERIFY(s.manager.ActivateLanguage(LangIdGerman).changed);
        QCOMPARE(window.texts[27], u"design 27"_s);
    }

    // Setters run while the switch holds the manager's lock; the texts they look up are
    // already those of the new language.
    void settersSeeTheNewConstants()
    {
        Setup s;
        TLanguageController spin(Form1SectionName, Form1LangData(), s.manager);
        QString startStop;
        spin.bind(
            u"BTStartStop"_s, u"Caption"_s, [] { return u"&Start"_s; },
            [&](const QString &) { startStop = s.manager.LookupConstant(u"StrStopp"_s); });
        spin.loaded();
        QCOMPARE(spin.unboundIds().size(), Form1LangData().size() - 1);
        QVERIFY(s.manager.ActivateLanguage(LangIdEnglishUK).changed);
        QCOMPARE(startStop, u"&Stop"_s);
    }

    void controllerLeavesWithItsOwner()
    {
        Setup s;
        int sets = 0;
        {
            TLanguageController spin(Form1SectionName, Form1LangData(), s.manager);
            spin.bind(
                u"form1"_s, u"caption"_s, [] { return u"Tivrel"_s; },
                [&](const QString &) { ++sets; });
            spin.loaded();
        }
        QVERIFY(s.manager.ActivateLanguage(LangIdEnglishUK).changed);
        QCOMPARE(sets, 0);
    }
};

QTEST_GUILESS_MAIN(TestLangSwitch)
#include "tst_langswitch.moc"
