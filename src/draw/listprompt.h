#pragma once

// The question before "Aus Datei" is switched, and the two flags that keep the program's own
// switches from asking it. Switching between the number range and a draw list (or loading
// another list) ends the current pass, so the operator is asked first; a No puts the switch
// back, and that second, programmatic switch must ask nothing. The flags live where the window
// keeps them; this decides on them.
class ListSwitchPrompt {
public:
    // What the window does after the question was answered.
    enum class Then {
        NewPass,  // Yes: the pass ends (rows and pool emptied)
        FlipBack, // No: put "Aus Datei" back; that switch is muted
        Keep,     // No while choosing a new list: the caller stops and keeps everything
    };

    // listPromptMuted: 1 while the next switch of "Aus Datei" is made by the program and asks
    // nothing. listBrowsePending: 1 while the browse button asks before a new list replaces
    // the one in use.
    ListSwitchPrompt(int &listPromptMuted, int &listBrowsePending)
        : ListPromptMuted(listPromptMuted), ListBrowsePending(listBrowsePending)
    {
    }

    // Whether this switch asks the question. A muted switch only clears the mute.
    bool asks();
    // The answer to the question asked for this switch.
    Then answered(bool yes);

private:
    int &ListPromptMuted;
    int &ListBrowsePending;
};
