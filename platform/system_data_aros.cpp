#if defined(LUDEX_SYSTEM_AROS)
#include "platform/system_data.h"

const char* const systemName = "AROS";

// The shell's Execute waits for the script it runs.
const bool executeWaitsForScript = true;

const char* const builtinLauncherTable[] = {
    "MSDOS", "RunInDOSBox \"%g\" %p",
    "AtariST", "CD \"${AppDir/Hatari}\"\nHatari %p \"%g\"",
    "C64", ";VICE\nCD \"${AppDir/x64.exe}\"\nx64.exe -autostart-warp %p \"%g\"",
    "TADS", ";FrobTADS\nCD \"${AppDir/Frob}\"\nFrob %p \"%g\"",
    "Floppy", "CD \"${AppDir/UAE}\"\nUAE -0 \"%g\" %p",
    "SNES", "CD \"${AppDir/ZSNES}\"\nZSNES -s -r 3 %p \"%g\"",
    "Spectrum", "CD \"${AppDir/Fuse.exe}\"\nFuse.exe %p \"%g\"",
    nullptr,
};
#endif
