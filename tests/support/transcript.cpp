#include "tests/support/transcript.h"

#include <fstream>
#include <string>

namespace lexi::testing {

std::vector<script::Record> readTranscript(const std::filesystem::path& file) {
    std::vector<script::Record> records;
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) {
        records.push_back(script::Record::fromLine(line));
    }
    return records;
}

} // namespace lexi::testing
