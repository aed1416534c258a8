#include "app/main_window.h"

// The main window is not built yet: the program starts and ends cleanly.
void Ludex() {}
