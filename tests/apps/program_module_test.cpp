// The loader of the program's modules uses a module only when it was built
// for the interface version the program needs, and says so when it refuses.

#include "apps/lexitray/program_module.h"

#include <gtest/gtest.h>

namespace lexi {
namespace {

TEST(ProgramModuleTest, UsesOnlyAModuleOfTheNeededInterfaceVersion) {
    for (const int needed : {7, 8, 6}) {
        ::testing::internal::CaptureStderr();
        const void* entry =
            loadModuleEntry("lexitray-test-module.so", "lexitray_test_module", needed);
        const std::string said = ::testing::internal::GetCapturedStderr();
        if (needed == 7) {
            EXPECT_TRUE(entry != nullptr && said.empty()) << said;
        } else {
            EXPECT_EQ(entry, nullptr);
            EXPECT_NE(said.find("built for interface version 7, this program needs version " +
                                std::to_string(needed)),
                      std::string::npos)
                << said;
        }
    }
}

} // namespace
} // namespace lexi
