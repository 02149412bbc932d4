#include "localisation/langmanager.h"
#include "localisation/uitext.h"
#include "presentation/helppages.h"

#include <QRegularExpression>
#include <QTest>

class TestHelpPages : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { SetHelpLanguage(LangIdGerman); }
    void everyPageHasTheDocumentForm_data();
    void everyPageHasTheDocumentForm();
    void languageFollowsTheLanguageId();
    void missingPageShowsTheWelcomePage();
};

void TestHelpPages::everyPageHasTheDocumentForm_data()
{
    QTest::addColumn<quint16>("language");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QStringList>("headings");
    const QList<std::pair<quint16, const char *>> languages{{LangIdGerman, "de"},
                                                            {LangIdEnglishUK, "en"}};
    for (const auto &entry : languages) {
        const quint16 language = entry.first;
        const char *const tag = entry.second;
        const bool de = language == LangIdGerman;
        auto row = [&](const char *key, QStringList headings) {
            QTest::addRow("%s %s", tag, key) << language << QString::fromLatin1(key) << headings;
        };
        row("HTMLStart", {de ? QStringLiteral("Willkommen!") : QStringLiteral("Welcome!")});
        row("HTMLAktion",
            de ? QStringList{QStringLiteral("Ziehungsmodus"), QStringLiteral("Manuelle Ziehung"),
                             QStringLiteral("Automatisch alle (Sekunden)"),
                             QStringLiteral("Nächste Ziehung um (Uhr)"),
                             QStringLiteral("Nächste Ziehung um (Countdown)"),
                             QStringLiteral("Lottozahlen")}
               : QStringList{QStringLiteral("Draw mode")});
        row("HTMLQuote",
            de ? QStringList{QStringLiteral("Zahlenbereich und Quote einstellen"),
                             QStringLiteral("Minimum/Maximum"), QStringLiteral("Nullen füllen"),
                             QStringLiteral("Aus Datei"),
                             QStringLiteral("Ziehungsquote / Anzahl Ziehungen"),
                             QStringLiteral("Autopilot"), QStringLiteral("Gewinnliste")}
               : QStringList{QStringLiteral("Autopilot")});
        row("HTMLLotto",
            de ? QStringList{QStringLiteral("Die Lottofunktion konfigurieren"),
                             QStringLiteral("Wichtige Unterschiede zu den anderen Modi")}
               : QStringList{QStringLiteral("Setting up the lottery")});
        row("HTMLOptionen",
            de ? QStringList{QStringLiteral("Optionen"), QStringLiteral("Sprache"),
                             QStringLiteral("Liste aus"), QStringLiteral("Maximiert"),
                             QStringLiteral("Effekte"), QStringLiteral("Zahlenregen"),
                             QStringLiteral("Farben"), QStringLiteral("Klang"),
                             QStringLiteral("Bis Ende"), QStringLiteral("Hintergrundbild"),
                             QStringLiteral("Hintergrundbild animiert")}
               : QStringList{QStringLiteral("Options"), QStringLiteral("To End")});
        row("HTMLHilfe", {de ? QStringLiteral("Hilfe - Grundlegende Funktionen")
                             : QStringLiteral("Help - Basic functions")});
    }
}

void TestHelpPages::everyPageHasTheDocumentForm()
{
    QFETCH(quint16, language);
    QFETCH(QString, key);
    QFETCH(QStringList, headings);
    const bool single = key == QLatin1String("HTMLHilfe");
    const QString a = helpPageText(single ? key : key + QLatin1Char('A'), language);
    const QString b = single ? QString() : helpPageText(key + QLatin1Char('B'), language);
    QVERIFY(!a.isEmpty());
    QVERIFY(single || !b.isEmpty());
    const QString page = a + b;
    QVERIFY(page.startsWith(QLatin1String("<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict")));
    QVERIFY(page.endsWith(QLatin1String("</body></html>")));
    QVERIFY(!page.contains(QLatin1String("<!-- B -->")));
    QVERIFY(page.contains(QLatin1String(
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\" />")));
    QVERIFY(page.contains(QRegularExpression(QStringLiteral("<title>[^<]+</title>"))));
    // One style block, the same in every page and language.
    static const QRegularExpression style(QStringLiteral("<style[^>]*>.*</style>"),
                                          QRegularExpression::DotMatchesEverythingOption);
    const QString block = style.match(page).captured();
    QVERIFY(block.contains(QLatin1String(".w { font-size: 0.8em; color: #cc3333; }")));
    QCOMPARE(block,
             style.match(helpPageText(QStringLiteral("HTMLStartA"), LangIdGerman)).captured());
    QCOMPARE(page.count(QLatin1String("<style")), 1);
    for (const QString &heading : headings) {
        const QRegularExpression tag(QStringLiteral("<h[234]>") +
                                         QRegularExpression::escape(heading) +
                                         QStringLiteral("</h[234]>"),
                                     QRegularExpression::CaseInsensitiveOption);
        QVERIFY2(page.contains(tag), qPrintable(heading));
    }
}

void TestHelpPages::languageFollowsTheLanguageId()
{
    const QString german = helpPageText(QStringLiteral("HTMLHilfe"), LangIdGerman);
    const QString english = helpPageText(QStringLiteral("HTMLHilfe"), LangIdEnglishUK);
    QVERIFY(german != english);
    QCOMPARE(helpPageText(QStringLiteral("htmlhilfe"), 2055), german); // Swiss German
    QCOMPARE(helpPageText(QStringLiteral("HTMLHilfe"), LangIdEnglishUS), english);

    QCOMPARE(helpText(QStringLiteral("HTMLHilfe")), german);
    SetHelpLanguage(LangIdEnglishUK);
    QCOMPARE(helpText(QStringLiteral("HTMLHilfe")), english);
    QCOMPARE(GeneralHelp(), english);
    QCOMPARE(PageHelp(QStringLiteral("HTMLQuote")),
             helpPageText(QStringLiteral("HTMLQuoteA"), LangIdEnglishUK) +
                 helpPageText(QStringLiteral("HTMLQuoteB"), LangIdEnglishUK));
}

void TestHelpPages::missingPageShowsTheWelcomePage()
{
    QVERIFY(helpText(QStringLiteral("HTMLNirgendsA")).isEmpty());
    QVERIFY(helpText(QStringLiteral("HTMLHilfeB")).isEmpty()); // a single page has no parts
    const QString welcome = PageHelp(QStringLiteral("HTMLStart"));
    QVERIFY(welcome.contains(QLatin1String("Willkommen!")));
    QCOMPARE(PageHelp(QStringLiteral("HTMLNirgends")), welcome);
    QCOMPARE(PageHelp(QString()), welcome);
}

QTEST_GUILESS_MAIN(TestHelpPages)
#include "tst_helppages.moc"
