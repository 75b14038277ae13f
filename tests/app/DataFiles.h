#pragma once
// The test data of the app tests (tests/data/app), found through the source
// folder the build names.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

namespace testing_support {

// A file or folder under tests/data/app.
inline std::filesystem::path DataPath(std::string_view strName) {
    return std::filesystem::path(QUORVEX_SOURCE_DIR "/tests/data/app") / strName;
}

inline std::string ReadData(std::string_view strName) {
    std::ifstream in(DataPath(strName), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

}  // namespace testing_support
