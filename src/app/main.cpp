#include "app/zufall.h"
#include "platform/qtplatform.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tivrel"));
    QtPlatform platform;
    TForm1 form(platform);
    form.show();
    return QApplication::exec();
}
