#include "formfixture.h"

#include "app/webpart.h"
#include "settings/optionspage.h"
#include "settings/profilefile.h"
#include "settings/settings.h"
#include "settings/weboptions.h"
#include "web/qroverlay.h"

#include <QDir>
#include <QProcess>
#include <QTcpServer>

// The results page in the window: off, nothing listens and the settings file keeps its
// keys; on, the page serves the pass, its address shows, and the QR code comes on command.
namespace {
// The inodes of this process's sockets that listen for TCP connections.
QSet<QByteArray> ownListeningSockets()
{
    QSet<QByteArray> own;
    const QDir fds(QStringLiteral("/proc/self/fd"));
    for (const QFileInfo &fd : fds.entryInfoList(QDir::System | QDir::NoDotAndDotDot)) {
        const QString target = fd.symLinkTarget();
        if (target.contains(QLatin1String("socket:[")))
            own.insert(target.section(u'[', 1).chopped(1).toLatin1());
    }
    QSet<QByteArray> listening;
    for (const char *table : {"/proc/net/tcp", "/proc/net/tcp6"}) {
        QFile file(QString::fromLatin1(table));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QList<QByteArray> lines = file.readAll().split('\n');
        for (const QByteArray &line : lines.mid(1)) {
            const QList<QByteArray> fields = line.simplified().split(' ');
            if (fields.size() > 9 && fields[3] == "0A" && own.contains(fields[9]))
                listening.insert(fields[9]);
        }
    }
    return listening;
}

quint16 freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

QByteArray fetch(const QString &url)
{
    QProcess curl;
    curl.start(QStringLiteral("curl"),
               {QStringLiteral("-s"), QStringLiteral("--max-time"), QStringLiteral("10"), url});
    curl.waitForFinished(20000);
    return curl.readAllStandardOutput();
}
} // namespace

class TestWebPart : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void theKeysAreWrittenOnlyWhenUsed_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("written");
        QTest::newRow("never used") << QByteArray() << false << false;
        QTest::newRow("switched on") << QByteArray() << true << true;
        QTest::newRow("switched off again")
            << QByteArray("[WEB]\nEnabled=1\nPort=8080\nAddress=\n") << false << true;
    }
    void theKeysAreWrittenOnlyWhenUsed()
    {
        QFETCH(QByteArray, before);
        QFETCH(bool, enabled);
        QFETCH(bool, written);
        TestFolder folder;
        folder.write(QStringLiteral("t.ini"), before);
        const QString path = folder.file(QStringLiteral("t.ini"));
        ProfileFile ini(path);
        Settings settings;
        settings.WebEnabled = enabled;
        QVERIFY(writeSettings(settings, ini).ok);
        const QByteArray after = folder.read(QStringLiteral("t.ini"));
        QCOMPARE(after.contains("[WEB]"), written);
        QCOMPARE(after.contains("\nPort=8080"), written);
        QCOMPARE(readSettingsFile(path).WebEnabled, enabled);
    }

    void offNothingListensAndTheFileHasNoKeyOfIt()
    {
        FormFixture f;
        Form &form = f.start();
        form.settingsFlow().ApplySettings();
        const QByteArray first = f.folder.read(QStringLiteral("tivrel.ini"));
        QVERIFY(!first.isEmpty());
        QVERIFY(!first.contains("[WEB]"));
        f.drawOnce();
        form.settingsFlow().ApplySettings();
        QVERIFY(!f.folder.read(QStringLiteral("tivrel.ini")).contains("[WEB]"));
        QVERIFY(ownListeningSockets().isEmpty());
        QVERIFY(!form.child<QAction>("mmWebQrCode")->isVisible());
    }

    void onThePageFollowsThePassAndTheCodeShowsOnCommand()
    {
        FormFixture f;
        Form &form = f.start();
        WebOptionsBox &box = f.panel().optionsPage().webOptions();
        ui(f.panel()).cbWeb->setChecked(true);
        ui(f.panel()).sbWebPort->setValue(freePort());
        box.setAddress(QStringLiteral("127.0.0.1"));
        form.settingsFlow().ApplySettings();
        QCOMPARE(ownListeningSockets().size(), 1);
        const QString url =
            QStringLiteral("http://127.0.0.1:%1/").arg(ui(f.panel()).sbWebPort->value());
        QVERIFY(ui(f.panel()).lbWebSeite->text().contains(url));
        QVERIFY(form.child<QLabel>("Label3")->toolTip().contains(url));
        QVERIFY(f.folder.read(QStringLiteral("tivrel.ini")).contains("[WEB]\nEnabled=1"));

        f.drawOnce();
        const QString drawn = f.rows().first().Gezogen;
        QTRY_VERIFY_WITH_TIMEOUT(fetch(url + QStringLiteral("results.json"))
                                     .contains(QByteArray("\"entry\":\"" + drawn.toUtf8() + '"')),
                                 10000);

        QAction *code = form.child<QAction>("mmWebQrCode");
        QVERIFY(code->isVisible());
        code->trigger();
        const auto *overlay = form.Ergebnisfeld->findChild<QrOverlay *>();
        QVERIFY(overlay && overlay->isVisibleTo(form.Ergebnisfeld));
        QCOMPARE(overlay->address(), url);
        // The next draw takes it away; the command again too.
        f.drawOnce();
        QTRY_VERIFY(!overlay->isVisibleTo(form.Ergebnisfeld));
        code->trigger();
        QVERIFY(overlay->isVisibleTo(form.Ergebnisfeld));
        code->trigger();
        QVERIFY(!overlay->isVisibleTo(form.Ergebnisfeld));

        // Wanted in the corner: there while no draw runs, gone while one does, large on
        // command and back in the corner after it.
        ui(f.panel()).cbWebEcke->setChecked(true);
        form.settingsFlow().ApplySettings();
        QVERIFY(f.folder.read(QStringLiteral("tivrel.ini")).contains("Corner=1"));
        QVERIFY(overlay->isVisibleTo(form.Ergebnisfeld));
        QCOMPARE(overlay->size(), QrOverlay::Size::Corner);
        f.draw().BTStartStopClick();
        QVERIFY(!overlay->isVisibleTo(form.Ergebnisfeld));
        f.animation().RefresherTimer();
        f.draw().BTStartStopClick();
        f.animation().RefresherTimer();
        QTRY_VERIFY(overlay->isVisibleTo(form.Ergebnisfeld));
        QCOMPARE(overlay->size(), QrOverlay::Size::Corner);
        code->trigger();
        QCOMPARE(overlay->size(), QrOverlay::Size::Large);
        code->trigger();
        QCOMPARE(overlay->size(), QrOverlay::Size::Corner);
        QVERIFY(overlay->isVisibleTo(form.Ergebnisfeld));

        ui(f.panel()).cbWeb->setChecked(false);
        form.settingsFlow().ApplySettings();
        QVERIFY(ownListeningSockets().isEmpty());
        QVERIFY(!code->isVisible());
        QVERIFY(!overlay->isVisibleTo(form.Ergebnisfeld));
        QVERIFY(!form.child<QLabel>("Label3")->toolTip().contains(url));
    }
};

QTEST_MAIN(TestWebPart)
#include "tst_webpart.moc"
