#include "support/cupssandbox.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>

#include <pwd.h>
#include <unistd.h>

namespace {
bool writeText(const QString &path, const QString &text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(text.toUtf8()) == text.toUtf8().size();
}

QString readText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QStringList jobIds(const QString &lpstatOutput)
{
    QStringList ids;
    for (const QString &line : lpstatOutput.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        ids.append(line.section(QLatin1Char(' '), 0, 0, QString::SectionSkipEmpty));
    return ids;
}
} // namespace

CupsSandbox::CupsSandbox(QString folder) : m_folder(std::move(folder))
{
    // A local socket's path holds at most 107 bytes.
    m_socket = m_folder + QStringLiteral("/cups.sock");
    if (m_socket.toLocal8Bit().size() > 100)
        m_socket = QDir::tempPath() + QStringLiteral("/tivrel-cups-%1.sock").arg(getpid());
}

CupsSandbox::~CupsSandbox()
{
    stop();
}

QString CupsSandbox::start()
{
    const QString cupsd = QStandardPaths::findExecutable(
        QStringLiteral("cupsd"), {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")});
    if (cupsd.isEmpty())
        return QStringLiteral("cupsd is not installed (package cups)");
    if (QStandardPaths::findExecutable(QStringLiteral("lpstat")).isEmpty())
        return QStringLiteral("the CUPS tools are not installed (package cups-client)");
    QDir(m_folder).removeRecursively();
    const QDir dir(m_folder);
    for (const char *sub : {"root", "spool", "cache", "state", "log", "tmp"})
        if (!dir.mkpath(QLatin1String(sub)))
            return QStringLiteral("cannot make %1/%2").arg(m_folder, QLatin1String(sub));
    // The filters run as an unprivileged user: they read the spool and write temporary files.
    QFile::setPermissions(m_folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                        QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                        QFileDevice::ExeOther | QFileDevice::ReadGroup |
                                        QFileDevice::ExeGroup);
    QFile::setPermissions(dir.filePath(QStringLiteral("tmp")),
                          QFileDevice::Permissions(0x7777)); // rwx for all
    QFile::remove(m_socket);
    const QString conf = dir.filePath(QStringLiteral("root/cupsd.conf"));
    const QString files = dir.filePath(QStringLiteral("root/cups-files.conf"));
    const bool written =
        writeText(conf, QStringLiteral("Listen %1\n"
                                       "LogLevel info\n"
                                       "Browsing No\n"
                                       "WebInterface No\n"
                                       "DefaultAuthType None\n"
                                       "<Location />\n  Order allow,deny\n  Allow all\n"
                                       "</Location>\n"
                                       "<Policy default>\n  <Limit All>\n    Order deny,allow\n"
                                       "  </Limit>\n</Policy>\n")
                            .arg(m_socket)) &&
        writeText(files, QStringLiteral("ServerRoot %1/root\n"
                                        "RequestRoot %1/spool\n"
                                        "CacheDir %1/cache\n"
                                        "StateDir %1/state\n"
                                        "TempDir %1/tmp\n"
                                        "ErrorLog %1/log/error_log\n"
                                        "AccessLog %1/log/access_log\n"
                                        "PageLog %1/log/page_log\n"
                                        "Sandboxing Relaxed\n")
                             .arg(m_folder));
    if (!written)
        return QStringLiteral("cannot write the configuration in %1").arg(m_folder);

    qputenv("CUPS_SERVER", m_socket.toLocal8Bit());
    m_cupsd = std::make_unique<QProcess>();
    m_cupsd->setProcessChannelMode(QProcess::MergedChannels);
    m_cupsd->start(cupsd,
                   {QStringLiteral("-f"), QStringLiteral("-c"), conf, QStringLiteral("-s"), files});
    if (!m_cupsd->waitForStarted(10000)) {
        const QString why = m_cupsd->errorString();
        m_cupsd.reset();
        return QStringLiteral("cupsd does not start: %1").arg(why);
    }
    const QDeadlineTimer deadline(15000);
    while (!deadline.hasExpired()) {
        if (m_cupsd->state() != QProcess::Running) {
            const QString said = QString::fromLocal8Bit(m_cupsd->readAll()).trimmed();
            const QString log = readText(dir.filePath(QStringLiteral("log/error_log")));
            m_cupsd.reset();
            return QStringLiteral("cupsd ended at once: %1 %2").arg(said, log.right(600));
        }
        if (tool(QStringLiteral("lpstat"), {QStringLiteral("-r")})
                .output.contains(QLatin1String("scheduler is running")))
            return {};
        QThread::msleep(100);
    }
    stop();
    return QStringLiteral("cupsd does not answer on %1").arg(m_socket);
}

void CupsSandbox::stop()
{
    if (!m_cupsd)
        return;
    m_cupsd->terminate();
    if (!m_cupsd->waitForFinished(10000)) {
        m_cupsd->kill();
        m_cupsd->waitForFinished(5000);
    }
    m_cupsd.reset();
}

bool CupsSandbox::running() const
{
    return m_cupsd && m_cupsd->state() == QProcess::Running;
}

QString CupsSandbox::addPdfQueue(const QString &name)
{
    const QString ppd = QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd");
    if (!QFile::exists(ppd))
        return QStringLiteral("%1 is missing (package printer-driver-cups-pdf)").arg(ppd);
    const Result added =
        tool(QStringLiteral("lpadmin"),
             {QStringLiteral("-p"), name, QStringLiteral("-E"), QStringLiteral("-v"),
              QStringLiteral("cups-pdf:/"), QStringLiteral("-P"), ppd, QStringLiteral("-o"),
              // The PostScript on the way to cups-pdf is made by pdftocairo, which keeps the
              // text readable in the PDF at the end; the other renderers keep only the glyphs.
              QStringLiteral("pdftops-renderer-default=pdftocairo")});
    return added.exitCode == 0 ? QString() : added.output;
}

CupsSandbox::Result CupsSandbox::tool(const QString &program, const QStringList &args) const
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("CUPS_SERVER"), m_socket);
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    const QString path = QStandardPaths::findExecutable(
        program, {QStringLiteral("/usr/sbin"), QStringLiteral("/usr/bin"), QStringLiteral("/sbin"),
                  QStringLiteral("/bin")});
    process.start(path.isEmpty() ? program : path, args);
    if (!process.waitForFinished(15000)) {
        process.kill();
        process.waitForFinished(5000);
        return {-1, QStringLiteral("%1 did not end").arg(program)};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAll())};
}

