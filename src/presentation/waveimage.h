#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

// The layout of a WAV file image (RIFF/WAVE) as far as playing it needs: the sample format from
// the "fmt " chunk and where the sample data lies. Every size is checked against the image
// itself, so a file that lies about its sizes or was cut short is refused before anything is
// allocated or read on its word.

// Sample encodings of the "fmt " chunk (WAVE_FORMAT_EXTENSIBLE resolved to its sub-format).
enum class WaveEncoding { Pcm, Float, Other };

struct WaveFormat {
    WaveEncoding encoding = WaveEncoding::Other;
    quint16 formatTag = 0;
    quint16 channels = 0;
    quint32 sampleRate = 0;
    quint32 byteRate = 0;
    quint16 blockAlign = 0;
    quint16 bitsPerSample = 0;
};

struct WaveLayout {
    WaveFormat format;
    qsizetype dataOffset = 0; // first sample byte in the image
    qsizetype dataSize = 0;   // whole frames only
    qsizetype frameCount() const { return format.blockAlign ? dataSize / format.blockAlign : 0; }
};

enum class WaveError {
    None,
    Missing,   // the file does not exist or cannot be opened
    TooLarge,  // more than MaxWaveImageSize bytes
    NotRiff,   // no "RIFF" ... "WAVE" header
    Truncated, // a header or chunk reaches past the end of the image
    BadFormat, // the "fmt " chunk is missing, short, or its sizes disagree with each other
    NoData,    // no "data" chunk, or one without a single whole frame
};

// The largest image the player takes: about twelve minutes of CD-quality stereo.
inline constexpr qsizetype MaxWaveImageSize = 128 * 1024 * 1024;

struct WaveParseResult {
    WaveLayout layout;
    WaveError error = WaveError::None;
    bool ok() const { return error == WaveError::None; }
};

// Checks the image's RIFF structure and reads its format and data chunk.
WaveParseResult parseWaveImage(QByteArrayView image);

struct WaveFileResult {
    QByteArray image; // empty unless ok()
    WaveLayout layout;
    WaveError error = WaveError::None;
    bool ok() const { return error == WaveError::None; }
};

// Reads a WAV file whole, refusing one that is larger than maxSize (checked before reading) or
// whose image does not pass parseWaveImage.
WaveFileResult readWaveFile(const QString &path, qsizetype maxSize = MaxWaveImageSize);

// The built-in sound of that name, from the program's "WAVE" resources; the name compares
// without regard to case ("Klack" finds "KLACK"). Empty when there is none.
QByteArray builtInWave(const QString &name);
