#include <gtest/gtest.h>

#include <clocale>

int main(int argc, char** argv) {
    // The program runs in whatever locale the user has; tests start from the
    // C locale so that nothing passes only because of the machine's settings.
    std::setlocale(LC_ALL, "C");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
