#include "app/games/game_list_repair.h"

#include <cstdio>
#include <cstring>
#include <utility>

#include "app/games/game_list_file.h"
#include "app/games/line_files.h"
#include "app/launching/file_failure.h"
#include "app/launching/file_replacement.h"
#include "app/ludex_module.h"
#include "core/clean_up.h"
#include "core/exception.h"
#include "core/lists/mega_list_types.h"
#include "core/strings/string.h"
#include "core/strings/string_space.h"
#include "files/paths/path_operations.h"
#include "files/syntax/path_syntax.h"

namespace {

const char* const listBad = "PROGDIR:/Ludex.list.BAD";

enum class BackupState { Missing, Whole, Faulty, Unreadable };

// Reads the backup as a start would, into a list of its own that is then
// ended. When it is whole, *whole gets its text (a new string) as it was read.
BackupState readBackup(FileFailure& failure, char** whole) {
  *whole = nullptr;
  if (!ExistsPath(app_listBak, false)) return BackupState::Missing;
  int32_t length = 0;
  char* text = readText(app_listBak, &length, &failure);
  if (!text) return BackupState::Unreadable;
  auto* games = new cMegaList_class;
  cStringSpace* space = nullptr;
  char* copy = nullptr;
  BackupState state = BackupState::Whole;
  WithCleanUp(
      [&] {
        // Reading cuts the text into lines in place: what is restored is a copy.
        copy = NewString(length);
        std::memcpy(copy, text, static_cast<size_t>(length));
        SetStr(copy, length);
        games->new_cMegaList_class(true, nullptr, true);
        space = makeTagSpace();
        try {
          readGameListText(text, length, games, space);
        } catch (const Exception& e) {
          if (!e.is("list")) throw;
          state = BackupState::Faulty;
        }
        if (state == BackupState::Whole) std::swap(*whole, copy);
      },
      [&] {
        End(space);
        End(games);
        DisposeString(text);
        DisposeString(copy);
      });
  return state;
}

// Puts the backup's text in the list's place the way a save puts a list
// there: written under the partial name, synced, renamed into place; so no
// interruption leaves part of it under the list's name. The backup stays.
void restoreBackup(const char* text) {
  FileReplacement restore = gameListReplacement();
  restore.backup = nullptr;
  replaceFileWithLines(restore, text, nullptr);
}

// Renames the faulty file to the first free name of "Ludex.list.BAD",
// "Ludex.list.BAD.1", ...: the kept name in host form (a new string), or NIL
// with *failure saying why. Never deletes it.
char* keepAside(const char* path, FileFailure& failure) {
  char* kept = unusedNumberedPath(listBad);
  if (!kept) {
    failure.note(path, "every name to keep it under is taken");
    return nullptr;
  }
  char* host = nullptr;
  WithCleanUp(
      [&] {
        if (RenamePath(path, kept, false)) host = ExportPath(kept);
        else failure.noteIoErr(path, "it could not be renamed");
      },
      [&] { DisposeString(kept); });
  return host;
}

void printLine(const char* format, const char* a, const char* b = "") {
  std::printf(format, a, b);
  std::printf("\n");
  std::fflush(stdout);
}

}  // namespace

ListRepair repairGameListFile() {
  const char* faulty = lastReadGameListFile() ? lastReadGameListFile() : app_list;
  FileFailure failure;
  char reason[sizeof failure.file + sizeof failure.reason + 2];
  char* kept = nullptr;
  char* keptBackup = nullptr;
  char* backupText = nullptr;
  const auto cleanUp = [&] {
    DisposeString(kept);
    DisposeString(keptBackup);
    DisposeString(backupText);
  };
  return WithCleanUp(
      [&] {
        if (ExistsPath(faulty, true)) {
          kept = keepAside(faulty, failure);
          if (!kept) {
            failure.describe(faulty, reason, sizeof reason);
            printLine("The faulty list cannot be kept aside (%s); it is left as it is.", reason);
            return ListRepair::NotRepaired;
          }
        }
        if (faulty == app_listBak) {
          printLine("The faulty backup was kept as \"%s\"; Ludex starts with an empty list.", kept ? kept : "");
          return ListRepair::StartEmpty;
        }
        const char* keptText = kept ? kept : "";
        switch (readBackup(failure, &backupText)) {
          case BackupState::Missing:
            printLine("The faulty list was kept as \"%s\"; there is no backup, so the next start begins with an empty list.",
                      keptText);
            return ListRepair::Repaired;
          case BackupState::Unreadable:
            failure.describe(app_listBak, reason, sizeof reason);
            printLine("The faulty list was kept as \"%s\"; its backup cannot be read (%s).", keptText, reason);
            return ListRepair::Repaired;
          case BackupState::Whole:
            // The backup made by the last good save becomes the list again;
            // where that fails, the next start reads the backup itself.
            restoreBackup(backupText);
            printLine("The faulty list was kept as \"%s\"; the next start opens its backup.", keptText);
            return ListRepair::Repaired;
          case BackupState::Faulty:
            break;
        }
        keptBackup = keepAside(app_listBak, failure);
        if (!keptBackup) {
          failure.describe(app_listBak, reason, sizeof reason);
          printLine("The faulty list was kept as \"%s\", but its faulty backup cannot be kept aside (%s); "
                    "it is left as it is.",
                    keptText, reason);
          return ListRepair::NotRepaired;
        }
        printLine("The faulty list was kept as \"%s\" and its faulty backup as \"%s\"; Ludex starts with an empty list.",
                  keptText, keptBackup);
        return ListRepair::StartEmpty;
      },
      cleanUp);
}
