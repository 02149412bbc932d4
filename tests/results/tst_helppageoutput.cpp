#include "results/helppageoutput.h"

#include "support/fakeplatform.h"
#include "support/testfolder.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QMimeData>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>

class TestHelpPageOutput : public QObject {
    Q_OBJECT
private slots:
    void pageGoesToTheBrowserUnchanged();
    void failureIsSilent();
    void copiesTheSelectionAsHtml();
};

void TestHelpPageOutput::pageGoesToTheBrowserUnchanged()
{
    TestFolder temp;
    FakePlatform platform;
    platform.temp = temp.path();
    const QString page = QString::fromUtf8(
        "<html><body><h1>Übersicht</h1>\r\n<p>Lose &amp; Preise</p></body></html>");
    temp.write(QStringLiteral("tivrelh.html"), QByteArray("an older, longer page ").repeated(20));
    pHTMLShowClick(platform, page);
    QCOMPARE(temp.read(QStringLiteral("tivrelh.html")), page.toUtf8());
    QCOMPARE(platform.opened, QStringList{temp.file(QStringLiteral("tivrelh.html"))});
    QCOMPARE(platform.messages.size(), 0);
}

void TestHelpPageOutput::failureIsSilent()
{
    TestFolder temp;
    FakePlatform platform;
    platform.temp = temp.file(QStringLiteral("missing"));
    pHTMLShowClick(platform, QStringLiteral("<p>Hilfe</p>"));
    QCOMPARE(platform.opened, QStringList());
    QCOMPARE(platform.messages.size(), 0);
}

void TestHelpPageOutput::copiesTheSelectionAsHtml()
{
    QTextDocument document;
    document.setHtml(QStringLiteral("<p>Erst <b>fett</b> dann normal</p>"));
    QTextCursor cursor(&document);
    QVERIFY(!helpCopyEnabled(cursor));
    cursor.setPosition(5);
    cursor.setPosition(9, QTextCursor::KeepAnchor);
    QVERIFY(helpCopyEnabled(cursor));
    pHTMLSaveClick(cursor);

    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    QVERIFY(data && data->hasHtml());
    QCOMPARE(data->text(), QStringLiteral("fett"));
    // The fragment keeps its formatting and holds only the selection.
    QTextDocument pasted;
    pasted.setHtml(data->html());
    QCOMPARE(pasted.toPlainText(), QStringLiteral("fett"));
    QTextCursor first(&pasted);
    first.setPosition(1); // the format of the character before the cursor
    QVERIFY(first.charFormat().fontWeight() >= QFont::Bold);
}

QTEST_MAIN(TestHelpPageOutput)
#include "tst_helppageoutput.moc"
