#pragma once

class QAction;
class QFrame;
class QMainWindow;
class QSplitter;
class QTextBrowser;
class QWidget;
class NumberDisplayWidget;
class ResultsTable;
class SettingsPanel;

// The layout rules of the main window: the output pane's height from the stored percentage on
// the first resize, its limits, the splitter, hiding or showing the results area, and the
// switch between the normal view and the settings view.
class MainLayout {
public:
    // The widgets it arranges.
    struct Widgets {
        QMainWindow &window;
        QSplitter &splitter; // spHauptsplitter
        QFrame &output;      // Ausgabe, the display's pane
        NumberDisplayWidget &display;
        QWidget &lower; // Display, the area below the splitter
        QWidget &strip; // Anzeige, the control strip
        ResultsTable &results;
        SettingsPanel &panel;
        QTextBrowser &help;
        QAction &listItem; // the menu item "Liste an"
    };
    explicit MainLayout(const Widgets &widgets);

    // Height of the output pane in percent of the window's outer height.
    int OutputPanePercent = 25;
    // False until the first resize has sized the output pane.
    bool FirstResizeDone = false;

    void FormResize();
    void AusgabeResize();
    void DisplayResize();
    void spHauptsplitterMoved();
    void EinstellungenResize();
    void ApplyListVisibility();
    void MMListeClick();

    // The settings view: the panel on top, the help page or the results below it.
    void showSettingsView(bool withHelp);
    // The normal view: display, control strip and results.
    void showNormalView();
    bool settingsViewShown() const;
    bool helpShown() const;

    // Outer height of the window, and the output pane's height.
    int windowHeight() const;
    int outputHeight() const;
    void setOutputHeight(int height);
    // The share of the window the output pane has now, in percent.
    int outputPanePercentNow() const;
    // The splitter between the output pane and the area below it.
    void setSplitterShown(bool shown);
    // The output pane leaves while the settings are open and comes back at the height it had;
    // while it is away, that height counts as its height.
    void hideOutputPane();
    void showOutputPane();

    // Whether a widget is shown within the window (its own flag and its parents').
    static bool shown(const QWidget &widget);

private:
    bool resultsShown() const;

    int m_hiddenOutputHeight = -1;
    Widgets w;
};
