// The main window and its event loop.
#pragma once

// The application's main procedure: loads the preferences and the game list,
// opens the main window and handles its events until the user quits.
void Ludex();

// The application's data for the run: the preferences with the launcher
// space, the game list with its cursor, and the tag space. A "list" error
// (a corrupt list file) passes on.
void loadApplicationData();
// Ends what loadApplicationData made and forgets the main window's filter
// fields; safe when nothing was made.
void releaseApplicationData();
