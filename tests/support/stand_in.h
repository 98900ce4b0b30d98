#pragma once

#include "tests/support/eventually.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace lexi::testing {

// Writes an executable stand-in for a program: when run, it writes its
// working folder and then each of its arguments, one per line, to `record`.
// The record appears whole: written aside, then moved into place.
inline void writeStandIn(const std::filesystem::path& program,
                         const std::filesystem::path& record) {
    const std::string partial = record.string() + ".partial";
    std::ofstream(program)
        << "#!/bin/sh\n{ pwd; for a in \"$@\"; do printf '%s\\n' \"$a\"; done; } > \"" << partial
        << "\" && mv \"" << partial << "\" \"" << record.string() << "\"\n";
    std::filesystem::permissions(program, std::filesystem::perms::owner_all);
}

// The lines a stand-in wrote, once it has written them (waiting up to three
// seconds); empty when it never ran.
inline std::vector<std::string> standInCalls(const std::filesystem::path& record) {
    eventually([&] { return std::filesystem::exists(record); }, std::chrono::seconds(3));
    std::vector<std::string> lines;
    std::ifstream in(record);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

// A desktop of its own in `folder` on which only ".docx" files have an
// application, with the index the desktop's database tool keeps beside the
// applications: the environment that points a program at it.
inline std::map<std::string, std::string> desktopOpeningDocx(const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder / "mime");
    std::filesystem::create_directories(folder / "applications");
    std::ofstream(folder / "mime" / "globs2") << "50:application/x-lexitray-docx:*.docx\n";
    std::ofstream(folder / "applications" / "lexitray-docx.desktop")
        << "[Desktop Entry]\nType=Application\nName=Docx\nExec=true %f\n"
           "MimeType=application/x-lexitray-docx;\n";
    std::ofstream(folder / "applications" / "mimeinfo.cache")
        << "[MIME Cache]\napplication/x-lexitray-docx=lexitray-docx.desktop;\n";
    const std::string path = folder.string();
    return {{"XDG_DATA_HOME", path},
            {"XDG_DATA_DIRS", path},
            {"XDG_CONFIG_HOME", path},
            {"XDG_CONFIG_DIRS", path}};
}

// PATH with the folder in front of the current search path.
inline std::string pathWith(const std::filesystem::path& folder) {
    const char* path = std::getenv("PATH");
    return folder.string() + ":" + (path ? path : "/usr/bin:/bin");
}

} // namespace lexi::testing
