#include "formfixture.h"

#include "results/helppageoutput.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMenu>
#include <QMimeData>

#include <algorithm>

namespace {
// The CSV rows as written, header line first, without the final line end.
QStringList csvLines(const FormFixture &fx)
{
    QString text = QString::fromUtf8(fx.folder.read(QStringLiteral("tivrel.csv")));
    text.chop(2);
    return text.split(QLatin1String("\r\n"));
}
} // namespace

class TestResultOutputs : public QObject {
    Q_OBJECT
private slots:
    void buttonsWriteBesideTheProgramAndOpen_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("file");
        QTest::newRow("TXT") << QStringLiteral("BTTxT") << QStringLiteral("tivrel.txt");
        QTest::newRow("CSV") << QStringLiteral("BTCSV") << QStringLiteral("tivrel.csv");
        QTest::newRow("HTML") << QStringLiteral("BTHTML") << QStringLiteral("tivrel.htm");
        // The test's platform has no print system: the printout goes to the PDF.
        QTest::newRow("print to PDF")
            << QStringLiteral("BTDrucken") << QStringLiteral("tivrel.pdf");
    }

    void buttonsWriteBesideTheProgramAndOpen()
    {
        QFETCH(QString, button);
        QFETCH(QString, file);
        FormFixture fx;
        Form &form = fx.start();
        fx.useRange(1, 50, 10);
        for (int i = 0; i < 3; ++i)
            fx.drawOnce();
        form.settingsFlow().OpenSettingsPanel();
        QPushButton *clicked = form.Einstellungen->findChild<QPushButton *>(button);
        QVERIFY(clicked);
        QTest::mouseClick(clicked, Qt::LeftButton);
        QCOMPARE(fx.platform.opened, QStringList{fx.folder.file(file)});
        QVERIFY(!fx.folder.read(file).isEmpty());
    }

    void csvFollowsTheSortTheUserChose()
    {
        FormFixture fx;
        Form &form = fx.start();
        fx.useRange(1, 50, 10);
        for (int i = 0; i < 5; ++i)
            fx.drawOnce();
        // A click on the header of Gezogen sorts by the drawn numbers.
        form.show();
        QHeaderView *header = form.Resultate->horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(ResultsModel::Gezogen) + 5, 5));
        QCOMPARE(fx.results().sortColumn(), int(ResultsModel::Gezogen));
        QList<qint32> numbers;
        for (const ResultRow &row : fx.rows())
            numbers.append(row.Durchgang);
        QVERIFY2(!std::is_sorted(numbers.begin(), numbers.end()) &&
                     !std::is_sorted(numbers.rbegin(), numbers.rend()),
                 "the drawn numbers happen to stand in draw order");
        ui(form.Einstellungen).BTCSV->click();

        QStringList expected{lng("StrZiehungCSV2")};
        for (const ResultRow &row : fx.rows())
            expected.append(QStringLiteral("\"%1\",\"%2\"").arg(row.Durchgang).arg(row.Gezogen));
        QCOMPARE(csvLines(fx), expected);
    }

    void prizeListExportsThreeValuesUnderThreeHeaders()
    {
        FormFixture fx;
        Form &form = fx.start();
        ui(form.Einstellungen).cbWinnings->setChecked(true);
        fx.useRange(1, 50, 10);
        fx.drawOnce();
        fx.drawOnce();
        QVERIFY(form.Resultate->columnShown(ResultsModel::Spiel));
        ui(form.Einstellungen).BTCSV->click();

        QStringList expected{lng("StrZiehungCSV4")};
        for (const ResultRow &row : fx.rows())
            expected.append(QStringLiteral("\"%1\",\"%2\",\"%3\"")
                                .arg(row.Durchgang)
                                .arg(row.Spiel, row.Gezogen));
        QCOMPARE(csvLines(fx), expected);
        QVERIFY(!fx.rows().first().Spiel.isEmpty());
    }

    void failedExportShowsTheErrorBoxAndOpensNothing()
    {
        FormFixture fx;
        Form &form = fx.start();
        fx.useRange(1, 50, 10);
        fx.drawOnce();
        const qsizetype before = fx.platform.messages.size();
        QVERIFY(QDir(fx.folder.path()).mkdir(QStringLiteral("tivrel.htm")));
        ui(form.Einstellungen).BTHTML->click();
        QCOMPARE(fx.platform.opened, QStringList());
        QCOMPARE(fx.platform.messages.size(), before + 1);
        QCOMPARE(fx.platform.messages.last().caption, form.window->windowTitle());
        QCOMPARE(fx.platform.messages.last().icon, Platform::Icon::Stop);
    }

    void helpViewerMenuShowsAndCopiesThePage()
    {
        FormFixture fx;
        TestFolder temp;
        fx.platform.temp = temp.path();
        Form &form = fx.start();
        form.settingsFlow().OpenSettingsPanel();
        QTextBrowser *viewer = form.Hilfeviewer; // the help page of the open settings page
        QVERIFY(!viewer->toPlainText().isEmpty());
        auto *menu = form.child<QMenu>("PopupHTML");
        auto *copy = form.child<QAction>("pHTMLSave");

        // PopupHTMLPopup: copying is offered only with a selection.
        emit viewer->customContextMenuRequested(QPoint(5, 5));
        QVERIFY(!copy->isEnabled());
        menu->hide();
        viewer->selectAll();
        emit viewer->customContextMenuRequested(QPoint(5, 5));
        QVERIFY(copy->isEnabled());
        menu->hide();

        copy->trigger();
        const QMimeData *data = QGuiApplication::clipboard()->mimeData();
        QVERIFY(data && data->hasHtml());
        QVERIFY(data->text().contains(viewer->toPlainText().left(20)));

        form.child<QAction>("pHTMLShow")->trigger();
        const QString page = temp.file(QStringLiteral("tivrelh.html"));
        QCOMPARE(fx.platform.opened, QStringList{page});
        QTextDocument shown;
        shown.setHtml(QString::fromUtf8(temp.read(QStringLiteral("tivrelh.html"))));
        QCOMPARE(shown.toPlainText(), viewer->toPlainText());
    }
};

QTEST_MAIN(TestResultOutputs)
#include "tst_resultoutputs.moc"
