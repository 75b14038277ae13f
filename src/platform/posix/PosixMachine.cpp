#include "platform/Machine.h"
#include "platform/Unavailable.h"
#include "platform/posix/PosixClock.h"
#include "platform/posix/PosixDialogs.h"
#include "platform/posix/PosixFileSystem.h"
#include "platform/posix/PosixProfile.h"
#include "platform/posix/PosixSystemInfo.h"

namespace platform {

Machine& RealMachine() {
    static posix::PosixFileSystem files;
    static posix::PosixProfile profile;
    static posix::PosixSystemInfo system;
    static posix::PosixClock clock;
    static posix::PosixDialogs dialogs;
    static UnavailableRegistry registry;
    static UnavailableServices services;
    static UnavailableProcesses processes;
    static UnavailableDialUp dialUp;
    static UnavailableShellFolders folders;
    static UnavailableLibraries libraries;
    static UnavailableInternet internet;
    static UnavailableShell shell;
    static Machine machine{&registry, &files,    &services, &processes, &dialUp, &folders, &libraries,
                           &internet, &profile,  &system,   &shell,     &clock,  &dialogs};
    return machine;
}

wchar_t PathSeparator() { return L'/'; }

}  // namespace platform
