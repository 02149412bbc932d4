// The draw under load from the results page: times each draw and each animation frame of the
// main window with the page off, on and idle, and on with 50 clients on loopback asking 200
// times a second (40 ask /results.json five times a second, 10 hold the event stream); then
// the server's own answer times as those clients saw them (connect to last byte).
// Run offscreen:  QT_QPA_PLATFORM=offscreen build/bench/bench_webload [draws]
#include "app/drawanimation.h"
#include "app/drawcontrol.h"
#include "app/mainwindow.h"
#include "benchplatform.h"
#include "benchstats.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <mutex>

namespace {
// 50 loopback clients on a thread of their own.
class Load : public QObject {
public:
    explicit Load(quint16 port) : m_port(port) {}
    std::mutex lock;
    std::vector<double> answers;
    std::atomic<int> requests{0};

    void begin()
    {
        for (int i = 0; i < 10; ++i) {
            auto *stream = new QTcpSocket(this);
            stream->connectToHost(QHostAddress::LocalHost, m_port);
            connect(stream, &QTcpSocket::connected, stream,
                    [stream] { stream->write("GET /events HTTP/1.1\r\nHost: b\r\n\r\n"); });
            connect(stream, &QTcpSocket::readyRead, stream, [stream] { stream->readAll(); });
        }
        // 40 pollers, each every 200 ms, spread over the interval: one request every 5 ms.
        auto *tick = new QTimer(this);
        tick->setTimerType(Qt::PreciseTimer);
        tick->setInterval(5);
        connect(tick, &QTimer::timeout, this, [this] { ask(); });
        tick->start();
    }

private:
    void ask()
    {
        auto *socket = new QTcpSocket(this);
        auto *clock = new QElapsedTimer;
        clock->start();
        connect(socket, &QTcpSocket::connected, socket,
                [socket] { socket->write("GET /results.json HTTP/1.1\r\nHost: b\r\n\r\n"); });
        connect(socket, &QTcpSocket::readyRead, socket, [socket] { socket->readAll(); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket, clock] {
            {
                const std::lock_guard<std::mutex> guard(lock);
                answers.push_back(elapsedMs(*clock));
            }
            ++requests;
            delete clock;
            socket->deleteLater();
        });
        socket->connectToHost(QHostAddress::LocalHost, m_port);
    }
    quint16 m_port;
};

struct Times {
    std::vector<double> draws;
    std::vector<double> frames;
};

Times run(QMainWindow &form, int draws)
{
    DrawControl &draw = partsOf(form).draw;
    DrawAnimation &animation = partsOf(form).animation;
    QWidget *display = form.findChild<QWidget *>(QStringLiteral("Ergebnisfeld"));
    Times t;
    for (int i = 0; i < draws; ++i) {
        draw.BTStartStopClick();
        for (int f = 0; f < 5; ++f) {
            QElapsedTimer frame;
            frame.start();
            animation.RefresherTimer();
            display->repaint();
            t.frames.push_back(elapsedMs(frame));
            QCoreApplication::processEvents();
        }
        draw.BTStartStopClick();
        QElapsedTimer one;
        one.start();
        animation.RefresherTimer();
        t.draws.push_back(elapsedMs(one));
        // The rest of the 50 ms a draw takes here: the queued snapshot goes out.
        QElapsedTimer pause;
        pause.start();
        while (pause.elapsed() < 50)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return t;
}
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int draws = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 60;
    quint16 port = 0;
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        port = probe.serverPort();
    }
    QTemporaryDir folder;
    const auto start = [&](bool web) {
        QFile ini(folder.filePath(QStringLiteral("tivrel.ini")));
        if (ini.open(QIODevice::WriteOnly)) {
            ini.write("[NUM]\r\nStart=1\r\nEnd=9999\r\nCent=0\r\nPercentage=9999\r\n");
            if (web)
                ini.write("[WEB]\r\nEnabled=1\r\nAddress=127.0.0.1\r\nPort=" +
                          QByteArray::number(port) + "\r\n");
        }
        ini.close();
        QFile::remove(folder.filePath(QStringLiteral("tivrel.log")));
    };
    BenchPlatform platform(folder.filePath(QStringLiteral("tivrel")));

    start(false);
    {
        std::unique_ptr<QMainWindow> form = createMainWindow(platform);
        form->resize(1024, 768);
        form->show();
        const Times off = run(*form, draws);
        printSpread("page off: draw", off.draws);
        printSpread("page off: frame", off.frames);
    }
    start(true);
    std::unique_ptr<QMainWindow> form = createMainWindow(platform);
    form->resize(1024, 768);
    form->show();
    const Times idle = run(*form, draws);
    printSpread("page on, no clients: draw", idle.draws);
    printSpread("page on, no clients: frame", idle.frames);

    QThread clients;
    Load load(port);
    load.moveToThread(&clients);
    clients.start();
    QMetaObject::invokeMethod(&load, [&load] { load.begin(); });
    QThread::msleep(500);
    QElapsedTimer loaded;
    loaded.start();
    const int before = load.requests;
    const Times busy = run(*form, draws);
    const double seconds = double(loaded.elapsed()) / 1000.0;
    printSpread("page on, 200 requests/s from 50 clients: draw", busy.draws);
    printSpread("page on, 200 requests/s from 50 clients: frame", busy.frames);
    std::printf("requests answered meanwhile: %.0f a second\n",
                double(load.requests - before) / seconds);
    QMetaObject::invokeMethod(&load, [&load, &clients] {
        qDeleteAll(load.children());
        clients.quit();
    });
    clients.wait();
    {
        const std::lock_guard<std::mutex> guard(load.lock);
        printSpread("server answer time of GET /results.json (connect to last byte)", load.answers);
    }
    return 0;
}
