// The loader of the program's modules uses a module only when it was built
// for the interface version the program needs, and says so when it refuses.

#include "apps/lexitray/program_module.h"

#include <gtest/gtest.h>

namespace lexi {
namespace {

TEST(ProgramModuleTest, UsesOnlyAModuleOfTheNeededInterfaceVersion) {
    struct Case {
        int neededVersion;
        bool used;
    };
    for (const Case& c : {Case{7, true}, Case{8, false}, Case{6, false}}) {
        SCOPED_TRACE(c.neededVersion);
        ::testing::internal::CaptureStderr();
        const void* entry =
            loadModuleEntry("lexitray-test-module.so", "lexitray_test_module", c.neededVersion);
        const std::string said = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(entry != nullptr, c.used);
        if (c.used) {
            EXPECT_EQ(said, "");
        } else {
            EXPECT_NE(said.find("built for interface version 7, this program needs version " +
                                std::to_string(c.neededVersion)),
                      std::string::npos)
                << said;
        }
    }
}

} // namespace
} // namespace lexi
