// The loader of the program's modules uses a module only when it was built
// for the interface version the program needs, and says so when it refuses.

#include "apps/lexitray/program_module.h"

#include <gtest/gtest.h>

namespace lexi {
namespace {

TEST(ProgramModuleTest, UsesOnlyAModuleOfTheNeededInterfaceVersion) {
    const std::string refused = "0 is not used: it was built for interface version 7, this program "
                                "needs version ";
    for (const int needed : {7, 8, 6}) {
        ::testing::internal::CaptureStderr();
        const bool used =
            loadModuleEntry("lexitray-test-module.so", "lexitray_test_module", needed);
        const std::string said = ::testing::internal::GetCapturedStderr();
        const std::size_t why = said.find(" is not");
        EXPECT_EQ(std::to_string(used) + said.substr(why == std::string::npos ? 0 : why),
                  needed == 7 ? "1" : refused + std::to_string(needed) + "\n");
    }
}

} // namespace
} // namespace lexi
