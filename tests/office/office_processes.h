#pragma once

#include "tests/support/temp_folder.h"

#include <cstdlib>
#include <filesystem>
#include <sys/types.h>
#include <vector>

namespace lexi::testing {

// LibreOffice's own processes (soffice.bin) whose command line names `home`.
inline std::vector<pid_t> officeProcesses(const std::string& home) {
    std::vector<pid_t> found;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        const std::string line = readHostFile(entry.path() / "cmdline");
        if (line.find("soffice.bin") != std::string::npos && line.find(home) != std::string::npos) {
            found.push_back(std::atoi(entry.path().filename().c_str()));
        }
    }
    return found;
}

} // namespace lexi::testing
