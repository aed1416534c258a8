#include "platform/system_libraries.h"

#include "core/exception.h"

Library* DOSBase = nullptr;
Library* UtilityBase = nullptr;
Library* GfxBase = nullptr;
Library* IntuitionBase = nullptr;
Library* GadToolsBase = nullptr;
Library* AslBase = nullptr;
Library* DataTypesBase = nullptr;
Library* CyberGfxBase = nullptr;
Library* IconBase = nullptr;
Library* WorkbenchBase = nullptr;
Library* MUIMasterBase = nullptr;

namespace {
void closeLibrary(Library*& base) {
  CloseLibrary(base);
  base = nullptr;
}

#if defined(LUDEX_SYSTEM_AMIGAOS4)
constexpr const char* RTG_LIBRARY = "Picasso96API.library";
#else
constexpr const char* RTG_LIBRARY = "cybergraphics.library";
#endif
}  // namespace

Library* OpenRequiredLibrary(const char* name, unsigned version) {
  Library* base = OpenLibrary(name, version);
  if (!base) CleanUp(10);
  return base;
}

void new_dos() { DOSBase = OpenRequiredLibrary("dos.library", 39); }
void new_utility() { UtilityBase = OpenRequiredLibrary("utility.library", 39); }
void new_cybergraphics() { CyberGfxBase = OpenRequiredLibrary(RTG_LIBRARY, 0); }
void new_asl() { AslBase = OpenRequiredLibrary("asl.library", 39); }
void new_graphics() { GfxBase = OpenRequiredLibrary("graphics.library", 39); }
void new_intuition() { IntuitionBase = OpenRequiredLibrary("intuition.library", 39); }
void new_gadtools() { GadToolsBase = OpenRequiredLibrary("gadtools.library", 39); }
void new_datatypesclass() { DataTypesBase = OpenRequiredLibrary("datatypes.library", 39); }
// Opened without a check: the parts that use them cope without.
void new_icon() { IconBase = OpenLibrary("icon.library", 0); }
void new_workbench() { WorkbenchBase = OpenLibrary("workbench.library", 0); }

void new_mui() {
  MUIMasterBase = OpenLibrary("muimaster.library", 11);
  if (!MUIMasterBase) Throw("ERR", "Failed to open muimaster.library");
}

// Modules whose libraries the hosted system does not have or need to open:
// their slots in the start-up order stay, doing nothing.
void new_serial() {}
void new_parallel() {}
void new_timer() {}
void new_monitor() {}
void new_dos2() {}
void new_gfxbase() {}
void new_dos3() {}
void new_classusr() {}
void new_textclass() {}
void new_soundclass() {}
void new_amigaguideclass() {}
void new_pictureclass() {}
void new_intuition2() {}
void new_animationclass() {}
void new_intuition3() {}
void new_nlist_mcc() {}
void new_nlistview_mcc() {}
void new_texteditor_mcc() {}
void new_pamigartg_cgx() {}

void end_dos() { closeLibrary(DOSBase); }
void end_dos2() {}
void end_graphics() { closeLibrary(GfxBase); }
void end_intuition() { closeLibrary(IntuitionBase); }
void end_pamigartg_cgx() { closeLibrary(CyberGfxBase); }
