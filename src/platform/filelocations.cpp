#include "platform/filelocations.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <unistd.h>

namespace {
QString withSlash(const QString &folder)
{
    QString clean = QDir::cleanPath(QDir(folder).absolutePath());
    if (!clean.endsWith(QLatin1Char('/')))
        clean += QLatin1Char('/');
    return clean;
}
} // namespace

UserFolders UserFolders::standard()
{
    UserFolders folders;
    folders.config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    folders.data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    folders.documents =
        (documents.isEmpty() ? QDir::homePath() : documents) + QStringLiteral("/Tivrel");
    return folders;
}

QStringList FileLocations::folders() const
{
    QStringList list;
    for (const QString &path :
         {filesFolder, QFileInfo(settingsFile).absolutePath(), QFileInfo(drawLog).absolutePath()}) {
        const QString folder = QDir::cleanPath(path);
        if (!folder.isEmpty() && !list.contains(folder))
            list.append(folder);
    }
    return list;
}

QString fileLocationsText(const FileLocations &locations, bool german)
{
    QStringList lines;
    lines << (german ? QStringLiteral("Einstellungen: ") : QStringLiteral("Settings: ")) +
                 QDir::toNativeSeparators(locations.settingsFile);
    lines << (german ? QStringLiteral("Ziehungsprotokoll: ") : QStringLiteral("Draw log: ")) +
                 QDir::toNativeSeparators(locations.drawLog);
    lines << (german ? QStringLiteral("Exporte: ") : QStringLiteral("Exports: ")) +
                 QDir::toNativeSeparators(locations.filesFolder);
    return lines.join(QLatin1Char('\n'));
}

bool folderIsWritable(const QString &folder)
{
    const QByteArray native = QFile::encodeName(folder);
    return ::access(native.constData(), W_OK | X_OK) == 0;
}

FileLocations filesBesideProgram(const QString &programPath)
{
    const QFileInfo program(programPath);
    const QString folder = withSlash(program.absolutePath());
    FileLocations locations;
    locations.place = FileLocations::Place::BesideProgram;
    locations.filesFolder = folder;
    locations.settingsFile = folder + program.completeBaseName() + QStringLiteral(".ini");
    locations.drawLog = folder + program.completeBaseName() + QStringLiteral(".log");
    return locations;
}

QStringList systemProgramFolders()
{
    QStringList folders{QStringLiteral("/usr"), QStringLiteral("/opt"),
                        QStringLiteral("/bin"), QStringLiteral("/sbin"),
                        QStringLiteral("/lib"), QStringLiteral("/snap"),
                        QStringLiteral("/app"), QStringLiteral("/nix/store")};
#ifdef TIVREL_INSTALL_BINDIR
    const QString installed = QDir::cleanPath(QStringLiteral(TIVREL_INSTALL_BINDIR));
    if (installed != QLatin1String("/") && !folders.contains(installed))
        folders.append(installed);
#endif
    return folders;
}

bool isSystemFolder(const QString &folder, const QStringList &systemFolders)
{
    const QString clean = QDir::cleanPath(QDir(folder).absolutePath());
    for (const QString &system : systemFolders) {
        const QString root = QDir::cleanPath(system);
        if (clean == root || clean.startsWith(root + QLatin1Char('/')))
            return true;
    }
    // Installed under any other prefix (~/.local, a staging folder): the menu entry that the
    // installation puts beside the program's folder tells.
    return QFileInfo::exists(clean + QStringLiteral("/../share/applications/") +
                             QStringLiteral(TIVREL_DESKTOP_FILE));
}

FileLocations decideFileLocations(const QString &programPath, const QString &chosenFolder,
                                  const UserFolders &user,
                                  const std::function<bool(const QString &)> &writable,
                                  const QStringList &systemFolders)
{
    const QFileInfo program(programPath);
    const QString name = program.completeBaseName();
    const QString iniName = name + QStringLiteral(".ini");
    const QString logName = name + QStringLiteral(".log");

    FileLocations locations;
    if (!chosenFolder.isEmpty()) {
        locations.place = FileLocations::Place::ChosenFolder;
        locations.filesFolder = withSlash(chosenFolder);
        locations.settingsFile = locations.filesFolder + iniName;
        locations.drawLog = locations.filesFolder + logName;
        return locations;
    }

    const QString programFolder = withSlash(program.absolutePath());
    // An installed program never keeps files beside itself, also where it may write (run as
    // root): they would be every user's, and outlive the package.
    if (!isSystemFolder(programFolder, systemFolders) &&
        (QFileInfo::exists(programFolder + iniName) || writable(programFolder)))
        return filesBesideProgram(programPath);

    locations.place = FileLocations::Place::UserFolders;
    locations.filesFolder = withSlash(user.documents);
    locations.settingsFile = withSlash(user.config) + iniName;
    locations.drawLog = withSlash(user.data) + logName;
    return locations;
}

bool createFileFolders(const FileLocations &locations, QString *failedFolder)
{
    for (const QString &folder : locations.folders()) {
        if (!QDir().mkpath(folder)) {
            if (failedFolder)
                *failedFolder = folder;
            return false;
        }
    }
    return true;
}
