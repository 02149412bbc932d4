#include "app/uitext.h"

#include <QHash>

using namespace Qt::StringLiterals;

namespace {
// The German texts of the constants the main window needs until the language manager is in.
const QHash<QString, QString> &germanTexts()
{
    static const QHash<QString, QString> texts = {
        {u"StrStart"_s, u"&Start"_s},
        {u"StrStopp"_s, u"&Stopp"_s},
        {u"StrHallo"_s, u"Hallo!"_s},
        {u"StrTivrelHinweis"_s, u"Tivrel-Hinweis"_s},
        {u"StrZiehungEnde"_s, u"Diese Ziehung ist beendet"_s},
        {u"HinweisNeuerDurchgang"_s,
         u"Im verfügbaren Zahlenraum können keine weiteren Zahlen gezogen werden.\r\nUm neue "
         u"Zahlen zu ziehen, muss eine neuer Durchgang gestartet werden.\r\n(Konfiguration - "
         u"Neuer Durchgang)."_s},
        {u"StrAutoPilot"_s, u"Ab jetzt automatisch!"_s},
        {u"StrAutoStop"_s, u"AutoStop aktiv"_s},
        {u"HinweisLottoschein"_s,
         u"Die Liste zeigt eine Lotterie-Ziehung, die anderen Regeln unterliegt,\r\nals "
         u"Losziehungen.\r\n\r\n\"OK\" löscht die Liste und startet eine neue Ziehung.\r\n\r\n"
         u"\"Abbruch\" erlaubt Ihnen, die Daten vorher evtl. noch zu drucken\r\noder in eine "
         u"Datei zu exportieren."_s},
        {u"HinweisLottoscheinAn"_s,
         u"Für eine Lotterie-Ausspielung wird die Tabellenansicht geändert\r\nund die aktuelle "
         u"Liste gelöscht.\r\n\r\n\"OK\" setzt die gewünschte Ziehung fort.\r\n\r\n\"Abbruch\" "
         u"erlaubt Ihnen, die Daten vorher evtl. noch zu drucken\r\noder in eine Datei zu "
         u"exportieren."_s},
        {u"HinweisFuerendeNullen"_s,
         u"Der Anzeigenwechsel ist nicht innerhalb einer Ziehung möglich.\r\nEs muss eine neue "
         u"Ziehung gestartet, eine laufende gelöscht werden.\r\n\r\nSoll eine neue Ziehung "
         u"gestartet werden?"_s},
        {u"HinweisDateiNichtGefunden"_s,
         u"Die angegebene %s kann nicht geladen werden.\r\nBitte prüfen!"_s},
        {u"HilfeReset"_s,
         u"Die konfigurierte Ziehung ist unterbrochen.\r\n\r\nMit „Neuen Durchgang” wird eine "
         u"neue Ziehung gestartet.\r\nMit „Einstellung übernehmen” werden die aktuellen "
         u"Parameter (Zahlenbereich, Ziehungsmodus, etc.)\r\nfür die nächsten Ziehungen "
         u"verwendet."_s},
        {u"StrAutoPilotDoubletten"_s,
         u"Vorsicht:\r\nWenn Sie in einer laufenden Ziehung\r\nauf «Autopilot» umschalten, "
         u"können im\r\nBereich der manuellen Ziehungen doppelte\r\nZiehungsnummern auftreten. "
         u"(s. Hilfe)"_s},
        {u"StrNeueZiehungStarten"_s, u"Ziehung starten/fortsetzen"_s},
        {u"StrNeueZiehungVorbereiten"_s, u"Neue Ziehung vorbereiten..."_s},
        {u"StrModeManuell"_s, u"Ziehungsmodus: Manuell"_s},
        {u"StrModeTimer"_s, u"Ziehungsmodus: Zeitgesteuert"_s},
        {u"StrModeZeit"_s, u"Ziehungsmodus: Countdown/Zeitanzeige"_s},
        {u"StrModeLotto"_s, u"Ziehungsmodus: Lottoschein"_s},
        {u"StrGleich"_s, u"Gleich!"_s},
        {u"StrZiehungNaechste"_s, u"Nächsten Ziehung"_s},
        {u"StrZiehungZeit"_s, u"Zeit bis zur nächsten Ziehung"_s},
        {u"StrZiehungsintervall"_s, u"Ziehungsintervall:"_s},
        {u"StrStunde"_s, u"Stunde"_s},
        {u"StrMinute"_s, u"Minute"_s},
        {u"StrSekunde"_s, u"Sekunde"_s},
        {u"StrZeitMehrzahl"_s, u"n"_s},
        {u"StrDurchgangBeendet"_s, u"Durchgang beendet"_s},
        {u"StrZiehungQuote"_s, u"Ziehungsquote (%)"_s},
        {u"StrZiehungAnzahl"_s, u"Anzahl Ziehungen"_s},
        {u"StrFormResetHint1"_s, u"Einen Augenblick bitte. Der Ziehungsbereich für"_s},
        {u"StrFormResetHint2"_s,
         u"Nummern wird vorbereitet und eventuell bereits gezogene Zahlen daraus entfernt."_s},
        {u"StrSpielZahl"_s, u"Spiel / Zahl"_s},
        {u"StrTrostpreis"_s, u"Gewinn Nr. %s"_s},
        {u"HinweisLogNichtGeschrieben"_s,
         u"Das Ziehungsprotokoll %s kann nicht geschrieben werden.\r\nDie Ziehung bleibt "
         u"gültig; das Protokoll wird bei der nächsten Ziehung erneut geschrieben."_s},
        {u"HinweisUhrzeitUngueltig"_s,
         u"Die Uhrzeit %s ist keine gültige Uhrzeit.\r\nBitte als SS:MM zwischen 00:00 und "
         u"23:59 eingeben."_s},
    };
    return texts;
}
} // namespace

QString lng(const QString &name)
{
    return germanTexts().value(name);
}

QString lng(const char *name)
{
    return lng(QString::fromLatin1(name));
}

QString lngFormat(const char *name, const QVariantList &args)
{
    const QString pattern = lng(name);
    QString out;
    qsizetype next = 0;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern.at(i);
        if (c == u'%' && i + 1 < pattern.size()
            && (pattern.at(i + 1) == u's' || pattern.at(i + 1) == u'd')) {
            if (next < args.size())
                out += args.at(next++).toString();
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}
