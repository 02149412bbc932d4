#include "formfixture.h"

#include "app/listcontrol.h"
#include "app/prizelistcontrol.h"
#include "app/showpart.h"
#include "presentation/liveannouncement.h"
#include "settings/settingscontrols.h"
#include "settings/showoptions.h"

#include <QAccessible>
#include <QComboBox>

using namespace Qt::StringLiterals;

namespace {

// A list of guests with long lines and a prize list, chosen as the user does; entries shown
// with their first `length` characters.
void useGuestList(FormFixture &fx, int length)
{
    fx.folder.write(u"gaeste.txt"_s, "Familie Meier-Lüdenscheid\r\nVerein der Freunde\r\n");
    fx.folder.write(u"preise.txt"_s, "Fahrrad\nKuchen\n");
    fx.form->settingsFlow().OpenSettingsPanel();
    fx.platform.answers.enqueue(Platform::Answer::Yes);
    fx.platform.fileNames.enqueue(fx.folder.file(u"gaeste.txt"_s));
    fx.form->parts.lists.AusDateiPfadButtonClick();
    fx.platform.fileNames.enqueue(fx.folder.file(u"preise.txt"_s));
    fx.form->parts.prizes.edWinningsButtonClick();
    ui(fx.panel()).AusDateiLaenge->setValue(length);
    QVERIFY(fx.form->settingsFlow().ApplySettings());
}

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // After each draw assistive technology is told the drawn entry, whole, with its prize,
    // by a notification (the events it sends are heard through the bus by a11ylistener.py).
    void drawIsAnnouncedWholeWithItsPrize()
    {
        FormFixture fx;
        fx.start();
        fx.form->show();
        useGuestList(fx, 5);
        const LiveAnnouncement &live = fx.form->parts.show.liveAnnouncement();
        QAccessibleInterface *notice =
            QAccessible::queryAccessibleInterface(const_cast<LiveAnnouncement *>(&live));
        QVERIFY(notice);
        QCOMPARE(notice->role(), QAccessible::Notification);

        QStringList heard;
        for (int draw = 1; draw <= 2; ++draw) {
            fx.drawOnce();
            heard.append(notice->text(QAccessible::Name));
        }
        QList<ResultRow> rows = fx.rows();
        std::sort(rows.begin(), rows.end(),
                  [](const auto &a, const auto &b) { return a.Durchgang < b.Durchgang; });
        QCOMPARE(heard, (QStringList{u"Gezogen: "_s + rows[0].Gezogen + u". Gewinn: Fahrrad"_s,
                                     u"Gezogen: "_s + rows[1].Gezogen + u". Gewinn: Kuchen"_s}));

        // The display shows five characters; its name is the whole entry.
        NumberDisplayWidget *display = fx.form->Ergebnisfeld;
        QAccessibleInterface *shown = QAccessible::queryAccessibleInterface(display);
        QCOMPARE(shown->text(QAccessible::Name), rows[1].Gezogen);
    }

    // The table shows Durchgang and Gezogen; the hidden prize column is not exposed, and the
    // current cell after a draw is the drawn entry.
    void tableExposesItsShownColumns()
    {
        FormFixture fx;
        fx.start();
        fx.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(fx.form->window.get()));
        fx.useRange(1, 50, 5);
        fx.drawOnce();
        fx.drawOnce();
        ResultsTable *table = fx.form->Resultate;
        QVERIFY(!table->columnShown(ResultsModel::Spiel));
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(table);
        QAccessibleTableInterface *grid = iface->tableInterface();
        QVERIFY(grid);
        QCOMPARE(grid->columnCount(), 2);
        QCOMPARE(grid->rowCount(), 2);
        QCOMPARE(iface->childCount(), 3 * 2);
        QStringList headers;
        for (int c = 0; c < grid->columnCount(); ++c)
            headers.append(iface->child(c)->text(QAccessible::Name));
        QCOMPARE(
            headers,
            (QStringList{
                table->model()->headerData(ResultsModel::Durchgang, Qt::Horizontal).toString(),
                table->model()->headerData(ResultsModel::Gezogen, Qt::Horizontal).toString()}));
        const QModelIndex current = table->currentIndex();
        QCOMPARE(current.column(), int(ResultsModel::Gezogen));
        QAccessibleInterface *cell = grid->cellAt(current.row(), 1);
        QCOMPARE(cell->text(QAccessible::Name), current.data().toString());
        QCOMPARE(iface->indexOfChild(cell), (current.row() + 1) * 2 + 1);
        QCOMPARE(cell->tableCellInterface()->columnHeaderCells().value(0)->text(QAccessible::Name),
                 headers[1]);

        // The prize column shown: three columns, the prize between.
        table->setColumnShown(ResultsModel::Spiel, true);
        QCOMPARE(grid->columnCount(), 3);
        QCOMPARE(grid->cellAt(current.row(), 2)->text(QAccessible::Name),
                 current.data().toString());
    }

    // Controls named by what they are for, not by what they hold.
    void settingsControlsAreNamedByTheirPurpose()
    {
        FormFixture fx;
        fx.start();
        SettingsPanel &panel = fx.panel();
        for (ColourPicker *picker : {ui(panel).cpVordergrund, ui(panel).cpHintergrund}) {
            QAccessibleInterface *box =
                QAccessible::queryAccessibleInterface(picker->findChild<QComboBox *>());
            QCOMPARE(box->role(), QAccessible::ComboBox);
            QCOMPARE(box->text(QAccessible::Name), picker == ui(panel).cpVordergrund
                                                       ? u"Vordergrundfarbe"_s
                                                       : u"Hintergrundfarbe"_s);
            QCOMPARE(box->text(QAccessible::Value),
                     picker->findChild<QComboBox *>()->currentText());
        }
        for (QPushButton *page : {ui(panel).btModus, ui(panel).btKonfig, ui(panel).btOptionen}) {
            QAccessibleInterface *tab = QAccessible::queryAccessibleInterface(page);
            QCOMPARE(tab->role(), QAccessible::PageTab);
            QVERIFY(!tab->text(QAccessible::Name).contains(u'&'));
            QCOMPARE(tab->state().selected, page->isChecked());
        }
        // The help is a text to read, not a label.
        fx.form->Hilfeviewer->setHtml(u"<h1>Modus</h1><p>Erste Zeile</p><p>Zweite Zeile</p>"_s);
        QAccessibleInterface *help = QAccessible::queryAccessibleInterface(fx.form->Hilfeviewer);
        QCOMPARE(help->role(), QAccessible::EditableText);
        QVERIFY(help->state().readOnly);
        QAccessibleTextInterface *text = help->textInterface();
        QVERIFY(text);
        QCOMPARE(text->text(0, text->characterCount()), u"Modus\nErste Zeile\nZweite Zeile"_s);
        int start = 0, end = 0;
        QCOMPARE(text->textAtOffset(8, QAccessible::LineBoundary, &start, &end).trimmed(),
                 u"Erste Zeile"_s);
        // A warning that does not show says nothing.
        ui(panel).cpVordergrund->setColour(0x000000);
        ui(panel).cpHintergrund->setColour(0xFFFFFF);
        QVERIFY(ui(panel).lbKontrast->isHidden());
        QCOMPARE(ui(panel).lbKontrast->text(), QString());
        ui(panel).cpVordergrund->setColour(0x00FFFF); // yellow on white
        QVERIFY(!ui(panel).lbKontrast->isHidden());
        QVERIFY(!ui(panel).lbKontrast->text().isEmpty());
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
