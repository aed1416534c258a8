#include "os/dos/folder_name_index.h"
#include "os/dos/volumes.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <list>
#include <set>

#include "os/dos/dos.h"
#include "os/dos/host_errors.h"
#include "os/dos/name_case.h"
#include "os/dos/split_text.h"

namespace dosvol {
namespace {

struct PortRecord {
  MsgPort port;
  std::string name;
};

struct Table {
  std::list<Volume> entries;  // list: entries keep their addresses while others come and go
  bool built = false;
};

Table& table() {
  static Table t;
  return t;
}

// Ports live as long as the process: locks and process records keep them.
std::deque<PortRecord>& ports() {
  static std::deque<PortRecord> p;
  return p;
}

std::string homeFolder() {
  const char* home = std::getenv("HOME");
  if (home && home[0] == '/') return home;
  struct passwd pw, *found = nullptr;
  char buffer[4096];
  if (getpwuid_r(getuid(), &pw, buffer, sizeof buffer, &found) == 0 && found && pw.pw_dir &&
      pw.pw_dir[0] == '/')
    return pw.pw_dir;
  return "";
}

std::string executableFolder() {
  char path[PATH_MAX];
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return "";
  std::string p(path, static_cast<size_t>(n));
  const size_t slash = p.rfind('/');
  return slash == 0 ? "/" : p.substr(0, slash);
}

// $LUDEX_HOME as an absolute folder, or "" when it is unset or empty. A
// relative one is taken from the current folder, and that is said in one
// line, since the same value means another folder when started elsewhere.
std::string programHome() {
  const char* value = std::getenv("LUDEX_HOME");
  if (!value || !*value) return "";
  if (value[0] == '/') return value;
  char here[PATH_MAX];
  if (!getcwd(here, sizeof here)) {
    std::fprintf(stderr, "dos: LUDEX_HOME \"%s\" is relative and the current folder is unknown; it is not used\n",
                 value);
    return "";
  }
  const std::string folder = canonicalFolder(std::string(here) + "/" + value);
  std::fprintf(stderr, "dos: LUDEX_HOME \"%s\" is relative: PROGDIR: is %s\n", value, folder.c_str());
  return folder;
}

// Where ENV: and T: live: a folder of this user that ends with the session.
std::string runtimeBase() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime && runtime[0] == '/') return canonicalFolder(runtime) + "/ludex";
  return "/tmp/ludex-" + std::to_string(geteuid());
}

Volume makeVolume(const std::string& name, Kind kind, std::vector<std::string> folders) {
  Volume v;
  v.name = name;
  v.kind = kind;
  for (std::string& f : folders) f = canonicalFolder(f);
  v.folders = std::move(folders);
  return v;
}

void put(Volume v) {
  v.port = portOf(v.name);
  for (Volume& e : table().entries) {
    if (dosname::equalNoCase(e.name, v.name)) {
      e = std::move(v);
      return;
    }
  }
  table().entries.push_back(std::move(v));
}

bool validName(const std::string& name) {
  return !name.empty() && name.find_first_of(":/") == std::string::npos;
}

// "Name=/folder;Name2=/folder2": volumes, or assigns where a name met again in
// the same list gains a further folder.
void readList(const char* variable, Kind kind) {
  const char* text = std::getenv(variable);
  if (!text) return;
  std::set<std::string> seen;
  std::string all(text);
  size_t start = 0;
  while (start <= all.size()) {
    size_t end = all.find(';', start);
    if (end == std::string::npos) end = all.size();
    const std::string entry = all.substr(start, end - start);
    start = end + 1;
    const size_t eq = entry.find('=');
    if (eq == std::string::npos) continue;
    const std::string name = entry.substr(0, eq), folder = entry.substr(eq + 1);
    if (!validName(name) || folder.empty() || folder[0] != '/') continue;
    std::string key;
    for (char c : name) key += dosname::foldAZ(c);
    if (kind == Kind::Assign && seen.count(key)) {
      for (Volume& e : table().entries)
        if (dosname::equalNoCase(e.name, name)) e.folders.push_back(canonicalFolder(folder));
      continue;
    }
    seen.insert(key);
    put(makeVolume(name, kind, {folder}));
  }
}

