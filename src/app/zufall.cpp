#include "app/zufall.h"

#include "platform/platform.h"

TForm1::TForm1(Platform &platform, QWidget *parent) : QMainWindow(parent), m_platform(platform)
{
    setWindowTitle(QStringLiteral("Tivrel"));
    resize(800, 600);
}
