// The window's side of the settings: what it reads for the settings source and what loading
// and saving the settings ask of it.
#include "app/zufall.h"

#include "app/mainlayout.h"
#include "presentation/numberdisplaywidget.h"
#include "results/resultsmodel.h"
#include "results/resultstable.h"
#include "settings/settingsstore.h"

#include <QAction>

Settings TForm1::current() const
{
    return CollectSettings(*Einstellungen, *this);
}

void TForm1::setResultsListTick(bool ticked)
{
    MMListe->setChecked(ticked);
}

void TForm1::maximiseWindow()
{
    setWindowState(windowState() | Qt::WindowMaximized);
}

void TForm1::setOutputPanePercent(int percent)
{
    m_layout->OutputPanePercent = percent;
}

int TForm1::outputPanePercentNow() const
{
    return m_layout->outputPanePercentNow();
}

bool TForm1::loadBackgroundPicture(const QString &relativePath)
{
    return Ergebnisfeld->LoadBackgroundPictureAtStartUp(relativePath);
}

bool TForm1::gameColumnVisible() const
{
    return Resultate->columnShown(ResultsModel::Spiel);
}

void TForm1::setGameColumnVisible(bool visible)
{
    Resultate->setColumnShown(ResultsModel::Spiel, visible);
}
