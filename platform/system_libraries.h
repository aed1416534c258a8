// The library modules: each opens the system libraries its part of the
// program needs. A required library that is missing ends start-up silently with
// return code 10; muimaster.library missing raises ERR.
#pragma once
#include "os/exec/exec.h"

extern Library* DOSBase;
extern Library* UtilityBase;
extern Library* GfxBase;
extern Library* IntuitionBase;
extern Library* GadToolsBase;
extern Library* AslBase;
extern Library* DataTypesBase;
extern Library* CyberGfxBase;  // Picasso96API.library on AmigaOS 4
extern Library* IconBase;
extern Library* WorkbenchBase;
extern Library* MUIMasterBase;

// Opens a library that start-up cannot go on without: CleanUp(10) when missing.
Library* OpenRequiredLibrary(const char* name, unsigned version);

void new_dos();
void new_utility();
void new_serial();
void new_parallel();
void new_timer();
void new_monitor();
void new_cybergraphics();
void new_asl();
void new_dos2();
void new_gfxbase();
void new_dos3();
void new_graphics();
void new_classusr();
void new_intuition();
void new_workbench();
void new_gadtools();
void new_datatypesclass();
void new_textclass();
void new_soundclass();
void new_amigaguideclass();
void new_pictureclass();
void new_intuition2();
void new_animationclass();
void new_icon();
void new_mui();
void new_intuition3();
void new_nlist_mcc();
void new_nlistview_mcc();
void new_texteditor_mcc();

void end_dos();
void end_dos2();
void end_graphics();
void end_intuition();
void end_pamigartg_cgx();
void new_pamigartg_cgx();
