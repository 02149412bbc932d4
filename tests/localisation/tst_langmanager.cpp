#include "localisation/codepage.h"
#include "localisation/langmanager.h"
#include "localisation/uitext.h"

#include <QTest>

using namespace Qt::StringLiterals;

// The built-in German constants, as the program shows them.
class TestLangManager : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void lookupIgnoresCase()
    {
        QCOMPARE(LangManager().LookupConstant(u"strstart"_s), u"&Start"_s);
        QCOMPARE(LangManager().LookupConstant(u"STRZIEHUNGZAHL"_s), u"Zahl"_s);
    }

    void missingConstantRaisesLocalizationError()
    {
        try {
            LangManager().LookupConstant(u"StrGibtEsNicht"_s);
            QFAIL("no error raised");
        } catch (const LocalizationError &error) {
            QCOMPARE(error.message(), u"Constant \"StrGibtEsNicht\" not found"_s);
        }
    }

    void missingConstantShowsItsNameAndIsLogged_data()
    {
        QTest::addColumn<bool>("formatted");
        QTest::newRow("lookup") << false;
        QTest::newRow("formatted") << true;
    }
    void missingConstantShowsItsNameAndIsLogged()
    {
        // The texts the window shows: a missing constant must not throw through the event loop.
        QFETCH(bool, formatted);
        QTest::ignoreMessage(QtWarningMsg, "Constant \"StrGibtEsNicht\" not found");
        const QString text =
            formatted ? lngFormat("StrGibtEsNicht", {u"x"_s, 3}) : lng("StrGibtEsNicht");
        QCOMPARE(text, u"StrGibtEsNicht"_s);
        // Present constants are unaffected.
        QCOMPARE(lng("StrStart"), u"&Start"_s);
        QCOMPARE(lngFormat("StrTrostpreis", {7}), u"Gewinn Nr. 7"_s);
    }

    void languagesStartAsUnitedStatesEnglish()
    {
        TLanguageManager manager;
        QCOMPARE(manager.SourceLanguage(), quint16(1033));
        QCOMPARE(manager.CurrentLanguage(), quint16(1033));
        manager.SetSourceLanguage(LangIdGerman);
        QCOMPARE(manager.SourceLanguage(), LangIdGerman);
        QCOMPARE(manager.CurrentLanguage(), quint16(1033));
    }

    void germanConstantsAreFormatted()
    {
        QCOMPARE(LangManager().FormatConstant(u"HinweisDateiNichtGefunden"_s, {u"Gewinnliste"_s}),
                 u"Die angegebene Gewinnliste kann nicht geladen werden.\r\nBitte prüfen!"_s);
        QCOMPARE(LangManager().FormatConstant(u"StrTrostpreis"_s, {3}), u"Gewinn Nr. 3"_s);
    }

    void englishFileNotFoundNoticeHasNoPlaceholder()
    {
        TLanguageManager manager;
        const QString english = u"The appointed list (file) can not be loaded.\r\nPlease check!"_s;
        manager.applyTranslation({{u"HinweisDateiNichtGefunden"_s, english}}, LangIdEnglishUK);
        QCOMPARE(manager.FormatConstant(u"HinweisDateiNichtGefunden"_s, {u"liste.txt"_s}), english);
    }

    // A translation replaces the texts it names and leaves the others; going back
    // to the source language restores every source text.
    void translationAndResetSwitchTheTexts()
    {
        TLanguageManager manager;
        manager.SetSourceLanguage(LangIdGerman);
        manager.applyTranslation({{u"StrStopp"_s, u"&Stop"_s},
                                  {u"strhallo"_s, u"Hello!"_s},
                                  {u"NoSuchConstant"_s, u"ignored"_s}},
                                 LangIdEnglishUK);
        QCOMPARE(manager.CurrentLanguage(), LangIdEnglishUK);
        QCOMPARE(manager.LookupConstant(u"StrStopp"_s), u"&Stop"_s);
        QCOMPARE(manager.LookupConstant(u"StrHallo"_s), u"Hello!"_s);
        QCOMPARE(manager.LookupConstant(u"StrGleich"_s), u"Gleich!"_s);
        // A translation adds no constants.
        QCOMPARE(manager.constantNames().size(), LangManager().constantNames().size());

        manager.applyTranslation({{u"StrGleich"_s, u"Just a Minute!"_s}}, LangIdEnglishUK);
        QCOMPARE(manager.LookupConstant(u"StrStopp"_s), u"&Stop"_s);
        QCOMPARE(manager.LookupConstant(u"StrGleich"_s), u"Just a Minute!"_s);

        manager.resetToSource(LangIdGerman);
        QCOMPARE(manager.CurrentLanguage(), LangIdGerman);
        QCOMPARE(manager.LookupConstant(u"StrStopp"_s), u"&Stopp"_s);
        QCOMPARE(manager.LookupConstant(u"StrHallo"_s), u"Hallo!"_s);
        QCOMPARE(manager.LookupConstant(u"StrGleich"_s), u"Gleich!"_s);
        // the process-wide manager is another object and kept its texts
        QCOMPARE(LangManager().LookupConstant(u"StrStopp"_s), u"&Stopp"_s);
    }

    void constantNamesAreInNameOrder()
    {
        const QStringList names = LangManager().constantNames();
        for (qsizetype i = 1; i < names.size(); ++i)
            QVERIFY(names.at(i - 1).compare(names.at(i), Qt::CaseInsensitive) < 0);
        QVERIFY(names.contains(u"StrTivrelHinweis"_s));
    }

    void missingConstantsStreamLeavesTheListEmpty()
    {
        const TLanguageManager manager(u":/no/such/stream"_s);
        QVERIFY(manager.constantNames().isEmpty());
        QVERIFY_THROWS_EXCEPTION(LocalizationError, manager.LookupConstant(u"StrStart"_s));
    }

    void languageCodePageIsTheSystemsEightBitEncoding()
    {
        QCOMPARE(LangManager().LanguageCodePage(), CodePageUtf8);
    }
};

QTEST_GUILESS_MAIN(TestLangManager)
#include "tst_langmanager.moc"
