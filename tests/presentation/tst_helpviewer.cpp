#include "presentation/helppages.h"
#include "presentation/helpviewer.h"
#include "support/fakeplatform.h"

#include <QTest>
#include <QTextBlock>

namespace {

// The middle of the first piece of text that links to href, in viewport coordinates.
QPoint linkPosition(HelpViewer &viewer, const QString &href)
{
    for (QTextBlock block = viewer.document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().anchorHref() != href)
                continue;
            QTextCursor cursor(viewer.document());
            cursor.setPosition(fragment.position() + fragment.length() / 2);
            return viewer.cursorRect(cursor).center();
        }
    }
    return {};
}

} // namespace

class TestHelpViewer : public QObject {
    Q_OBJECT

private slots:
    void sourceIsTheUtf8PageWithItsMark();
    void emptyPageShowsTheWelcomePage();
    void linkClickOpensTheLinkOutside_data();
    void linkClickOpensTheLinkOutside();
};

void TestHelpViewer::sourceIsTheUtf8PageWithItsMark()
{
    FakePlatform platform;
    HelpViewer viewer(platform);
    const QString page = QStringLiteral("<html><body><h2>Größe – „Maß“</h2></body></html>");
    viewer.showPage(page);
    QCOMPARE(viewer.documentSource(), QByteArray("\xEF\xBB\xBF") + page.toUtf8());
    QVERIFY(viewer.toPlainText().contains(QStringLiteral("Größe – „Maß“")));
    viewer.showHelp(QStringLiteral("HTMLQuote"));
    QCOMPARE(viewer.documentSource(),
             QByteArray("\xEF\xBB\xBF") + PageHelp(QStringLiteral("HTMLQuote")).toUtf8());
    viewer.showGeneralHelp();
    QCOMPARE(viewer.documentSource(), QByteArray("\xEF\xBB\xBF") + GeneralHelp().toUtf8());
}

void TestHelpViewer::emptyPageShowsTheWelcomePage()
{
    FakePlatform platform;
    HelpViewer viewer(platform);
    viewer.showPage(QString());
    QVERIFY(viewer.toPlainText().contains(QStringLiteral("Willkommen!")));
    viewer.showHelp(QStringLiteral("HTMLGibtsNicht"));
    QCOMPARE(viewer.documentSource(),
             QByteArray("\xEF\xBB\xBF") + PageHelp(QStringLiteral("HTMLStart")).toUtf8());
}

void TestHelpViewer::linkClickOpensTheLinkOutside_data()
{
    QTest::addColumn<QString>("href");
    QTest::newRow("web") << QStringLiteral("https://example.org/tombola?x=1&y=2");
    QTest::newRow("mail") << QStringLiteral("mailto:verein@example.org");
    QTest::newRow("page name") << QStringLiteral("HTMLQuote.html");
    QTest::newRow("anchor") << QStringLiteral("#oben");
}

void TestHelpViewer::linkClickOpensTheLinkOutside()
{
    QFETCH(QString, href);
    FakePlatform platform;
    HelpViewer viewer(platform);
    viewer.resize(500, 300);
    viewer.show();
    QVERIFY(QTest::qWaitForWindowExposed(&viewer));
    QString escaped = href;
    escaped.replace(QLatin1Char('&'), QLatin1String("&amp;"));
    const QString page = QStringLiteral("<html><body><h2 id=\"oben\">Hilfe</h2><p>Mehr unter "
                                        "<a href=\"%1\">diesem Verweis</a> lesen.</p>"
                                        "</body></html>")
                             .arg(escaped);
    viewer.showPage(page);
    const QByteArray source = viewer.documentSource();
    const QString shown = viewer.toHtml();
    const QPoint at = linkPosition(viewer, href);
    QVERIFY(!at.isNull());
    QTest::mouseClick(viewer.viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(platform.opened, QStringList{href});
    // The viewer stays on its page: no navigation, no history.
    QCOMPARE(viewer.documentSource(), source);
    QCOMPARE(viewer.toHtml(), shown);
    QVERIFY(viewer.source().isEmpty());
    QVERIFY(!viewer.isBackwardAvailable());
}

QTEST_MAIN(TestHelpViewer)
#include "tst_helpviewer.moc"
