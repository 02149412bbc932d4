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
        QTest::mouseClick(panel.btOptionen, Qt::LeftButton);
        QVERIFY(showsPage(viewer->documentSource(), QStringLiteral("HTMLOptionen")));

        // Unticking gives the results back; ticking shows the general help, not the page's.
        panel.HilfeAktiv->setChecked(false);
        QVERIFY(!shown(viewer));
        QVERIFY(shown(form.Resultate));
        panel.HilfeAktiv->setChecked(true);
        QVERIFY(shown(viewer));
        QVERIFY(!shown(form.Resultate));
        QCOMPARE(viewer->documentSource(), QByteArray("\xEF\xBB\xBF") + GeneralHelp().toUtf8());
        QTest::mouseClick(panel.btKonfig, Qt::LeftButton);
        QVERIFY(showsPage(viewer->documentSource(), QStringLiteral("HTMLQuote")));

        // Without help the panel opens over the results and loads nothing.
        panel.HilfeAktiv->setChecked(false);
        QVERIFY(form.settingsFlow().ApplySettings());
        QVERIFY(!shown(viewer));
        form.settingsFlow().OpenSettingsPanel();
        QVERIFY(!shown(viewer));
        QVERIFY(shown(form.Resultate));
        QTest::mouseClick(panel.btModus, Qt::LeftButton);
        QVERIFY(showsPage(viewer->documentSource(), QStringLiteral("HTMLQuote")));
    }

    void languageChangeReloadsThePageInFront()
    {
        FormFixture fx;
        Form &form = fx.start();
        auto *viewer = qobject_cast<HelpViewer *>(form.Hilfeviewer);
        form.settingsFlow().OpenSettingsPanel();
        QTest::mouseClick(fx.panel().btOptionen, Qt::LeftButton);
        form.settingsView().helpLanguageChanged(2057);
        const QByteArray english = viewer->documentSource();
        QVERIFY(showsPage(english, QStringLiteral("HTMLOptionen")));
        QVERIFY(english.contains("<h2>Options</h2>"));
        // With "Hilfe" unticked nothing is loaded; the next page comes in the new language.
        fx.panel().HilfeAktiv->setChecked(false);
        form.settingsView().helpLanguageChanged(1031);
        QCOMPARE(viewer->documentSource(), english);
        fx.panel().HilfeAktiv->setChecked(true);
        QTest::mouseClick(fx.panel().btModus, Qt::LeftButton);
        QVERIFY(showsPage(viewer->documentSource(), QStringLiteral("HTMLAktion")));
        QVERIFY(viewer->documentSource().contains("<h2>Ziehungsmodus</h2>"));
    }

    void toEndNeedsANamedSound()
    {
        FormFixture fx;
        fx.start();
        SettingsPanel &panel = fx.panel();
        QVERIFY(!panel.cbSchleife->isEnabled());
        panel.cbSchleife->setChecked(true);
        QVERIFY(!panel.cbSchleife->isChecked());
        panel.edSoundfile->setText(QStringLiteral("musik.wav"));
        QVERIFY(panel.cbSchleife->isEnabled());
        panel.edSoundfile->setText(QString());
        QVERIFY(!panel.cbSchleife->isEnabled());
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
        QVERIFY(!panel.cbSchleife->isChecked());
        QVERIFY(!panel.cbSchleife->isEnabled());
        // A draw with sound on goes on without a sound to play.
        fx.drawOnce();
        QCOMPARE(fx.rows().size(), 1);
    }
};

QTEST_MAIN(TestSoundHelp)
#include "tst_soundhelp.moc"