void buildStandardTable() {
  Table& t = table();
  t.built = true;
  put(makeVolume("Root", Kind::Volume, {"/"}));
  const std::string home = homeFolder();
  if (!home.empty()) put(makeVolume("Home", Kind::Volume, {home}));

  std::vector<std::string> progdir;
  const std::string ludexHome = programHome();
  if (!ludexHome.empty())
    progdir.push_back(ludexHome);
  else if (!home.empty())
    progdir.push_back(home + "/.local/share/ludex");
  const bool ownFirst = !progdir.empty();
  const std::string exe = executableFolder();
  if (!exe.empty()) progdir.push_back(exe);
  if (!progdir.empty()) {
    Volume v = makeVolume("PROGDIR", Kind::Assign, progdir);
    v.makeFirstOnWrite = ownFirst;
    put(std::move(v));
  }

  const std::string runtime = runtimeBase();
  for (const char* name : {"ENV", "T"}) {
    Volume v = makeVolume(name, Kind::Assign, {runtime + "/" + name});
    v.privateBase = runtime;
    put(std::move(v));
  }
  if (!home.empty()) {
    Volume v = makeVolume("ENVARC", Kind::Assign, {home + "/.config/ludex/ENVARC"});
    v.makeFirstOnWrite = true;
    put(std::move(v));
  }
  Volume nil;
  nil.name = "NIL";
  nil.kind = Kind::NilDevice;
  nil.folders = {"/dev/null"};
  put(std::move(nil));

  readList("LUDEX_VOLUMES", Kind::Volume);
  readList("LUDEX_ASSIGNS", Kind::Assign);
}

Table& builtTable() {
  Table& t = table();
  if (!t.built) buildStandardTable();
  return t;
}

// Makes every missing folder of an absolute path.
int32_t makeFolders(const std::string& path) {
  for (size_t i = 1; i <= path.size(); ++i) {
    if (i != path.size() && path[i] != '/') continue;
    const std::string part = path.substr(0, i);
    const size_t slash = part.rfind('/');
    dosindex::forget(slash == 0 ? "/" : part.substr(0, slash));
    if (mkdir(part.c_str(), 0777) != 0 && errno != EEXIST) return dosio::ioErrOfErrno(errno, ERROR_WRITE_PROTECTED);
  }
  struct stat st;
  if (stat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return ERROR_OBJECT_NOT_FOUND;
  return 0;
}

// TRUE when the folder (a canonical one) is realPath or holds it.
bool holds(const std::string& folder, const std::string& realPath) {
  return folder == "/" || realPath == folder ||
         (realPath.size() > folder.size() && realPath.compare(0, folder.size(), folder) == 0 &&
          realPath[folder.size()] == '/');
}

// A folder only this user can enter, never a link: made when missing.
int32_t ensurePrivateFolder(const std::string& path) {
  struct stat st;
  if (lstat(path.c_str(), &st) != 0) {
    if (errno != ENOENT) return ERROR_DEVICE_NOT_MOUNTED;
    if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) return ERROR_DEVICE_NOT_MOUNTED;
    if (lstat(path.c_str(), &st) != 0) return ERROR_DEVICE_NOT_MOUNTED;
  }
  if (S_ISDIR(st.st_mode) && st.st_uid == geteuid() && (st.st_mode & 077) == 0) return 0;
  static std::set<std::string> warned;
  if (warned.insert(path).second)
    std::fprintf(stderr, "dos: %s is not a private folder of this user; it is not used\n", path.c_str());
  return ERROR_DEVICE_NOT_MOUNTED;
}

}  // namespace

std::vector<const Volume*> all() {
  std::vector<const Volume*> out;
  for (const Volume& v : builtTable().entries) out.push_back(&v);
  return out;
}

const Volume* find(std::string_view name) {
  for (const Volume& v : builtTable().entries)
    if (dosname::equalNoCase(v.name, name)) return &v;
  return nullptr;
}

