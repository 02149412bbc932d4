#include "app/filefolders.h"

#include "localisation/langmanager.h"
#include "localisation/uitext.h"
#include "platform/filelocations.h"
#include "platform/platform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

namespace {

// Why `folder` could not be made: a file in its place (or in the place of a folder above it),
// or the system's reason.
FolderProblem whyNotMade(const QString &folder)
{
    for (QString path = QDir::cleanPath(folder); !path.isEmpty() && path != QLatin1String("/");
         path = QFileInfo(path).path()) {
        const QFileInfo info(path);
        if (info.exists() && !info.isDir())
            return {FolderProblem::Kind::FileInPlace, folder, {}};
        if (info.isDir())
            break;
    }
    if (::mkdir(QFile::encodeName(folder).constData(), 0777) != 0 && errno != EEXIST)
        return {FolderProblem::Kind::System, folder, QString::fromLocal8Bit(std::strerror(errno))};
    return {FolderProblem::Kind::NotWritable, folder, {}};
}

} // namespace

FolderProblem prepareFileFolders(const FileLocations &files)
{
    QString failed;
    if (!createFileFolders(files, &failed))
        return whyNotMade(failed);
    // A folder the operator chose is the only place this run may keep its files.
    if (files.place == FileLocations::Place::ChosenFolder && !folderIsWritable(files.filesFolder))
        return {FolderProblem::Kind::NotWritable, QDir::cleanPath(files.filesFolder), {}};
    return {};
}

QString folderProblemMessage(const FolderProblem &problem)
{
    QString reason;
    switch (problem.kind) {
    case FolderProblem::Kind::None: return {};
    case FolderProblem::Kind::FileInPlace: reason = lng("StrOrdnerIstDatei"); break;
    case FolderProblem::Kind::NotWritable: reason = lng("StrOrdnerNichtBeschreibbar"); break;
    case FolderProblem::Kind::System: reason = problem.detail; break;
    }
    return lngFormat("HinweisOrdnerUnbrauchbar",
                     {QDir::toNativeSeparators(problem.folder), reason});
}

void reportFolderProblem(Platform &platform, const FolderProblem &problem)
{
    // No window chose the language yet: the system's, as start-up would choose it.
    TLanguageManager &manager = LangManager();
    manager.SetSourceLanguage(LangIdGerman);
    manager.AddLanguageResource(ProgramModule, QStringLiteral("LNG_ENGLISH"), LangIdEnglishUK);
    manager.ActivateLanguage(StartupLanguageId(platform.systemLanguageId()));
    const QString message = folderProblemMessage(problem);
    std::fprintf(stderr, "tivrel: %s\n",
                 qPrintable(QString(message).replace(QStringLiteral("\r\n"), QStringLiteral(" "))));
    platform.messageBox(lng("StrTivrelHinweis"), message, Platform::Icon::Stop,
                        Platform::Buttons::Ok);
}
