#include "formfixture.h"

#include "settings/rangepage.h"

#include "app/listcontrol.h"
#include "settings/csvlistdialog.h"
#include "settings/profilefile.h"

#include <QComboBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QQueue>
#include <QTableWidget>

using namespace Qt::Literals::StringLiterals;

namespace {
// Stands in for the layout dialog: answers with the layouts it was given, in order, and fails
// the test when it is asked without one.
struct ScriptedLayouts {
    QQueue<std::optional<CsvLayout>> answers;
    QStringList asked;

    void install(ListControl &lists)
    {
        lists.setCsvLayoutChooser([this](const QString &path, const CsvLayout &) {
            asked.append(QFileInfo(path).fileName());
            if (answers.isEmpty()) {
                QTest::qFail("the CSV layout was asked for unexpectedly", __FILE__, __LINE__);
                return std::optional<CsvLayout>();
            }
            return answers.dequeue();
        });
    }
};

QStringList sortedDrawn(const QList<ResultRow> &rows)
{
    QStringList drawn;
    for (const ResultRow &row : rows)
        drawn.append(row.Gezogen);
    drawn.sort();
    return drawn;
}

const QByteArray Buyers = "Name;Vorname;Lose\r\nMeier;Anna;2\r\nKurz;Bert;x\r\n"
                          "\"Otto; der Zweite\";;1\r\nLang;Eva;0\r\n";
} // namespace

