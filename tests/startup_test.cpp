#include <gtest/gtest.h>

#include "core/startup.h"
#include "tests/support/fakes.h"

namespace numera {
namespace {
TEST(StartupChain, PlaceholderBuilds) { EXPECT_EQ(StartupChain().Step(1).Captions.size(), 2); }
}  // namespace
}  // namespace numera
