#include "app/startup.h"

#include <cstdio>
#include <new>

#include "app/items/ludex_amiga.h"
#include "app/ludex_module.h"
#include "app/main_window/main_window.h"
#include "core/app_object.h"
#include "core/arena.h"
#include "core/exception.h"
#include "core/general.h"
#include "core/lists/mega_list_module.h"
#include "core/number_space.h"
#include "core/runtime.h"
#include "core/time_count.h"
#include "files/dos/shell_module.h"
#include "files/objects/dir_entry_list.h"
#include "files/objects/file.h"
#include "files/paths/path_operations.h"
#include "files/trees/dir_module.h"
#include "gui/gui_base_module.h"
#include "gui/mui/client/gui_module.h"
#include "imaging/desktop.h"
#include "imaging/pictures.h"
#include "imaging/requesters.h"
#include "os/exec/hosted_failure.h"
#include "platform/system_libraries.h"

namespace {

#define STEP(fn) ModuleStep{#fn, fn}
#define NOT_YET(fn) ModuleStep{#fn, nullptr}

const ModuleStep initialiserSteps[] = {
    STEP(new_mem), STEP(new_fastmem), STEP(new_pgeneral), STEP(new_cmegalist), STEP(new_cguibase),
    STEP(new_texteditor_mcc), STEP(new_dos), STEP(new_utility), STEP(new_serial), STEP(new_parallel),
    STEP(new_timer), STEP(new_monitor), STEP(new_cybergraphics), STEP(new_asl), STEP(new_dos2),
    STEP(new_ptime), STEP(new_gfxbase), STEP(new_dos3), STEP(new_graphics), STEP(new_classusr),
    STEP(new_cpath_sharedbase), STEP(new_cpath_dirbase), STEP(new_ptime2), STEP(new_pamigartg_cgx),
    STEP(new_intuition), STEP(new_pshell), STEP(new_workbench), STEP(new_gadtools),
    STEP(new_datatypesclass), STEP(new_textclass), STEP(new_soundclass), STEP(new_amigaguideclass),
    STEP(new_pictureclass), STEP(new_capp), STEP(new_cnumberspace_safe), STEP(new_cnumberspace),
    STEP(new_intuition2), STEP(new_animationclass), STEP(new_icon), STEP(new_cpath_dir), STEP(new_mui),
    STEP(new_intuition3), STEP(new_nlist_mcc), NOT_YET(new_wb), STEP(new_cpath_file),
    STEP(new_nlistview_mcc), STEP(new_pamigaicon), NOT_YET(new_pamigamui), NOT_YET(new_pamigaintuition),
    STEP(new_pamigadatatypes), STEP(new_pamiga_requesters), STEP(new_cgui), STEP(new_pamigawb),
    STEP(new_ludex_amiga), STEP(new_ludex),
};

const ModuleStep finaliserSteps[] = {
    STEP(end_ludex), STEP(end_ludex_amiga), STEP(end_pamigawb), STEP(end_cgui),
    STEP(end_pamiga_requesters), STEP(end_pamigadatatypes), NOT_YET(end_pamigaintuition),
    NOT_YET(end_pamigamui), STEP(end_pamigaicon), STEP(end_cpath_file), STEP(end_cpath_dir),
    STEP(end_intuition), STEP(end_capp), STEP(end_pshell), STEP(end_pamigartg_cgx), STEP(end_graphics),
    STEP(end_dos2), STEP(end_ptime), STEP(end_dos), STEP(end_cguibase), STEP(end_cmegalist),
    STEP(end_pgeneral), STEP(end_fastmem), STEP(end_mem),
};

#undef STEP
#undef NOT_YET

// Runs fn, turning an out-of-memory failure of the C++ runtime into MEM, and
// a failure of the hosted system that ends the program (input that can never
// come, a UI script that cannot go on) into its message and an orderly exit
// with its return code.
template <class F>
void guarded(F fn) {
  try {
    fn();
  } catch (const std::bad_alloc&) {
    Throw("MEM");
  } catch (const HostedFailure& failure) {
    std::printf("ERROR: %s\n", failure.what());
    std::fflush(stdout);
    CleanUp(failure.returnCode());
  }
}

}  // namespace

ModuleSequence startupInitialisers() {
  return {initialiserSteps, sizeof initialiserSteps / sizeof initialiserSteps[0]};
}

ModuleSequence startupFinalisers() {
  return {finaliserSteps, sizeof finaliserSteps / sizeof finaliserSteps[0]};
}

int32_t runProgram(ModuleSequence initialisers, ModuleSequence finalisers, void (*body)()) {
  bool failed = false;
  Exception current(0, nullptr);
  try {
    guarded([&] {
      for (size_t i = 0; i < initialisers.count; ++i)
        if (initialisers.steps[i].run) initialisers.steps[i].run();
      if (body) body();
    });
  } catch (const Exception& e) {
    failed = true;
    current = e;
  }

  try {
    guarded([&] {
      if (failed) PrintException(current);
      for (size_t i = 0; i < finalisers.count; ++i)
        if (finalisers.steps[i].run) finalisers.steps[i].run();
    });
  } catch (const Exception& e) {
    // The remaining finalisers do not run, but the error is reported and the
    // allocator still releases everything.
    failed = true;
    current = e;
    PrintException(e);
    Arena::teardown();
  }
  return (failed && current.id() == ORDERLY_EXIT_ID) ? current.exitCode() : 0;
}

void runApplication() {
  CreateApp(app_name)->initDescription(app_description);
  appHost->build();
  Ludex();
}

int ludexMain(int argc, char** argv) {
  setProgramArguments(argc, argv);
  new_base();
  new_base2();
  return runProgram(startupInitialisers(), startupFinalisers(), runApplication);
}
