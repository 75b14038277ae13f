// The real machine of the Windows build.

#include "platform/Machine.h"
#include "platform/Unavailable.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32Dialogs.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Profile.h"
#include "platform/win32/Win32SystemInfo.h"

namespace platform {

Machine& RealMachine() {
    static win32::Win32FileSystem files;
    static UnavailableRegistry registry;
    static UnavailableServices services;
    static UnavailableProcesses processes;
    static UnavailableDialUp dialUp;
    static UnavailableShellFolders folders;
    static UnavailableLibraries libraries;
    static UnavailableInternet internet;
    static win32::Win32Profile profile;
    static win32::Win32SystemInfo system;
    static UnavailableShell shell;
    static win32::Win32Clock clock;
    static win32::Win32Dialogs dialogs;
    static Machine machine{.registry = &registry,
                           .files = &files,
                           .services = &services,
                           .processes = &processes,
                           .dialUp = &dialUp,
                           .folders = &folders,
                           .libraries = &libraries,
                           .internet = &internet,
                           .profile = &profile,
                           .system = &system,
                           .shell = &shell,
                           .clock = &clock,
                           .dialogs = &dialogs};
    return machine;
}

wchar_t PathSeparator() { return L'\\'; }

}  // namespace platform
