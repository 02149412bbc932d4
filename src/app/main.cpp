#include "app/zufall.h"
#include "localisation/langmanager.h"
#include "platform/qtplatform.h"
#include "platform/savefile.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char *argv[])
{
    // A write past the file size limit fails and is reported instead of ending the program.
    ignoreFileSizeLimitSignal();
    // The built-in texts are German.
    LangManager().SetSourceLanguage(LangIdGerman);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tivrel"));
    // Standard dialog buttons ("Ja", "Nein", "Abbrechen") in the system's language, as the
    // system's own message boxes show them.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale::system(), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);
    QtPlatform platform;
    TForm1 form(platform);
    form.show();
    return QApplication::exec();
}
