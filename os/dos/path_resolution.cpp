#include "os/dos/path_resolution.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "os/dos/dos.h"
#include "os/dos/folder_name_index.h"
#include "os/dos/host_errors.h"
#include "os/dos/lock_records.h"
#include "os/dos/name_case.h"
#include "os/dos/process_record.h"
#include "os/dos/resolved_folders.h"
#include "os/dos/volumes.h"
#include "os/dos/watched_folders.h"

namespace dospath {
namespace {

constexpr size_t NAME_MAX_BYTES = 255;

std::string join(const std::string& folder, const std::string& name) {
  return folder == "/" ? "/" + name : folder + "/" + name;
}

std::string parentOf(const std::string& folder) {
  const size_t slash = folder.rfind('/');
  return slash == 0 || slash == std::string::npos ? "/" : folder.substr(0, slash);
}

enum class Match { Found, Missing, Ambiguous, Error };

// What looking a name up in a folder found.
struct Entry {
  Match match = Match::Missing;
  std::string actual;       // its name as on disk
  struct stat st {};        // the entry, a link as itself (st_mode alone when !described)
  bool described = false;
  bool folderSeen = false;  // the folder was seen to be there
  bool listed = false;      // answered by the listing of a watched, unchanged folder
  int32_t error = 0;        // for Error: the IoErr code
};

// Finds name in folder: the exact name first, else the one entry that differs
// only in the case of a-z. A watched folder whose listing is kept and has
// not changed since answers without a look at the folder.
Entry lookUp(const std::string& folder, const std::string& name, uint64_t generation) {
  Entry e;
  if (name.size() > NAME_MAX_BYTES) return e;
  dosindex::Known known = dosindex::knownWithoutLooking(folder, name, generation, e.actual);
  if (!known.sure && dosindex::readWhenLookedIntoAgain(folder, generation))
    known = dosindex::knownWithoutLooking(folder, name, generation, e.actual);
  if (known.sure) {
    e.folderSeen = true;
    e.listed = true;
    if (known.match == dosindex::Match::Found) {
      e.match = Match::Found;
      e.st.st_mode = known.kind == DT_DIR ? S_IFDIR : S_IFREG;
    }
    return e;
  }
  if (lstat(join(folder, name).c_str(), &e.st) == 0) {
    e.actual = name;
    e.match = Match::Found;
    e.described = true;
    e.folderSeen = true;
    return e;
  }
  if (errno != ENOENT) {
    e.error = dosio::ioErrOfErrno(errno, ERROR_READ_PROTECTED);
    e.match = e.error == ERROR_OBJECT_NOT_FOUND ? Match::Missing : Match::Error;
    return e;
  }
  switch (dosindex::findIgnoringCase(folder, name, generation, e.actual)) {
    case dosindex::Match::Found:
      e.folderSeen = true;
      // Gone since the folder was read: not there after all.
      if (lstat(join(folder, e.actual).c_str(), &e.st) == 0) {
        e.match = Match::Found;
        e.described = true;
      }
      break;
    case dosindex::Match::Ambiguous:
      e.folderSeen = true;
      e.match = Match::Ambiguous;
      break;
    case dosindex::Match::Missing: e.folderSeen = true; break;
    case dosindex::Match::NoFolder: break;
  }
  return e;
}

// Walks `rest` from the real folder `start`; `floor` is the root that "/" may
// not climb above.
int32_t walk(const std::string& start, const std::string& floor, const std::string& rest, Want want, Resolved& out) {
  std::string current = start;
  size_t i = 0;
  // The folder part of a path of names alone may have been walked before;
  // else it is kept for the next path when every folder on the way could be
  // watched before it was looked into, and no link was on the way.
  const size_t lastSlash = rest.rfind('/');
  const bool namesOnly = lastSlash != std::string::npos && lastSlash > 0 && lastSlash + 1 < rest.size() &&
                         rest[0] != '/' && rest.find("//") == std::string::npos;
  std::string prefix;
  bool keepable = false;
  // Read once, before anything is looked at: whatever is kept and was read
  // under this number still holds.
  const uint64_t generation = doswatch::generation();
  if (namesOnly) {
    prefix = rest.substr(0, lastSlash);
    if (dosfolders::find(start, prefix, generation, current)) {
      i = lastSlash + 1;
      out.folderSeen = true;
    } else {
      keepable = true;
    }
  }
  while (i < rest.size()) {
    if (rest[i] == '/') {
      if (current == floor || current == "/") return ERROR_OBJECT_NOT_FOUND;
      current = parentOf(current);
      ++i;
      continue;
    }
    size_t end = rest.find('/', i);
    if (end == std::string::npos) end = rest.size();
    const std::string name = rest.substr(i, end - i);
    i = end < rest.size() ? end + 1 : end;  // the "/" after a name only separates
    const bool last = i >= rest.size();

    if (name == "." || name == "..") return (last && want == Want::Create) ? ERROR_INVALID_COMPONENT_NAME
                                                                          : ERROR_OBJECT_NOT_FOUND;
    if (keepable && !last) keepable = doswatch::watch(current);
    Entry e = lookUp(current, name, generation);
    if (e.folderSeen) out.folderSeen = true;
    const Match m = e.match;
    if (m == Match::Error) return e.error;
    if (last) {
      if (keepable) dosfolders::keep(start, prefix, current, generation);
      out.parent = current;
      out.givenName = name;
      if (m == Match::Found) {
        out.name = e.actual;
        out.exists = true;
        out.st = e.st;
        out.described = e.described;
        if (e.listed) out.listedUnder = generation;
      } else if (want == Want::Create) {
        if (m == Match::Ambiguous) return ERROR_OBJECT_EXISTS;
        if (name.size() > NAME_MAX_BYTES) return ERROR_INVALID_COMPONENT_NAME;
        out.name = name;
        out.exists = false;
      } else {
        return ERROR_OBJECT_NOT_FOUND;
      }
      out.host = join(current, out.name);
      out.start = false;
      return 0;
    }
    if (m != Match::Found) return ERROR_OBJECT_NOT_FOUND;
    const std::string next = join(current, e.actual);
    struct stat& st = e.st;
    if (S_ISLNK(st.st_mode)) {
      // A link to a folder: the walk goes on where the folder really lies
      // (by a way that is not watched).
      keepable = false;
      if (stat(next.c_str(), &st) != 0) return dosio::ioErrOfErrno(errno, ERROR_READ_PROTECTED);
      if (!S_ISDIR(st.st_mode)) return ERROR_OBJECT_NOT_FOUND;
      char* real = realpath(next.c_str(), nullptr);
      if (!real) return ERROR_OBJECT_NOT_FOUND;
      current = real;
      std::free(real);
    } else if (S_ISDIR(st.st_mode)) {
      current = next;
    } else {
      return ERROR_OBJECT_NOT_FOUND;
    }
  }
  // The path ended on its start folder or on a parent step: the object is the
  // folder reached, named by no name of its own.
  out.host = current;
  out.parent = current == "/" ? "" : parentOf(current);
  out.name = current == "/" ? "" : current.substr(current.rfind('/') + 1);
  out.givenName = out.name;
  out.exists = true;
  out.start = true;
  return 0;
}

// From a folder whose real path is known (a lock's, or a volume's own).
int32_t walkFromRealFolder(const std::string& real, const std::string& rest, Want want, Resolved& out) {
  const dosvol::Volume* on = dosvol::volumeOfRealPath(real);
  const std::string floor = on ? on->folders[0] : "/";
  return walk(real, floor, rest, want, out);
}

int32_t walkFromFolder(const std::string& folder, const std::string& rest, Want want, Resolved& out) {
  return walkFromRealFolder(dosvol::canonicalFolder(folder), rest, want, out);
}

}  // namespace

int32_t resolve(const char* amigaPath, Want want, Resolved& out) {
  out = Resolved{};
  const std::string path(amigaPath);
  const size_t colon = path.find(':');
  const size_t slash = path.find('/');
  const bool hasDevice = colon != std::string::npos && (slash == std::string::npos || colon < slash);

  if (!hasDevice) {
    std::string base;
    // A lock's path is read from its descriptor: real already.
    if (int32_t error = dosl::hostPathOf(dosproc::self().pr_CurrentDir, base)) return error;
    return walkFromRealFolder(base, path, want, out);
  }
  const std::string device = path.substr(0, colon);
  const std::string rest = path.substr(colon + 1);
  if (device.empty()) {
    // ":name": from the root of the volume the current directory lies on.
    std::string base;
    if (int32_t error = dosl::hostPathOf(dosproc::self().pr_CurrentDir, base)) return error;
    const dosvol::Volume* on = dosvol::volumeOfRealPath(base);
    const std::string root = on ? on->folders[0] : "/";
    return walk(root, root, rest, want, out);
  }

  const dosvol::Volume* v = dosvol::find(device);
  if (!v) {
    dosproc::noteUnknownVolume(device);
    return ERROR_DEVICE_NOT_MOUNTED;
  }
  switch (v->kind) {
    case dosvol::Kind::NilDevice:
      out.host = v->folders[0];
      out.exists = true;
      out.nil = true;
      return 0;
    case dosvol::Kind::Volume: {
      // Whether the volume's folder is there is asked only when the walk
      // found nothing or named no object below it: a found object, or a
      // folder on the way seen to be there, proves it.
      const int32_t answer = walk(v->folders[0], v->folders[0], rest, want, out);
      if (answer == 0 && !out.start) return 0;
      if (answer == ERROR_OBJECT_NOT_FOUND && out.folderSeen) return answer;
      struct stat st;
      if (stat(v->folders[0].c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return ERROR_DEVICE_NOT_MOUNTED;
      return answer;
    }
    case dosvol::Kind::Assign:
      break;
  }
  int32_t answer = ERROR_OBJECT_NOT_FOUND;
  for (size_t i = 0; i < v->folders.size(); ++i) {
    const int32_t ready = dosvol::prepareFolder(*v, i, want == Want::Create);
    if (ready == ERROR_OBJECT_NOT_FOUND) continue;
    if (ready) return ready;
    answer = walkFromFolder(v->folders[i], rest, want, out);
    if (answer != ERROR_OBJECT_NOT_FOUND) return answer;
  }
  return answer;
}

Listed listedWithoutLooking(const char* amigaPath) {
  const std::string_view path(amigaPath);
  const size_t colon = path.find(':');
  if (colon == std::string_view::npos || colon == 0) return Listed::Unknown;
  std::string_view rest = path.substr(colon + 1);
  if (!rest.empty() && rest.back() == '/') rest.remove_suffix(1);
  if (rest.empty() || rest[0] == '/' || rest.find("//") != std::string_view::npos) return Listed::Unknown;
  const size_t slash = path.substr(0, colon).find('/');
  if (slash != std::string_view::npos) return Listed::Unknown;
  const dosvol::Volume* v = dosvol::find(path.substr(0, colon));
  if (!v || v->kind != dosvol::Kind::Volume) return Listed::Unknown;

  const size_t lastSlash = rest.rfind('/');
  const std::string name(lastSlash == std::string_view::npos ? rest : rest.substr(lastSlash + 1));
  if (name == "." || name == "..") return Listed::Unknown;
  if (name.size() > NAME_MAX_BYTES) return Listed::Unknown;
  const uint64_t generation = doswatch::generation();
  const std::string* folder = &v->folders[0];
  if (lastSlash != std::string_view::npos) {
    folder = dosfolders::find(*folder, rest.substr(0, lastSlash), generation);
    if (!folder) return Listed::Unknown;
  }
  std::string actual;
  const dosindex::Known known = dosindex::knownWithoutLooking(*folder, name, generation, actual);
  if (!known.sure) return Listed::Unknown;
  if (known.match != dosindex::Match::Found) return Listed::Missing;
  return known.kind == DT_DIR ? Listed::Folder : Listed::File;
}

std::string amigaNameOfRealPath(const std::string& realPath) {
  const auto below = [&realPath](const std::string& folder) {
    std::string rest = realPath.size() > folder.size() ? realPath.substr(folder.size()) : "";
    if (!rest.empty() && rest[0] == '/') rest.erase(0, 1);
    return rest;
  };
  for (const dosvol::Holder& h : dosvol::holdersOfRealPath(realPath)) {
    const dosvol::Volume& v = *h.volume;
    std::string name = v.name + ":" + below(v.folders[h.folder]);
    // A name through an assign's later folder leads there only when no
    // earlier folder holds the same path, and one through a private folder
    // only while that folder may be used: such a name is resolved to see.
    const bool sure = v.kind == dosvol::Kind::Volume || (h.folder == 0 && v.privateBase.empty());
    if (sure) return name;
    Resolved r;
    if (resolve(name.c_str(), Want::Existing, r) == 0 && r.host == realPath) return name;
  }
  return "Root:" + below("/");
}

}  // namespace dospath
