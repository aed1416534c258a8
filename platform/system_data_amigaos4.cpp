#if defined(LUDEX_SYSTEM_AMIGAOS4)
#include "platform/system_data.h"

const char* const systemName = "AmigaOS 4";

const bool executeWaitsForScript = false;

const char* const builtinLauncherTable[] = {
    "MSDOS", "RunInDOSBox \"%g\" %p",
    "AtariLynx", "CD \"${AppDir/Handy}\"\nHandy \"%g\" -rtype 1 -stype 1 -cd -filter 7 %p",
    "MegaDrive", "CD \"${AppDir/DGen}\"\nDGen -S 2 %p \"%g\"",
    "Megazeux", "Stack 1000000\nCD \"${AppDir/Megazeux.exe}\"\nMegazeux.exe \"startup_file=%g\" %p",
    "NeoGeo", "CD \"${AppDir/GnGeo}\"\nGnGeo --sound --autoframeskip --hwsurface --fullscreen --scale=2 --effect=scanline50 %p \"%g\"",
    "AtariST", "CD \"${AppDir/Hatari}\"\nHatari %p \"%g\"",
    "C64", ";VICE\nCD \"${AppDir/x64.exe}\"\nx64.exe -autostart-warp %p \"%g\"",
    "TADS", ";FrobTADS\nCD \"${AppDir/Frob}\"\nFrob %p \"%g\"",
    "Spectrum", "CD \"${AppDir/Fuse}\"\nRequestChoice >NIL: \"Fuse\" \"Press F1 for menu!\" \"OK\" TIMEOUTSECS=2\nFuse %p \"%g\"",
    "Infocom", "CD \"${AppDir/Frotz}\"\nFrotz %p \"%g\"",
    nullptr,
};
#endif
