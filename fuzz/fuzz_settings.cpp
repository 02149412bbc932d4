#include "fuzzsupport.h"
#include "settings/profilefile.h"
#include "settings/settings.h"

// The settings file on any bytes: every key reads (defaults, clamps), the values written
// into the same file and read back are the same values, and the lines the program does not
// own stay where they were.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzzApplication();
    const QString path = fuzzFile(QStringLiteral("tivrel.ini"), fuzzBytes(data, size));
    const SettingsContext context{0, 2};
    ProfileFile ini(path, QLocale::c());
    const Settings settings = readSettings(ini, context);
    const SaveResult saved = writeSettings(settings, ini);
    FUZZ_CHECK(saved.ok);
    const Settings again = readSettings(ProfileFile(path, QLocale::c()), context);
    FUZZ_CHECK(again == settings);
    return 0;
}
