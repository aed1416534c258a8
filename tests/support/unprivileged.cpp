#include "tests/support/unprivileged.h"

#include <grp.h>
#include <pwd.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

namespace {

constexpr uid_t NOBODY = 65534;

uid_t ordinaryUid() {
  const passwd* nobody = getpwnam("nobody");
  return nobody ? nobody->pw_uid : NOBODY;
}

gid_t ordinaryGid() {
  const passwd* nobody = getpwnam("nobody");
  return nobody ? nobody->pw_gid : NOBODY;
}

}  // namespace

ChildResult runAsOrdinaryUser(const std::function<int()>& body) {
  return runInChild([&body] {
    if (geteuid() == 0) {
      const uid_t uid = ordinaryUid();
      const gid_t gid = ordinaryGid();
      if (setgroups(0, nullptr) != 0 || setresgid(gid, gid, gid) != 0 || setresuid(uid, uid, uid) != 0)
        return CANNOT_DROP_ROOT;
      if (geteuid() == 0) return CANNOT_DROP_ROOT;
      // Giving up root makes the process undumpable, which would shut it out
      // of its own /proc entries.
      prctl(PR_SET_DUMPABLE, 1);
    }
    return body();
  });
}

ChildResult runWithUnsearchableFolder(const std::string& hostFolder, const std::function<int()>& body) {
  std::error_code error;
  const std::filesystem::directory_iterator first(hostFolder, error);
  if (error || first == std::filesystem::directory_iterator()) return ChildResult{};
  const std::string entry = first->path().string();
  if (geteuid() == 0 && chown(hostFolder.c_str(), ordinaryUid(), ordinaryGid()) != 0) return ChildResult{};
  if (chmod(hostFolder.c_str(), 0400) != 0) return ChildResult{};
  const ChildResult result = runAsOrdinaryUser([&] {
    struct stat st;
    if (lstat(entry.c_str(), &st) == 0) return CANNOT_DROP_ROOT;
    return body();
  });
  chmod(hostFolder.c_str(), 0700);
  return result;
}
