#include "draw/drawmode.h"
#include "settings/settingscontrols.h"
#include "settings/settingspanel.h"
#include "support/panelcontrols.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTest>
#include <QWheelEvent>

namespace {
QString s(const char *text)
{
    return QString::fromUtf8(text);
}

using Captions = QList<std::pair<QString, QString>>; // control name, caption

// The captions in English, as the language file gives them, and the longest texts the
// program puts into labels at run time.
Captions englishCaptions()
{
    const char *const pairs[][2] = {
        {"btModus", "Mode"},
        {"btKonfig", "Configure"},
        {"btOptionen", "Options"},
        {"HilfeAktiv", "Help"},
        {"hpModus", "Choose Mode"},
        {"DoStatus", "Action"},
        {"chkAutostop", "Autostop"},
        {"hpQuote", "Number Area and Quota"},
        {"Label1", "&Between"},
        {"Label2", "&and"},
        {"ZeigeNullen", "Fill Zeros"},
        {"AusDatei", "From File"},
        {"lbAusDateiLaenge", "Display Length"},
        {"LQuote", "Quota (%)"},
        {"LAnzahl_Ziehungen", "Amount of Drawings: 900000"},
        {"ckAutopilot", "Autopilot"},
        {"cbWinnings", "Prices"},
        {"hpLotto", "Lottery Settings"},
        {"lbLottoBereich", "Draw"},
        {"Label4", "out of"},
        {"lbLottoSpiele", "Amount of Games"},
        {"LBLottoPool", "Spread pool over"},
        {"lbLottoAnzahl", "Game"},
        {"hpOptionen", "Options"},
        {"lbHilfeLng", "Language:"},
        {"cbMaximiert", "Maximized"},
        {"Label5", "Effects"},
        {"cbNumberEffect", "Number Rain"},
        {"cbFarbenregen", "Colors"},
        {"cbSound", "Sound"},
        {"cbHintergrund", "Illustration"},
        {"cbHintergrundAnimiert", "Animated"},
        {"Label6", "Foreground Color"},
        {"Label7", "Background Color"},
        {"cbSchleife", "To End"},
        {"cbListeAus", "Hide List"},
        {"BTDrucken", "Print &Results"},
        {"BTHTML", "Export to &HTML"},
        {"BTCSV", "Export to &CSV"},
        {"BTTxT", "Export to &TXT"},
        {"Reset_Ziehung", "&New Pass"},
        {"BTEinstellungenSchliessen", "Apply S&ettings"},
    };
    Captions captions;
    for (const auto &pair : pairs)
        captions.append({s(pair[0]), s(pair[1])});
    return captions;
}

// German run-time texts: the quota label in count mode and the computed number of draws.
Captions germanRunTimeTexts()
{
    return {{s("LQuote"), s("Ziehungsquote (%)")},
            {s("LAnzahl_Ziehungen"), s("Anzahl Ziehungen: 900000")}};
}

void applyCaptions(SettingsPanel &panel, const Captions &captions)
{
    for (const auto &[name, text] : captions) {
        QWidget *w = panel.findChild<QWidget *>(name);
        QVERIFY2(w, qPrintable(name));
        if (auto *label = qobject_cast<QLabel *>(w))
            label->setText(text);
        else if (auto *button = qobject_cast<QAbstractButton *>(w))
            button->setText(text);
        else if (auto *group = qobject_cast<QGroupBox *>(w))
            group->setTitle(text);
    }
    if (captions.size() > 5) {
        const QStringList modes{s("Hand Operated"), s("Every (seconds)"), s("Next (Time of Day)"),
                                s("Next (Count Down)"), s("Lottery")};
        for (int i = 0; i < modes.size(); ++i)
            ui(panel).DoStatus->setItemText(i, modes.at(i));
    }
}

void fillLanguages(SettingsPanel &panel)
{
    ui(panel).HilfeLng->addItems({s("Deutsch (Deutschland)"), s("English (United Kingdom)")});
}

// Brings a page to the front through its button, as the user does.
void openPage(SettingsPanel &panel, QWidget *page)
{
    if (page == ui(panel).konfAktion) {
        ui(panel).btModus->click();
    } else if (page == ui(panel).konfOptionen) {
        ui(panel).btOptionen->click();
    } else {
        ui(panel).DoStatus->setItemIndex(page == ui(panel).konfLotto ? 4 : 0);
        ui(panel).btKonfig->click();
    }
    QCOMPARE(ui(panel).Konfiguration->currentWidget(), page);
}

QStringList tabChain(QWidget *start, int steps)
{
    start->setFocus(Qt::TabFocusReason);
    QStringList names;
    for (int i = 0; i < steps; ++i) {
        QWidget *focus = QApplication::focusWidget();
        // Spin boxes and file fields pass the focus to their inner line edit.
        while (focus && focus->objectName().isEmpty())
            focus = focus->parentWidget();
        names << (focus ? focus->objectName() : s("<none>"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    return names;
}
} // namespace

class TestSettingsPanel : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void pageButtonsChooseThePageAndAnnounceItsHelp_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("help");
        QTest::addColumn<QString>("page");      // the page in front afterwards
        QTest::addColumn<QString>("announced"); // the help announced, empty for none

        QTest::newRow("Modus") << 0 << s("btModus") << true << s("konfAktion") << s("HTMLAktion");
        QTest::newRow("Optionen") << 0 << s("btOptionen") << true << s("konfOptionen")
                                  << s("HTMLOptionen");
        QTest::newRow("Konfigurieren, manual")
            << 0 << s("btKonfig") << true << s("konfQuote") << s("HTMLQuote");
        QTest::newRow("Konfigurieren, timed")
            << 1 << s("btKonfig") << true << s("konfQuote") << s("HTMLQuote");
        QTest::newRow("Konfigurieren, lottery")
            << 4 << s("btKonfig") << true << s("konfLotto") << s("HTMLLotto");
        QTest::newRow("Konfigurieren, time of day")
            << 2 << s("btKonfig") << true << s("konfOptionen") << QString();
        QTest::newRow("Konfigurieren, countdown")
            << 3 << s("btKonfig") << true << s("konfOptionen") << QString();
        QTest::newRow("help off") << 0 << s("btKonfig") << false << s("konfQuote") << QString();
    }
    void pageButtonsChooseThePageAndAnnounceItsHelp()
    {
        QFETCH(int, mode);
        QFETCH(QString, button);
        QFETCH(bool, help);
        QFETCH(QString, page);
        QFETCH(QString, announced);
        SettingsPanel panel;
        QCOMPARE(panel.activePageCaption(), s("HTMLAktion")); // the page at start-up
        ui(panel).btOptionen->click();
        ui(panel).DoStatus->setItemIndex(mode);
        ui(panel).HilfeAktiv->setChecked(help);
        QSignalSpy help_(&panel, &SettingsPanel::helpPageRequested);
        panel.findChild<QPushButton *>(button)->click();
        QCOMPARE(ui(panel).Konfiguration->currentWidget()->objectName(), page);
        QCOMPARE(help_.size(), announced.isEmpty() ? 0 : 1);
        if (!announced.isEmpty())
            QCOMPARE(help_.at(0).at(0).toString(), announced);
        // Exactly the button of the page in front looks pressed.
        const bool quotaOrLotto =
            page == QLatin1String("konfQuote") || page == QLatin1String("konfLotto");
        QCOMPARE(ui(panel).btModus->isChecked(), page == QLatin1String("konfAktion"));
        QCOMPARE(ui(panel).btKonfig->isChecked(), quotaOrLotto);
        QCOMPARE(ui(panel).btOptionen->isChecked(), page == QLatin1String("konfOptionen"));
    }

    // The notes under the quota and the pool report are a step smaller than the platform's
    // font, whether that font is given in points or in pixels.
    void notesAreSmallerThanThePlatformFont_data()
    {
        QTest::addColumn<QFont>("platformFont");
        QFont points(QApplication::font());
        points.setPointSizeF(10);
        QFont pixels(QApplication::font());
        pixels.setPixelSize(13);
        QTest::newRow("points") << points;
        QTest::newRow("pixels") << pixels;
    }
    void notesAreSmallerThanThePlatformFont()
    {
        QFETCH(QFont, platformFont);
        const QFont before = QApplication::font();
        QApplication::setFont(platformFont);
        QTest::failOnWarning(QRegularExpression(s("QFont")));
        SettingsPanel panel;
        QApplication::setFont(before);
        const QFontInfo normal(platformFont);
        for (const QLabel *note : {ui(panel).LAnzahl_Ziehungen, ui(panel).lbPoolReport}) {
            const QFontInfo small(note->font());
            QVERIFY2(small.pixelSize() > 0 && small.pixelSize() < normal.pixelSize(),
                     qPrintable(note->objectName()));
        }
    }

    void settingXStaysCentred_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("left");
        QTest::newRow("design width") << 549 << 0;
        QTest::newRow("wider") << 800 << 125;
        QTest::newRow("odd difference") << 1280 << 365;
        QTest::newRow("narrower") << 500 << -24;
    }
    void settingXStaysCentred()
    {
        QFETCH(int, width);
        QFETCH(int, left);
        SettingsPanel panel;
        panel.resize(width, 300);
        panel.show();
        QCOMPARE(panel.height(), SettingsPanel::PanelHeight);
        QCOMPARE(ui(panel).SettingX->x(), left);
        QCOMPARE(ui(panel).SettingX->width(), SettingsPanel::SettingXWidth);
        QCOMPARE(ui(panel).Konfiguration->size(),
                 QSize(SettingsPanel::PageWidth, SettingsPanel::PageHeight));
        QCOMPARE(ui(panel).BTDrucken->width(), SettingsPanel::ButtonColumnWidth);
        // The apply button is larger than the others and below them.
        QVERIFY(ui(panel).BTEinstellungenSchliessen->height() > ui(panel).Reset_Ziehung->height());
        QVERIFY(ui(panel).BTEinstellungenSchliessen->y() >
                ui(panel).Reset_Ziehung->geometry().bottom() + 10);
    }

