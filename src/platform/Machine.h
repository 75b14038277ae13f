#pragma once
// The OS seam: every concern the program needs from the operating system,
// bundled in one Machine. Host() is the real machine unless a test has
// installed another one with ScopedMachine.

#include "platform/Clock.h"
#include "platform/DialUp.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "platform/Internet.h"
#include "platform/Libraries.h"
#include "platform/Processes.h"
#include "platform/Profile.h"
#include "platform/Registry.h"
#include "platform/Services.h"
#include "platform/Shell.h"
#include "platform/ShellFolders.h"
#include "platform/SystemInfo.h"

namespace platform {

struct Machine {
    Registry* registry = nullptr;
    FileSystem* files = nullptr;
    Services* services = nullptr;
    Processes* processes = nullptr;
    DialUp* dialUp = nullptr;
    ShellFolders* folders = nullptr;
    Libraries* libraries = nullptr;
    Internet* internet = nullptr;
    Profile* profile = nullptr;
    SystemInfo* system = nullptr;
    Shell* shell = nullptr;
    Clock* clock = nullptr;
    Dialogs* dialogs = nullptr;
};

// The machine in use. Every concern is always set.
Machine& Host();

// The real machine of this build.
Machine& RealMachine();

// Installs another machine for the life of the object (tests). Concerns left
// null in the replacement are taken from the machine it replaces.
class ScopedMachine {
public:
    explicit ScopedMachine(const Machine& replacement);
    ~ScopedMachine();
    ScopedMachine(const ScopedMachine&) = delete;
    ScopedMachine& operator=(const ScopedMachine&) = delete;

private:
    Machine mMachine;
    Machine* mPrevious;
};

// Separator between the parts of a path: "\" on Windows, "/" elsewhere.
wchar_t PathSeparator();
inline std::wstring PathSep() { return std::wstring(1, PathSeparator()); }

}  // namespace platform
