#include "tests/support/stand_in.h"

#include <cstdlib>
#include <fstream>
#include <unistd.h>

namespace lexi::testing {

void writeStandIn(const std::filesystem::path& program, const std::filesystem::path& record) {
    const std::filesystem::path partial = record.string() + ".partial";
    // The record appears whole: written aside, then moved into place.
    std::ofstream(program)
        << "#!/bin/sh\n{ pwd; for a in \"$@\"; do printf '%s\\n' \"$a\"; done; } > \""
        << partial.string() << "\" && mv \"" << partial.string() << "\" \"" << record.string()
        << "\"\n";
    std::filesystem::permissions(program, std::filesystem::perms::owner_all);
}

std::map<std::string, std::string> desktopOpeningDocx(const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder / "mime");
    std::filesystem::create_directories(folder / "applications");
    std::ofstream(folder / "mime" / "globs2") << "50:application/x-lexitray-docx:*.docx\n";
    std::ofstream(folder / "applications" / "lexitray-docx.desktop")
        << "[Desktop Entry]\nType=Application\nName=Docx\nExec=true %f\n"
           "MimeType=application/x-lexitray-docx;\n";
    // The index the desktop's database tool keeps beside the applications.
    std::ofstream(folder / "applications" / "mimeinfo.cache")
        << "[MIME Cache]\napplication/x-lexitray-docx=lexitray-docx.desktop;\n";
    const std::string path = folder.string();
    return {{"XDG_DATA_HOME", path},
            {"XDG_DATA_DIRS", path},
            {"XDG_CONFIG_HOME", path},
            {"XDG_CONFIG_DIRS", path}};
}

std::vector<std::string> standInCalls(const std::filesystem::path& record) {
    for (int attempt = 0; attempt < 300 && !std::filesystem::exists(record); ++attempt) {
        ::usleep(10'000);
    }
    std::vector<std::string> lines;
    std::ifstream in(record);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::string pathWith(const std::filesystem::path& folder) {
    const char* path = std::getenv("PATH");
    return folder.string() + ":" + (path ? path : "/usr/bin:/bin");
}

} // namespace lexi::testing