QStringList CupsSandbox::completedJobs(const QString &queue) const
{
    return jobIds(tool(QStringLiteral("lpstat"), {QStringLiteral("-W"), QStringLiteral("completed"),
                                                  QStringLiteral("-o"), queue})
                      .output);
}

QStringList CupsSandbox::pendingJobs(const QString &queue) const
{
    return jobIds(
        tool(QStringLiteral("lpstat"),
             {QStringLiteral("-W"), QStringLiteral("not-completed"), QStringLiteral("-o"), queue})
            .output);
}

QString CupsSandbox::pdfOutputFolder()
{
    const passwd *user = getpwuid(getuid());
    const QString home = user ? QString::fromLocal8Bit(user->pw_dir) : QDir::homePath();
    QString out = QStringLiteral("${HOME}/PDF");
    // cups-pdf's "Out" setting, where the system's configuration gives one.
    static const QRegularExpression setting(QStringLiteral("^\\s*Out\\s+(\\S.*)$"),
                                            QRegularExpression::MultilineOption);
    const QRegularExpressionMatch m =
        setting.match(readText(QStringLiteral("/etc/cups/cups-pdf.conf")));
    if (m.hasMatch())
        out = m.captured(1).trimmed();
    return out.replace(QLatin1String("${HOME}"), home);
}
