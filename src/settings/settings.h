#pragma once

#include "draw/drawmode.h"
#include "platform/savefile.h"

#include <QString>

class ProfileFile;

// Every key of the settings file, declared once: section, key, how it is stored, the member of
// Settings that holds it, its default and its limits. Values outside the limits are clamped to
// them when read. Kinds:
//   Bool     "0" / "1"
//   Int      a whole number
//   IntText  a whole number read from the key's text (no number: the default)
//   Decimal  a number with the locale's decimal separator
//   Text     the text as it stands
//   Choice   a whole number; one beyond the limits gives the default
// A key added later is one more line here (and, if the panel shows it, one control).
#define TIVREL_SETTINGS_KEYS(X)                                                                    \
    X(NUM, Start, Int, qint32, Start, 100, 0, 999999)                                              \
    X(NUM, End, Int, qint32, End, 999, 0, 999999)                                                  \
    X(NUM, Cent, Bool, bool, Cent, true, 0, 1)                                                     \
    X(NUM, Count, Decimal, double, QuotaPercent, 10.0, 0, 100)                                     \
    X(NUM, Percentage, Int, qint32, QuotaCount, 10, 0, 999999)                                     \
    X(NUM, AutoPilot, Bool, bool, AutoPilot, false, 0, 1)                                          \
    X(NUM, AutoVal, Int, qint32, AutoVal, 999, 0, 9999)                                            \
    X(DISPLAY, Zeros, Bool, bool, Zeros, false, 0, 1)                                              \
    X(DISPLAY, Help, Bool, bool, Help, true, 0, 1)                                                 \
    X(DISPLAY, Sound, Bool, bool, Sound, true, 0, 1)                                               \
    X(DISPLAY, Play, Bool, bool, Play, false, 0, 1)                                                \
    X(DISPLAY, Colors, Bool, bool, Colors, true, 0, 1)                                             \
    X(DISPLAY, Numbers, Bool, bool, Numbers, true, 0, 1)                                           \
    X(DISPLAY, Language, Int, qint32, Language, 0, -1, 999)                                        \
    X(DISPLAY, Size, Bool, bool, Size, false, 0, 1)                                                \
    X(DISPLAY, List, Bool, bool, List, false, 0, 1)                                                \
    X(DISPLAY, Lottery, Bool, bool, Lottery, false, 0, 1)                                          \
    X(DISPLAY, FGC, Int, qint32, FGC, 0, INT_MIN, INT_MAX)                                         \
    X(DISPLAY, BGC, Int, qint32, BGC, 0xFFFFFF, INT_MIN, INT_MAX)                                  \
    X(DISPLAY, HGB, Bool, bool, HGB, false, 0, 1)                                                  \
    X(DISPLAY, HGA, Bool, bool, HGA, false, 0, 1)                                                  \
    X(DISPLAY, HGI, Text, QString, HGI, QString(), 0, 0)                                           \
    X(DISPLAY, SFile, Text, QString, SFile, QString(), 0, 0)                                       \
    X(DISPLAY, WinSize, Int, qint32, WinSize, 25, 20, 75)                                          \
    X(LOTTERY, Games, IntText, qint32, Games, 2, 1, 999)                                           \
    X(LOTTERY, Pool, IntText, qint32, Pool, 2, 1, 8)                                               \
    X(LOTTERY, Pool_n, Int, qint32, Pool_n, 6, 1, 15)                                              \
    X(LOTTERY, Pool_x, Int, qint32, Pool_x, 49, 15, 99)                                            \
    X(DRAW, Mode, Choice, qint32, Mode, 0, 0, DrawModeCount - 1)                                   \
    X(DRAW, Intervall, IntText, qint32, Intervall, 5, 0, 9999)                                     \
    X(DRAW, Autostop, Bool, bool, Autostop, false, 0, 1)                                           \
    X(DRAW, Time, Text, QString, Time, QString(), 0, 0)                                            \
    X(DRAW, UseFile, Bool, bool, UseFile, false, 0, 1)                                             \
    X(DRAW, Filename, Text, QString, Filename, QString(), 0, 0)                                    \
    X(DRAW, UseWinnings, Bool, bool, UseWinnings, false, 0, 1)                                     \
    X(DRAW, Winnings, Text, QString, Winnings, QString(), 0, 0)                                    \
    X(DRAW, Cols, Int, qint32, Cols, 10, 0, 999)                                                   \
    X(SHOW, Audience, Bool, bool, Audience, false, 0, 1)                                           \
    X(SHOW, AudienceScreen, Text, QString, AudienceScreen, QString(), 0, 0)                        \
    X(SHOW, SafeAnimation, Bool, bool, SafeAnimation, false, 0, 1)                                 \
    X(SHOW, Speak, Bool, bool, Speak, false, 0, 1)                                                 \
    X(VERIFY, Enabled, Bool, bool, VerifyEnabled, false, 0, 1)                                     \
    X(WEB, Enabled, Bool, bool, WebEnabled, false, 0, 1)                                           \
    X(WEB, Port, Int, qint32, WebPort, 8080, 1, 65535)                                             \
    X(WEB, Address, Text, QString, WebAddress, QString(), 0, 0)                                    \
    X(WEB, Corner, Bool, bool, WebCorner, false, 0, 1)                                             \
    X(DRAW, ListColumns, Text, QString, ListColumns, QString(), 0, 0)                              \
    X(DRAW, ListCountColumn, Int, qint32, ListCountColumn, 0, 0, 9999)                             \
    X(DRAW, ListHeader, Bool, bool, ListHeader, false, 0, 1)                                       \
    X(DRAW, ListSeparator, Text, QString, ListSeparator, QString(), 0, 0)

