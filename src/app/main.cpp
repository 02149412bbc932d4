#include "app/zufall.h"
#include "localisation/langmanager.h"
#include "platform/qtplatform.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // The built-in texts are German.
    LangManager().SetSourceLanguage(LangIdGerman);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tivrel"));
    QtPlatform platform;
    TForm1 form(platform);
    form.show();
    return QApplication::exec();
}
