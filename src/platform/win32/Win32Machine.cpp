// The real machine of the Windows build.

#include "platform/Machine.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32DialUp.h"
#include "platform/win32/Win32Dialogs.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Internet.h"
#include "platform/win32/Win32Libraries.h"
#include "platform/win32/Win32Processes.h"
#include "platform/win32/Win32Profile.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Services.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32ShellFolders.h"
#include "platform/win32/Win32SystemInfo.h"

namespace platform {

Machine& RealMachine() {
    static win32::Win32FileSystem files;
    static win32::Win32Registry registry;
    static win32::Win32Services services;
    static win32::Win32Processes processes;
    static win32::Win32DialUp dialUp;
    static win32::Win32ShellFolders folders;
    static win32::Win32Libraries libraries;
    static win32::Win32Internet internet;
    static win32::Win32Profile profile;
    static win32::Win32SystemInfo system;
    static win32::Win32Shell shell;
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
