#pragma once

class SettingsPanel;

// Gives every control of the settings panel a description, and a name where no caption of its
// own or beside it (a label whose buddy it is) names it, in German or English. Screen readers
// read these; controls named by their captions keep following the captions' language.
// Called once when the panel is built and again when the interface language changes.
void applyAccessibleTexts(SettingsPanel &panel, bool german);
