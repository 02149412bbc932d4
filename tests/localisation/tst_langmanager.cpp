#include "localisation/codepage.h"
#include "localisation/langmanager.h"
#include "localisation/uitext.h"

#include <QTest>

using namespace Qt::StringLiterals;

// The built-in German constants, as the program shows them.
class TestLangManager : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void germanSourceTextsAreBuiltIn_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("HilfeReset")
            << u"Die konfigurierte Ziehung ist unterbrochen.\r\n\r\nMit „Neuen Durchgang” wird eine neue Ziehung gestartet.\r\nMit „Einstellung übernehmen” werden die aktuellen Parameter (Zahlenbereich, Ziehungsmodus, etc.)\r\nfür die nächsten Ziehungen verwendet."_s;
        QTest::newRow("HinweisDatei01") << u"Gewinnliste"_s;
        QTest::newRow("HinweisDatei02") << u"Datei"_s;
        QTest::newRow("HinweisDatei03") << u"Liste"_s;
        QTest::newRow("HinweisDateiNichtGefunden")
            << u"Die angegebene %s kann nicht geladen werden.\r\nBitte prüfen!"_s;
        QTest::newRow("HinweisFuerendeNullen")
            << u"Der Anzeigenwechsel ist nicht innerhalb einer Ziehung möglich.\r\nEs muss eine neue Ziehung gestartet, eine laufende gelöscht werden.\r\n\r\nSoll eine neue Ziehung gestartet werden?"_s;
        QTest::newRow("HinweisKonfiguration") << u"Konfiguration anpassen! (STRG-E)"_s;
        QTest::newRow("HinweisLottoschein")
            << u"Die Liste zeigt eine Lotterie-Ziehung, die anderen Regeln unterliegt,\r\nals Losziehungen.\r\n\r\n\"OK\" löscht die Liste und startet eine neue Ziehung.\r\n\r\n\"Abbruch\" erlaubt Ihnen, die Daten vorher evtl. noch zu drucken\r\noder in eine Datei zu exportieren."_s;
        QTest::newRow("HinweisLottoscheinAn")
            << u"Für eine Lotterie-Ausspielung wird die Tabellenansicht geändert\r\nund die aktuelle Liste gelöscht.\r\n\r\n\"OK\" setzt die gewünschte Ziehung fort.\r\n\r\n\"Abbruch\" erlaubt Ihnen, die Daten vorher evtl. noch zu drucken\r\noder in eine Datei zu exportieren."_s;
        QTest::newRow("HinweisNeuerDurchgang")
            << u"Im verfügbaren Zahlenraum können keine weiteren Zahlen gezogen werden.\r\nUm neue Zahlen zu ziehen, muss eine neuer Durchgang gestartet werden.\r\n(Konfiguration - Neuer Durchgang)."_s;
        QTest::newRow("HinweisNichtGefunden") << u"-- Nicht gefunden! --"_s;
        QTest::newRow("HinweisZiehungsdatei")
            << u"Der Wechsel zwischen «Zahlen-Ziehung» und\r\n«Ziehung aus Datei» oder das Laden/Entfernen\r\neiner Ziehungsdatei löscht den laufenden\r\nDurchgang. Wollen Sie das?"_s;
        QTest::newRow("NavKonfig") << u"Konfigurieren"_s;
        QTest::newRow("NavOption") << u"Optionen"_s;
        QTest::newRow("NavStart") << u"Ziehungsmodus einstellen"_s;
        QTest::newRow("StrAutoPilot") << u"Ab jetzt automatisch!"_s;
        QTest::newRow("StrAutoPilotDoubletten")
            << u"Vorsicht:\r\nWenn Sie in einer laufenden Ziehung\r\nauf «Autopilot» umschalten, können im\r\nBereich der manuellen Ziehungen doppelte\r\nZiehungsnummern auftreten. (s. Hilfe)"_s;
        QTest::newRow("StrAutoStop") << u"AutoStop aktiv"_s;
        QTest::newRow("StrDateiNichtGefunden") << u"Datei nicht gefunden!"_s;
        QTest::newRow("StrDurchgangBeendet") << u"Durchgang beendet"_s;
        QTest::newRow("StrFormResetHint1") << u"Einen Augenblick bitte. Der Ziehungsbereich für"_s;
        QTest::newRow("StrFormResetHint2")
            << u"Nummern wird vorbereitet und eventuell bereits gezogene Zahlen daraus entfernt."_s;
        QTest::newRow("StrGewinn") << u"Ihr Gewinn"_s;
        QTest::newRow("StrGleich") << u"Gleich!"_s;
        QTest::newRow("StrHallo") << u"Hallo!"_s;
        QTest::newRow("StrIntervall") << u"Intervall"_s;
        QTest::newRow("StrTivrelHinweis") << u"Tivrel-Hinweis"_s;
        QTest::newRow("StrLosnummer") << u"Gewinner/Losnr."_s;
        QTest::newRow("StrLotto") << u"Lotto"_s;
        QTest::newRow("StrLottomodus") << u"Lottomodus"_s;
        QTest::newRow("StrLottoziehungEnde") << u"Ziehung Lottoschein-Vorschlag beendet"_s;
        QTest::newRow("StrLottoziehungStart") << u"Vorschlag für Lottoschein ziehen"_s;
        QTest::newRow("StrMinute") << u"Minute"_s;
        QTest::newRow("StrModeLotto") << u"Ziehungsmodus: Lottoschein"_s;
        QTest::newRow("StrModeManuell") << u"Ziehungsmodus: Manuell"_s;
        QTest::newRow("StrModeTimer") << u"Ziehungsmodus: Zeitgesteuert"_s;
        QTest::newRow("StrModeZeit") << u"Ziehungsmodus: Countdown/Zeitanzeige"_s;
        QTest::newRow("StrModus") << u"Modus"_s;
        QTest::newRow("StrNeueZiehungStarten") << u"Ziehung starten/fortsetzen"_s;
        QTest::newRow("StrNeueZiehungVorbereiten") << u"Neue Ziehung vorbereiten..."_s;
        QTest::newRow("StrSekunde") << u"Sekunde"_s;
        QTest::newRow("StrSpiel") << u"Spiel"_s;
        QTest::newRow("StrSpiele") << u"Spiele"_s;
        QTest::newRow("StrSpielZahl") << u"Spiel / Zahl"_s;
        QTest::newRow("StrStart") << u"&Start"_s;
        QTest::newRow("StrStartwert") << u"Startwert"_s;
        QTest::newRow("StrStopp") << u"&Stopp"_s;
        QTest::newRow("StrStunde") << u"Stunde"_s;
        QTest::newRow("StrTrostpreis") << u"Gewinn Nr. %s"_s;
        QTest::newRow("StrTXTausgabe1") << u"Ziehung\t\tSpiel/Zahl"_s;
        QTest::newRow("StrTXTausgabe2") << u"Ziehung\t\tZahl"_s;
        QTest::newRow("StrTXTausgabe3") << u"Ziehung\t\tGewinn\t\tGewinner/Losnr."_s;
        QTest::newRow("StrZeit") << u"Zeit"_s;
        QTest::newRow("StrZeitMehrzahl") << u"n"_s;
        QTest::newRow("StrZiehung") << u"Ziehung"_s;
        QTest::newRow("StrZiehungAnzahl") << u"Anzahl Ziehungen"_s;
        QTest::newRow("StrZiehungCSV2") << u"\"Ziehung\",\"Zahl\""_s;
        QTest::newRow("StrZiehungCSV3") << u"\"Ziehung\",\"Spiel/Zahl\""_s;
        QTest::newRow("StrZiehungCSV4") << u"\"Ziehung\",\"Gewinn\",\"Gewinner/Losnr.\""_s;
        QTest::newRow("StrZiehungen") << u"Ziehungen"_s;
        QTest::newRow("StrZiehungEnde") << u"Diese Ziehung ist beendet"_s;
        QTest::newRow("StrZiehungErg") << u"Ziehungsergebnisse"_s;
        QTest::newRow("StrZiehungNaechste") << u"Nächsten Ziehung"_s;
        QTest::newRow("StrZiehungQuote") << u"Ziehungsquote (%)"_s;
        QTest::newRow("StrZiehungsintervall") << u"Ziehungsintervall:"_s;
        QTest::newRow("StrZiehungSpielZahl") << u"Spiel/Zahl"_s;
        QTest::newRow("StrZiehungZahl") << u"Zahl"_s;
        QTest::newRow("StrZiehungZeit") << u"Zeit bis zur nächsten Ziehung"_s;
    }
    void germanSourceTextsAreBuiltIn()
    {
        QFETCH(QString, text);
        QCOMPARE(LangManager().LookupConstant(QString::fromLatin1(QTest::currentDataTag())), text);
    }

    void builtInStreamHoldsExactlyTheListedConstants()
    {
        // The listed ones, the notices of the log, the time of day, the picture and skipped
        // log lines, the file size limit, the three list notices, the nine texts of the
        // show options, the nine of the verifiable draw and the 27 of lists from spreadsheets and
        // of the report on a list.
        QCOMPARE(LangManager().constantNames().size(), 121);
    }

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
