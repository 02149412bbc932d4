#include "presentation/numberdisplay.h"

#include "draw/listfile.h"
#include "draw/mersenne.h"
#include "presentation/backgroundpicture.h"
#include "presentation/displaypixels.h"
#include "presentation/safeanimation.h"

#include <algorithm>
#include <cstring>

QString displayedText(const QString &text, bool isEntry, const DisplayOptions &options)
{
    // An entry is cut to the display length, and any text to what can be painted.
    return paintedEntryText(text, isEntry && options.fromFile, isEntry ? options.entryLength : 0);
}

QSize textSizeBox(QSize imageSize, bool picture)
{
    int maxW = (imageSize.width() / 6) * 5;
    int maxH = (imageSize.height() / 6) * 5;
    if (picture) {
        maxW /= 3;
        maxH /= 3;
    }
    return {maxW, maxH};
}

bool NumberDisplayRenderer::ShowOnDisplay(const QString &text, int smoothing, bool isEntry,
                                          DisplayState &state, const DisplayOptions &options,
                                          const DisplayFrame &frame, const EntryPool &pool,
                                          EffectsGenerator &effects)
{
    // An empty text changes nothing, unless it is a pool entry: a drawn blank line is
    // shown as what it is, an empty still, so the text shown before cannot pass for it.
    if (text.isEmpty() && !isEntry)
        return false;
    // The safe animation shows a new entry only on every SafeColourTicks-th frame and keeps
    // the one before in between, so the number changes fewer than three times a second.
    const bool running = frame.running;
    const SafeStep safe = safeAnimationStep(state, options, running, smoothing, text, isEntry);
    // Between its changes the safe animation's frame stays as it is: same entry, same
    // colours, no rain, no spinning picture.
    if (options.safeAnimation && running && smoothing == 0 && !safe.newEntry &&
        m_bitmap.size() == frame.imageSize && !state.KeepColours && !frame.panelHidden)
        return true;
    // Remember the text for resizes and colour changes.
    state.DisplayText = safe.text;
    state.DisplayTextIsEntry = safe.isEntry;
    // Shorten list entries.
    const QString shown = displayedText(safe.text, safe.isEntry, options);
    // A ticked picture that is not loaded is left out altogether: no black area, no smaller
    // box, the number in the user's colours.
    const bool picture = options.picture && options.pictureEnabled && !state.picture.isNull();
    // Fit the size to the box.
    const QSize box = textSizeBox(frame.imageSize, picture);
    m_fontSize = m_text.fitFontSize(shown, box.width(), box.height());
    const QSize extent = m_text.extent(shown, m_fontSize);

    // Resize the bitmap and clear it with the colour chosen by the previous paint. When
    // the picture is painted below it replaces every pixel, so the clear is left out.
    const bool animatedPicture = picture && options.pictureAnimated && !options.safeAnimation;
    const bool paintsPicture = picture;
    if (m_bitmap.size() != frame.imageSize)
        m_bitmap = QImage(frame.imageSize, QImage::Format_ARGB32);
    if (!paintsPicture)
        fillBitmap(m_bitmap, state.DisplayBackColour);
    m_translucent = QRect();

    // Centre the text.
    const int x = (frame.imageSize.width() - extent.width()) / 2;
    const int y = (frame.imageSize.height() - extent.height()) / 2;
    m_textRect = QRect(QPoint(x, y), extent);

    // The background picture: spinning while running, upright with a grey strip when idle.
    m_pictureAngle.reset();
    if (running) {
        if (picture) {
            m_pictureAngle = animatedPicture ? double(effects.next(PictureAngles)) : 0.0;
            paintPicture(state.picture, *m_pictureAngle);
        }
    } else if (picture) {
        m_pictureAngle = 0.0;
        paintPicture(state.picture, 0.0);
        m_translucent =
            QRect(QPoint(x - 1, y - 1), QPoint(x + extent.width() + 2, y + extent.height() + 2))
                .intersected(m_bitmap.rect());
        paintGreyPatch(m_bitmap, m_translucent);
        if (options.safeAnimation)
            fitStripContrast(m_bitmap, m_translucent, safeStill(options).foreground);
    }

    // Random colours, unless a resize or the hidden panel asks to keep them. The
    // background colour only shows from the next paint on.
    if (options.safeAnimation) {
        applySafeColours(state, options, running, frame.panelHidden, safe.newEntry, effects);
    } else if (frame.panelHidden || state.KeepColours) {
        state.KeepColours = false;
    } else if (options.colourEffect) {
        state.DisplayBackColour = ToColor32(effects.next((1u << 28) - 1));
        state.DisplayForeColour = ToColor32(effects.next((1u << 24) - 1));
    }
    // Idle paints use the picker colours.
    if (!running && !options.safeAnimation) {
        state.DisplayForeColour = ToColor32(options.foreground);
        state.DisplayBackColour = ToColor32(options.background);
    }
    // The text.
    m_text.drawText(m_bitmap, shown, m_fontSize, QPoint(x, y), state.DisplayForeColour, smoothing);
    // The number rain.
    m_rain.clear();
    if (options.numberEffect && frame.stopCaption && !options.safeAnimation)
        paintRain(pool, isEntry, options, frame, effects);
    return true;
}

void NumberDisplayRenderer::paintPicture(const QImage &picture, double angle)
{
    if (!m_keepPictures) {
        PaintBackgroundPicture(m_bitmap, picture, angle);
        return;
    }
    // The picture over black is made once per picture; the upright picture, which every idle
    // paint and every paint of a picture that does not spin shows, once per size.
    if (m_opaquePictureKey != picture.cacheKey()) {
        m_opaquePicture = pictureOverBlack(picture);
        m_opaquePictureKey = picture.cacheKey();
        m_upright = QImage();
    }
    if (angle != 0.0) {
        PaintPictureOverBlack(m_bitmap, m_opaquePicture, angle);
        return;
    }
    if (m_upright.size() != m_bitmap.size()) {
        PaintPictureOverBlack(m_bitmap, m_opaquePicture, 0.0);
        m_upright = m_bitmap.copy();
        return;
    }
    std::memcpy(m_bitmap.bits(), m_upright.constBits(), size_t(m_bitmap.sizeInBytes()));
}

void NumberDisplayRenderer::paintRain(const EntryPool &pool, bool isEntry,
                                      const DisplayOptions &options, const DisplayFrame &frame,
                                      EffectsGenerator &effects)
{
    if (pool.isEmpty())
        return;
    int size = m_fontSize;
    for (int i = 0; i < RainGlyphs; ++i) {
        RainGlyph glyph;
        glyph.text =
            displayedText(pool.at(qsizetype(effects.next(quint32(pool.size())))), isEntry, options);
        glyph.size = int(effects.next(quint32(size))) + 5;
        size = glyph.size;
        const uint alpha = effects.next(255);
        const uint blue = effects.next(255);
        const uint green = effects.next(255);
        const uint red = effects.next(255);
        glyph.colour = qRgba(int(red), int(green), int(blue), int(alpha));
        const int spanY = frame.windowSize.height() - 3 * glyph.size;
        const int spanX = frame.windowSize.width() - 3 * glyph.size;
        const int gy = int(effects.next(quint32(std::max(spanY, 0))));
        const int gx = int(effects.next(quint32(std::max(spanX, 0))));
        glyph.position = QPoint(gx, gy);
        glyph.drawn = spanX > 0 && spanY > 0;
        if (glyph.drawn)
            m_text.drawText(m_bitmap, glyph.text, glyph.size, glyph.position, glyph.colour, 0);
        m_rain.append(glyph);
    }
}
