#include "platform/qtplatform.h"

#include "platform/languageid.h"
#include "platform/printspooler.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QRandomGenerator>
#include <QUrl>

QtPlatform::QtPlatform()
    // Like a system tick counter, the reading does not start at zero with the program.
    : m_tickBase(QRandomGenerator::system()->generate())
{
    m_clock.start();
}

namespace {
void setBoxIcon(QMessageBox &box, Platform::Icon icon)
{
    switch (icon) {
    case Platform::Icon::None: box.setIcon(QMessageBox::NoIcon); break;
    case Platform::Icon::Information: box.setIcon(QMessageBox::Information); break;
    case Platform::Icon::Warning: box.setIcon(QMessageBox::Warning); break;
    case Platform::Icon::Question: box.setIcon(QMessageBox::Question); break;
    case Platform::Icon::Stop: box.setIcon(QMessageBox::Critical); break;
    }
}
} // namespace

Platform::Answer QtPlatform::messageBox(const QString &caption, const QString &text, Icon icon,
                                        Buttons buttons)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(caption);
    box.setText(text);
    setBoxIcon(box, icon);
    switch (buttons) {
    case Buttons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case Buttons::OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case Buttons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case Buttons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Ok: return Answer::Ok;
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
    }
}

int QtPlatform::askChoice(const QString &caption, const QString &text, Icon icon,
                          const QStringList &buttons)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(caption);
    box.setText(text);
    setBoxIcon(box, icon);
    QList<QAbstractButton *> made;
    for (const QString &label : buttons)
        made.append(box.addButton(label, QMessageBox::ActionRole));
    if (!made.isEmpty())
        box.setDefaultButton(qobject_cast<QPushButton *>(made.first()));
    box.exec();
    return int(made.indexOf(box.clickedButton()));
}

QString QtPlatform::saveFileName(const QString &title, const QString &suggestedPath,
                                 const QString &filter)
{
    return QFileDialog::getSaveFileName(QApplication::activeWindow(), title, suggestedPath, filter);
}

QString QtPlatform::openFileName(const QString &title, const QString &startFolder,
                                 const QString &filter)
{
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), title, startFolder, filter);
}

bool QtPlatform::shellOpen(const QString &pathOrUrl)
{
    const QUrl url = QFileInfo::exists(pathOrUrl) ? QUrl::fromLocalFile(pathOrUrl)
                                                  : QUrl::fromUserInput(pathOrUrl);
    return QDesktopServices::openUrl(url);
}

quint16 QtPlatform::systemLanguageId() const
{
    return languageIdForLocaleName(QLocale::system().name());
}

quint32 QtPlatform::tickCount() const
{
    return m_tickBase + static_cast<quint32>(m_clock.elapsed());
}

QDateTime QtPlatform::now() const
{
    return QDateTime::currentDateTime();
}

QString QtPlatform::tempFolder() const
{
    return QDir::tempPath();
}

QString QtPlatform::programPath() const
{
    return QCoreApplication::applicationFilePath();
}

QtPlatform::~QtPlatform() = default;

PrintSpooler *QtPlatform::printer()
{
    if (!m_printer)
        m_printer = std::make_unique<CupsSpooler>();
    return m_printer.get();
}
