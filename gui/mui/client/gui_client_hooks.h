// The three hooks of the toolkit's application client, as MUI calls them:
// the action hook of every input item's notification ([item, window]), the
// window hook of the window notifications ([window, attribute, value]) and
// the commodities broker hook (a commodity message). Each only queues events;
// an error raised inside is printed and the hook returns to MUI, so events
// queued before it stay queued.
#pragma once

#include "os/utility/hooks.h"

class cGuiAppClient;

void installClientHooks(cGuiAppClient* client, Hook* brokerHook, Hook* windowHook, Hook* actionHook);
