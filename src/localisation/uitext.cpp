#include "localisation/uitext.h"

#include "localisation/langmanager.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcUiText, "tivrel.localisation.text")

namespace {

// A constant the program asks for but does not hold is a fault of the program, not of the
// operator: the screen shows the constant's name instead, and the fault goes to the log, so
// that no handler is cut short by an error thrown through the event loop.
QString missingConstant(const QString &name, const LocalizationError &error)
{
    qCWarning(lcUiText).noquote() << error.message();
    return name;
}

} // namespace

QString lng(const QString &name)
{
    try {
        return LangManager().LookupConstant(name);
    } catch (const LocalizationError &error) {
        return missingConstant(name, error);
    }
}

QString lng(const char *name)
{
    return lng(QString::fromLatin1(name));
}

QString lngFormat(const char *name, const QVariantList &args)
{
    const QString constant = QString::fromLatin1(name);
    try {
        return LangManager().FormatConstant(constant, args);
    } catch (const LocalizationError &error) {
        return missingConstant(constant, error);
    }
}

QString saveFailureText(const SaveResult &result)
{
    switch (result.problem) {
    case SaveResult::Problem::System: break;
    case SaveResult::Problem::FileTooLarge: return lng("StrDateiZuGross");
    case SaveResult::Problem::Link: return lng("StrDateiIstVerknuepfung");
    case SaveResult::Problem::NotAFile: return lng("StrDateiKeineDatei");
    case SaveResult::Problem::Shortened: return lng("StrDateiGekuerzt");
    }
    return result.error;
}
