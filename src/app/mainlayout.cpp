#include "app/mainlayout.h"

#include "app/layoutmath.h"
#include "presentation/numberdisplaywidget.h"
#include "app/zufall.h"
#include "results/resultstable.h"
#include "settings/settingspanel.h"

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QSplitter>
#include <QSplitterHandle>

using namespace layoutmath;

MainLayout::MainLayout(TForm1 &form) : f(form) {}

int MainLayout::windowHeight() const
{
    return f.frameGeometry().height();
}

int MainLayout::outputHeight() const
{
    return m_hiddenOutputHeight >= 0 ? m_hiddenOutputHeight : f.Ausgabe->height();
}

void MainLayout::hideOutputPane()
{
    if (m_hiddenOutputHeight < 0)
        m_hiddenOutputHeight = f.Ausgabe->height();
    f.Ausgabe->hide();
}

void MainLayout::showOutputPane()
{
    f.Ausgabe->show();
    if (m_hiddenOutputHeight >= 0) {
        const int height = m_hiddenOutputHeight;
        m_hiddenOutputHeight = -1;
        setOutputHeight(height);
    }
}

void MainLayout::setOutputHeight(int height)
{
    const int total = f.spHauptsplitter->height() - f.spHauptsplitter->handleWidth();
    f.Ausgabe->resize(f.Ausgabe->width(), height);
    f.spHauptsplitter->setSizes({height, qMax(0, total - height)});
}

void MainLayout::setSplitterShown(bool shown)
{
    if (QSplitterHandle *handle = f.spHauptsplitter->handle(1))
        handle->setVisible(shown);
}

bool MainLayout::resultsShown() const
{
    return !f.Einstellungen->cbListeAus->isChecked();
}

void MainLayout::FormResize()
{
    f.Resultate->FitResultColumns(f.width());
    // The output pane spans the control strip's width through the splitter.
    if (resultsShown() && FirstResizeDone == 0)
        setOutputHeight(outputPaneHeight(windowHeight(), OutputPanePercent));
    if (!resultsShown()) {
        setOutputHeight(f.height());
        f.Ergebnisfeld->update();
    }
    FirstResizeDone = 1;
}

void MainLayout::AusgabeResize()
{
    f.Ausgabe->setMinimumHeight(outputPaneMinimum(windowHeight()));
}

void MainLayout::DisplayResize()
{
    if (resultsShown())
        f.Ausgabe->setMaximumHeight(outputPaneMaximum(windowHeight()));
}

void MainLayout::spHauptsplitterMoved()
{
    OutputPanePercent = outputPanePercent(outputHeight(), windowHeight());
}

void MainLayout::EinstellungenResize()
{
    f.Einstellungen->EinstellungenResize();
}

void MainLayout::ApplyListVisibility()
{
    if (!resultsShown()) {
        OutputPanePercent = outputPanePercent(outputHeight(), windowHeight());
        f.Ausgabe->setMaximumHeight(f.height());
        f.Resultate->hide();
        f.Anzeige->hide();
        setSplitterShown(false);
        f.Display->hide();
        setOutputHeight(f.height());
    } else {
        f.Display->show();
        f.Ausgabe->setMaximumHeight(outputPaneMaximum(windowHeight()));
        setSplitterShown(true);
        f.Anzeige->show();
        f.Resultate->show();
        setOutputHeight(outputPaneHeight(windowHeight(), OutputPanePercent));
    }
    f.Display->update();
}

void MainLayout::MMListeClick()
{
    if (TForm1::shown(f.Einstellungen))
        return;
    QCheckBox *listOff = f.Einstellungen->cbListeAus;
    listOff->setChecked(!listOff->isChecked());
    f.MMListe->setChecked(!listOff->isChecked());
    ApplyListVisibility();
}
