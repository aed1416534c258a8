// The main window and its event loop.
#pragma once

// The application's main procedure: loads the preferences and the game list,
// opens the main window and handles its events until the user quits.
void Ludex();

// The application's data for the run: the preferences with the launcher
// space, the game list with its cursor, and the tag space. A corrupt list
// file is printed as the "list" error it raised and repaired; then the
// program ends (an orderly exit, 0, or 20 when the file could not be kept
// aside), except when its backup was corrupt too: then the run goes on with
// an empty list.
void loadApplicationData();
// Ends what loadApplicationData made and forgets the main window's filter
// fields; safe when nothing was made.
void releaseApplicationData();
