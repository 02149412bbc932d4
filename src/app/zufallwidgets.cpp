#include "app/zufall.h"

#include "app/controlstrip.h"
#include "app/drawcontrol.h"
#include "app/layoutmath.h"
#include "app/listcontrol.h"
#include "app/mainlayout.h"
#include "app/mainwindow.h"
#include "app/poolcontrol.h"
#include "app/settingsflow.h"
#include "app/soundpart.h"
#include "app/windowaccess.h"
#include "app/windowlanguage.h"
#include "app/windowtimer.h"
#include "draw/drawpass.h"
#include "localisation/langmanager.h"
#include "localisation/uitext.h"
#include "platform/filelocations.h"
#include "platform/platform.h"
#include "presentation/helppages.h"
#include "presentation/helpviewer.h"
#include "presentation/numberdisplaywidget.h"
#include "presentation/soundoutput.h"
#include "results/helppageoutput.h"
#include "results/resultsoutput.h"
#include "results/resultstable.h"
#include "settings/settingsaccessibility.h"
#include "settings/settingscontrols.h"
#include "settings/settingspanel.h"
#include "settings/settingsstore.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QSplitter>
#include <QStackedWidget>
#include <QVBoxLayout>

// The widgets of the main window and its menus, as the window builds them.

namespace {
QFont pixelFont(int pixels, bool bold)
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}
} // namespace

void TForm1::buildWindow()
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Tivrel"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFont(pixelFont(11, false));
    // The outer size never goes below 600 x 600; the frame's share is taken off once it is
    // known (showEvent).
    setMinimumSize(600, 600);
    resize(600, 600);

    spHauptsplitter = new QSplitter(Qt::Vertical, this);
    spHauptsplitter->setObjectName(QStringLiteral("spHauptsplitter"));
    spHauptsplitter->setHandleWidth(5);
    spHauptsplitter->setChildrenCollapsible(false);
    setCentralWidget(spHauptsplitter);

    Ausgabe = new QFrame(spHauptsplitter);
    Ausgabe->setObjectName(QStringLiteral("Ausgabe"));
    Ausgabe->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Ausgabe->setLineWidth(2);
    Ausgabe->setAutoFillBackground(true);
    QPalette white = Ausgabe->palette();
    white.setColor(QPalette::Window, white.color(QPalette::Base));
    Ausgabe->setPalette(white);
    auto *outputLayout = new QVBoxLayout(Ausgabe);
    outputLayout->setContentsMargins(0, 0, 0, 0);
    Ergebnisfeld = new NumberDisplayWidget(m_platform, Ausgabe);
    Ergebnisfeld->setObjectName(QStringLiteral("Ergebnisfeld"));
    Ergebnisfeld->setFilesFolder(ProgramFolder);
    outputLayout->addWidget(Ergebnisfeld);

    Display = new QWidget(spHauptsplitter);
    Display->setObjectName(QStringLiteral("Display"));
    Display->setMinimumHeight(50);
    auto *displayLayout = new QVBoxLayout(Display);
    displayLayout->setContentsMargins(0, 0, 0, 0);
    displayLayout->setSpacing(0);

    Anzeige = new QWidget(Display);
    Anzeige->setObjectName(QStringLiteral("Anzeige"));
    Anzeige->setFixedHeight(96);
    auto *stripLayout = new QVBoxLayout(Anzeige);
    stripLayout->setContentsMargins(6, 2, 6, 2);
    stripLayout->setSpacing(2);
    Label3 = new QLabel(QStringLiteral("Konfiguration: Rechtsklick oder „STRG-E”"), Anzeige);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setAlignment(Qt::AlignRight);
    Label3->setFont(pixelFont(9, false));
    QPalette grey = Label3->palette();
    grey.setColor(QPalette::WindowText, Qt::gray);
    Label3->setPalette(grey);
    stripLayout->addWidget(Label3);
    BTStartStop = new QPushButton(lng("StrStart"), Anzeige);
    BTStartStop->setObjectName(QStringLiteral("BTStartStop"));
    BTStartStop->setFont(pixelFont(19, true));
    BTStartStop->setMinimumSize(200, 40);
    BTStartStop->setFocusPolicy(Qt::NoFocus);
    auto *buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(BTStartStop);
    buttonRow->addStretch();
    stripLayout->addLayout(buttonRow);
    AutotivrelNotiz =
        new QLabel(QStringLiteral("Autotivrel aktiv: Ziehung alle 5 Sekunden."), Anzeige);
    AutotivrelNotiz->setObjectName(QStringLiteral("AutotivrelNotiz"));
    AutotivrelNotiz->setAlignment(Qt::AlignCenter);
    AutotivrelNotiz->setFont(pixelFont(25, true));
    QPalette inactive = AutotivrelNotiz->palette();
    inactive.setColor(QPalette::WindowText, QColor(0x80, 0x80, 0x80));
    AutotivrelNotiz->setPalette(inactive);
    AutotivrelNotiz->hide();
    stripLayout->addWidget(AutotivrelNotiz);
    stripLayout->addStretch();
    displayLayout->addWidget(Anzeige);

    Einstellungen = new SettingsPanel(Display);
    Einstellungen->hide();
    displayLayout->addWidget(Einstellungen);

    Resultate = new ResultsTable(*m_pass, Display);
    displayLayout->addWidget(Resultate, 1);

    Hilfeviewer = new HelpViewer(m_platform, Display);
    Hilfeviewer->hide();
    displayLayout->addWidget(Hilfeviewer, 1);

    spHauptsplitter->setStretchFactor(0, 0);
    spHauptsplitter->setStretchFactor(1, 1);
}

