#include "app/zufall.h"
#include "platform/qtplatform.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char *argv[])
{
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
