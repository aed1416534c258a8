#include "os/asl/asl.h"

#include <strings.h>

#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "os/intuition/requester_answers.h"

namespace {

// The settings that tags give a requester.
struct FileRequestSettings {
  std::string title = "Select a file";
  bool hasDrawer = false, hasFile = false, hasPattern = false;
  std::string drawer, file, pattern;
  bool showVolumes = false;
  bool doPatterns = false;
  uint32_t flags1 = 0, flags2 = 0;
};

// The hosted requester: the public record first, its settings and the storage
// its fields point into after it.
struct HostedFileRequester : FileRequester {
  FileRequestSettings settings;
  std::string file, drawer, pattern;
  std::vector<std::string> names;
  std::vector<WBArg> args;
  BPTR argLock = nullptr;

  void clearChoice() {
    if (argLock) UnLock(argLock);
    argLock = nullptr;
    args.clear();
    names.clear();
    fr_NumArgs = 0;
    fr_ArgList = nullptr;
  }
  // Points the public fields at the kept strings.
  void publish() {
    fr_File = file.data();
    fr_Drawer = drawer.data();
    fr_Pattern = settings.hasPattern ? pattern.data() : nullptr;
  }
};

// The requesters handed out and not yet freed.
std::mutex liveLock;
std::set<const void*>& live() {
  static std::set<const void*> s;
  return s;
}

HostedFileRequester* hosted(void* request) {
  std::lock_guard<std::mutex> guard(liveLock);
  if (!request || !live().count(request)) return nullptr;
  return static_cast<HostedFileRequester*>(static_cast<FileRequester*>(request));
}

// Whether a button answer to a file requester means OK: any button but the
// last (0) or one labelled "Cancel".
bool pressesOk(const RequesterAnswer& answer) {
  if (!answer.label.empty()) return strcasecmp(answer.label.c_str(), "Cancel") != 0;
  return answer.button != 0;
}

// A text tag: NIL stands for no text (*given, when asked for, is then FALSE).
void takeText(intptr_t data, std::string& field, bool* given = nullptr) {
  if (given) *given = data != 0;
  field = data ? reinterpret_cast<const char*>(data) : "";
}

void applyTags(FileRequestSettings& s, const TagItem* tags) {
  TagItem* state = const_cast<TagItem*>(tags);
  while (TagItem* item = NextTagItem(&state)) {
    const intptr_t d = item->ti_Data;
    switch (item->ti_Tag) {
      case ASLFR_TitleText:
        takeText(d, s.title);
        break;
      case ASLFR_InitialDrawer:
        takeText(d, s.drawer, &s.hasDrawer);
        break;
      case ASLFR_InitialFile:
        takeText(d, s.file, &s.hasFile);
        break;
      case ASLFR_InitialPattern:
        takeText(d, s.pattern, &s.hasPattern);
        break;
      case ASLFR_InitialShowVolumes:
        s.showVolumes = d != 0;
        break;
      case ASLFR_DoPatterns:
        s.doPatterns = d != 0;
        break;
      case ASLFR_Flags1:
        s.flags1 = static_cast<uint32_t>(d);
        break;
      case ASLFR_Flags2:
        s.flags2 = static_cast<uint32_t>(d);
        break;
      default:
        break;
    }
  }
}

RequesterRecord recordOf(const FileRequestSettings& s) {
  RequesterRecord r;
  r.kind = RequesterRecord::Kind::File;
  r.title = s.title;
  r.hasInitialDrawer = s.hasDrawer;
  r.hasInitialFile = s.hasFile;
  r.hasInitialPattern = s.hasPattern;
  r.initialDrawer = s.drawer;
  r.initialFile = s.file;
  r.initialPattern = s.pattern;
  r.showVolumes = s.showVolumes;
  r.doPatterns = s.doPatterns;
  r.flags1 = s.flags1;
  r.flags2 = s.flags2;
  return r;
}

// Puts the chosen drawer and files into the requester. Returns the reason
// when the answer cannot be taken (the requester is then cancelled).
std::string takeChoice(HostedFileRequester& r, const std::string& drawer, const std::vector<std::string>& files) {
  const bool multi = (r.settings.flags1 & FRF_DOMULTISELECT) != 0;
  if (files.size() > 1 && !multi) return "several files chosen without multiple selection";
  r.drawer = drawer;
  r.file = files.empty() ? std::string() : files.front();
  if (multi && !files.empty()) {
    r.argLock = Lock(r.drawer.c_str(), SHARED_LOCK);
    if (!r.argLock) return "drawer \"" + r.drawer + "\" not found";
    r.names = files;
    for (std::string& name : r.names) r.args.push_back(WBArg{r.argLock, name.data()});
    r.fr_NumArgs = static_cast<int32_t>(r.args.size());
    r.fr_ArgList = r.args.data();
  }
  return {};
}

}  // namespace

void* AllocAslRequest(uint32_t type, const TagItem* tags) {
  if (type != ASL_FileRequest) return nullptr;
  auto* r = new HostedFileRequester();
  applyTags(r->settings, tags);
  r->drawer = r->settings.drawer;
  r->file = r->settings.file;
  r->pattern = r->settings.pattern;
  r->publish();
  FileRequester* request = r;
  std::lock_guard<std::mutex> guard(liveLock);
  live().insert(request);
  return request;
}

bool AslRequest(void* request, const TagItem* tags) {
  HostedFileRequester* r = hosted(request);
  if (!r) return false;
  applyTags(r->settings, tags);
  r->pattern = r->settings.pattern;
  r->clearChoice();
  RequesterRecord record = recordOf(r->settings);

  bool chosen = false;
  RequesterAnswer answer;
  if (!answerRequester(record, &answer)) {
    printRequesterCancel(record.title, "no answer");
  } else if (answer.kind == RequesterAnswer::Kind::Choose) {
    const std::string why = takeChoice(*r, answer.drawer, answer.files);
    chosen = why.empty();
    if (!chosen) {
      r->clearChoice();
      printRequesterCancel(record.title, why);
    }
  } else if (answer.kind == RequesterAnswer::Kind::Button && pressesOk(answer)) {
    // OK with what the requester started with.
    const std::string why = takeChoice(*r, r->settings.drawer,
                                       r->settings.hasFile && !r->settings.file.empty()
                                           ? std::vector<std::string>{r->settings.file}
                                           : std::vector<std::string>{});
    chosen = why.empty();
    if (!chosen) {
      r->clearChoice();
      printRequesterCancel(record.title, why);
    }
  } else if (answer.kind == RequesterAnswer::Kind::Text) {
    printRequesterCancel(record.title, "a text answer does not fit");
  }
  r->publish();
  record.result = chosen ? 1 : 0;
  logRequester(record);
  return chosen;
}

void FreeAslRequest(void* request) {
  HostedFileRequester* r = hosted(request);
  if (!r) return;
  {
    std::lock_guard<std::mutex> guard(liveLock);
    live().erase(request);
  }
  r->clearChoice();
  delete r;
}
