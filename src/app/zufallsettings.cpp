// The window's side of the settings: what it reads for the settings source and what loading
// and saving the settings ask of it.
#include "app/zufall.h"

#include "app/listcontrol.h"
#include "app/mainlayout.h"
#include "app/soundpart.h"
#include "draw/drawpass.h"
#include "localisation/uitext.h"
#include "presentation/numberdisplaywidget.h"
#include "results/resultsmodel.h"
#include "results/resultstable.h"
#include "settings/settingsstore.h"

#include <QAction>

Settings TForm1::current() const
{
    return CollectSettings(*Einstellungen, *this);
}

qint32 TForm1::rangeSize() const
{
    return m_pass->rangeSize();
}

void TForm1::setDrawQuota(qint32 quota)
{
    m_pass->setQuota(quota);
}

void TForm1::setDisplayForeColour(quint32 bgr)
{
    Ergebnisfeld->cpVordergrundChange(bgr);
}

void TForm1::setDisplayBackColour(quint32 bgr)
{
    Ergebnisfeld->cpHintergrundChange(bgr);
}

QString TForm1::lookupConstant(const QString &name) const
{
    return lng(name);
}

void TForm1::createWavePlayer()
{
    m_sound->createWavePlayer();
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

void TForm1::loadPrizeList()
{
    m_lists->LoadPrizeList();
}
