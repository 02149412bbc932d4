#pragma once

#include <QString>

class SettingsHost;
class SettingsPanel;

// Reads the settings file into the controls of the settings panel, key by key, in a fixed order.
// Each value goes through the control's setter, so the handlers that the main window connected
// to the controls run exactly as they would for a user's change; the prompts of "Nullen füllen"
// and "Aus Datei" are muted while they change. A missing file or key, a value that does not
// parse and a value the control cannot hold all give the key's default (numbers beyond a
// control's limits are clamped to them). The "Language" default is the index that HilfeLng
// holds when this is called.
void LoadSettings(SettingsPanel &panel, SettingsHost &host, const QString &settingsFile);

struct SettingsSaveResult {
    bool ok = true;
    QString errorText; // "In <full path> kann nicht geschrieben werden" when !ok
};

// Writes every key from the current state of its control, one key at a time: each key is on
// disk before the next is written. Stops at the first key that can not be written; the keys
// before it stay written, the file is never left half-written.
[[nodiscard]] SettingsSaveResult SaveSettings(SettingsPanel &panel, SettingsHost &host,
                                              const QString &settingsFile);

// A stored time of day as the time field shows it ("hh:mm"), or an empty text when the stored
// text is no time of day.
QString timeOfDayText(const QString &stored);
