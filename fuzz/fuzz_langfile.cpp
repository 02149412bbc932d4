#include "fuzzsupport.h"
#include "localisation/langfile.h"

// A language file on any bytes: a problem is reported by its line, and every text found
// survives the value escapes both ways.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const LangFileParse parse = ParseLanguageFile(fuzzBytes(data, size));
    FUZZ_CHECK(parse.ok() ||
               parse.error.startsWith(QStringLiteral("Loading translations failed.")));
    auto survives = [](const QString &text) {
        return DecodeLangFileValue(EncodeLangFileValue(text)) == text;
    };
    for (const QString &text : parse.translations.constants)
        FUZZ_CHECK(survives(text));
    for (const TLangCompTranslation &section : parse.translations.sections) {
        for (const QString &text : section.texts)
            FUZZ_CHECK(survives(text));
        FUZZ_CHECK(parse.translations.section(section.sectionName) != nullptr);
    }
    (void)parse.translations.languageId();
    return 0;
}
