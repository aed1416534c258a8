// The "Preferences" dialog: the two options and the launchers.
#pragma once

class cStringSpace;

// Changes the two options and the launcher space in place and saves them.
void requestPrefs(cStringSpace* space);
