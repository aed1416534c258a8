#include "os/dos/host_paths.h"

#include "os/dos/path_resolution.h"
#include "os/dos/process_record.h"
#include "os/dos/volumes.h"

bool HostPathOfAmigaPath(const char* amigaPath, bool forCreation, std::string& out) {
  if (!amigaPath) return dosproc::fail(ERROR_OBJECT_NOT_FOUND);
  dospath::Resolved r;
  const dospath::Want want = forCreation ? dospath::Want::Create : dospath::Want::Existing;
  if (int32_t error = dospath::resolve(amigaPath, want, r)) return dosproc::fail(error);
  out = r.host;
  return true;
}

std::string AmigaPathOfHostPath(const char* hostPath) {
  std::string path = hostPath ? hostPath : "";
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  const size_t slash = path.rfind('/');
  const std::string leaf = slash == std::string::npos ? path : path.substr(slash + 1);
  std::string real;
  if (leaf.empty() || leaf == "." || leaf == "..") {
    real = dosvol::canonicalFolder(path.empty() ? "." : path);
  } else {
    // The folder is resolved to where it really lies; the final name stays
    // itself, so that a link is named as the link.
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    real = dosvol::canonicalFolder(folder);
    real = real == "/" ? "/" + leaf : real + "/" + leaf;
  }
  return dospath::amigaNameOfRealPath(real);
}

std::vector<HostVolume> HostVolumes() {
  std::vector<HostVolume> out;
  for (const dosvol::Volume* v : dosvol::all())
    if (v->kind != dosvol::Kind::NilDevice && !v->folders.empty()) out.push_back({v->name, v->folders.front()});
  return out;
}
