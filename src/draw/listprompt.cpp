#include "draw/listprompt.h"

bool ListSwitchPrompt::asks()
{
    if (ListPromptMuted == 1 && ListBrowsePending != 1) {
        ListPromptMuted = 0;
        return false;
    }
    return true;
}

ListSwitchPrompt::Then ListSwitchPrompt::answered(bool yes)
{
    if (yes) {
        ListBrowsePending = 0;
        return Then::NewPass;
    }
    // Refused while browsing: nothing was switched, so no programmatic switch follows and no
    // mute may be left behind (it would silence the operator's next switch).
    if (ListBrowsePending == 1)
        return Then::Keep;
    ListPromptMuted = 1;
    return Then::FlipBack;
}
