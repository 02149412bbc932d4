// Every file the program reads, replaced by something that is not a plain file of a sane size:
// a FIFO (which would hold an ordinary open until a writer comes), a device, a folder, a huge
// sparse file and a link to a device. Start-up tells the operator which file and why, within a
// second, and goes on as for a missing file: the window draws.
#include "../app/formfixture.h"
#include "draw/drawjournal.h"
#include "presentation/backgroundpicture.h"
#include "presentation/waveimage.h"
#include "settings/profilefile.h"

#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

enum class Kind { Fifo, Device, Folder, Huge, LinkToDevice };

struct ReadFile {
    const char *name;    // the file in the program's folder
    QByteArray settings; // the settings that make the program read it (none: it always does)
    qint64 limit;        // the bound it is read within
};

const ReadFile Files[] = {
    {"tivrel.ini", {}, ProfileFile::MaxFileBytes},
    {"tivrel.log", {}, MaxDrawLogBytes},
    {"tivrel.journal", "[VERIFY]\r\nEnabled=1\r\n", MaxJournalBytes},
    {"liste.txt", "[DRAW]\r\nUseFile=1\r\nFilename=liste.txt\r\n", MaxListFileBytes},
    {"preise.txt", "[DRAW]\r\nUseWinnings=1\r\nWinnings=preise.txt\r\n", MaxListFileBytes},
    {"klang.wav", "[DISPLAY]\r\nSFile=klang.wav\r\n", MaxWaveImageSize},
    {"bild.jpg", "[DISPLAY]\r\nHGB=1\r\nHGI=bild.jpg\r\n", MaxPictureFileBytes},
};

// Puts the strange thing at `path`; false when this system does not let the test make it.
bool plant(Kind kind, const QString &path, qint64 limit)
{
    const QByteArray native = QFile::encodeName(path);
    switch (kind) {
    case Kind::Fifo: return mkfifo(native.constData(), 0644) == 0;
    case Kind::Device: return mknod(native.constData(), S_IFCHR | 0644, makedev(1, 5)) == 0;
    case Kind::Folder: return QDir().mkdir(path);
    case Kind::Huge: {
        // One byte over the bound, without taking the room on the disk.
        const int fd = open(native.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const bool ok = fd >= 0 && ftruncate(fd, limit + 1) == 0;
        if (fd >= 0)
            close(fd);
        return ok;
    }
    case Kind::LinkToDevice: return QFile::link(QStringLiteral("/dev/zero"), path);
    }
    return false;
}

QString reasonOf(Kind kind, qint64 limit)
{
    switch (kind) {
    case Kind::Fifo: return lng("StrDateiIstPipe");
    case Kind::Device:
    case Kind::LinkToDevice: return lng("StrDateiIstGeraet");
    case Kind::Folder: return lng("StrDateiIstOrdner");
    case Kind::Huge: return QString::number((limit + (1 << 20) - 1) >> 20);
    }
    return {};
}

} // namespace

class TestStrangeFiles : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { alarm(0); }

    void strangeFileIsRefusedWithItsNameAndReason_data()
    {
        QTest::addColumn<int>("file");
        QTest::addColumn<Kind>("kind");
        const std::pair<Kind, const char *> kinds[] = {{Kind::Fifo, "fifo"},
                                                       {Kind::Device, "device"},
                                                       {Kind::Folder, "folder"},
                                                       {Kind::Huge, "huge sparse file"},
                                                       {Kind::LinkToDevice, "link to a device"}};
        for (int i = 0; i < int(std::size(Files)); ++i)
            for (const auto &[kind, kindName] : kinds)
                QTest::addRow("%s, %s", Files[i].name, kindName) << i << kind;
    }

    void strangeFileIsRefusedWithItsNameAndReason()
    {
        QFETCH(int, file);
        QFETCH(Kind, kind);
        const ReadFile &read = Files[file];
        // A start-up that hangs on the file ends the test program at once, not at the suite's
        // time limit.
        alarm(20);
        FormFixture fx;
        const QString name = QString::fromLatin1(read.name);
        fx.folder.write(QStringLiteral("tivrel.ini"),
                        "[NUM]\r\nStart=1\r\nEnd=50\r\nCent=0\r\nPercentage=50\r\n" +
                            read.settings);
        if (name == QLatin1String("tivrel.ini"))
            QFile::remove(fx.folder.file(name));
        if (!plant(kind, fx.folder.file(name), read.limit))
            QSKIP("this system does not let the test make that kind of file");
        // List drawing goes off for a list that cannot be read, asking whether a new pass
        // starts: yes, from the range.
        fx.platform.answerer = [](const FakePlatform::MessageCall &call) {
            return call.buttons == Platform::Buttons::YesNo ? Platform::Answer::Yes
                                                            : Platform::Answer::Ok;
        };

        Form &form = fx.start();
        form.show();
        const bool journal = name == QLatin1String("tivrel.journal");
        // The journal is never opened through a link, whatever the link points to.
        const QString reason = journal && kind == Kind::LinkToDevice ? lng("StrSymbolischerLink")
                                                                     : reasonOf(kind, read.limit);
        const auto told = [&] {
            for (const auto &message : fx.platform.messages)
                if (message.text.contains(name) && message.text.contains(reason))
                    return true;
            return false;
        };
        QTRY_VERIFY_WITH_TIMEOUT(told(), 1000);

        // Alive, and going on as without the file: a draw is made. A draw promised to be
        // verifiable is not made while its journal cannot be written: the pass halts and
        // says so.
        const qint32 before = form.pass().drawCount();
        fx.drawOnce();
        if (journal) {
            QVERIFY(form.pass().drawsHalted());
            QCOMPARE(form.pass().drawCount(), before);
            return;
        }
        QCOMPARE(form.pass().drawCount(), before + 1);
        QCOMPARE(fx.results().rowCount(), before + 1);
    }
};

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    TestStrangeFiles test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_strangefiles.moc"