    void captionsFitAtTheDesignSize_data()
    {
        QTest::addColumn<Captions>("captions");
        QTest::addColumn<bool>("countMode"); // the quota as a count: the note is hidden
        const Captions english = englishCaptions();
        Captions englishCount = english;
        englishCount.append({s("LQuote"), s("Amount of Drawings")});
        QTest::newRow("German, percent") << germanRunTimeTexts() << false;
        QTest::newRow("German, count") << Captions{{s("LQuote"), s("Anzahl Ziehungen")}} << true;
        QTest::newRow("English, percent") << english << false;
        QTest::newRow("English, count") << englishCount << true;
    }
    void captionsFitAtTheDesignSize()
    {
        QFETCH(Captions, captions);
        QFETCH(bool, countMode);
        SettingsPanel panel;
        fillLanguages(panel);
        applyCaptions(panel, captions);
        ui(panel).LAnzahl_Ziehungen->setVisible(!countMode);
        if (countMode) {
            ui(panel).Ziehungsquote->setDecimals(0);
            ui(panel).Ziehungsquote->setMaximum(1000000);
        }
        ui(panel).lbAutopilotRest->setText(s(" + 9999"));
        ui(panel).lbAutopilotRest->show();
        panel.resize(SettingsPanel::SettingXWidth, SettingsPanel::PanelHeight);
        panel.show();
        QStringList cut;
        for (QWidget *page : {ui(panel).konfAktion, ui(panel).konfQuote, ui(panel).konfLotto,
                              ui(panel).konfOptionen}) {
            openPage(panel, page);
            QCoreApplication::processEvents();
            const QRect inside = ui(panel).SettingX->rect();
            for (QWidget *w : ui(panel).SettingX->findChildren<QWidget *>()) {
                // Our controls; the inner parts of Qt's compound widgets size themselves.
                if (!w->isVisible() || qobject_cast<WrapButton *>(w) || w->objectName().isEmpty() ||
                    w->objectName().startsWith(QLatin1String("qt_")))
                    continue;
                const bool hasText = qobject_cast<QLabel *>(w) ||
                                     qobject_cast<QAbstractButton *>(w) ||
                                     qobject_cast<QAbstractSpinBox *>(w);
                if (hasText && w->width() < w->sizeHint().width())
                    cut << w->objectName() + s(" too narrow (%1 < %2)")
                                                 .arg(w->width())
                                                 .arg(w->sizeHint().width());
                if (w->height() < w->minimumSizeHint().height())
                    cut << w->objectName() + s(" squeezed");
                const QRect r(w->mapTo(ui(panel).SettingX, QPoint(0, 0)), w->size());
                // The options page's fields scroll: what lies below is reached by scrolling.
                const bool scrolls =
                    w->objectName() == s("konfOptionenFelder") ||
                    panel.findChild<QWidget *>(s("konfOptionenFelder"))->isAncestorOf(w);
                if (!inside.contains(r) && !scrolls)
                    cut << w->objectName() + s(" outside");
                if (w->parentWidget() == page && !page->rect().contains(w->geometry()))
                    cut << w->objectName() + s(" outside its page");
            }
        }
        cut.removeDuplicates();
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(s(", "))));
    }

    void tabFollowsTheVisiblePage_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QStringList>("chain");
        const QStringList top{s("btModus"), s("btKonfig"), s("btOptionen"), s("HilfeAktiv")};
        const QStringList buttons{s("BTDrucken"),     s("BTHTML"),
                                  s("BTCSV"),         s("BTTxT"),
                                  s("Reset_Ziehung"), s("BTEinstellungenSchliessen"),
                                  s("btModus")};
        QTest::newRow("mode") << s("konfAktion")
                              << top + QStringList{s("DoStatus"), s("chkAutostop"), s("Sekunden")} +
                                     buttons;
        QTest::newRow("quota") << s("konfQuote")
                               << top + QStringList{s("Minimum"),         s("Maximum"),
                                                    s("ZeigeNullen"),     s("AusDateiLaenge"),
                                                    s("AusDatei"),        s("AusDateiPfad"),
                                                    s("AusDateiPfad"),    s("Ziehungsquote"),
                                                    s("Ziehung_Prozent"), s("ckAutopilot"),
                                                    s("cbWinnings"),      s("edWinnings"),
                                                    s("edWinnings")} +
                                      buttons;
        QTest::newRow("lottery") << s("konfLotto")
                                 << top + QStringList{s("Lotto_n"),        s("Lotto_x"),
                                                      s("Lotto_Spiele"),   s("Lotto_Pool"),
                                                      s("cbNachpruefbar"), s("edPublikumswort")} +
                                        buttons;
        QTest::newRow("options") << s("konfOptionen")
                                 << top +
                                        QStringList{s("HilfeLng"),
                                                    s("cbNumberEffect"),
                                                    s("cbFarbenregen"),
                                                    s("cbSound"),
                                                    s("cbSchleife"),
                                                    s("edSoundfile"),
                                                    s("edSoundfile"),
                                                    s("edHintergrundbild"),
                                                    s("edHintergrundbild"),
                                                    s("cpVordergrund"),
                                                    s("cbListeAus"),
                                                    s("cpHintergrund"),
                                                    s("cbMaximiert"),
                                                    s("cbPublikum"),
                                                    s("cbSanft"),
                                                    s("cbAnsagen"),
                                                    s("cbWeb"),
                                                    s("sbWebPort"),
                                                    s("cbWebAdresse"),
                                                    s("cbWebEcke")} +
                                        buttons;
    }
    void tabFollowsTheVisiblePage()
    {
        QFETCH(QString, page);
        QFETCH(QStringList, chain);
        SettingsPanel panel;
        fillLanguages(panel);
        ui(panel).DoStatus->setItemIndex(int(DrawMode::Manual));
        panel.resize(700, 300);
        panel.show();
        activate(panel);
        openPage(panel, panel.findChild<QWidget *>(page));
        QCOMPARE(tabChain(ui(panel).btModus, int(chain.size())), chain);
    }

    void mnemonicsReachTheirControls_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<char>("key");
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("clicks"); // a button is pressed rather than focused
        QTest::newRow("Zahlen zwischen") << s("konfQuote") << 'z' << s("Minimum") << false;
        QTest::newRow("und") << s("konfQuote") << 'u' << s("Maximum") << false;
        QTest::newRow("Ziehungsquote") << s("konfQuote") << 'o' << s("Ziehungsquote") << false;
        QTest::newRow("drucken") << s("konfAktion") << 'd' << s("BTDrucken") << true;
        QTest::newRow("HTML") << s("konfAktion") << 'h' << s("BTHTML") << true;
        QTest::newRow("CSV") << s("konfAktion") << 'c' << s("BTCSV") << true;
        QTest::newRow("TXT") << s("konfAktion") << 't' << s("BTTxT") << true;
        QTest::newRow("Neuer Durchgang") << s("konfAktion") << 'n' << s("Reset_Ziehung") << true;
        QTest::newRow("Einstellungen")
            << s("konfOptionen") << 'e' << s("BTEinstellungenSchliessen") << true;
    }
    void mnemonicsReachTheirControls()
    {
        QFETCH(QString, page);
        QFETCH(char, key);
        QFETCH(QString, target);
        QFETCH(bool, clicks);
        SettingsPanel panel;
        panel.resize(700, 300);
        panel.show();
        activate(panel);
        openPage(panel, panel.findChild<QWidget *>(page));
        ui(panel).btModus->setFocus();
        QWidget *w = panel.findChild<QWidget *>(target);
        if (clicks) {
            QSignalSpy clicked(qobject_cast<QAbstractButton *>(w), &QAbstractButton::clicked);
            QTest::keyClick(&panel, key, Qt::AltModifier);
            QTRY_COMPARE(clicked.size(), 1);
        } else {
            QTest::keyClick(&panel, key, Qt::AltModifier);
            QVERIFY(w->hasFocus() || w->isAncestorOf(QApplication::focusWidget()));
        }
    }

    // The wheel over a field that has no focus scrolls the page and changes nothing; once the
    // field has the focus, the wheel changes it.
    void wheelChangesAFieldOnlyOnceItHasTheFocus_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("field");
        QTest::newRow("language") << s("konfOptionen") << s("HilfeLng");
        QTest::newRow("background colour") << s("konfOptionen") << s("cpHintergrund");
        QTest::newRow("quota") << s("konfQuote") << s("Ziehungsquote");
        QTest::newRow("minimum") << s("konfQuote") << s("Minimum");
    }
    void wheelChangesAFieldOnlyOnceItHasTheFocus()
    {
        QFETCH(QString, page);
        QFETCH(QString, field);
        SettingsPanel panel;
        fillLanguages(panel);
        panel.resize(700, SettingsPanel::PanelHeight);
        panel.show();
        activate(panel);
        openPage(panel, panel.findChild<QWidget *>(page));
        QWidget *control = panel.findChild<QWidget *>(field);
        QVERIFY(control);
        if (control->focusProxy())
            control = control->focusProxy();
        auto *combo = qobject_cast<QComboBox *>(control);
        auto *spin = qobject_cast<QAbstractSpinBox *>(control);
        QVERIFY(combo || spin);
        if (spin)
            spin->setProperty("value", 20);
        const auto value = [&] { return combo ? combo->currentText() : spin->text(); };
        QScrollBar *pageBar = nullptr;
        for (QWidget *w = control->parentWidget(); w && !pageBar; w = w->parentWidget())
            if (auto *area = qobject_cast<QAbstractScrollArea *>(w))
                pageBar = area->verticalScrollBar();
        const auto wheel = [&] {
            const QPoint at = control->rect().center();
            QWheelEvent event(at, control->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(control, &event);
        };
        ui(panel).btModus->setFocus();
        const QString before = value();
        const int scrolled = pageBar ? pageBar->value() : 0;
        wheel();
        QCOMPARE(value(), before);
        QVERIFY(!control->hasFocus());
        if (pageBar && pageBar->maximum() > 0)
            QVERIFY(pageBar->value() > scrolled);
        control->setFocus(Qt::MouseFocusReason);
        wheel();
        QVERIFY(value() != before);
    }

private:
    static void activate(QWidget &window)
    {
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }
};

QTEST_MAIN(TestSettingsPanel)
#include "tst_settingspanel.moc"
