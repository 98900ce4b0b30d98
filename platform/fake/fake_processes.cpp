#include "platform/fake/fake_processes.h"

#include "platform/failure.h"
#include "platform/text.h"

#include <algorithm>

namespace lexi::fake {

std::vector<ProcessInfo> FakeProcesses::processesByImageName(std::string_view imageName) {
    std::vector<ProcessInfo> found;
    for (const ProcessInfo& process : running) {
        if (text::equalsIgnoreCase(process.imageName, imageName)) {
            found.push_back(process);
        }
    }
    return found;
}

void FakeProcesses::terminate(long processId) {
    const auto process = std::find_if(running.begin(), running.end(),
                                      [&](const ProcessInfo& p) { return p.id == processId; });
    if (process == running.end()) {
        throw Failure(failure::PermissionDenied, "FakeProcesses");
    }
    running.erase(process);
    terminated.push_back(processId);
}

void FakeProcesses::start(std::string_view commandLine, ShowMode mode) {
    started.emplace_back(std::string(commandLine), mode);
}

} // namespace lexi::fake