const Volume* volumeOfRealPath(const std::string& realPath) {
  const Volume* best = nullptr;
  size_t bestLength = 0;
  for (const Volume& v : builtTable().entries) {
    if (v.kind != Kind::Volume || v.folders.empty()) continue;
    const std::string& root = v.folders[0];
    if (holds(root, realPath) && (!best || root.size() > bestLength)) {
      best = &v;
      bestLength = root.size();
    }
  }
  return best;
}

std::vector<Holder> holdersOfRealPath(const std::string& realPath) {
  std::vector<Holder> out;
  for (const Volume& v : builtTable().entries) {
    if (v.kind == Kind::NilDevice) continue;
    for (size_t i = 0; i < v.folders.size(); ++i)
      if (holds(v.folders[i], realPath)) out.push_back({&v, i});
  }
  // Folders that hold the same path differ in length only when one lies
  // inside the other: the longer is the more specific.
  std::stable_sort(out.begin(), out.end(), [](const Holder& a, const Holder& b) {
    const size_t lengthA = a.volume->folders[a.folder].size(), lengthB = b.volume->folders[b.folder].size();
    if (lengthA != lengthB) return lengthA > lengthB;
    return a.volume->kind == Kind::Volume && b.volume->kind != Kind::Volume;
  });
  return out;
}

const Volume* volumeOfPort(const MsgPort* port) {
  if (!port || !port->mp_Node.ln_Name) return nullptr;
  const Volume* v = find(port->mp_Node.ln_Name);
  return (v && v->kind != Kind::Assign) ? v : nullptr;
}

MsgPort* portOf(std::string_view name) {
  for (PortRecord& p : ports())
    if (dosname::equalNoCase(p.name, name)) return &p.port;
  PortRecord& p = ports().emplace_back();
  p.name = std::string(name);
  p.port = MsgPort{};
  p.port.mp_Node.ln_Type = NT_MSGPORT;
  p.port.mp_Node.ln_Name = p.name.c_str();
  return &p.port;
}

int32_t prepareFolder(const Volume& v, size_t index, bool forWriting) {
  if (index >= v.folders.size()) return ERROR_OBJECT_NOT_FOUND;
  const std::string& folder = v.folders[index];
  if (!v.privateBase.empty()) {
    if (int32_t error = ensurePrivateFolder(v.privateBase)) return error;
    return ensurePrivateFolder(folder);
  }
  struct stat st;
  if (stat(folder.c_str(), &st) == 0) return S_ISDIR(st.st_mode) ? 0 : ERROR_OBJECT_NOT_FOUND;
  if (errno != ENOENT && errno != ENOTDIR) return dosio::ioErrOfErrno(errno, ERROR_READ_PROTECTED);
  if (forWriting && index == 0 && v.makeFirstOnWrite) return makeFolders(folder);
  return ERROR_OBJECT_NOT_FOUND;
}

void mount(const Volume& v) {
  builtTable();
  Volume copy = v;
  if (copy.kind != Kind::NilDevice)
    for (std::string& f : copy.folders) f = canonicalFolder(f);
  put(std::move(copy));
}

bool dismount(std::string_view name) {
  std::list<Volume>& entries = builtTable().entries;
  for (auto it = entries.begin(); it != entries.end(); ++it) {
    if (dosname::equalNoCase(it->name, name)) {
      entries.erase(it);
      return true;
    }
  }
  return false;
}

void reset() {
  table().entries.clear();
  table().built = false;
}

std::string canonicalFolder(const std::string& folder) {
  std::string absolute = folder;
  if (absolute.empty() || absolute[0] != '/') {
    char cwd[PATH_MAX];
    absolute = std::string(getcwd(cwd, sizeof cwd) ? cwd : "/") + "/" + absolute;
  }
  if (char* real = realpath(absolute.c_str(), nullptr)) {
    std::string result(real);
    std::free(real);
    return result;
  }
  std::vector<std::string> parts;
  for (const std::string& part : splitSkippingEmpty(absolute, '/')) {
    if (part == ".") continue;
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
      continue;
    }
    parts.push_back(part);
  }
  std::string result;
  for (const std::string& p : parts) result += "/" + p;
  return result.empty() ? "/" : result;
}

}  // namespace dosvol
