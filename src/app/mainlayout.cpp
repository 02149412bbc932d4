#include "app/mainlayout.h"

#include "app/layoutmath.h"
#include "presentation/numberdisplaywidget.h"
#include "results/resultstable.h"
#include "settings/optionspage.h"
#include "settings/settingspanel.h"

#include <QAction>
#include <QFrame>
#include <QMainWindow>
#include <QSplitter>
#include <QSplitterHandle>
#include <QTextBrowser>

using namespace layoutmath;

MainLayout::MainLayout(const Widgets &widgets) : w(widgets) {}

bool MainLayout::shown(const QWidget &widget)
{
    return widget.isVisibleTo(widget.window());
}

int MainLayout::windowHeight() const
{
    return w.window.frameGeometry().height();
}

int MainLayout::outputHeight() const
{
    return m_hiddenOutputHeight >= 0 ? m_hiddenOutputHeight : w.output.height();
}

int MainLayout::outputPanePercentNow() const
{
    return outputPanePercent(outputHeight(), windowHeight());
}

void MainLayout::hideOutputPane()
{
    if (m_hiddenOutputHeight < 0)
        m_hiddenOutputHeight = w.output.height();
    w.output.hide();
}

void MainLayout::showOutputPane()
{
    w.output.show();
    if (m_hiddenOutputHeight >= 0) {
        const int height = m_hiddenOutputHeight;
        m_hiddenOutputHeight = -1;
        setOutputHeight(height);
    }
}

void MainLayout::setOutputHeight(int height)
{
    const int total = w.splitter.height() - w.splitter.handleWidth();
    w.output.resize(w.output.width(), height);
    w.splitter.setSizes({height, qMax(0, total - height)});
}

void MainLayout::setSplitterShown(bool shown)
{
    if (QSplitterHandle *handle = w.splitter.handle(1))
        handle->setVisible(shown);
}

bool MainLayout::resultsShown() const
{
    return !w.panel.optionsPage().listOff();
}

void MainLayout::FormResize()
{
    w.results.FitResultColumns(w.window.width());
    // The output pane spans the control strip's width through the splitter.
    if (resultsShown() && !FirstResizeDone)
        setOutputHeight(outputPaneHeight(windowHeight(), OutputPanePercent));
    if (!resultsShown()) {
        // Without the results the display takes the whole window, from the first resize on.
        if (shown(w.lower) && !settingsViewShown())
            w.lower.hide();
        setOutputHeight(w.window.height());
        w.display.update();
    }
    FirstResizeDone = true;
}

void MainLayout::AusgabeResize()
{
    w.output.setMinimumHeight(outputPaneMinimum(windowHeight()));
}

void MainLayout::DisplayResize()
{
    if (resultsShown())
        w.output.setMaximumHeight(outputPaneMaximum(windowHeight()));
}

void MainLayout::spHauptsplitterMoved()
{
    OutputPanePercent = outputPanePercent(outputHeight(), windowHeight());
}

void MainLayout::EinstellungenResize()
{
    w.panel.EinstellungenResize();
}

void MainLayout::ApplyListVisibility()
{
    if (!resultsShown()) {
        OutputPanePercent = outputPanePercent(outputHeight(), windowHeight());
        w.output.setMaximumHeight(w.window.height());
        w.results.hide();
        w.strip.hide();
        setSplitterShown(false);
        w.lower.hide();
        setOutputHeight(w.window.height());
    } else {
        w.lower.show();
        w.output.setMaximumHeight(outputPaneMaximum(windowHeight()));
        setSplitterShown(true);
        w.strip.show();
        w.results.show();
        setOutputHeight(outputPaneHeight(windowHeight(), OutputPanePercent));
    }
    w.lower.update();
}

void MainLayout::MMListeClick()
{
    if (shown(w.panel))
        return;
    OptionsPage &options = w.panel.optionsPage();
    options.setListOff(!options.listOff());
    w.listItem.setChecked(!options.listOff());
    ApplyListVisibility();
}

bool MainLayout::settingsViewShown() const
{
    return shown(w.panel);
}

bool MainLayout::helpShown() const
{
    return shown(w.help);
}

void MainLayout::showSettingsView(bool withHelp)
{
    w.lower.show();
    w.results.hide();
    w.strip.hide();
    hideOutputPane();
    w.panel.show();
    setSplitterShown(false);
    if (withHelp) {
        w.help.show();
    } else {
        EinstellungenResize();
        w.results.show();
    }
}

void MainLayout::showNormalView()
{
    w.results.hide();
    w.panel.hide();
    w.help.hide();
    setSplitterShown(true);
    showOutputPane();
    w.strip.show();
    w.results.show();
}
