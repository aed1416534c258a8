// The toolkit's module: its start-up and end, the windows the application
// asks for and gives back, and the two ways it takes the user's changes.
#pragma once

class cGuiItem;
class cGuiWindow;

// TRUE when the program runs on AROS, whose MUI reports a window's size
// only through its Intuition window.
extern bool isAROS;

// Opens the libraries the toolkit uses and registers the application client
// with the application object (made by new_capp before).
void new_cgui();
// Ends the client with every window; safe when new_cgui never ran.
void end_cgui();

// A new window of the toolkit's (EPU before the application is built).
cGuiWindow* CreateGuiWindow(const char* title);
// Closes, ends and frees the window; NIL is ignored. Returns NIL.
cGuiWindow* DestroyGuiWindow(cGuiWindow* window);

// The item of the next event (NIL for a window event) and, through *window,
// its window; waits for the user while there is none.
cGuiItem* WaitForChangedGuiItem(cGuiWindow** window = nullptr);
// As WaitForChangedGuiItem without waiting: NIL and NIL when there is no
// event. Unless keepOthers, the other windows forget their last changed item
// and close request.
cGuiItem* CheckForChangedGuiItem(bool keepOthers, cGuiWindow** window = nullptr);
