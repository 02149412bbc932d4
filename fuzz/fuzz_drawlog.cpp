#include "fuzzsupport.h"
#include "results/drawlog.h"

// The draw log reader on any bytes; the rows it finds, written and read back, are the same
// rows, and writing them again gives the same file.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const DrawLogContent content = decodeDrawLog(fuzzBytes(data, size));
    const QByteArray written = encodeDrawLog(content.rows);
    const DrawLogContent again = decodeDrawLog(written);
    FUZZ_CHECK(again.skippedLines == 0);
    FUZZ_CHECK(again.rows == content.rows);
    FUZZ_CHECK(encodeDrawLog(again.rows) == written);
    return 0;
}
