#include "formfixture.h"

#include "app/listcontrol.h"
#include "app/prizelistcontrol.h"
#include "draw/drawschedule.h"

#include <QSet>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

namespace {
QStringList drawnOf(const QList<ResultRow> &rows)
{
    QStringList drawn;
    for (const ResultRow &row : rows)
        drawn.append(row.Gezogen);
    return drawn;
}
} // namespace

class TestLists : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A list chosen with the browse button, prizes for the draws, and a restart that continues
    // the pass without drawing a line twice.
    void listDrawWithPrizesSurvivesARestart()
    {
        FormFixture fx;
        fx.folder.write(u"gaeste.txt"_s,
                        "Meier, Hans\r\n\"Ede\" Zimmermann\r\nA|B\r\nM\xFCller\r\nA|B\r\n");
        fx.folder.write(u"preise.txt"_s, "Fahrrad\nKuchen\nBuch\n");
        Form &form = fx.start();
        form.settingsFlow().OpenSettingsPanel();
        // Switching to the list asks first (Yes), the dialog names the file.
        fx.platform.answers.enqueue(Platform::Answer::Yes);
        fx.platform.fileNames.enqueue(fx.folder.file(u"gaeste.txt"_s));
        form.parts.lists.AusDateiPfadButtonClick();
        QCOMPARE(ui(fx.panel()).AusDateiPfad->text(), u"gaeste.txt"_s);
        QCOMPARE(ui(fx.panel()).Maximum->value(), 5);
        QVERIFY(!ui(fx.panel()).Minimum->isEnabled());
        fx.platform.fileNames.enqueue(fx.folder.file(u"preise.txt"_s));
        form.parts.prizes.edWinningsButtonClick();
        QVERIFY(ui(fx.panel()).cbWinnings->isChecked());
        QVERIFY(form.settingsFlow().ApplySettings());
        QCOMPARE(fx.messagesWith(lng("HinweisZiehungsdatei")), 1);

        for (int i = 0; i < 4; ++i)
            fx.drawOnce();
        QList<ResultRow> rows = fx.rows();
        std::sort(rows.begin(), rows.end(),
                  [](const auto &a, const auto &b) { return a.Durchgang < b.Durchgang; });
        QStringList prizes;
        for (const ResultRow &row : rows)
            prizes.append(row.Spiel);
        QCOMPARE(prizes, (QStringList{u"Fahrrad"_s, u"Kuchen"_s, u"Buch"_s, u"Gewinn Nr. 4"_s}));
        QVERIFY(form.Resultate->columnShown(ResultsModel::Spiel));

        // After a restart the one line left is the one not drawn.
        const QStringList all{u"Meier, Hans"_s, u"\"Ede\" Zimmermann"_s, u"A|B"_s, u"Müller"_s,
                              u"A|B"_s};
        QStringList left = all;
        for (const QString &drawn : drawnOf(fx.rows()))
            QVERIFY2(left.removeOne(drawn), qPrintable(drawn));
        fx.start();
        QCOMPARE(fx.messagesWith(lng("HinweisZiehungsdatei")), 1); // loading asks nothing
        QCOMPARE(fx.form->poolTexts(), left);
        fx.drawOnce();
        QCOMPARE(fx.rows().size(), 5);
        QStringList drawn = drawnOf(fx.rows());
        QStringList expected = all;
        drawn.sort();
        expected.sort();
        QCOMPARE(drawn, expected);
    }

    void refusingTheSwitchPutsItBackSilently()
    {
        FormFixture fx;
        Form &form = fx.start();
        fx.drawOnce();
        fx.platform.answers.enqueue(Platform::Answer::No);
        ui(fx.panel()).AusDatei->setChecked(true);
        QVERIFY(!ui(fx.panel()).AusDatei->isChecked());
        QCOMPARE(fx.platform.messages.size(), 1);
        QCOMPARE(fx.rows().size(), 1);
        QVERIFY(ui(fx.panel()).Minimum->isEnabled());
        // The operator's next switch asks again; Yes ends the pass.
        fx.platform.answers.enqueue(Platform::Answer::Yes);
        ui(fx.panel()).AusDatei->setChecked(true);
        QCOMPARE(fx.platform.messages.size(), 2);
        QCOMPARE(fx.rows().size(), 0);
        QVERIFY(!ui(fx.panel()).Minimum->isEnabled());
        QCOMPARE(form.pass().pool().size(), 0);
    }

    void unusableListsAreReportedAndApplyingStops_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing") << QByteArray() << u"HinweisDateiNichtGeladen"_s;
        QTest::newRow("binary") << "\x89PNG\r\n\x1a\n\0\0\0\rIHDR"_ba << u"HinweisListeKeinText"_s;
    }
    void unusableListsAreReportedAndApplyingStops()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        FormFixture fx;
        if (!content.isEmpty())
            fx.folder.write(u"liste.txt"_s, content);
        Form &form = fx.start();
        form.settingsFlow().OpenSettingsPanel();
        fx.platform.answers.enqueue(Platform::Answer::Yes);
        ui(fx.panel()).AusDatei->setChecked(true);
        ui(fx.panel()).AusDateiPfad->setText(u"liste.txt"_s);
        QVERIFY(!form.settingsFlow().ApplySettings());
        QVERIFY(fx.platform.messages.last().text.startsWith(
            lng(message).left(lng(message).indexOf(u'%'))));
        QVERIFY(fx.platform.messages.last().text.contains(u"liste.txt"_s));
        QVERIFY(form.Einstellungen->isVisibleTo(form.window.get()));
    }

    void lotteryDrawsEveryGame_data()
    {
        QTest::addColumn<int>("games");
        QTest::addColumn<int>("sharing");
        QTest::newRow("6 of 49, 1 game") << 1 << 2;
        QTest::newRow("6 of 49, 3 games, pool 1") << 3 << 1;
    }
    void lotteryDrawsEveryGame()
    {
        QFETCH(int, games);
        QFETCH(int, sharing);
        FormFixture fx;
        Form &form = fx.start();
        form.settingsFlow().OpenSettingsPanel();
        ui(fx.panel()).DoStatus->setItemIndex(int(DrawMode::Lottery));
        ui(fx.panel()).Lotto_Spiele->setValue(games);
        ui(fx.panel()).Lotto_Pool->setValue(sharing);
        QTimer clock;
        QObject::connect(&clock, &QTimer::timeout, &clock, [&] { fx.platform.ticks += 20; });
        clock.start(10);
        fx.platform.answers.enqueue(Platform::Answer::Ok);
        QVERIFY(form.settingsFlow().ApplySettings());
        clock.stop();

        QCOMPARE(fx.rows().size(), 6 * games);
        for (int game = 1; game <= games; ++game) {
            QSet<QString> numbers;
            for (const ResultRow &row : fx.rows()) {
                if (!row.Spiel.startsWith(u"%1 / "_s.arg(game, 2)))
                    continue;
                QCOMPARE(row.Spiel, lotteryCellText(game, row.Gezogen));
                const int number = row.Gezogen.toInt();
                QVERIFY(number >= 1 && number <= 49);
                numbers.insert(row.Gezogen);
            }
            QCOMPARE(numbers.size(), 6);
        }
        QCOMPARE(form.AutotivrelNotiz->text(), lng("StrLottoziehungEnde"));
        QVERIFY(form.Resultate->columnShown(ResultsModel::Gezogen));
        QVERIFY(form.Resultate->columnShown(ResultsModel::Spiel));
        QVERIFY(!shown(form.BTStartStop));
    }

    void lotteryPoolFollowsNumbersAndRange()
    {
        FormFixture fx;
        fx.start();
        SettingsPanel &panel = fx.panel();
        ui(panel).Lotto_Pool->setValue(8);
        QCOMPARE(ui(panel).lbLottoAnzahl->text(), lng("StrSpiele"));
        ui(panel).Lotto_x->setValue(20);
        QCOMPARE(ui(panel).Lotto_Pool->value(), 3);
        ui(panel).Lotto_x->setValue(15);
        QCOMPARE(ui(panel).Lotto_Pool->maximum(), 2);
        ui(panel).Lotto_Pool->setValue(1);
        QCOMPARE(ui(panel).lbLottoAnzahl->text(), lng("StrSpiel"));
    }

    void listEntriesWithPipesAndCommasLeaveThePoolOnRestore()
    {
        FormFixture fx;
        fx.folder.write(QStringLiteral("liste.txt"), "A|B\r\nMeier, Hans\r\nE\r\n");
        Form &form = fx.start();
        fx.platform.answers.enqueue(Platform::Answer::Yes); // the pass may go
        ui(fx.panel()).AusDatei->setChecked(true);
        ui(fx.panel()).AusDateiPfad->setText(QStringLiteral("liste.txt"));
        fx.useRange(1, 3, 3);
        QCOMPARE(form.poolTexts().size(), 3);
        fx.writeLog(
            {{1, QString(), QStringLiteral("A|B")}, {2, QString(), QStringLiteral("Meier, Hans")}});
        form.restorePassFromLog();
        QCOMPARE(form.poolTexts(), QStringList{QStringLiteral("E")});
        QCOMPARE(form.pass().drawCount(), 2);
    }
};

QTEST_MAIN(TestLists)
#include "tst_lists.moc"
