#include "presentation/numberdisplaywidget.h"

#include "localisation/filerefusal.h"
#include "localisation/uitext.h"
#include "platform/platform.h"
#include "presentation/backgroundpicture.h"
#include "presentation/displaypixels.h"
#include "presentation/firstpaintmark.h"
#include "presentation/numberdisplayaccessible.h"

#include <QAccessible>
#include <QDir>
#include <QFileInfo>
#include <QPaintEvent>
#include <QPainter>

namespace {

const QString Blank = QStringLiteral(" ");

} // namespace

NumberDisplayWidget::NumberDisplayWidget(Platform &platform, QWidget *parent)
    : QWidget(parent), m_platform(platform)
{
    // The whole area is painted from the bitmap: no background erase, no flicker.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMinimumSize(1, 1);
    static const bool accessibleInstalled = [] {
        QAccessible::installFactory(&NumberDisplayAccessible::create);
        return true;
    }();
    Q_UNUSED(accessibleInstalled);
}

void NumberDisplayWidget::ShowOnDisplay(const QString &text, int smoothing, bool isEntry)
{
    if (smoothing != 0) {
        m_lastStill = text;
        m_lastStillIsEntry = isEntry;
    }
    const RunState run = m_runState ? m_runState() : RunState{};
    const qreal ratio = devicePixelRatioF();
    DisplayFrame frame;
    frame.imageSize = (QSizeF(size()) * ratio).toSize();
    frame.windowSize =
        (QSizeF(m_rainArea ? m_rainArea() : window()->frameGeometry().size()) * ratio).toSize();
    frame.running = run.running;
    frame.stopCaption = run.stopCaption;
    frame.panelHidden = m_panelHidden
                            ? m_panelHidden()
                            : (parentWidget() && parentWidget()->isHidden() &&
                               parentWidget()->testAttribute(Qt::WA_WState_ExplicitShowHide));
    static const EntryPool noPool;
    const bool paints = !text.isEmpty() || isEntry;
    if (m_mirror && paints)
        m_mirror->showPaint({text, smoothing, isEntry, m_state, m_options, frame,
                             m_pool ? m_pool : &noPool, m_effects});
    if (m_renderer.ShowOnDisplay(text, smoothing, isEntry, m_state, m_options, frame,
                                 m_pool ? *m_pool : noPool, m_effects))
        update();
    // Assistive technology hears the still texts, not the animation's passing frames, and
    // hears an entry whole where the display shows only its start.
    if (smoothing != 0 && paints) {
        const QString shown = displayedText(text, false, m_options);
        if (shown != m_spokenText) {
            m_spokenText = shown;
            QAccessibleEvent event(this, QAccessible::NameChanged);
            QAccessible::updateAccessibility(&event);
            Q_EMIT spokenTextChanged(m_spokenText);
        }
    }
}

void NumberDisplayWidget::setPool(const EntryPool *pool)
{
    m_pool = pool;
}
void NumberDisplayWidget::showLastStill()
{
    ShowOnDisplay(m_lastStill, 2, m_lastStillIsEntry);
}

void NumberDisplayWidget::setRunStateSource(RunStateSource source)
{
    m_runState = std::move(source);
}
void NumberDisplayWidget::setPanelHiddenSource(std::function<bool()> source)
{
    m_panelHidden = std::move(source);
}
void NumberDisplayWidget::setRainAreaSource(std::function<QSize()> source)
{
    m_rainArea = std::move(source);
}

void NumberDisplayWidget::setNumberEffect(bool on)
{
    m_options.numberEffect = on;
}
void NumberDisplayWidget::setColourEffect(bool on)
{
    m_options.colourEffect = on;
}
void NumberDisplayWidget::setPictureTicked(bool on)
{
    m_options.picture = on;
}
void NumberDisplayWidget::setPictureAnimated(bool on)
{
    m_options.pictureAnimated = on;
}
void NumberDisplayWidget::setEntryLength(bool fromFile, int length)
{
    m_options.fromFile = fromFile;
    m_options.entryLength = length;
}

void NumberDisplayWidget::setSafeAnimation(bool on)
{
    m_options.safeAnimation = on;
    ShowOnDisplay(m_state.DisplayText, 2, m_state.DisplayTextIsEntry);
}

void NumberDisplayWidget::cpVordergrundChange(quint32 colour)
{
    m_options.foreground = colour;
    m_state.DisplayForeColour = ToColor32(colour);
    ShowOnDisplay(m_state.DisplayText, 2, m_state.DisplayTextIsEntry);
}

void NumberDisplayWidget::cpHintergrundChange(quint32 colour)
{
    m_options.background = colour;
    m_state.DisplayBackColour = ToColor32(colour);
    ShowOnDisplay(m_state.DisplayText, 2, m_state.DisplayTextIsEntry);
}

void NumberDisplayWidget::ErgebnisfeldResize()
{
    m_state.KeepColours = true;
    ShowOnDisplay(m_state.DisplayText, 2, m_state.DisplayTextIsEntry);
}

