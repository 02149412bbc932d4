#include "results/helppageoutput.h"

#include "platform/platform.h"
#include "platform/savefile.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QMimeData>
#include <QTextCursor>
#include <QTextDocumentFragment>

QString helpPageBrowserPath(const Platform &platform)
{
    return QDir(platform.tempFolder()).filePath(QStringLiteral("tivrelh.html"));
}

void pHTMLShowClick(Platform &platform, const QString &pageSource)
{
    const QString path = helpPageBrowserPath(platform);
    if (saveFileAtomically(path, pageSource.toUtf8()).ok)
        platform.shellOpen(path);
}

bool helpCopyEnabled(const QTextCursor &selection)
{
    return selection.hasSelection();
}

void pHTMLSaveClick(const QTextCursor &selection)
{
    if (!selection.hasSelection())
        return;
    const QTextDocumentFragment fragment = selection.selection();
    auto *data = new QMimeData;
    data->setHtml(fragment.toHtml());
    data->setText(fragment.toPlainText());
    QGuiApplication::clipboard()->setMimeData(data);
}
