#pragma once

class QPushButton;
class SettingsPanel;

// Gives every control of the settings panel a description, and a name where no caption of its
// own or beside it (a label whose buddy it is) names it, in German or English. Screen readers
// read these; controls named by their captions keep following the captions' language.
// Called once when the panel is built and again when the interface language changes.
void applyAccessibleTexts(SettingsPanel &panel, bool german);

// A button that switches the panel's page: assistive technology sees a page tab, selected
// while its page shows. Called when the button is made, before anything asks about it.
void markPageTab(QPushButton *button);

// Installs the accessible interfaces of the panel's own controls (the colour pickers' boxes,
// the page tabs); done before the first of them is made.
void installSettingsAccessible();
