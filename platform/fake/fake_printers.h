#pragma once

#include "platform/printers.h"

#include <string>
#include <vector>

namespace lexi::fake {

// Printers for tests: the default printer is the one it is given, and every
// job is kept and answered with the number it is given.
class FakePrinters final : public Printers {
public:
    struct Job {
        std::string file;
        std::string printer;
        bool operator==(const Job&) const = default;
    };

    std::string defaultPrinter() override { return defaultName; }

    int print(std::string_view file, std::string_view printer) override {
        jobs.push_back({std::string(file), std::string(printer)});
        return answer;
    }

    std::string defaultName = "Kontor";
    int answer = 42;
    std::vector<Job> jobs;
};

} // namespace lexi::fake
