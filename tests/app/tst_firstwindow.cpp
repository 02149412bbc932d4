#include "formfixture.h"

#include <QApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QScreen>
#include <QTemporaryDir>

#include <cstring>

#include <qpa/qplatformnativeinterface.h>

namespace {

// One screen of the given size in device pixels.
QJsonObject oneScreen(int width, int height)
{
    const QJsonObject screen{{QStringLiteral("name"), QStringLiteral("screen")},
                             {QStringLiteral("x"), 0},
                             {QStringLiteral("y"), 0},
                             {QStringLiteral("width"), width},
                             {QStringLiteral("height"), height},
                             {QStringLiteral("logicalDpi"), 96},
                             {QStringLiteral("logicalBaseDpi"), 96},
                             {QStringLiteral("dpr"), 1}};
    return {{QStringLiteral("screens"), QJsonArray{screen}}};
}

// Gives the offscreen platform another screen, as it lets a test do.
void setScreen(int width, int height)
{
    using SetConfiguration = void (*)(const QJsonObject &, void *);
    void *function = QGuiApplication::platformNativeInterface()->nativeResourceForIntegration(
        "setConfiguration");
    SetConfiguration set = nullptr;
    static_assert(sizeof(set) == sizeof(function));
    std::memcpy(&set, &function, sizeof(set));
    QVERIFY(set);
    set(oneScreen(width, height), QGuiApplication::platformNativeInterface());
}

} // namespace

// The first window on screens of several sizes, all at a scale factor of 2.
class TestFirstWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void firstWindowFitsTheAvailableArea_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<bool>("fills"); // the available height is less than the design size
        QTest::newRow("1920 x 1080") << 1920 << 1080 << true;
        QTest::newRow("3840 x 2160") << 3840 << 2160 << false;
        QTest::newRow("1024 x 768") << 1024 << 768 << true;
    }
    void firstWindowFitsTheAvailableArea()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(bool, fills);
        setScreen(width, height);
        QTRY_COMPARE(QGuiApplication::primaryScreen()->geometry().size(), QSize(width, height) / 2);
        FormFixture fx;
        Form &form = fx.start();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(form.window.get()));
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        const QRect frame = form.window->frameGeometry();
        QVERIFY2(area.contains(frame), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                      .arg(frame.x())
                                                      .arg(frame.y())
                                                      .arg(frame.width())
                                                      .arg(frame.height())));
        if (fills) {
            QCOMPARE(frame.height(), area.height());
        } else {
            // The design size where the screen allows it.
            QVERIFY(frame.width() >= 600 && frame.height() >= 600);
        }
        // Centred where it fits.
        QVERIFY(qAbs(frame.center().x() - area.center().x()) <= 1);
        QVERIFY(qAbs(frame.center().y() - area.center().y()) <= 1);
    }
};

int main(int argc, char **argv)
{
    QTemporaryDir dir;
    const QString config = dir.filePath(QStringLiteral("screens.json"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly))
        return 1;
    file.write(QJsonDocument(oneScreen(1920, 1080)).toJson());
    file.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toLocal8Bit());
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    TestFirstWindow test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_firstwindow.moc"
