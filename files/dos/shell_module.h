// The shell module: the program's argument line as the shell gave it.
#pragma once

// The argument string without its trailing "\n" (NIL before new_pshell).
extern char* argString_pshell;

void new_pshell();
// Disposes the argument string and the shared fault buffer; safe without new_pshell.
void end_pshell();
