#include "platform/posix/PosixLibraries.h"

#include <dlfcn.h>

#include "platform/posix/PosixPath.h"

namespace platform::posix {

uintptr_t PosixLibraries::Load(std::wstring_view strName) {
    // dlopen of no name gives the program itself, which no library name means.
    if (strName.empty()) return 0;
    return reinterpret_cast<uintptr_t>(::dlopen(NativePath(strName).c_str(), RTLD_NOW | RTLD_LOCAL));
}

int32_t PosixLibraries::Free(uintptr_t hModule) {
    if (hModule == 0) return 0;
    return ::dlclose(reinterpret_cast<void*>(hModule)) == 0 ? 1 : 0;
}

}  // namespace platform::posix

namespace platform {

// The loader searches only the configured system paths for a bare name
// (never the working folder), so there is nothing to restrict.
bool HardenLibraryLoading() { return true; }

}  // namespace platform
