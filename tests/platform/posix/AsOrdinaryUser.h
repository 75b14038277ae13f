#pragma once
// Runs a check in a child process as an ordinary user (nobody when the tests
// run as root), so that what a test made unreadable is unreadable in CI too.

#include <grp.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <string>

namespace testing_support {

// The text the check returned, or "failed: ..." when it could not run.
inline std::string AsOrdinaryUser(const std::function<std::string()>& check) {
    int fds[2];
    if (::pipe(fds) != 0) return "failed: no pipe";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(fds[0]);
        const passwd* nobody = ::getpwnam("nobody");
        if (::geteuid() == 0 && (nobody == nullptr || ::setgroups(0, nullptr) != 0 || ::setgid(nobody->pw_gid) != 0 ||
                                 ::setuid(nobody->pw_uid) != 0)) {
            ::_exit(1);
        }
        const std::string text = check();
        ::_exit(::write(fds[1], text.data(), text.size()) == static_cast<ssize_t>(text.size()) ? 0 : 1);
    }
    ::close(fds[1]);
    std::string text;
    char buffer[4096];
    for (ssize_t got; (got = ::read(fds[0], buffer, sizeof buffer)) > 0;) text.append(buffer, got);
    ::close(fds[0]);
    int status = 0;
    const bool ran = child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return ran ? text : "failed: the check did not run as an ordinary user";
}

}  // namespace testing_support
