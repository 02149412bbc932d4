#pragma once

#include "app/drawcontrol.h"
#include "presentation/numberdisplaywidget.h"
#include "app/poolcontrol.h"
#include "app/settingsflow.h"
#include "localisation/uitext.h"
#include "app/windowtimer.h"
#include "app/zufall.h"
#include "results/drawlog.h"
#include "results/resultstable.h"
#include "settings/settingscontrols.h"
#include "settings/settingspanel.h"
#include "support/fakeplatform.h"
#include "support/testfolder.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <memory>

// A main window over a temporary program folder and the fake platform.
struct FormFixture {
    TestFolder folder;
    FakePlatform platform{folder.programPath()};
    std::unique_ptr<TForm1> form;

    // With `firstRun` false a settings file exists, so the window starts in its normal view.
    TForm1 &start(bool firstRun = false)
    {
        if (!firstRun && !QFile::exists(folder.file(QStringLiteral("tivrel.ini"))))
            folder.write(QStringLiteral("tivrel.ini"), QByteArray());
        form = std::make_unique<TForm1>(platform);
        return *form;
    }

    SettingsPanel &panel() const { return *form->Einstellungen; }
    DrawControl &draw() const { return form->drawControl(); }
    ResultsModel &results() const { return *form->Resultate->results(); }
    QString display() const { return form->Ergebnisfeld->displayState().DisplayText; }
    bool running() const { return form->BTStartStop->text() == lng("StrStopp"); }

    // Start, one animation frame, stop, and the tick that draws.
    void drawOnce()
    {
        draw().BTStartStopClick();
        draw().RefresherTimer();
        draw().BTStartStopClick();
        draw().RefresherTimer();
    }

    // A quota given as a number of draws over the range Minimum .. Maximum, applied.
    void useRange(int minimum, int maximum, int count)
    {
        panel().Maximum->setValue(maximum);
        panel().Minimum->setValue(minimum);
        panel().Ziehung_Prozent->setChecked(false);
        panel().Ziehungsquote->setValue(count);
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
        QVERIFY(writeDrawLog(folder.file(QStringLiteral("tivrel.log")), rows).ok);
    }
};
