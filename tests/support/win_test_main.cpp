// Main of every windowed test program: the application object is initialised once, as the
// program does, before any test runs.
#include <gtest/gtest.h>

#include "forms/application.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    Application->Initialize();
    return RUN_ALL_TESTS();
}
