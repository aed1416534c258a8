// Environment variables: the variable "dir/name" is the file ENV:dir/name,
// with ENVARC:dir/name as the saved value read when ENV: has none. The hosted
// process keeps no local variables, so every variable is global.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>

#include "os/dos/call_hooks.h"
#include "os/dos/dos_testing.h"
#include "os/dos/folder_name_index.h"
#include "os/dos/host_errors.h"
#include "os/dos/path_resolution.h"
#include "os/dos/process_record.h"
#include "os/dos/read_all.h"
#include "os/dos/volumes.h"

namespace {

// Names come from files users edit: no empty, "." or ".." component, no
// leading "/" (the parent of ENV:) and no ":" (another volume).
bool validName(const char* name) {
  if (!name || !*name || name[0] == '/' || std::strchr(name, ':')) return false;
  const std::string n(name);
  size_t start = 0;
  while (start <= n.size()) {
    size_t end = n.find('/', start);
    if (end == std::string::npos) end = n.size();
    const std::string part = n.substr(start, end - start);
    if (part.empty() || part == "." || part == "..") return false;
    start = end + 1;
  }
  return true;
}

// The value stored under device:name; FALSE with the IoErr code when there is none.
bool readValue(const char* device, const char* name, std::string& value, int32_t* error) {
  dospath::Resolved r;
  const std::string path = std::string(device) + ":" + name;
  if ((*error = dospath::resolve(path.c_str(), dospath::Want::Existing, r))) return false;
  const int fd = open(r.host.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    *error = dosio::ioErrOfErrno(errno, ERROR_READ_PROTECTED);
    return false;
  }
  struct stat st;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    close(fd);
    *error = ERROR_OBJECT_WRONG_TYPE;
    return false;
  }
  value.clear();
  if (!readAll(fd, value)) {
    *error = dosio::ioErrOfErrno(errno, ERROR_READ_PROTECTED);
    close(fd);
    return false;
  }
  close(fd);
  return true;
}

