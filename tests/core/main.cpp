#include <gtest/gtest.h>

#include <clocale>

int main(int argc, char** argv) {
    // The core must not depend on the locale; run under a fixed one.
    std::setlocale(LC_ALL, "C");
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
