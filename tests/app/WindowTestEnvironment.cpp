#include "umain.h"

#include <gtest/gtest.h>

namespace {

// Most tests here compose a window and drive it by hand; a start-up flow
// looking for ELO would get in their way. The start-up tests switch it on for
// their own windows.
class WindowsWithoutStartupFlow : public ::testing::Environment
{
public:
    void SetUp() override { Tfmain::setStartupFlowOnFirstShow(false); }
};

const auto *const environment = ::testing::AddGlobalTestEnvironment(new WindowsWithoutStartupFlow);

} // namespace