void TForm1::buildMenu()
{
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    MMParameter = PopupMenu1->addAction(QStringLiteral("&Konfiguration"));
    MMParameter->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    mmNeueRundeStarten = PopupMenu1->addAction(QStringLiteral("&Neue Ziehung starten"));
    mStartStop = PopupMenu1->addAction(QStringLiteral("&Start/Stop"));
    mStartStop->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    mStille = PopupMenu1->addAction(QStringLiteral("&Musik aus"));
    mStille->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
    addAction(mStille); // its shortcut works with the menu closed
    MMListe = PopupMenu1->addAction(QStringLiteral("Liste an"));
    MMListe->setCheckable(true);
    MMListe->setChecked(true);
    for (QAction *item : {MMParameter, mmNeueRundeStarten, mStartStop, mStille, MMListe})
        item->setObjectName(item == MMParameter          ? QStringLiteral("MMParameter")
                            : item == mmNeueRundeStarten ? QStringLiteral("mmNeueRundeStarten")
                            : item == mStartStop         ? QStringLiteral("mStartStop")
                            : item == mStille            ? QStringLiteral("mStille")
                                                         : QStringLiteral("MMListe"));
    mmStartwertOffenlegen = PopupMenu1->addAction(QStringLiteral("Startwert offenlegen"));
    mmStartwertOffenlegen->setObjectName(QStringLiteral("mmStartwertOffenlegen"));
    mmStartwertOffenlegen->setVisible(false);
    // The menu items above show the shortcuts; the window's actions carry them.
    acStartStop = new QAction(QStringLiteral("acStartStop"), this);
    acStartStop->setObjectName(QStringLiteral("acStartStop"));
    acStartStop->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    addAction(acStartStop);
    acEinstellungen = new QAction(QStringLiteral("&Einstellungen"), this);
    acEinstellungen->setObjectName(QStringLiteral("acEinstellungen"));
    acEinstellungen->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    addAction(acEinstellungen);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { PopupMenu1->popup(mapToGlobal(pos)); });
    // Shift+F10 opens the menu from the keyboard as the Menu key does.
    auto *menuKey = new QAction(this);
    menuKey->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10));
    addAction(menuKey);
    connect(menuKey, &QAction::triggered, this,
            [this] { PopupMenu1->popup(mapToGlobal(rect().center())); });
}

void TForm1::buildHelpMenu()
{
    // The help viewer has a menu of its own; a right click elsewhere opens the window's menu.
    PopupHTML = new QMenu(this);
    PopupHTML->setObjectName(QStringLiteral("PopupHTML"));
    pHTMLShow = PopupHTML->addAction(QStringLiteral("Anzeige im Browser"));
    pHTMLShow->setObjectName(QStringLiteral("pHTMLShow"));
    pHTMLSave = PopupHTML->addAction(QStringLiteral("Kopieren"));
    pHTMLSave->setObjectName(QStringLiteral("pHTMLSave"));
    pHTMLSave->setEnabled(false);
    Hilfeviewer->setContextMenuPolicy(Qt::CustomContextMenu);
}
