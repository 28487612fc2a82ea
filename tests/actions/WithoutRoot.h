#pragma once
// Permission checks that also hold when the tests run as root, which reads and writes
// everything: as root the check runs in a child process that has become the user nobody.

#include <sys/wait.h>
#include <unistd.h>

#include <functional>

enum class PermissionCheck { Passed, Failed, CannotDropRoot };

inline PermissionCheck WithoutRoot(const std::function<bool()>& check) {
  if (::geteuid() != 0) return check() ? PermissionCheck::Passed : PermissionCheck::Failed;
  const pid_t child = ::fork();
  if (child < 0) return PermissionCheck::CannotDropRoot;
  if (child == 0) {
    constexpr uid_t kNobody = 65534;
    if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) ::_exit(2);
    ::_exit(check() ? 0 : 1);
  }
  int status = 0;
  if (::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return PermissionCheck::Failed;
  if (WEXITSTATUS(status) == 2) return PermissionCheck::CannotDropRoot;
  return WEXITSTATUS(status) == 0 ? PermissionCheck::Passed : PermissionCheck::Failed;
}

// Expands to the test's verdict; skipped (with the reason) where root cannot be given up.
#define EXPECT_WITHOUT_ROOT(check)                                                    \
  do {                                                                                \
    const PermissionCheck verdict = WithoutRoot(check);                               \
    if (verdict == PermissionCheck::CannotDropRoot)                                   \
      GTEST_SKIP() << "running as root, and root cannot become the user nobody here"; \
    EXPECT_EQ(verdict, PermissionCheck::Passed);                                      \
  } while (false)
