#include "formfixture.h"

#include "app/windowlanguage.h"
#include "localisation/form1langdata.h"
#include "localisation/langfile.h"
#include "localisation/langmanager.h"

#include <QComboBox>
#include <QFile>

#include <map>

using namespace Qt::StringLiterals;

namespace {

TLangCompTranslations builtInEnglish()
{
    QFile file(u":/LNG_ENGLISH"_s);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return ParseLanguageFile(file.readAll()).translations;
}

std::map<qint32, QString> tableTexts(const TLanguageController &spin)
{
    std::map<qint32, QString> texts;
    for (const LangDataEntry &entry : Form1LangData())
        texts[entry.id] = spin.currentText(entry.id);
    return texts;
}

} // namespace

// The main window in German and in English.
class TestWindowLanguage : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void startupLanguageFollowsTheSystem_data()
    {
        QTest::addColumn<int>("system");
        QTest::addColumn<QByteArray>("settings"); // empty: a first start
        QTest::addColumn<bool>("english");
        QTest::newRow("Austria") << 3079 << QByteArray() << false;
        QTest::newRow("Switzerland") << 2055 << QByteArray() << false;
        QTest::newRow("France") << 1036 << QByteArray() << true;
        QTest::newRow("United Kingdom") << 2057 << QByteArray() << true;
        QTest::newRow("stored English on a German system")
            << 1031 << QByteArray("[DISPLAY]\r\nLanguage=1\r\n") << true;
        QTest::newRow("stored German on a French system")
            << 1036 << QByteArray("[DISPLAY]\r\nLanguage=0\r\n") << false;
        QTest::newRow("stored index beyond the list")
            << 1036 << QByteArray("[DISPLAY]\r\nLanguage=7\r\n") << true;
    }
    void startupLanguageFollowsTheSystem()
    {
        QFETCH(int, system);
        QFETCH(QByteArray, settings);
        QFETCH(bool, english);
        FormFixture fx;
        fx.platform.languageId = quint16(system);
        if (!settings.isEmpty())
            fx.folder.write(u"tivrel.ini"_s, settings);
        Form &form = fx.start(settings.isEmpty());

        QCOMPARE(LangManager().CurrentLanguage(), english ? LangIdEnglishUK : LangIdGerman);
        QCOMPARE(ui(fx.panel()).HilfeLng->count(), 2);
        QCOMPARE(ui(fx.panel()).HilfeLng->currentIndex(), english ? 1 : 0);
        const TLangCompTranslations translation = builtInEnglish();
        const TLanguageController &spin = form.parts.language.controller();
        QCOMPARE(form.child<QLabel>("Label3")->text(),
                 english ? *translation.section(Form1SectionName)->text(3) : spin.sourceText(3));
        // The headers of the exports come from the constants in force.
        const QString csvHeader =
            english ? translation.constants.value(u"StrZiehungCSV2"_s)
                    : TLanguageManager(u":/LANG_CONSTS"_s).LookupConstant(u"StrZiehungCSV2"_s);
        QCOMPARE(lng("StrZiehungCSV2"), csvHeader);
    }

    // The README's table of the settings' underlined letters gives each control's Alt key and
    // caption as the interface shows them, in both languages.
    void readmeGivesTheMnemonicsOfBothLanguages_data()
    {
        QTest::addColumn<bool>("english");
        QTest::newRow("German") << false;
        QTest::newRow("English") << true;
    }
    void readmeGivesTheMnemonicsOfBothLanguages()
    {
        QFETCH(bool, english);
        QFile readme(QFINDTESTDATA("../../README.md"));
        QVERIFY(readme.open(QIODevice::ReadOnly));
        const QString table = QString::fromUtf8(readme.readAll());
        FormFixture fx;
        fx.platform.languageId = english ? 2057 : 1031;
        Form &form = fx.start();
        int keys = 0;
        for (const char *name :
             {"Label1", "Label2", "LQuote", "BTDrucken", "BTHTML", "BTCSV", "BTTxT",
              "Reset_Ziehung", "BTEinstellungenSchliessen", "BTStartStop"}) {
            const QString caption = form.child<QWidget>(name)->property("text").toString();
            const qsizetype amp = caption.indexOf(u'&');
            if (amp < 0 || amp + 1 >= caption.size())
                continue;
            QString plain = caption;
            plain.remove(amp, 1);
            const QString row =
                u"Alt+"_s + caption.at(amp + 1).toUpper() + u" (\""_s + plain + u"\")"_s;
            QVERIFY2(table.contains(row), qPrintable(row));
            ++keys;
        }
        QVERIFY(keys >= 9);
    }

    void englishAndBackRestoresEveryGermanText()
    {
        FormFixture fx;
        fx.platform.languageId = 1031;
        Form &form = fx.start();
        const TLanguageController &spin = form.parts.language.controller();
        QVERIFY(spin.unboundIds().isEmpty());
        const std::map<qint32, QString> german = tableTexts(spin);
        const QString germanStop = lng("StrStopp");
        // A prize list or a lottery run renames the game column.
        fx.results().setHeaderText(ResultsModel::Spiel, lng("StrGewinn"));

        ui(fx.panel()).HilfeLng->setCurrentIndex(1);
        QCOMPARE(LangManager().CurrentLanguage(), LangIdEnglishUK);
        const TLangCompTranslations english = builtInEnglish();
        const TLangCompTranslation *texts = english.section(Form1SectionName);
        // The mode page's title and the quota's labels are texts the code sets; the others show
        // the language file's text.
        const QList<qint32> setByCode = {106, 118, 119, 127};
        for (const auto &[id, text] : tableTexts(spin)) {
            if (!setByCode.contains(id))
                QCOMPARE(text, *texts->text(id));
        }
        QCOMPARE(form.window->windowTitle(), *texts->text(1));
        QCOMPARE(fx.results().headerText(ResultsModel::Spiel), *texts->text(7));
        QCOMPARE(form.Hilfeviewer->font().family(), *texts->text(35));
        const QStringList modes = SplitTextLines(*texts->text(107));
        QCOMPARE(modes.size(), 5);
        QCOMPARE(ui(fx.panel()).DoStatus->count(), 5);
        for (int i = 0; i < modes.size(); ++i)
            QCOMPARE(ui(fx.panel()).DoStatus->itemText(i), modes.at(i));
        QCOMPARE(form.BTStartStop->text(), english.constants.value(u"StrStart"_s));
        QCOMPARE(lng("StrStopp"), english.constants.value(u"StrStopp"_s));
        // Texts the code sets are shown again in the new language.
        QCOMPARE(ui(fx.panel()).hpModus->text(), english.constants.value(u"StrModeManuell"_s));
        QCOMPARE(ui(fx.panel()).LQuote->text(),
                 english.constants.value(ui(fx.panel()).Ziehung_Prozent->isChecked()
                                             ? u"StrZiehungQuote"_s
                                             : u"StrZiehungAnzahl"_s));
        QCOMPARE(ui(fx.panel()).LAnzahl_Ziehungen->text(),
                 english.constants.value(u"StrZiehungAnzahl"_s) + u": "_s +
                     QString::number(form.pass().drawQuota()));

        ui(fx.panel()).HilfeLng->setCurrentIndex(0);
        QCOMPARE(LangManager().CurrentLanguage(), LangIdGerman);
        QCOMPARE(tableTexts(spin), german);
        QCOMPARE(ui(fx.panel()).HilfeLng->currentIndex(), 0);
        QCOMPARE(lng("StrStopp"), germanStop);
    }

    void startCaptionFollowsARunningDraw()
    {
        FormFixture fx;
        fx.platform.languageId = 2057;
        Form &form = fx.start();
        fx.draw().BTStartStopClick();
        QVERIFY(fx.running());
        QCOMPARE(form.BTStartStop->text(), lng("StrStopp"));
        ui(fx.panel()).HilfeLng->setCurrentIndex(0);
        QCOMPARE(form.BTStartStop->text(), lng("StrStopp"));
        QCOMPARE(lng("StrStopp"),
                 TLanguageManager(u":/LANG_CONSTS"_s).LookupConstant(u"StrStopp"_s));
    }
};

QTEST_MAIN(TestWindowLanguage)
#include "tst_windowlanguage.moc"
