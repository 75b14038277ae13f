#include "platform/Machine.h"
#include "platform/posix/PosixClock.h"
#include "platform/posix/PosixDialUp.h"
#include "platform/posix/PosixDialogs.h"
#include "platform/posix/PosixFileSystem.h"
#include "platform/posix/PosixInternet.h"
#include "platform/posix/PosixLibraries.h"
#include "platform/posix/PosixProcesses.h"
#include "platform/posix/PosixProfile.h"
#include "platform/posix/PosixRegistry.h"
#include "platform/posix/PosixServices.h"
#include "platform/posix/PosixShell.h"
#include "platform/posix/PosixShellFolders.h"
#include "platform/posix/PosixSystemInfo.h"

namespace platform {

Machine& RealMachine() {
    static posix::PosixFileSystem files;
    static posix::PosixProfile profile;
    static posix::PosixSystemInfo system;
    static posix::PosixClock clock;
    static posix::PosixDialogs dialogs;
    static posix::PosixRegistry registry;
    static posix::PosixServices services;
    static posix::PosixProcesses processes;
    static posix::PosixDialUp dialUp;
    static posix::PosixShellFolders folders;
    static posix::PosixLibraries libraries;
    static posix::PosixInternet internet;
    static posix::PosixShell shell;
    static Machine machine{&registry, &files,   &services, &processes, &dialUp, &folders, &libraries,
                           &internet, &profile, &system,   &shell,     &clock,  &dialogs};
    return machine;
}

wchar_t PathSeparator() { return L'/'; }

}  // namespace platform
