#pragma once

#include <cstdio>
#include <string>

namespace lexi::testing {

// What a shell command writes on its standard output: the independent
// readers (unzip, pdfinfo, qpdf, pdftotext) that tests check files with.
inline std::string commandOutput(const std::string& command) {
    std::string text;
    FILE* pipe = ::popen(command.c_str(), "r");
    for (char buffer[4096]; std::size_t size = std::fread(buffer, 1, sizeof buffer, pipe);) {
        text.append(buffer, size);
    }
    ::pclose(pipe);
    return text;
}

} // namespace lexi::testing
