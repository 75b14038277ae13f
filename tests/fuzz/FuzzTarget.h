#pragma once
// What the targets share. FUZZ_TARGET(bytes) { ... } is the body run on each
// input; an input that must be a file goes into a TempFolder of its own, so
// that the profile reader cannot serve an earlier input from its cache.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "base/CodePage.h"
#include "fakes/TempFolder.h"

#define FUZZ_TARGET(bytes)                                                    \
    static void FuzzOne(std::string_view bytes);                              \
    extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) { \
        FuzzOne(std::string_view(reinterpret_cast<const char*>(data), size)); \
        return 0;                                                             \
    }                                                                         \
    static void FuzzOne(std::string_view bytes)

namespace fuzz {

inline FuzzedDataProvider Provider(std::string_view bytes) {
    return FuzzedDataProvider(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

}  // namespace fuzz
