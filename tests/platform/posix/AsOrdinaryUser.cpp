#include "platform/posix/AsOrdinaryUser.h"

#include <grp.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

namespace testing_support {

namespace {

constexpr int kCannotDrop = 97, kCheckThrew = 98;

bool DropToNobody() {
    if (::geteuid() != 0) return true;
    const passwd* nobody = ::getpwnam("nobody");
    const uid_t uid = nobody != nullptr ? nobody->pw_uid : 65534;
    const gid_t gid = nobody != nullptr ? nobody->pw_gid : 65534;
    return ::setgroups(0, nullptr) == 0 && ::setgid(gid) == 0 && ::setuid(uid) == 0 && ::geteuid() != 0;
}

}  // namespace

bool AsOrdinaryUser(const std::function<std::string()>& check, std::string& strResult) {
    strResult.clear();
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) {
        strResult = "no pipe";
        return false;
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeFds[0]);
        if (!DropToNobody()) ::_exit(kCannotDrop);
        std::string text;
        try {
            text = check();
        } catch (...) {
            ::_exit(kCheckThrew);
        }
        for (size_t done = 0; done < text.size();) {
            const ssize_t written = ::write(pipeFds[1], text.data() + done, text.size() - done);
            if (written <= 0) ::_exit(kCheckThrew);
            done += static_cast<size_t>(written);
        }
        ::_exit(0);
    }
    ::close(pipeFds[1]);
    char buffer[4096];
    for (ssize_t got; (got = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;) strResult.append(buffer, got);
    ::close(pipeFds[0]);
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        const bool cannotDrop = child > 0 && WIFEXITED(status) && WEXITSTATUS(status) == kCannotDrop;
        strResult = cannotDrop ? "cannot become an ordinary user here" : "the check failed in its child process";
        return false;
    }
    return true;
}

}  // namespace testing_support