// Makes the folders of a variable's name below the device.
int32_t makeFolders(const std::string& device, const std::string& name) {
  size_t slash = name.find('/');
  while (slash != std::string::npos) {
    const std::string folder = device + ":" + name.substr(0, slash);
    dospath::Resolved r;
    if (int32_t error = dospath::resolve(folder.c_str(), dospath::Want::Create, r)) return error;
    if (!r.exists) dosindex::forget(r.parent);
    if (!r.exists && mkdir(r.host.c_str(), 0777) != 0 && errno != EEXIST)
      return dosio::ioErrOfErrno(errno, ERROR_WRITE_PROTECTED);
    struct stat st;
    if (stat(r.host.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return ERROR_OBJECT_WRONG_TYPE;
    slash = name.find('/', slash + 1);
  }
  return 0;
}

// Stores the value whole or not at all: written to a new file beside it, which
// then takes the variable's name.
int32_t writeValue(const std::string& device, const char* name, const char* value, size_t length) {
  if (int32_t error = makeFolders(device, name)) return error;
  dospath::Resolved r;
  const std::string path = device + ":" + name;
  if (int32_t error = dospath::resolve(path.c_str(), dospath::Want::Create, r)) return error;
  if (r.nil || r.start) return ERROR_OBJECT_WRONG_TYPE;
  struct stat st;
  if (r.exists && lstat(r.host.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return ERROR_OBJECT_WRONG_TYPE;
  static unsigned serial = 0;
  const std::string temporary =
      r.parent + "/.ludex-var-" + std::to_string(getpid()) + "-" + std::to_string(++serial);
  dosindex::forget(r.parent);
  const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return dosio::ioErrOfErrno(errno, ERROR_WRITE_PROTECTED);
  size_t done = 0;
  int32_t error = 0;
  while (done < length) {
    const ssize_t n = write(fd, value + done, length - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      error = n < 0 ? dosio::ioErrOfErrno(errno, ERROR_WRITE_PROTECTED) : ERROR_DISK_FULL;
      break;
    }
    done += static_cast<size_t>(n);
  }
  if (close(fd) != 0 && !error && errno != EINTR) error = dosio::ioErrOfErrno(errno, ERROR_WRITE_PROTECTED);
  if (!error && rename(temporary.c_str(), r.host.c_str()) != 0)
    error = dosio::ioErrOfErrno(errno, ERROR_WRITE_PROTECTED);
  if (error) unlink(temporary.c_str());
  return error;
}

int32_t deleteValue(const std::string& device, const char* name) {
  dospath::Resolved r;
  const std::string path = device + ":" + name;
  const int32_t error = dospath::resolve(path.c_str(), dospath::Want::Existing, r);
  if (error) return error;
  if (r.nil || r.start) return ERROR_OBJECT_WRONG_TYPE;
  dosindex::forget(r.parent);
  if (unlink(r.host.c_str()) != 0) return dosio::ioErrOfErrno(errno, ERROR_DELETE_PROTECTED);
  return 0;
}

}  // namespace

int32_t GetVar(const char* name, char* buffer, int32_t size, uint32_t flags) {
  auto fail = [](int32_t code) {
    dosproc::fail(code);
    return int32_t{-1};
  };
  if (int32_t injected = doshook::enter("GetVar", name)) return fail(injected);
  if (buffer && size > 0) buffer[0] = '\0';
  if (!validName(name)) return fail(ERROR_INVALID_COMPONENT_NAME);
  if (flags & GVF_LOCAL_ONLY) return fail(ERROR_OBJECT_NOT_FOUND);  // no local variables here
  if (!buffer || size <= 0) return fail(ERROR_LINE_TOO_LONG);

  std::string value;
  int32_t error = 0;
  if (!readValue("ENV", name, value, &error)) {
    if (error != ERROR_OBJECT_NOT_FOUND) return fail(error);
    if (!readValue("ENVARC", name, value, &error)) return fail(error);
  }
  if (!(flags & GVF_BINARY_VAR)) {
    const size_t newline = value.find('\n');
    if (newline != std::string::npos) value.resize(newline);
  }
  const bool terminate = !(flags & GVF_DONT_NULL_TERM);
  const size_t room = static_cast<size_t>(size) - (terminate ? 1 : 0);
  const size_t copied = value.size() < room ? value.size() : room;
  std::memcpy(buffer, value.data(), copied);
  if (terminate) buffer[copied] = '\0';
  // The full length, so that a caller can tell a cut value.
  dosproc::self().pr_Result2 = static_cast<int32_t>(value.size());
  return static_cast<int32_t>(copied);
}

bool SetVar(const char* name, const char* buffer, int32_t size, uint32_t flags) {
  if (int32_t injected = doshook::enter("SetVar", name)) return dosproc::fail(injected);
  if (!validName(name)) return dosproc::fail(ERROR_INVALID_COMPONENT_NAME);
  if (flags & GVF_LOCAL_ONLY) return dosproc::fail(ERROR_ACTION_NOT_KNOWN);
  const bool save = (flags & GVF_SAVE_VAR) != 0;
  if (!buffer) {
    // Deleting: gone from the variables that were there is enough.
    int32_t error = deleteValue("ENV", name);
    if (save) {
      const int32_t saved = deleteValue("ENVARC", name);
      if (error == ERROR_OBJECT_NOT_FOUND)
        error = saved;
      else if (error == 0 && saved != ERROR_OBJECT_NOT_FOUND)
        error = saved;
    }
    return error ? dosproc::fail(error) : true;
  }
  const size_t length = size < 0 ? std::strlen(buffer) : static_cast<size_t>(size);
  if (int32_t error = writeValue("ENV", name, buffer, length)) return dosproc::fail(error);
  if (save) {
    if (int32_t error = writeValue("ENVARC", name, buffer, length)) return dosproc::fail(error);
  }
  return true;
}

void ostest::clearEnv() {
  const dosvol::Volume* env = dosvol::find("ENV");
  if (!env) return;
  for (const std::string& folder : env->folders) {
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ignored))
      std::filesystem::remove_all(entry.path(), ignored);
  }
}
