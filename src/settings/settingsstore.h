#pragma once

#include "settings/settings.h"

#include <QString>

class DrawPass;
class SettingsHost;
class SettingsPanel;

// Puts the settings into the controls of the settings panel, key by key, in a fixed order. Each
// value goes through the control's setter, so the handlers that the parts connected to the
// pages run exactly as they would for a user's change; "Nullen füllen" and "Aus Datei" are
// switched as the program, which asks nothing. The quota goes to the pass as it is loaded; the
// window's own steps (picture, layout, game column) are asked of the host in their place. The
// lists named are read by the caller afterwards, once all their settings are in.
void LoadSettings(SettingsPanel &panel, DrawPass &pass, SettingsHost &host,
                  const Settings &settings);
// The same for the settings file: read with readSettings, then put into the controls. The
// "Language" default is the index that HilfeLng holds when this is called. `refusal` as for
// readSettingsFile.
void LoadSettings(SettingsPanel &panel, DrawPass &pass, SettingsHost &host,
                  const QString &settingsFile, QString *refusal = nullptr);

// The settings as the panel and the window hold them now.
Settings CollectSettings(const SettingsPanel &panel, const SettingsHost &host);

struct SettingsSaveResult {
    bool ok = true;
    QString errorText; // "In <full path> kann nicht geschrieben werden" when !ok
};

// Writes every key from the current state of its control, all in one atomic save: on failure
// the file stays as it was.
[[nodiscard]] SettingsSaveResult SaveSettings(SettingsPanel &panel, SettingsHost &host,
                                              const QString &settingsFile);
