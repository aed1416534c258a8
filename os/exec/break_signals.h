// The host's signals as the system's break and quit events. Ctrl-C at the
// terminal (SIGINT) sets the process's Ctrl-C break bit instead of ending the
// program; SIGTERM becomes a quit request for the commodities exchange to read,
// as does the desktop's quit (the session ending, see requestHostQuit).
// Both are only recorded here; whoever polls them (SetSignal, the event loop)
// takes them.
#pragma once

// Installs the handlers for SIGINT and SIGTERM. Safe to call more than once.
void installBreakSignalHandlers();

// True when a Ctrl-C break arrived since it was last cleared.
bool hostCtrlCPending();
// Reads and clears the Ctrl-C break in one step: true when it was set.
bool takeHostCtrlC();
// Sets or clears the Ctrl-C break (SetSignal writes the bit through this).
void setHostCtrlC(bool set);

// Records a quit request from the host other than SIGTERM (the display's
// desktop asking the program to quit); safe from a signal handler too.
void requestHostQuit();
// True when a quit request (SIGTERM) arrived and was not yet taken.
bool hostQuitRequested();
// Reads and clears the quit request: true when it was set.
bool takeHostQuitRequest();
