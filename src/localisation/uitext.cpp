#include "localisation/uitext.h"

#include "localisation/langmanager.h"
#include "presentation/helppages.h"

QString lng(const QString &name)
{
    return LangManager().LookupConstant(name);
}

QString lng(const char *name)
{
    return lng(QString::fromLatin1(name));
}

QString lngFormat(const char *name, const QVariantList &args)
{
    return LangManager().FormatConstant(QString::fromLatin1(name), args);
}

QString helpText(const QString &name)
{
    return helpPageText(name, HelpLanguage());
}
