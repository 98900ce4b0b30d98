#pragma once

#include "platform/shell.h"

#include <functional>
#include <string>
#include <vector>

namespace lexi::fake {

// A shell for tests: it answers with the number it is given and keeps every
// request.
class FakeShell final : public Shell {
public:
    struct Request {
        std::string verb;
        std::string file;
        std::string parameters;
        std::string workingFolder;
        ShowMode mode;
    };

    int execute(std::string_view verb, std::string_view file, std::string_view parameters,
                std::string_view workingFolder, ShowMode mode) override {
        requests.push_back({std::string(verb), std::string(file), std::string(parameters),
                            std::string(workingFolder), mode});
        if (onExecute) {
            onExecute(requests.back());
        }
        return answer;
    }

    int answer = 42;
    // Called with each request once it is kept (a test's stand-in for the
    // program the shell starts).
    std::function<void(const Request&)> onExecute;
    std::vector<Request> requests;
};

} // namespace lexi::fake
