#pragma once

#include <gtest/gtest.h>

#include <fstream>

#include "base/VbError.h"

namespace test_support {

// The number of the error an action raises, 0 when it raises none.
template <typename F>
int32_t ErrorNumber(F&& action) {
    try {
        action();
    } catch (const base::VbError& error) {
        return error.Number();
    }
    return 0;
}

// The exact bytes of an expected text kept under tests/data.
inline std::string Golden(const std::string& name) {
    std::ifstream file(QUORVEX_TEST_DATA "/" + name, std::ios::binary);
    EXPECT_TRUE(file.is_open()) << name;
    return std::string(std::istreambuf_iterator<char>(file), {});
}

}  // namespace test_support
