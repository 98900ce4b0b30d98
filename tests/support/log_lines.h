#pragma once

#include "platform/cp1252.h"
#include "platform/script/record.h"
#include "platform/text.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <string>
#include <vector>

namespace lexi::testing {

// The texts of a run log's lines, date and tab taken off, in UTF-8, from the
// log file's bytes. A line text that itself holds line breaks comes back as
// several lines.
inline std::vector<std::string> logLineTexts(const std::string& logBytes) {
    const std::string all = cp1252::toUtf8(logBytes);
    std::vector<std::string> lines;
    if (all.empty()) {
        return lines;
    }
    for (const std::string_view line :
         text::split(std::string_view(all).substr(0, all.size() - 2), "\r\n")) {
        const std::size_t tab = line.find('\t');
        lines.emplace_back(tab == std::string_view::npos ? line : line.substr(tab + 1));
    }
    return lines;
}

// Whether a run log's line texts are exactly the expected ones, line by line,
// none missing and none more. `expected` holds the lines, each ended or
// separated by a line feed (none at all when it is empty). A line that starts
// with "~" is a regular expression the whole line must match, for the parts
// that change from run to run (times, paths, numbers); one that starts with
// "+" stands for one or more lines like it in a row (a search that goes over
// its items again and again). A failure shows the first line that differs,
// and the whole log.
inline ::testing::AssertionResult logIs(const std::vector<std::string>& lines,
                                        std::string_view expected) {
    if (expected.ends_with('\n')) {
        expected.remove_suffix(1);
    }
    const std::vector<std::string_view> wanted =
        expected.empty() ? std::vector<std::string_view>{} : text::split(expected, "\n");
    const auto matches = [](std::string_view want, const std::string& line) {
        return want.starts_with('~')
                   ? std::regex_match(line, std::regex(std::string(want.substr(1))))
                   : want == line;
    };
    std::size_t at = 0;
    std::size_t want = 0;
    for (; want < wanted.size() && at < lines.size(); ++want) {
        std::string_view line = wanted[want];
        const bool repeated = line.starts_with('+');
        if (repeated) {
            line.remove_prefix(1);
        }
        if (!matches(line, lines[at])) {
            break;
        }
        ++at;
        while (repeated && at < lines.size() && matches(line, lines[at])) {
            ++at;
        }
    }
    if (want == wanted.size() && at == lines.size()) {
        return ::testing::AssertionSuccess();
    }
    ::testing::AssertionResult failure = ::testing::AssertionFailure();
    failure << "line " << at + 1 << ": expected "
            << (want < wanted.size() ? "\"" + std::string(wanted[want]) + "\"" : "the end")
            << ", found " << (at < lines.size() ? "\"" + lines[at] + "\"" : "the end")
            << "\nThe whole log:\n";
    for (const std::string& line : lines) {
        failure << "  " << line << "\n";
    }
    return failure;
}

// What a scripted UI's transcript file shows, one entry a record: "kind:event"
// of a window, "msgbox:<text>" of a message box; none when the file is missing.
inline std::vector<std::string> transcriptEvents(const std::filesystem::path& file) {
    std::vector<std::string> seen;
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) {
        const auto record = script::Record::fromLine(line);
        seen.push_back(record.kind + ":" +
                       record.field(record.kind == "msgbox" ? "text" : "event"));
    }
    return seen;
}

} // namespace lexi::testing
