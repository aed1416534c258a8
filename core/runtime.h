// What the runtime keeps of the program's start: its arguments.
#pragma once

void setProgramArguments(int argc, char** argv);
int programArgc();
// argv[0], or NIL when the program was given none.
const char* programPath();

// The runtime's own start-up steps, first in the program's start-up order.
void new_base();
void new_base2();
