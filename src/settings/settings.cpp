#include "settings/settings.h"

#include "draw/csvlist.h"
#include "draw/drawschedule.h"
#include "settings/profilefile.h"

#include <QTime>

#include <algorithm>
#include <climits>
#include <cmath>

namespace {
const QString NUM = QStringLiteral("NUM");
const QString DISPLAY = QStringLiteral("DISPLAY");
const QString LOTTERY = QStringLiteral("LOTTERY");
const QString DRAW = QStringLiteral("DRAW");
const QString SHOW = QStringLiteral("SHOW");
const QString VERIFY = QStringLiteral("VERIFY");
const QString WEB = QStringLiteral("WEB");

constexpr qint32 NoColour = 0x1FFFFFFF;

qint32 clamped(qint64 value, qint32 low, qint32 high)
{
    return qint32(std::clamp<qint64>(value, low, high));
}

enum Kind { Bool, Int, IntText, Decimal, Text, Choice };

qint32 readNumber(const ProfileFile &ini, const QString &section, const QString &key,
                  qint32 fallback, qint32 low, qint32 high, Kind kind)
{
    if (kind == IntText) {
        const std::optional<qint32> number =
            ProfileFile::parseInteger(ini.readString(section, key));
        return clamped(number.value_or(fallback), low, high);
    }
    const qint32 value = ini.readInteger(section, key, fallback);
    if (kind == Choice)
        return value >= low && value <= high ? value : fallback;
    return clamped(value, low, high);
}

bool isStoredColour(qint32 value, bool noColourAllowed)
{
    if (noColourAllowed && value == NoColour)
        return true;
    return value >= 0 && value <= 0xFFFFFF;
}
} // namespace

QString timeOfDayText(const QString &stored)
{
    const QTime time = parseTimeOfDay(stored);
    return time.isValid() ? time.toString(QStringLiteral("hh:mm")) : QString();
}

Settings readSettings(const ProfileFile &ini, const SettingsContext &context)
{
    Settings s;
    const auto number = [&](const QString &section, const char *key, qint32 fallback, qint32 low,
                            qint32 high, Kind kind) {
        return readNumber(ini, section, QString::fromLatin1(key), fallback, low, high, kind);
    };
#define TIVREL_READ_Bool(section, key, member, fallback, low, high)                                \
    s.member = ini.readBool(section, QStringLiteral(#key), fallback);
#define TIVREL_READ_Int(section, key, member, fallback, low, high)                                 \
    s.member = number(section, #key, fallback, low, high, Int);
#define TIVREL_READ_IntText(section, key, member, fallback, low, high)                             \
    s.member = number(section, #key, fallback, low, high, IntText);
#define TIVREL_READ_Choice(section, key, member, fallback, low, high)                              \
    s.member = number(section, #key, fallback, low, high, Choice);
#define TIVREL_READ_Decimal(section, key, member, fallback, low, high)                             \
    s.member = std::clamp(ini.readDecimal(section, QStringLiteral(#key), fallback), double(low),   \
                          double(high));
#define TIVREL_READ_Text(section, key, member, fallback, low, high)                                \
    s.member = ini.readString(section, QStringLiteral(#key), fallback);
#define TIVREL_READ(section, key, kind, type, member, fallback, low, high)                         \
    TIVREL_READ_##kind(section, key, member, fallback, low, high)
    TIVREL_SETTINGS_KEYS(TIVREL_READ)
#undef TIVREL_READ
#undef TIVREL_READ_Bool
#undef TIVREL_READ_Int
#undef TIVREL_READ_IntText
#undef TIVREL_READ_Choice
#undef TIVREL_READ_Decimal
#undef TIVREL_READ_Text

    const Settings defaults;
    if (!isStoredColour(s.FGC, true))
        s.FGC = defaults.FGC;
    if (!isStoredColour(s.BGC, false))
        s.BGC = defaults.BGC;
    const qint32 stored =
        ini.readInteger(DISPLAY, QStringLiteral("Language"), context.chosenLanguage);
    s.Language = stored < 0 ? 0 : stored >= context.languageCount ? context.chosenLanguage : stored;
    s.Time = timeOfDayText(s.Time);
    return s;
}

Settings readSettingsFile(const QString &path, const SettingsContext &context, QString *refusal)
{
    const ProfileFile ini(path);
    if (refusal)
        *refusal = ini.readRefusalMessage();
    return readSettings(ini, context);
}

SaveResult writeSettings(const Settings &s, ProfileFile &ini)
{
    ini.deferWrites();
#define TIVREL_WRITE_Bool(section, key, member)                                                    \
    ini.writeBool(section, QStringLiteral(#key), s.member);
#define TIVREL_WRITE_Int(section, key, member)                                                     \
    ini.writeInteger(section, QStringLiteral(#key), s.member);
#define TIVREL_WRITE_IntText TIVREL_WRITE_Int
#define TIVREL_WRITE_Choice TIVREL_WRITE_Int
#define TIVREL_WRITE_Decimal(section, key, member)                                                 \
    ini.writeDecimal(section, QStringLiteral(#key), s.member);
#define TIVREL_WRITE_Text(section, key, member)                                                    \
    ini.writeString(section, QStringLiteral(#key), s.member);
#define TIVREL_WRITE(section, key, kind, type, member, fallback, low, high)                        \
    if (writes(section, QStringLiteral(#key)))                                                     \
    TIVREL_WRITE_##kind(section, key, member)
    // Of the two quota keys only the one of the current mode. The layout of a CSV list only
    // with a CSV list, so the file of a plain list stays as it was.
    const bool showSection = s.showOptionsUsed() || ini.hasSection(SHOW);
    const auto writes = [&s, &ini, showSection](const QString &section, const QString &key) {
        if (section == SHOW)
            return showSection;
        if (section == VERIFY)
            return s.VerifyEnabled || ini.value(VERIFY, key).has_value();
        if (section == WEB)
            return s.WebEnabled || ini.value(WEB, key).has_value();
        if (key == QLatin1String("Count"))
            return s.Cent;
        if (key == QLatin1String("Percentage"))
            return !s.Cent;
        if (key.startsWith(QLatin1String("List")) && key != QLatin1String("List"))
            return isCsvListPath(s.Filename);
        return true;
    };
    TIVREL_SETTINGS_KEYS(TIVREL_WRITE)
#undef TIVREL_WRITE
#undef TIVREL_WRITE_Bool
#undef TIVREL_WRITE_Int
#undef TIVREL_WRITE_IntText
#undef TIVREL_WRITE_Choice
#undef TIVREL_WRITE_Decimal
#undef TIVREL_WRITE_Text
    if (ini.commit())
        return {};
    return {false, ini.errorString()};
}
