// The main window and its event loop.
#pragma once

// The application's main procedure: loads the preferences and the game list,
// opens the main window and handles its events until the user quits.
void Ludex();
