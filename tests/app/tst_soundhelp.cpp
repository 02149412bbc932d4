#include "formfixture.h"
#include "presentation/helppages.h"
#include "presentation/helpviewer.h"

#include <QStackedWidget>

namespace {

// The page as the viewer holds it: where the page names the files of this run, the viewer puts
// their places, so only what stands before and after that mark is compared.
bool showsPage(const QByteArray &source, const QString &key)
{
    const QByteArray page = QByteArray("\xEF\xBB\xBF") + PageHelp(key).toUtf8();
    const qsizetype mark = page.indexOf("<!--FILES-->");
    if (mark < 0)
        return source == page;
    return source.startsWith(page.left(mark)) &&
           source.endsWith(page.mid(mark + qsizetype(qstrlen("<!--FILES-->"))));
}

} // namespace

class TestSoundHelp : public QObject {
    Q_OBJECT

private slots:
    void firstStartShowsTheWelcomePage()
    {
        FormFixture fx;
        Form &form = fx.start(true);
        auto *viewer = qobject_cast<HelpViewer *>(form.Hilfeviewer);
        QVERIFY(viewer);
        QVERIFY(showsPage(viewer->documentSource(), QStringLiteral("HTMLStart")));
    }

    void helpFollowsThePanelAndItsPages()
    {
        FormFixture fx;
        Form &form = fx.start();
        form.show();
        auto *viewer = qobject_cast<HelpViewer *>(form.Hilfeviewer);
        SettingsPanel &panel = fx.panel();
        form.settingsFlow().OpenSettingsPanel();
        QVERIFY(shown(viewer));
        QVERIFY(!shown(form.Resultate));
        QVERIFY(showsPage(viewer->documentSource(), QStringLiteral("HTMLAktion")));
        QTest::mouseClick(ui(panel).btOptionen, Qt::LeftButton);
        QVERIFY(showsPage(viewer->documentSource(), QStringLiteral("HTMLOptionen")));

        // Unticking gives the results back; ticking shows the general help, not the page's.
        ui(panel).HilfeAktiv->setChecked(false);
        QVERIFY(!shown(viewer));
        QVERIFY(shown(form.Resultate));
        ui(panel).HilfeAktiv->setChecked(true);
        QVERIFY(shown(viewer));
        QVERIFY(!shown(form.Resultate));
        QCOMPARE(viewer->documentSource(), QByteArray("\xEF\xBB\xBF") + GeneralHelp().toUtf8());
        QTest::mouseClick(ui(panel).btKonfig, Qt::LeftButton);
        QVERIFY(showsPage(viewer->documentSource(), QStringLiteral("HTMLQuote")));

        // Without help the panel opens over the results and loads nothing.
        ui(panel).HilfeAktiv->setChecked(false);
        QVERIFY(form.settingsFlow().ApplySettings());
        QVERIFY(!shown(viewer));
        form.settingsFlow().OpenSettingsPanel();
        QVERIFY(!shown(viewer));
        QVERIFY(shown(form.Resultate));
        QTest::mouseClick(ui(panel).btModus, Qt::LeftButton);
        QVERIFY(showsPage(viewer->documentSource(), QStringLiteral("HTMLQuote")));
    }

    void languageChangeReloadsThePageInFront()
    {
        FormFixture fx;
        Form &form = fx.start();
        auto *viewer = qobject_cast<HelpViewer *>(form.Hilfeviewer);
        form.settingsFlow().OpenSettingsPanel();
        QTest::mouseClick(ui(fx.panel()).btOptionen, Qt::LeftButton);
        form.settingsView().helpLanguageChanged(2057);
        const QByteArray english = viewer->documentSource();
        QVERIFY(showsPage(english, QStringLiteral("HTMLOptionen")));
        QVERIFY(english.contains("<h2>Options</h2>"));
        // With "Hilfe" unticked nothing is loaded; the next page comes in the new language.
        ui(fx.panel()).HilfeAktiv->setChecked(false);
        form.settingsView().helpLanguageChanged(1031);
        QCOMPARE(viewer->documentSource(), english);
        ui(fx.panel()).HilfeAktiv->setChecked(true);
        QTest::mouseClick(ui(fx.panel()).btModus, Qt::LeftButton);
        QVERIFY(showsPage(viewer->documentSource(), QStringLiteral("HTMLAktion")));
        QVERIFY(viewer->documentSource().contains("<h2>Ziehungsmodus</h2>"));
    }

    void toEndNeedsANamedSound()
    {
        FormFixture fx;
        fx.start();
        SettingsPanel &panel = fx.panel();
        QVERIFY(!ui(panel).cbSchleife->isEnabled());
        ui(panel).cbSchleife->setChecked(true);
        QVERIFY(!ui(panel).cbSchleife->isChecked());
        ui(panel).edSoundfile->setText(QStringLiteral("musik.wav"));
        QVERIFY(ui(panel).cbSchleife->isEnabled());
        ui(panel).edSoundfile->setText(QString());
        QVERIFY(!ui(panel).cbSchleife->isEnabled());
    }

    void missingSoundAtStartUpWarnsAndLocksToEnd()
    {
        FormFixture fx;
        fx.folder.write(QStringLiteral("tivrel.ini"),
                        "[DISPLAY]\r\nSFile=weg.wav\r\nPlay=1\r\nSound=1\r\n");
        fx.start();
        SettingsPanel &panel = fx.panel();
        QCOMPARE(fx.messagesWith(lngFormat("HinweisDateiNichtGeladen",
                                           {lng("HinweisDateiKlang"), QStringLiteral("weg.wav")})),
                 1);
        QVERIFY(!ui(panel).cbSchleife->isChecked());
        QVERIFY(!ui(panel).cbSchleife->isEnabled());
        // A draw with sound on goes on without a sound to play.
        fx.drawOnce();
        QCOMPARE(fx.rows().size(), 1);
    }
};

QTEST_MAIN(TestSoundHelp)
#include "tst_soundhelp.moc"
