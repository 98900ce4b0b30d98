#include "platform/windows_command_line.h"

namespace lexi {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// The program name at the start of a command line, and where it ends: no
// escapes, quotes only group.
std::string programName(std::string_view line, std::size_t& pos) {
    std::string program;
    pos = 0;
    if (pos < line.size() && line[pos] == '"') {
        const std::size_t close = line.find('"', pos + 1);
        program = line.substr(pos + 1, close == std::string_view::npos ? std::string_view::npos
                                                                       : close - pos - 1);
        pos = close == std::string_view::npos ? line.size() : close + 1;
    }
    while (pos < line.size() && !isBlank(line[pos])) {
        program += line[pos++];
    }
    return program;
}

} // namespace

std::string_view argumentText(std::string_view commandLine) {
    std::size_t pos = 0;
    programName(commandLine, pos);
    while (pos < commandLine.size() && isBlank(commandLine[pos])) {
        ++pos;
    }
    return commandLine.substr(pos);
}

std::vector<std::string> splitWindowsCommandLine(std::string_view line) {
    std::vector<std::string> arguments;
    std::size_t pos = 0;
    std::string program = programName(line, pos);
    if (line.empty()) {
        return arguments;
    }
    arguments.push_back(std::move(program));

    for (;;) {
        while (pos < line.size() && isBlank(line[pos])) {
            ++pos;
        }
        if (pos >= line.size()) {
            return arguments;
        }
        std::string argument;
        bool quoted = false;
        while (pos < line.size() && (quoted || !isBlank(line[pos]))) {
            std::size_t backslashes = 0;
            while (pos < line.size() && line[pos] == '\\') {
                ++backslashes, ++pos;
            }
            if (pos < line.size() && line[pos] == '"') {
                argument.append(backslashes / 2, '\\');
                if (backslashes % 2 == 1) {
                    argument += '"';
                } else if (quoted && pos + 1 < line.size() && line[pos + 1] == '"') {
                    argument += '"';
                    ++pos;
                } else {
                    quoted = !quoted;
                }
                ++pos;
            } else {
                argument.append(backslashes, '\\');
                if (pos < line.size() && (quoted || !isBlank(line[pos]))) {
                    argument += line[pos++];
                }
            }
        }
        arguments.push_back(std::move(argument));
    }
}

} // namespace lexi
