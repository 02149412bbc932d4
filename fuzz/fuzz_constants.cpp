#include "fuzzsupport.h"
#include "localisation/langconstants.h"

// The constants stream on any bytes, in the newest and the 8-bit versions: never more
// constants read than announced, all of them when it reads to the end, and every name
// findable afterwards.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray stream = fuzzBytes(data, size);
    for (quint32 codePage : {1252u, 1251u}) {
        TLangConstants constants;
        const ConstantsStreamResult result = ReadConstantsStream(stream, codePage, constants);
        FUZZ_CHECK(result.read >= 0 && constants.count() <= result.read);
        if (result.ok() && result.version >= 0)
            FUZZ_CHECK(result.read == result.count);
        for (qsizetype i = 0; i < constants.count(); ++i)
            FUZZ_CHECK(constants.indexOf(constants.at(i).name) == i);
    }
    return 0;
}
