// Running a UI script. When LUDEX_UI_SCRIPT names a file, its lines become
// the user's actions: each time the program waits for input and nothing else
// is queued, the next line is queued and performed by the application's input
// processing, so a line sees everything the lines before it caused.
//
// Lines act in the current window: the one the last `window` line named,
// else the newest open window. Answers (answer-...) are queued for the next
// requesters in order, so an answer line comes before the action that opens
// its requester. A line that cannot be performed (an address that names
// nothing or more than one item, a refused action, an expect that fails)
// raises HostedFailure: `UI script "NAME", line N (LINE): WHY`, which ends the
// program with return code 20.
//
// Once every line ran, the program gets the commodities kill when it waits
// again with windows open; if it still waits after that, it fails naming the
// windows still open (os/mui/driver/waiting_for_input.h).
#pragma once
#include <string>
#include <vector>

#include "os/mui/driver/ui_script.h"

namespace mui {

// Runs these lines from now on (replacing a script that runs).
void startUiScript(const std::vector<UiScriptLine>& lines, const std::string& scriptName);
// TRUE while a script runs; the first call reads LUDEX_UI_SCRIPT (a file
// that cannot be read or parsed raises HostedFailure).
bool uiScriptRunning();
// Queues the next line as a user action; FALSE when every line was queued.
bool queueNextUiScriptLine();
// TRUE once, the first time it is asked after every line was queued and performed.
bool takeUiScriptEndKill();
const std::string& uiScriptName();
// Forgets the script; the next uiScriptRunning reads LUDEX_UI_SCRIPT again.
void stopUiScript();

}  // namespace mui