class TestCsvLists : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A buyer with two tickets is two entries; each is drawn, logged and restored as a line of
    // a plain list, and the layout is stored beside the list's path.
    void csvEntriesAreDrawnLoggedAndRestored()
    {
        FormFixture fx;
        fx.folder.write(u"kaeufer.csv"_s, Buyers);
        Form &form = fx.start();
        ScriptedLayouts layouts;
        layouts.install(form.parts.lists);
        layouts.answers.enqueue(csvLayoutFromStored(u"2,1"_s, 3, true, u";"_s));
        form.settingsFlow().OpenSettingsPanel();
        fx.platform.answers.enqueue(Platform::Answer::Yes);
        fx.platform.fileNames.enqueue(fx.folder.file(u"kaeufer.csv"_s));
        form.parts.lists.AusDateiPfadButtonClick();
        QCOMPARE(layouts.asked, QStringList{u"kaeufer.csv"_s});
        QCOMPARE(ui(fx.panel()).AusDateiPfad->text(), u"kaeufer.csv"_s);
        QCOMPARE(ui(fx.panel()).Maximum->value(), 3);
        QVERIFY(ui(fx.panel()).lbPoolReport->isVisibleTo(fx.form->Einstellungen));
        QVERIFY(ui(fx.panel())
                    .lbPoolReport->text()
                    .contains(lngFormat("StrBerichtUebersprungen", {u"1"_s})));
        QVERIFY(form.settingsFlow().ApplySettings());

        const ProfileFile ini(fx.folder.file(u"tivrel.ini"_s));
        QCOMPARE(ini.readString(u"DRAW"_s, u"ListColumns"_s), u"2,1"_s);
        QCOMPARE(ini.readInteger(u"DRAW"_s, u"ListCountColumn"_s, 0), 3);
        QVERIFY(ini.readBool(u"DRAW"_s, u"ListHeader"_s, false));
        QCOMPARE(ini.readString(u"DRAW"_s, u"ListSeparator"_s), u";"_s);

        const QStringList all{u"Anna Meier"_s, u"Anna Meier"_s, u"Otto; der Zweite"_s};
        QStringList pool = fx.form->poolTexts();
        pool.sort();
        QCOMPARE(pool, all);
        fx.drawOnce();
        fx.drawOnce();
        ResultRows logged;
        QVERIFY(readDrawLog(fx.form->DrawLog, logged));
        QCOMPARE(sortedDrawn(logged.toList()), sortedDrawn(fx.rows()));

        // After a restart the one entry left is the one not drawn; it is drawn last.
        fx.start();
        QCOMPARE(fx.form->poolTexts().size(), 1);
        fx.drawOnce();
        QCOMPARE(sortedDrawn(fx.rows()), all);
        QVERIFY(fx.form->poolTexts().isEmpty());
    }

    // A plain list asks for no layout and leaves the settings file as it was; the report still
    // names its blanks, duplicates and longest line, in full on demand.
    void aPlainListIsReportedAndStoredAsBefore()
    {
        FormFixture fx;
        const QByteArray longLine(300, 'x');
        fx.folder.write(u"liste.txt"_s, "Anna\r\n\r\nBert\r\nAnna\r\n" + longLine + "\r\n");
        Form &form = fx.start();
        ScriptedLayouts layouts;
        layouts.install(form.parts.lists);
        form.settingsFlow().OpenSettingsPanel();
        fx.platform.answers.enqueue(Platform::Answer::Yes);
        fx.platform.fileNames.enqueue(fx.folder.file(u"liste.txt"_s));
        form.parts.lists.AusDateiPfadButtonClick();
        const QString report = ui(fx.panel()).lbPoolReport->text();
        for (const QString &part :
             {lngFormat("StrBerichtEintraege", {u"5"_s}), lngFormat("StrBerichtLeer", {u"1"_s}),
              lngFormat("StrBerichtDoppelt", {u"1"_s}), lngFormat("StrBerichtLaengste", {u"300"_s}),
              u"ASCII"_s})
            QVERIFY2(report.contains(part), qPrintable(report + u" lacks "_s + part));
        QVERIFY(!report.contains(lngFormat("StrBerichtUebersprungen", {u"0"_s})));

        ui(fx.panel()).btPoolFindings->click();
        auto *findings = form.window->findChild<QDialog *>(u"PoolFindings"_s);
        QVERIFY(findings && findings->isVisible());
        const QString text = findings->findChild<QPlainTextEdit *>()->toPlainText();
        QVERIFY2(text.contains(u"1, 4"_s), qPrintable(text)); // where "Anna" stands
        findings->close();

        // The report follows a switch of the language.
        ui(fx.panel()).HilfeLng->setCurrentIndex(1);
        QVERIFY(ui(fx.panel()).lbPoolReport->text().startsWith(u"5 entries"_s));
        QCOMPARE(ui(fx.panel()).btPoolFindings->text(), lng("StrBerichtBefunde"));
        ui(fx.panel()).HilfeLng->setCurrentIndex(0);
        QVERIFY(ui(fx.panel()).lbPoolReport->text().startsWith(u"5 Einträge"_s));

        QVERIFY(form.settingsFlow().ApplySettings());
        const QByteArray ini = fx.folder.read(u"tivrel.ini"_s);
        for (const char *key : {"ListColumns", "ListCountColumn", "ListHeader", "ListSeparator"})
            QVERIFY2(!ini.contains(key), key);
        QCOMPARE(fx.form->poolTexts().size(), 5);
        QVERIFY(layouts.asked.isEmpty());

        // Back to the number range: no report.
        form.settingsFlow().OpenSettingsPanel();
        fx.platform.answers.enqueue(Platform::Answer::Yes);
        ui(fx.panel()).AusDatei->setChecked(false);
        QVERIFY(form.settingsFlow().ApplySettings());
        QVERIFY(!form.parts.lists.poolReport());
        QVERIFY(!ui(fx.panel()).lbPoolReport->isVisibleTo(fx.form->Einstellungen));
    }

    void cancellingTheLayoutKeepsTheListBefore()
    {
        FormFixture fx;
        fx.folder.write(u"liste.txt"_s, "Anna\nBert\n");
        fx.folder.write(u"kaeufer.csv"_s, Buyers);
        Form &form = fx.start();
        ScriptedLayouts layouts;
        layouts.install(form.parts.lists);
        form.settingsFlow().OpenSettingsPanel();
        fx.platform.answers.enqueue(Platform::Answer::Yes);
        fx.platform.fileNames.enqueue(fx.folder.file(u"liste.txt"_s));
        form.parts.lists.AusDateiPfadButtonClick();
        layouts.answers.enqueue(std::nullopt);
        fx.platform.answers.enqueue(Platform::Answer::Yes); // replacing a list in use asks
        fx.platform.fileNames.enqueue(fx.folder.file(u"kaeufer.csv"_s));
        form.parts.lists.AusDateiPfadButtonClick();
        QCOMPARE(ui(fx.panel()).AusDateiPfad->text(), u"liste.txt"_s);
        QCOMPARE(ui(fx.panel()).Maximum->value(), 2);
    }

    // The dialog reads the file in the background: it finds the separator, names the columns
    // from the header row and counts the entries of the layout chosen.
    void theDialogOffersTheColumnsAndCountsTheEntries()
    {
        TestFolder folder;
        folder.write(u"kaeufer.csv"_s, Buyers);
        CsvListDialog dialog(folder.file(u"kaeufer.csv"_s),
                             csvLayoutFromStored(u"1"_s, 0, false, QString()));
        QTRY_VERIFY(dialog.idle());
        QCOMPARE(dialog.layout().separator, u';');
        QCOMPARE(dialog.columnList()->count(), 3);
        QCOMPARE(dialog.statusText(),
                 lngFormat("StrCsvErgebnis", {u"5"_s, u"5"_s, u"0"_s})); // the header is a row
        dialog.headerBox()->setChecked(true);
        QVERIFY(dialog.columnList()->item(2)->text().endsWith(u"Lose"_s));
        dialog.columnList()->item(1)->setCheckState(Qt::Checked);
        dialog.countBox()->setCurrentIndex(3);
        QTRY_VERIFY(dialog.idle());
        const CsvLayout chosen = dialog.layout();
        QCOMPARE(chosen.columns, (QList<int>{0, 1}));
        QCOMPARE(chosen.countColumn, 2);
        QVERIFY(chosen.header);
        QCOMPARE(dialog.statusText(), lngFormat("StrCsvErgebnis", {u"3"_s, u"4"_s, u"1"_s}));
        QCOMPARE(dialog.preview()->rowCount(), 4);

        // Another separator splits the rows otherwise: with commas every row is one cell, so
        // the count column is gone and the first column is the entry.
        dialog.separatorBox()->setCurrentIndex(0);
        QTRY_VERIFY(dialog.idle());
        QCOMPARE(dialog.columnList()->count(), 1);
        QCOMPARE(dialog.layout().columns, QList<int>{0});
        QCOMPARE(dialog.layout().countColumn, -1);
    }

    // A file nothing is stored for opens with the header row and the count column guessed, and
    // says so: OK at once gives one entry per ticket, the header none. The file dialog offers
    // CSV lists with the plain ones.
    void aNewFileOpensWithItsLayoutGuessed()
    {
        FormFixture fx;
        QByteArray bytes = "Name,Lose\r\nP1,3\r\n";
        for (int i = 2; i <= 10; ++i)
            bytes += "P" + QByteArray::number(i) + ",2\r\n";
        fx.folder.write(u"gaeste.csv"_s, bytes);
        Form &form = fx.start();
        std::optional<CsvLayout> asked;
        form.parts.lists.setCsvLayoutChooser([&](const QString &path, const CsvLayout &initial) {
            CsvListDialog dialog(path, initial);
            [&] { QTRY_VERIFY(dialog.idle()); }();
            asked = initial;
            if (!dialog.layoutGuessed() || !dialog.headerBox()->isChecked() ||
                dialog.countBox()->currentIndex() != 2 ||
                dialog.statusText() != lngFormat("StrCsvErgebnis", {u"21"_s, u"10"_s, u"0"_s}))
                return std::optional<CsvLayout>();
            return std::optional<CsvLayout>(dialog.layout());
        });
        form.settingsFlow().OpenSettingsPanel();
        fx.platform.answers.enqueue(Platform::Answer::Yes);
        fx.platform.fileNames.enqueue(fx.folder.file(u"gaeste.csv"_s));
        form.parts.lists.AusDateiPfadButtonClick();
        QVERIFY(asked);
        QVERIFY(!asked->layoutKnown);
        const QString offered = fx.platform.dialogs.last().filter.section(u";;"_s, 0, 0);
        for (const char *pattern : {"*.txt", "*.csv", "*.tsv"})
            QVERIFY2(offered.contains(QLatin1String(pattern)), qPrintable(offered));
        QCOMPARE(ui(fx.panel()).AusDateiPfad->text(), u"gaeste.csv"_s);
        QVERIFY(fx.panel().rangePage().csvLayout().header);
        QCOMPARE(fx.panel().rangePage().csvLayout().countColumn, 1);
        QVERIFY(form.settingsFlow().ApplySettings());
        QCOMPARE(form.pass().pool().size(), 21);
        QVERIFY(!form.poolTexts().contains(u"Name"_s));
    }

    // A long list is counted in steps the window sees, so it stays responsive.
    void aLongListShowsItsProgress()
    {
        TestFolder folder;
        QByteArray bytes = "Name,Lose\n";
        for (int i = 0; i < 200000; ++i)
            bytes += "Person " + QByteArray::number(i) + ",1\n";
        folder.write(u"gross.csv"_s, bytes);
        CsvListDialog dialog(folder.file(u"gross.csv"_s), {});
        QList<int> seen;
        QObject::connect(dialog.progressBar(), &QProgressBar::valueChanged, &dialog,
                         [&seen](int value) { seen.append(value); });
        QTRY_VERIFY_WITH_TIMEOUT(dialog.idle(), 20000);
        QVERIFY(std::any_of(seen.begin(), seen.end(), [](int v) { return v > 0 && v < 1000; }));
        QCOMPARE(dialog.progressBar()->value(), 1000);
        QCOMPARE(dialog.statusText(),
                 lngFormat("StrCsvErgebnis",
                           {QLocale().toString(200001), QLocale().toString(200001), u"0"_s}));
    }
};

QTEST_MAIN(TestCsvLists)
#include "tst_csvlists.moc"
