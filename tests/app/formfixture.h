#pragma once

#include "app/drawanimation.h"
#include "app/drawcontrol.h"
#include "app/mainlayout.h"
#include "app/mainwindow.h"
#include "app/poolcontrol.h"
#include "app/settingsflow.h"
#include "app/settingsview.h"
#include "app/timeddrawing.h"
#include "app/windowtimer.h"
#include "draw/drawmode.h"
#include "draw/drawpass.h"
#include "localisation/uitext.h"
#include "presentation/numberdisplaywidget.h"
#include "results/drawlog.h"
#include "results/resultstable.h"
#include "settings/settingscontrols.h"
#include "settings/settingspanel.h"
#include "support/fakeplatform.h"
#include "support/panelcontrols.h"
#include "support/testfolder.h"

#include <QAction>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTextBrowser>

#include <memory>

// The main window as a test sees it: its controls by their names, and its parts.
struct Form {
    explicit Form(std::unique_ptr<QMainWindow> made)
        : window(std::move(made)), parts(partsOf(*window)),
          BTStartStop(child<QPushButton>("BTStartStop")),
          AutotivrelNotiz(child<QLabel>("AutotivrelNotiz")),
          Einstellungen(window->findChild<SettingsPanel *>()),
          Resultate(child<ResultsTable>("Resultate")),
          Ergebnisfeld(child<NumberDisplayWidget>("Ergebnisfeld")),
          Hilfeviewer(child<QTextBrowser>("Hilfeviewer")), Ausgabe(child<QWidget>("Ausgabe")),
          MMListe(child<QAction>("MMListe")),
          mmNeueRundeStarten(child<QAction>("mmNeueRundeStarten")),
          acEinstellungen(child<QAction>("acEinstellungen")), SettingsFile(parts.settingsFile),
          DrawLog(parts.drawLog)
    {
    }

    template <typename T> T *child(const char *name) const
    {
        T *found = window->findChild<T *>(QString::fromLatin1(name));
        if (!found)
            qFatal("the main window has no %s", name);
        return found;
    }

    std::unique_ptr<QMainWindow> window;
    MainWindowParts parts;
    QPushButton *BTStartStop;
    QLabel *AutotivrelNotiz;
    SettingsPanel *Einstellungen;
    ResultsTable *Resultate;
    NumberDisplayWidget *Ergebnisfeld;
    QTextBrowser *Hilfeviewer;
    QWidget *Ausgabe;
    QAction *MMListe;
    QAction *mmNeueRundeStarten;
    QAction *acEinstellungen;
    QString SettingsFile;
    QString DrawLog;

    DrawPass &pass() const { return parts.pass; }
    DrawControl &drawControl() const { return parts.draw; }
    DrawAnimation &animation() const { return parts.animation; }
    TimedDrawing &timed() const { return parts.timed; }
    PoolControl &pool() const { return parts.pool; }
    SettingsFlow &settingsFlow() const { return parts.settings; }
    SettingsView &settingsView() const { return parts.settingsView; }
    MainLayout &layout() const { return parts.layout; }
    DrawMode mode() const { return DrawMode(ui(Einstellungen).DoStatus->itemIndex()); }
    // The texts of the entries still in the pool.
    QStringList poolTexts() const { return parts.pass.pool().texts(); }

    void show() { window->show(); }
    void close() { window->close(); }
    void resize(int width, int height) { window->resize(width, height); }
    // Start-up's restore of the pass from the draw log.
    void restorePassFromLog() { ::restorePassFromLog(*window); }
};

inline bool shown(const QWidget *widget)
{
    return MainLayout::shown(*widget);
}

// A main window over a temporary program folder and the fake platform.
struct FormFixture {
    TestFolder folder;
    FakePlatform platform{folder.programPath()};
    SpeechEngine *speech = nullptr; // none: the system cannot speak
    std::unique_ptr<Form> form;

    // With `firstRun` false a settings file exists, so the window starts in its normal view.
    Form &start(bool firstRun = false)
    {
        if (!firstRun && !QFile::exists(folder.file(QStringLiteral("tivrel.ini"))))
            folder.write(QStringLiteral("tivrel.ini"), QByteArray());
        form.reset();
        form = std::make_unique<Form>(createMainWindow(platform, speech));
        return *form;
    }

    SettingsPanel &panel() const { return *form->Einstellungen; }
    DrawControl &draw() const { return form->drawControl(); }
    DrawAnimation &animation() const { return form->animation(); }
    TimedDrawing &timed() const { return form->timed(); }
    ResultsModel &results() const { return *form->Resultate->results(); }
    // The rows in the order the table shows them.
    QList<ResultRow> rows() const { return results().shownRows(); }
    QString display() const { return form->Ergebnisfeld->displayState().DisplayText; }
    bool running() const { return animation().animation() == DrawAnimation::Animation::Running; }

    // Start, one animation frame, stop, and the tick that draws.
    void drawOnce()
    {
        draw().BTStartStopClick();
        animation().RefresherTimer();
        draw().BTStartStopClick();
        animation().RefresherTimer();
    }

    // A quota given as a number of draws over the range Minimum .. Maximum, applied.
    void useRange(int minimum, int maximum, int count)
    {
        ui(panel()).Maximum->setValue(maximum);
        ui(panel()).Minimum->setValue(minimum);
        ui(panel()).Ziehung_Prozent->setChecked(false);
        ui(panel()).Ziehungsquote->setValue(count);
        form->settingsFlow().ApplySettings();
    }

    int messagesWith(const QString &text) const
    {
        int count = 0;
        for (const auto &message : platform.messages)
            count += message.text == text ? 1 : 0;
        return count;
    }

    void writeLog(const QList<ResultRow> &rows) const
    {
        QVERIFY(writeDrawLog(folder.file(QStringLiteral("tivrel.log")), ResultRows(rows)).ok);
    }
};
