#include "platform/posix/PosixShell.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

#include "platform/posix/PosixPath.h"

extern char** environ;

namespace platform::posix {

namespace {
// The shell's answers: above 32 is success; SE_ERR_NOASSOC when nothing can
// open the target, SE_ERR_OOM (8) for any other failure to start.
constexpr intptr_t kStarted = 42;
constexpr intptr_t kNoHandler = 31;
constexpr intptr_t kFailed = 8;

class SpawnActions {
public:
    SpawnActions() { mOk = ::posix_spawn_file_actions_init(&mActions) == 0; }
    ~SpawnActions() {
        if (mOk) ::posix_spawn_file_actions_destroy(&mActions);
    }
    SpawnActions(const SpawnActions&) = delete;
    SpawnActions& operator=(const SpawnActions&) = delete;
    bool Ok() const { return mOk; }
    posix_spawn_file_actions_t* Get() { return &mActions; }

private:
    posix_spawn_file_actions_t mActions{};
    bool mOk = false;
};
}  // namespace

intptr_t PosixShell::Open(std::wstring_view strTarget, std::wstring_view strWorkingFolder) {
    if (strTarget.empty()) return kNoHandler;
    std::string target = NativePath(strTarget);
    std::string opener = mOpener;
    SpawnActions actions;
    if (!actions.Ok()) return kFailed;
    if (!strWorkingFolder.empty()) {
        const std::string folder = NativePath(strWorkingFolder);
        if (::posix_spawn_file_actions_addchdir_np(actions.Get(), folder.c_str()) != 0) return kFailed;
    }
    char* argv[] = {opener.data(), target.data(), nullptr};
    pid_t pid = 0;
    const int error = ::posix_spawnp(&pid, opener.c_str(), actions.Get(), nullptr, argv, environ);
    if (error != 0) return error == ENOENT || error == EACCES ? kNoHandler : kFailed;
    // The opener may run for as long as the document is open; collect its
    // exit status aside so that it leaves no zombie behind.
    std::thread([pid] {
        int status = 0;
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }).detach();
    return kStarted;
}

}  // namespace platform::posix
