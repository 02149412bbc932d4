#pragma once

#include <QString>

#include <memory>

class DrawAnimation;
class DrawControl;
class DrawPass;
class ListControl;
class MainLayout;
class Platform;
class PoolControl;
class PrizeListControl;
class QMainWindow;
class SettingsFlow;
class SettingsView;
class SpeechEngine;
struct FileLocations;
class TimedDrawing;
class WindowLanguage;

// The program's main window, built over a platform; its files lie beside the program. The
// spoken result uses `speech`; without one the system cannot speak.
std::unique_ptr<QMainWindow> createMainWindow(Platform &platform, SpeechEngine *speech = nullptr);
// The same with its files where start-up decided (decideFileLocations).
std::unique_ptr<QMainWindow> createMainWindow(Platform &platform, const FileLocations &files,
                                              SpeechEngine *speech = nullptr);

// The parts of a main window made by createMainWindow, for tests and tools that drive them
// directly: the pass, and the parts with the handlers of the commands.
class ShowPart;
struct MainWindowParts {
    DrawPass &pass;
    DrawControl &draw;
    DrawAnimation &animation;
    TimedDrawing &timed;
    PoolControl &pool;
    ListControl &lists;
    PrizeListControl &prizes;
    SettingsFlow &settings;
    SettingsView &settingsView;
    MainLayout &layout;
    WindowLanguage &language;
    QString settingsFile;
    QString drawLog;
    ShowPart &show;
};
MainWindowParts partsOf(QMainWindow &window);
// Start-up's restore of the pass from the draw log, as the window runs it.
void restorePassFromLog(QMainWindow &window);
