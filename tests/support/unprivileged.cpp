#include "tests/support/unprivileged.h"

#include <grp.h>
#include <pwd.h>
#include <sys/prctl.h>
#include <unistd.h>

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

void giveToOrdinaryUser(const std::string& hostPath) {
  if (geteuid() != 0) return;
  if (lchown(hostPath.c_str(), ordinaryUid(), ordinaryGid()) != 0) return;
}

ChildResult runAsOrdinaryUser(const std::function<int()>& body) {
  return runInChild([&body] {
    if (geteuid() == 0) {
      const gid_t gid = ordinaryGid();
      if (setgroups(0, nullptr) != 0 || setresgid(gid, gid, gid) != 0 || setresuid(ordinaryUid(), ordinaryUid(), ordinaryUid()) != 0)
        return CANNOT_DROP_ROOT;
      if (geteuid() == 0) return CANNOT_DROP_ROOT;
      // Giving up root makes the process undumpable, which would shut it out
      // of its own /proc entries.
      prctl(PR_SET_DUMPABLE, 1);
    }
    return body();
  });
}
