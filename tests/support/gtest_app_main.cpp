#include "Application.h"

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    // The window's tests run under the tool's own application object, so that
    // exceptions escaping a handler meet the same guard as in the program.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
