#pragma once

#include "settings/settings.h"

// Where the parts of the window read the settings: the values the settings panel holds now.
class SettingsSource {
public:
    virtual ~SettingsSource() = default;
    virtual Settings current() const = 0;
};
