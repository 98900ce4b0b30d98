#pragma once

#include <filesystem>
#include <string>

// The real Outlook files in the shared test data, outside the repository.
inline std::filesystem::path sampleDirectory() {
    return std::filesystem::path(LEXITRAY_SHARED_DIR) / "testdata" / "msg";
}

inline std::string samplePath(const std::string& fileName) {
    return (sampleDirectory() / fileName).string();
}

#define SKIP_WITHOUT_SAMPLES()                                                                     \
    if (!std::filesystem::is_directory(sampleDirectory()))                                         \
    GTEST_SKIP() << "The Outlook sample files are not there: " << sampleDirectory()
