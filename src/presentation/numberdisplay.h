#pragma once

#include "presentation/displaytext.h"

#include "draw/entrypool.h"
#include "draw/listfile.h"
#include <QImage>
#include <QList>
#include <QRect>
#include <QRgb>
#include <QSize>

#include <QStringList>

#include <optional>

class EffectsGenerator;

// The display options of the settings page, as the controls hold them.
struct DisplayOptions {
    bool numberEffect = true;        // cbNumberEffect: number rain while running
    bool colourEffect = true;        // cbFarbenregen: random colours while running
    bool picture = false;            // cbHintergrund ticked
    bool pictureEnabled = false;     // cbHintergrund enabled: a picture is loaded
    bool pictureAnimated = false;    // cbHintergrundAnimiert ticked
    bool fromFile = false;           // AusDatei
    int entryLength = 0;             // AusDateiLaenge: shown length of list entries, 0 = whole
    quint32 foreground = 0x00000000; // cpVordergrund, 0x00BBGGRR
    quint32 background = 0x00FFFFFF; // cpHintergrund, 0x00BBGGRR
    bool safeAnimation = false;      // no flashing; the still number stands out by 7:1
};

// What the display keeps from one paint to the next.
struct DisplayState {
    QString DisplayText; // last text painted (an empty one only as an entry), before shortening
    bool DisplayTextIsEntry = false;
    QRgb DisplayForeColour = 0xFF000000u;
    QRgb DisplayBackColour = 0xFFFFFFFFu;
    bool KeepColours = true; // set at creation and by every resize
    QImage picture;          // the background picture (straight ARGB), may be empty
    int safeTick = 0;        // animation frames of the safe animation so far
    QString safeText;        // the entry the safe animation shows, kept between its changes
    bool safeTextIsEntry = false;
};

// The circumstances of one paint.
struct DisplayFrame {
    QSize imageSize;          // Ergebnisfeld's client size
    QSize windowSize;         // outer size of the main window: the area of the number rain
    bool running = false;     // the start/stop caption differs from "StrStart"
    bool stopCaption = false; // the start/stop caption equals "StrStopp"
    bool panelHidden = false; // the display panel Ausgabe is hidden
};

// One glyph of the number rain, as drawn in the last paint.
struct RainGlyph {
    QString text;
    int size = 0;
    QPoint position;
    QRgb colour = 0;
    bool drawn = false;
};

// The text an entry shows: with "Aus Datei" ticked and a display length above 0, a pool
// entry is cut to its first AusDateiLaenge characters; other texts stay whole. Beyond
// MaxDisplayedLength characters no screen shows more at the smallest size: a longer text
// (a list line of a million characters) is cut there, so that painting it stays quick.
constexpr qsizetype MaxDisplayedLength = MaxPaintedChars;
QString displayedText(const QString &text, bool isEntry, const DisplayOptions &options);

// The size box of the text: five sixths of the bitmap, a third of that with the picture on.
QSize textSizeBox(QSize imageSize, bool picture);

// Builds the picture of the number display, one ShowOnDisplay at a time, into a bitmap it
// keeps (an empty text leaves it as it was, an empty entry paints an empty still).
class NumberDisplayRenderer {
public:
    static constexpr int RainGlyphs = 21;
    static constexpr int PictureAngles = 330; // animated picture: 0 .. 329 degrees

    // Returns false when the text was empty and not an entry, and nothing was painted.
    bool ShowOnDisplay(const QString &text, int smoothing, bool isEntry, DisplayState &state,
                       const DisplayOptions &options, const DisplayFrame &frame,
                       const EntryPool &pool, EffectsGenerator &effects);

    // The display's 32-bit picture: straight ARGB; opaque except the grey strip.
    const QImage &bitmap() const { return m_bitmap; }
    // Where pixels that are not opaque may lie (the grey strip), else empty.
    QRect translucentRect() const { return m_translucent; }

    // Plain texts are put together from kept glyph rasters (on by default); off, every text
    // is rasterised at once. The pixels are the same either way.
    void setGlyphCache(bool on) { m_text.setGlyphCache(on); }
    // The background picture is kept over black, and upright at the bitmap's size (on by
    // default); off, it is transformed from the loaded picture on every paint. The pixels
    // are the same either way.
    void setPictureCache(bool on) { m_keepPictures = on; }

    // Details of the last paint.
    int fontSize() const { return m_fontSize; }
    QRect textRect() const { return m_textRect; }
    std::optional<double> pictureAngle() const { return m_pictureAngle; }
    const QList<RainGlyph> &rain() const { return m_rain; }

private:
    void paintPicture(const QImage &picture, double angle);
    void paintRain(const EntryPool &pool, bool isEntry, const DisplayOptions &options,
                   const DisplayFrame &frame, EffectsGenerator &effects);

    QImage m_bitmap;
    QRect m_translucent;
    TextRasterizer m_text;
    int m_fontSize = 3;
    QRect m_textRect;
    std::optional<double> m_pictureAngle;
    QList<RainGlyph> m_rain;
    bool m_keepPictures = true;
    qint64 m_opaquePictureKey = 0;
    QImage m_opaquePicture; // the picture over black
    QImage m_upright;       // the picture upright at the bitmap's size
};
