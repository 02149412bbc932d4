#include "../app/formfixture.h"
#include "../settings/filesizelimit.h"
#include "draw/drawjournal.h"

#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

// Full and failing disks under every file the window writes: the draw log, the settings file
// and the three exports. For each fault the operation runs once while it lasts and once after:
// the draw stands, the old file stays whole, one message tells of it, and the next write holds
// everything. The folder is a small tmpfs of the test's own, in a mount namespace the test
// enters at start (as `unshare -Urm` does); without one the faults that need it are skipped.

namespace {

bool g_mountNamespace = false;

bool writeProcFile(const char *path, const QByteArray &text)
{
    const int fd = open(path, O_WRONLY);
    if (fd < 0)
        return false;
    const bool ok = write(fd, text.constData(), size_t(text.size())) == text.size();
    close(fd);
    return ok;
}

// Enters a user and mount namespace of this process, mapped to the user who runs it; must be
// called while the process has a single thread.
bool enterMountNamespace()
{
    const uid_t uid = getuid();
    const gid_t gid = getgid();
    if (unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
        return false;
    writeProcFile("/proc/self/setgroups", "deny");
    if (!writeProcFile("/proc/self/uid_map", "0 " + QByteArray::number(uid) + " 1") ||
        !writeProcFile("/proc/self/gid_map", "0 " + QByteArray::number(gid) + " 1"))
        return false;
    return mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
}

enum class Fault { DiskFull, FileSizeLimit, ReadOnlyFolder, FolderInPlace };
enum class Target { Log, Settings, Txt, Csv, Html };

QString fileOf(Target target)
{
    switch (target) {
    case Target::Log: return QStringLiteral("tivrel.log");
    case Target::Settings: return QStringLiteral("tivrel.ini");
    case Target::Txt: return QStringLiteral("tivrel.txt");
    case Target::Csv: return QStringLiteral("tivrel.csv");
    case Target::Html: return QStringLiteral("tivrel.htm");
    }
    return {};
}

bool holdsText(const QByteArray &bytes, const QString &text)
{
    const QByteArray utf16(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
    return bytes.contains(text.toUtf8()) || bytes.contains(utf16);
}

// A small tmpfs over the folder while it lives (in the mount namespace only).
class SmallDisk {
public:
    explicit SmallDisk(const QString &folder) : m_folder(folder.toLocal8Bit())
    {
        m_mounted =
            g_mountNamespace && mount("tmpfs", m_folder.constData(), "tmpfs", 0, "size=512k") == 0;
    }
    ~SmallDisk()
    {
        if (m_mounted)
            umount2(m_folder.constData(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk &) = delete;
    SmallDisk &operator=(const SmallDisk &) = delete;
    bool mounted() const { return m_mounted; }

private:
    QByteArray m_folder;
    bool m_mounted = false;
};

// A fault in the folder while it lives.
class FaultScope {
public:
    FaultScope(Fault fault, const QString &folder, const QString &file)
        : m_fault(fault), m_folder(folder), m_file(file)
    {
        switch (fault) {
        case Fault::DiskFull: fill(); break;
        case Fault::FileSizeLimit: m_limit = std::make_unique<FileSizeLimit>(8); break;
        case Fault::ReadOnlyFolder:
            m_ok = mount(nullptr, m_folder.toLocal8Bit().constData(), nullptr,
                         MS_REMOUNT | MS_RDONLY, nullptr) == 0;
            break;
        case Fault::FolderInPlace:
            QFile::remove(m_file);
            m_ok = QDir().mkdir(m_file);
            break;
        }
    }
    ~FaultScope()
    {
        switch (m_fault) {
        case Fault::DiskFull: QFile::remove(m_folder + QStringLiteral("filler")); break;
        case Fault::FileSizeLimit: m_limit.reset(); break;
        case Fault::ReadOnlyFolder:
            mount(nullptr, m_folder.toLocal8Bit().constData(), nullptr, MS_REMOUNT, nullptr);
            break;
        case Fault::FolderInPlace: QDir().rmdir(m_file); break;
        }
    }
    bool ok() const { return m_ok; }

private:
    // Takes every free block of the small disk.
    void fill()
    {
        QFile filler(m_folder + QStringLiteral("filler"));
        m_ok = filler.open(QIODevice::WriteOnly);
        const QByteArray block(4096, 'x');
        while (m_ok && filler.write(block) == block.size() && filler.flush()) {
        }
        const QByteArray byte(1, 'x');
        while (m_ok && filler.write(byte) == 1 && filler.flush()) {
        }
    }

    Fault m_fault;
    QString m_folder;
    QString m_file;
    std::unique_ptr<FileSizeLimit> m_limit;
    bool m_ok = true;
};

} // namespace

class TestDiskFaults : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyWriteSurvivesAFault_data()
    {
        QTest::addColumn<Target>("target");
        QTest::addColumn<Fault>("fault");
        const std::pair<Target, const char *> targets[] = {{Target::Log, "log"},
                                                           {Target::Settings, "settings"},
                                                           {Target::Txt, "txt"},
                                                           {Target::Csv, "csv"},
                                                           {Target::Html, "html"}};
        const std::pair<Fault, const char *> faults[] = {{Fault::DiskFull, "disk full"},
                                                         {Fault::FileSizeLimit, "ulimit -f"},
                                                         {Fault::ReadOnlyFolder, "read-only"},
                                                         {Fault::FolderInPlace, "folder"}};
        for (const auto &[target, targetName] : targets)
            for (const auto &[fault, faultName] : faults)
                QTest::addRow("%s, %s", targetName, faultName) << target << fault;
    }

    void everyWriteSurvivesAFault()
    {
        QFETCH(Target, target);
        QFETCH(Fault, fault);
        if (!g_mountNamespace && (fault == Fault::DiskFull || fault == Fault::ReadOnlyFolder))
            QSKIP("no mount namespace here");
        FormFixture fx;
        const QString folder = fx.folder.path();
        const SmallDisk disk(folder);
        QVERIFY2(!g_mountNamespace || disk.mounted(), std::strerror(errno));
        // A restored pass of 400 draws: the files to write are larger than what a full disk
        // has left in the last block of a file, so every write needs new blocks.
        constexpr int Range = 5000;
        fx.folder.write(QStringLiteral("tivrel.ini"),
                        "[NUM]\r\nStart=1\r\nEnd=5000\r\nCent=0\r\nPercentage=5000\r\n");
        QList<ResultRow> restored;
        for (int i = 1; i <= 400; ++i)
            restored.append({i, QString(), QString::number(i * 11)});
        fx.writeLog(restored);
        Form &form = fx.start();
        QCOMPARE(form.pass().drawCount(), 400);
        const QString file = fileOf(target);
        const QString path = fx.folder.file(file);

        // The operation: a draw, applying a changed setting, or an export.
        int maximum = Range;
        auto operate = [&] {
            switch (target) {
            case Target::Log: fx.drawOnce(); break;
            case Target::Settings:
                form.settingsFlow().OpenSettingsPanel();
                ui(fx.panel()).Maximum->setValue(--maximum);
                form.settingsFlow().ApplySettings();
                break;
            case Target::Txt: ui(form.Einstellungen).BTTxT->click(); break;
            case Target::Csv: ui(form.Einstellungen).BTCSV->click(); break;
            case Target::Html: ui(form.Einstellungen).BTHTML->click(); break;
            }
            QCoreApplication::processEvents();
        };
        fx.drawOnce();
        operate();
        fx.drawOnce(); // the exports have a new row to write
        QVERIFY(QFile::exists(path));
        const QByteArray before = fx.folder.read(file);
        const qsizetype messages = fx.platform.messages.size();
        const qint32 draws = form.pass().drawCount();
        {
            FaultScope faultScope(fault, folder, path);
            QVERIFY(faultScope.ok());
            operate();
            QTRY_COMPARE(fx.platform.messages.size(), messages + 1);
            QVERIFY(!fx.platform.messages.last().text.isEmpty());
            if (fault != Fault::FolderInPlace) {
                QCOMPARE(fx.folder.read(file), before);
            }
            if (target == Target::Log) {
                QCOMPARE(form.pass().drawCount(), draws + 1);
                QCOMPARE(fx.results().rowCount(), draws + 1);
                QCOMPARE(form.poolTexts().size(), Range - draws - 1);
            }
        }
        operate();
        QTest::qWait(20);
        // A log written again after a failure is reported whole once more; the other files
        // say nothing when they succeed.
        QCOMPARE(fx.platform.messages.size(), messages + (target == Target::Log ? 2 : 1));
        const QByteArray after = fx.folder.read(file);
        QVERIFY(after != before);
        switch (target) {
        case Target::Log: {
            ResultRows logged;
            QVERIFY(readDrawLog(form.DrawLog, logged));
            QCOMPARE(logged.size(), draws + 2);
            QCOMPARE(logged.toList(), fx.rows());
            break;
        }
        case Target::Settings:
            QVERIFY(after.contains(QByteArray(QByteArray("End=") + QByteArray::number(maximum))));
            break;
        default:
            for (const ResultRow &row : fx.rows())
                QVERIFY2(holdsText(after, row.Gezogen), qPrintable(row.Gezogen));
        }
    }

    void aFullDiskHaltsTheVerifiableDrawAndTheJournalRestoresTheTable()
    {
        if (!g_mountNamespace)
            QSKIP("no mount namespace here");
        FormFixture fx;
        const QString folder = fx.folder.path();
        const SmallDisk disk(folder);
        QVERIFY2(disk.mounted(), std::strerror(errno));
        fx.folder.write(QStringLiteral("tivrel.ini"),
                        "[NUM]\r\nStart=1\r\nEnd=5000\r\nCent=0\r\n"
                        "Percentage=5000\r\n[VERIFY]\r\nEnabled=1\r\n");
        Form &form = fx.start();
        fx.drawOnce();
        const QString journal = fx.folder.file(QStringLiteral("tivrel.journal"));
        const auto check = [&journal] {
            QFile file(journal);
            return file.open(QIODevice::ReadOnly) ? verifyJournal(file.readAll()) : JournalCheck{};
        };
        qint32 halted = 0;
        {
            FaultScope full(Fault::DiskFull, folder, journal);
            QVERIFY(full.ok());
            // Draws go on while the journal's last block has room, then stop.
            for (int i = 0; i < 80 && !form.pass().drawsHalted(); ++i)
                fx.drawOnce();
            QVERIFY(form.pass().drawsHalted());
            halted = form.pass().drawCount();
            QCOMPARE(fx.results().rowCount(), halted);
            QCOMPARE(fx.display(), lng("StrJournalAngehalten"));
            QVERIFY(std::any_of(fx.platform.messages.cbegin(), fx.platform.messages.cend(),
                                [&journal](const auto &m) { return m.text.contains(journal); }));
            // Asked again while the disk is still full: refused again.
            fx.drawOnce();
            QCoreApplication::processEvents();
            QCOMPARE(form.pass().drawCount(), halted);
            QVERIFY(form.pass().drawsHalted());
            QVERIFY(QFile(journal).size() > 0 &&
                    fx.folder.read(QStringLiteral("tivrel.journal")).endsWith('\n'));
            QVERIFY2(check().ok, qPrintable(check().report()));
        }
        // With room again the next start command reveals the halted segment and commits anew.
        fx.drawOnce();
        QCoreApplication::processEvents();
        QVERIFY(!form.pass().drawsHalted());
        QCOMPARE(form.pass().drawCount(), halted);
        QVERIFY(fx.display().startsWith(lngFormat("StrFestlegung", {QString()})));

        // The program ends before a draw wrote the log: the log lacks the draws made while the
        // disk was full, the journal holds them, and the next start puts them back.
        const ResultRows shown = form.pass().rows();
        ResultRows logged;
        QVERIFY(readDrawLog(form.DrawLog, logged));
        QVERIFY(logged.size() < shown.size());
        Form &again = fx.start();
        QCOMPARE(again.pass().drawCount(), halted);
        // The same rows (in draw-number order; the next draw sorts the table anyway).
        const auto byNumber = [](QList<ResultRow> rows) {
            std::sort(rows.begin(), rows.end(), [](const ResultRow &a, const ResultRow &b) {
                return a.Durchgang < b.Durchgang;
            });
            return rows;
        };
        QCOMPARE(byNumber(again.pass().rows().toList()), byNumber(shown.toList()));
        QVERIFY(readDrawLog(again.DrawLog, logged));
        QCOMPARE(logged.size(), shown.size());
        fx.drawOnce();
        QCOMPARE(again.pass().drawCount(), halted + 1);
        const JournalCheck after = check();
        QVERIFY2(after.ok && after.draws >= halted, qPrintable(after.report()));
    }
};

int main(int argc, char *argv[])
{
    g_mountNamespace = enterMountNamespace();
    QApplication app(argc, argv);
    TestDiskFaults test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_diskfaults.moc"
