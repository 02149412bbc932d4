#include "draw/listfile.h"
#include "fuzzsupport.h"

// A draw list on any bytes: an accepted list holds no line break and no NUL in a line, and
// its lines written out as UTF-8 read back as the same lines.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const ListFileResult result = parseListText(fuzzBytes(data, size), 5000);
    if (!result.ok()) {
        FUZZ_CHECK(result.lines.isEmpty() || result.error == ListFileError::TooManyLines);
        return 0;
    }
    QByteArray written;
    for (const QString &line : result.lines) {
        FUZZ_CHECK(!line.contains(u'\r') && !line.contains(u'\n') && !line.contains(QChar(0)));
        written += line.toUtf8() + '\n';
    }
    // A first line that starts with a byte-order mark would lose it: UTF-8 drops one.
    if (!result.lines.isEmpty() && result.lines.first().startsWith(QChar(0xFEFF)))
        return 0;
    const ListFileResult again = parseListText(written, 5000);
    FUZZ_CHECK(again.ok());
    FUZZ_CHECK(again.lines == result.lines);
    return 0;
}
