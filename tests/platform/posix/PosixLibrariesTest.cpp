#include <dlfcn.h>
#include <gtest/gtest.h>

#include "platform/posix/PosixLibraries.h"

namespace {

TEST(PosixLibrariesTest, LoadsAndFreesASystemLibraryByNameAndNothingElse) {
    platform::posix::PosixLibraries libraries;
    const uintptr_t first = libraries.Load(L"libm.so.6");
    ASSERT_NE(first, 0u);
    // The handle is the loader's own, in full width: it finds the library's symbols.
    EXPECT_NE(::dlsym(reinterpret_cast<void*>(first), "cos"), nullptr);
    const uintptr_t second = libraries.Load(L"libm.so.6");
    EXPECT_EQ(second, first);
    EXPECT_NE(libraries.Free(second), 0);
    EXPECT_NE(libraries.Free(first), 0);
    for (const wchar_t* name : {L"", L"libquorvex-missing.so", L"/nonexistent/libm.so.6"}) {
        EXPECT_EQ(libraries.Load(name), 0u) << static_cast<int>(*name);
    }
    EXPECT_EQ(libraries.Free(0), 0);
}

}  // namespace
