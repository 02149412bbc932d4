#pragma once

class TForm1;

// The layout rules of the main window: the output pane's height from the stored percentage on
// the first resize, its limits, the splitter, and hiding or showing the results area.
class MainLayout {
public:
    explicit MainLayout(TForm1 &form);

    // Height of the output pane in percent of the window's outer height.
    int OutputPanePercent = 25;
    // 0 until the first resize has sized the output pane.
    int FirstResizeDone = 0;

    void FormResize();
    void AusgabeResize();
    void DisplayResize();
    void spHauptsplitterMoved();
    void EinstellungenResize();
    void ApplyListVisibility();
    void MMListeClick();

    // Outer height of the window, and the output pane's height.
    int windowHeight() const;
    int outputHeight() const;
    void setOutputHeight(int height);
    // The splitter between the output pane and the area below it.
    void setSplitterShown(bool shown);
    // The output pane leaves while the settings are open and comes back at the height it had;
    // while it is away, that height counts as its height.
    void hideOutputPane();
    void showOutputPane();

private:
    bool resultsShown() const;

    int m_hiddenOutputHeight = -1;

    TForm1 &f;
};