bool NumberDisplayWidget::LoadBackgroundPicture(const QString &fileName)
{
    // Decode the file by its extension; its outer ring comes back transparent.
    QImage picture = decodeBackgroundPicture(picturePath(fileName));
    if (picture.isNull())
        return false;
    m_state.picture = std::move(picture);
    // Both options can now be chosen; their ticks stay as they are.
    setPictureOptionsEnabled(true, true);
    return true;
}

bool NumberDisplayWidget::LoadBackgroundPictureAtStartUp(const QString &fileName)
{
    if (fileName.isEmpty())
        return false;
    if (LoadBackgroundPicture(fileName))
        return true;
    setPictureOptionsEnabled(false, m_animatedEnabled);
    if (m_options.picture)
        Q_EMIT pictureUnavailable(fileName);
    return false;
}

void NumberDisplayWidget::edHintergrundbildButtonClick(const QString &fieldText)
{
    // The file dialog, starting in the program's folder.
    QString name = fieldText;
    const QString folder = filesFolder();
    QString chosen = m_platform.openFileName(QString(), folder, lng("StrFilterBild"));
    if (!chosen.isEmpty()) {
        if (QFileInfo(chosen).suffix().isEmpty())
            chosen += QStringLiteral(".jpg");
        name = QDir(folder).relativeFilePath(chosen);
        Q_EMIT pictureFieldChanged(name);
    }
    // A name: load it, or say that it cannot be loaded.
    if (name > Blank) {
        if (!QFileInfo::exists(picturePath(name)) || !LoadBackgroundPicture(name)) {
            const QString text =
                lngFormat("HinweisDateiNichtGeladen", {lng("HinweisDateiBild"), name});
            m_platform.messageBox(constant(QStringLiteral("StrTivrelHinweis")), text,
                                  Platform::Icon::Warning, Platform::Buttons::Ok);
        }
        return;
    }
    // No name: no picture.
    m_state.picture = QImage();
    setPictureOptionsEnabled(false, false);
}

void NumberDisplayWidget::edHintergrundbildExit(const QString &fieldText)
{
    if (!(fieldText < Blank))
        return;
    m_options.picture = false;
    m_options.pictureAnimated = false;
    Q_EMIT pictureOptionsUnticked();
    setPictureOptionsEnabled(false, false);
}

void NumberDisplayWidget::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const QImage &bitmap = m_renderer.bitmap();
    const qreal ratio = devicePixelRatioF();
    // On screen the bitmap is opaque: its alpha does not show. Outside the grey strip every
    // pixel is opaque already and the bitmap is shown as it is; the strip is shown from an
    // opaque copy.
    QImage opaque(bitmap.constBits(), bitmap.width(), bitmap.height(), bitmap.bytesPerLine(),
                  QImage::Format_RGB32);
    opaque.setDevicePixelRatio(ratio);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QPointF(0, 0), opaque);
    const QRect strip = m_renderer.translucentRect();
    if (!strip.isEmpty()) {
        QImage copy(strip.size(), QImage::Format_RGB32);
        for (int y = 0; y < strip.height(); ++y) {
            const auto *source =
                reinterpret_cast<const QRgb *>(bitmap.constScanLine(strip.top() + y));
            auto *line = reinterpret_cast<QRgb *>(copy.scanLine(y));
            for (int x = 0; x < strip.width(); ++x)
                line[x] = source[strip.left() + x] | 0xFF000000u;
        }
        copy.setDevicePixelRatio(ratio);
        painter.drawImage(QPointF(strip.topLeft()) / ratio, copy);
    }
    // Whatever the bitmap does not cover (before the first text, or while it is rebuilt).
    const QRegion rest =
        QRegion(event->rect()) - QRect(QPoint(0, 0), (QSizeF(bitmap.size()) / ratio).toSize());
    for (const QRect &r : rest)
        painter.fillRect(r, QColor::fromRgb(m_state.DisplayBackColour));
    markFirstPaint();
}

void NumberDisplayWidget::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    ErgebnisfeldResize();
}

QString NumberDisplayWidget::constant(const QString &name) const
{
    return lng(name);
}

QString NumberDisplayWidget::pictureRefusal(const QString &fileName) const
{
    const QString path = picturePath(fileName);
    return fileRefusalMessage(path, checkReadable(path, MaxPictureFileBytes), MaxPictureFileBytes);
}

QString NumberDisplayWidget::picturePath(const QString &fileName) const
{
    // A name chosen on another drive, or typed as a full path, is taken as it is.
    if (QDir::isAbsolutePath(fileName))
        return fileName;
    return filesFolder() + fileName;
}

QString NumberDisplayWidget::filesFolder() const
{
    return m_filesFolder.isEmpty() ? programFolder(m_platform) : m_filesFolder;
}

void NumberDisplayWidget::setPictureOptionsEnabled(bool picture, bool animated)
{
    m_options.pictureEnabled = picture;
    m_animatedEnabled = animated;
    Q_EMIT pictureOptionsEnabledChanged(picture, animated);
}
