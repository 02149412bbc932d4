#include "fuzzsupport.h"
#include "presentation/waveimage.h"

// A WAV image on any bytes: an accepted one has whole frames of sample data inside the image,
// and every one of those bytes can be read.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray image = fuzzBytes(data, size);
    const WaveParseResult result = parseWaveImage(image);
    if (!result.ok())
        return 0;
    const WaveLayout &layout = result.layout;
    FUZZ_CHECK(layout.format.blockAlign > 0 && layout.format.channels > 0);
    FUZZ_CHECK(layout.dataOffset >= 0 && layout.dataSize > 0);
    FUZZ_CHECK(layout.dataOffset + layout.dataSize <= image.size());
    FUZZ_CHECK(layout.dataSize % layout.format.blockAlign == 0 && layout.frameCount() >= 1);
    unsigned sum = 0;
    for (qsizetype i = layout.dataOffset; i < layout.dataOffset + layout.dataSize; ++i)
        sum += uchar(image.at(i));
    (void)sum;
    return 0;
}
