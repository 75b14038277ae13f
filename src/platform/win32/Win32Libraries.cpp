#include "platform/win32/Win32Libraries.h"

#include <windows.h>

#include <string>
#include <vector>

#include "platform/AnsiCodePage.h"

namespace platform::win32 {

namespace {

bool IsFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// "C:\..." or "\\server\...": a PATH entry that does not depend on the current folder.
bool IsAbsolute(const std::string& folder) {
    const auto slash = [](char ch) { return ch == '\\' || ch == '/'; };
    if (folder.size() >= 3 && folder[1] == ':' && slash(folder[2])) return true;
    return folder.size() >= 2 && slash(folder[0]) && slash(folder[1]);
}

// Spelled as the system spells the folder: full, without a trailing separator.
std::string Normalized(const std::string& folder) {
    char buffer[MAX_PATH];
    const DWORD length = GetFullPathNameA(folder.c_str(), MAX_PATH, buffer, nullptr);
    std::string path = length > 0 && length < MAX_PATH ? std::string(buffer, length) : folder;
    while (path.size() > 3 && (path.back() == '\\' || path.back() == '/')) path.pop_back();
    return path;
}

std::string SystemText(UINT(WINAPI* get)(LPSTR, UINT)) {
    char buffer[MAX_PATH];
    const UINT length = get(buffer, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::string(buffer, length) : std::string();
}

std::string ProgramFolder() {
    char buffer[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return {};
    std::string path(buffer, length);
    return path.substr(0, path.find_last_of("\\/"));
}

std::string CurrentFolder() {
    char buffer[MAX_PATH];
    const DWORD length = GetCurrentDirectoryA(MAX_PATH, buffer);
    return length > 0 && length < MAX_PATH ? std::string(buffer, length) : std::string();
}

std::vector<std::string> PathFolders() {
    std::vector<std::string> folders;
    const DWORD size = GetEnvironmentVariableA("PATH", nullptr, 0);
    if (size == 0) return folders;
    std::string path(size, '\0');
    path.resize(GetEnvironmentVariableA("PATH", path.data(), size));
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find(';', start);
        if (end == std::string::npos) end = path.size();
        std::string folder = path.substr(start, end - start);
        if (folder.size() >= 2 && folder.front() == '"' && folder.back() == '"') folder = folder.substr(1, folder.size() - 2);
        if (!folder.empty()) folders.push_back(std::move(folder));
        start = end + 1;
    }
    return folders;
}

// Where the standard search would find a name without a path (system folder,
// Windows folder, the folders of PATH), leaving out the program's own folder
// and the current folder, where a downloaded library may lie. Empty when none holds it.
std::string ResolveBareName(std::string name) {
    // As the loader does: ".dll" when the name has no extension; a final dot means none.
    if (name.find('.') == std::string::npos) {
        name += ".dll";
    } else if (name.back() == '.') {
        name.pop_back();
    }
    const auto holding = [&name](const std::string& folder) {
        const bool separated = folder.back() == '\\' || folder.back() == '/';
        return folder + (separated ? "" : "\\") + name;
    };
    for (const std::string& folder : {SystemText(GetSystemDirectoryA), SystemText(GetWindowsDirectoryA)}) {
        if (folder.empty()) continue;
        std::string candidate = holding(folder);
        if (IsFile(candidate)) return candidate;
    }
    const std::string program = Normalized(ProgramFolder()), current = Normalized(CurrentFolder());
    for (const std::string& folder : PathFolders()) {
        if (!IsAbsolute(folder)) continue;
        const std::string normalized = Normalized(folder);
        if (lstrcmpiA(normalized.c_str(), program.c_str()) == 0 || lstrcmpiA(normalized.c_str(), current.c_str()) == 0) {
            continue;
        }
        std::string candidate = holding(folder);
        if (IsFile(candidate)) return candidate;
    }
    return {};
}

}  // namespace

uintptr_t Win32Libraries::Load(std::wstring_view strName) {
    const std::string name = ToAnsi(strName);
    if (name.empty()) return 0;
    std::string path = name;
    if (name.find_first_of("\\/:") == std::string::npos) {
        path = ResolveBareName(name);
        // Not a file there: known system libraries and API sets still load, from the system folder only.
        if (path.empty()) {
            return reinterpret_cast<uintptr_t>(LoadLibraryExA(name.c_str(), nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
        }
    }
    HMODULE module = LoadLibraryA(path.c_str());
    if (module == nullptr && GetLastError() == ERROR_BAD_EXE_FORMAT) {
        // A library of the other width (32-bit, seen from this 64-bit program)
        // cannot run here but is present: a valid one maps as an image, never run.
        module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE | LOAD_LIBRARY_AS_DATAFILE);
    }
    return reinterpret_cast<uintptr_t>(module);
}

int32_t Win32Libraries::Free(uintptr_t hModule) {
    if (hModule == 0) return 0;
    // FreeLibrary also unmaps a library mapped as an image: its handle is marked as such.
    return FreeLibrary(reinterpret_cast<HMODULE>(hModule)) != 0 ? 1 : 0;
}

}  // namespace platform::win32

namespace platform {

bool HardenLibraryLoading() {
    // Looked up rather than imported: older systems without the update that
    // brought it must still start the program.
    using SetDirectories = BOOL(WINAPI*)(DWORD);
    const HMODULE kernel = GetModuleHandleA("kernel32.dll");
    if (kernel == nullptr) return false;
    const auto setDirectories =
        reinterpret_cast<SetDirectories>(reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
    return setDirectories != nullptr && setDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32) != 0;
}

}  // namespace platform
