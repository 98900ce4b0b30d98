#pragma once

#include "platform/printers.h"

#include <map>
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
    std::string port(std::string_view printer) override {
        const auto found = ports.find(std::string(printer));
        return found == ports.end() ? std::string() : found->second;
    }

    int print(std::string_view file, std::string_view printer) override {
        jobs.push_back({std::string(file), std::string(printer)});
        return answer;
    }

    std::string defaultName = "Kontor";
    std::map<std::string, std::string> ports;
    int answer = 42;
    std::vector<Job> jobs;
};

} // namespace lexi::fake
