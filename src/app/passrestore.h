#pragma once

#include <QObject>
#include <QString>

class ControlStrip;
class DrawPass;
class EntryDisplay;
class Platform;
class ResultsTable;
class SettingsSource;

// The pass the draw log holds, restored at start-up: its rows read back into the results, and
// once the pool is built, the drawn entries out of it, the last one on the display and a
// finished pass closed.
class PassRestore {
public:
    struct Parts {
        DrawPass &pass;
        EntryDisplay &display;
        ControlStrip &strip;
        ResultsTable &results;
        const SettingsSource &settings;
        Platform &platform;
        QString drawLog;
    };
    explicit PassRestore(const Parts &parts) : p(parts) {}

    // Fills the results from the draw log; a log that cannot be read is told, never fatal.
    void ReloadDrawLog();
    // Removes the restored draws from the pool and closes a finished pass.
    void RestorePass();

private:
    Parts p;
    QObject m_notices; // runs the queued notices for as long as this part lives
};