// The settings as one value: what the settings file stores and the settings panel edits.
struct Settings {
#define TIVREL_SETTINGS_MEMBER(section, key, kind, type, member, fallback, low, high)              \
    type member = fallback;
    TIVREL_SETTINGS_KEYS(TIVREL_SETTINGS_MEMBER)
#undef TIVREL_SETTINGS_MEMBER

    DrawMode mode() const
    {
        return DrawMode(Mode);
    }
    // Whether any of the show options differs from its default: a file that never had them
    // does not get their section.
    bool showOptionsUsed() const
    {
        return Audience || !AudienceScreen.isEmpty() || SafeAnimation || Speak;
    }
    friend bool operator==(const Settings &, const Settings &) = default;
};

// The limits of a number key, for the controls that edit it.
struct SettingLimits {
    qint32 low;
    qint32 high;
};
#define TIVREL_SETTINGS_LIMITS(section, key, kind, type, member, fallback, low, high)              \
    inline constexpr SettingLimits member##Limits{low, high};
namespace settinglimits {
TIVREL_SETTINGS_KEYS(TIVREL_SETTINGS_LIMITS)
}
#undef TIVREL_SETTINGS_LIMITS

// What reading needs to know beyond the file: the language start-up chose and how many
// languages there are.
struct SettingsContext {
    qint32 chosenLanguage = 0;
    qint32 languageCount = 1;
};

// Reads every key: a missing key, or a value that does not parse, gives the key's default; a
// number beyond its limits is clamped to them. Beyond the declaration: the foreground colour
// may be "no colour"; a colour that is none falls back to its default; a Language beyond the
// list falls back to the chosen one and a negative one means the first; the time of day is
// kept only as "hh:mm".
Settings readSettings(const ProfileFile &ini, const SettingsContext &context = {});
// `refusal`, when given, gets the operator's message for a file that is there but was not read
// (a pipe, a device, a huge file); the settings then are the defaults, as for a missing file.
Settings readSettingsFile(const QString &path, const SettingsContext &context = {},
                          QString *refusal = nullptr);

// Writes every key into the file at once: one atomic save of the whole file. Keys already in
// the file are replaced in place, new ones appended to their section, other lines untouched.
// Of "Count" and "Percentage" only the one of the current quota mode is written; the section
// of the show options only when the file has it or an option is used; a key of the verifiable
// draw or the results page only when the file has it or its option is on.
[[nodiscard]] SaveResult writeSettings(const Settings &settings, ProfileFile &ini);

// The stored time of day as the field shows it ("hh:mm"), or an empty text when it is none.
QString timeOfDayText(const QString &stored);
