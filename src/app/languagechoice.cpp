#include "app/languagechoice.h"

#include "localisation/langfile.h"
#include "localisation/langmanager.h"
#include "platform/platform.h"
#include "settings/optionspage.h"
#include "settings/settingspanel.h"

void LanguageChoice::chooseStartupLanguage()
{
    TLanguageManager &manager = LangManager();
    // English is built in as a resource beside the German source texts.
    manager.AddLanguageResource(ProgramModule, QStringLiteral("LNG_ENGLISH"), LangIdEnglishUK);
    // Filling the list is no choice yet.
    QStringList names;
    for (int i = 0; i < manager.LanguageCount(); ++i)
        names << manager.LanguageNameAt(i);
    p.options.setLanguageNames(names);
    // The system's language where the program has it, else English; a failure is told.
    const LanguageSwitch chosen =
        manager.ActivateLanguage(StartupLanguageId(p.platform.systemLanguageId()));
    if (!chosen.ok())
        p.platform.messageBox(p.errorCaption, chosen.error + u'.', Platform::Icon::Stop,
                              Platform::Buttons::Ok);
    showLanguageInForce();
}

void LanguageChoice::HilfeLngChange()
{
    TLanguageManager &manager = LangManager();
    // The language chosen in the list; a failure is told and the old one stays.
    const LanguageSwitch chosen =
        manager.ActivateLanguage(manager.LanguageIdAt(qMax(0, p.options.languageIndex())));
    if (!chosen.ok())
        p.platform.messageBox(p.errorCaption, chosen.error + u'.', Platform::Icon::Stop,
                              Platform::Buttons::Ok);
    showLanguageInForce();
    // The help page in front follows the new language.
    if (p.panel.helpOn() && p.showHelpPageAgain)
        p.showHelpPageAgain();
}

void LanguageChoice::showLanguageInForce()
{
    TLanguageManager &manager = LangManager();
    p.options.setLanguageIndex(manager.LanguageIndexOf(manager.CurrentLanguage()));
}
