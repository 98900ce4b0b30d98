#include "platform/fake/fake_processes.h"

#include "platform/failure.h"
#include "platform/text.h"

#include <algorithm>

namespace lexi::fake {
namespace {

// A lock this process holds, recorded in `held` while it lasts.
class HeldLock final : public ProcessLock {
public:
    HeldLock(std::set<std::string>& held, std::string name) : held_(held), name_(std::move(name)) {
        held_.insert(name_);
    }
    ~HeldLock() override { held_.erase(name_); }
    HeldLock(const HeldLock&) = delete;
    HeldLock& operator=(const HeldLock&) = delete;

private:
    std::set<std::string>& held_;
    std::string name_;
};

// A started program whose waits the test scripts.
class ScriptedProcess final : public StartedProcess {
public:
    explicit ScriptedProcess(std::function<bool(std::chrono::milliseconds)> wait)
        : wait_(std::move(wait)) {}
    bool waitForExit(std::chrono::milliseconds limit) override { return wait_(limit); }

private:
    std::function<bool(std::chrono::milliseconds)> wait_;
};

} // namespace

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

std::unique_ptr<StartedProcess> FakeProcesses::start(std::string_view commandLine, ShowMode mode) {
    started.emplace_back(std::string(commandLine), mode);
    return std::make_unique<ScriptedProcess>(waitForExit);
}

std::unique_ptr<ProcessLock> FakeProcesses::tryLock(std::string_view name) {
    const std::string key(name);
    if (heldElsewhere.contains(key) || held.contains(key)) {
        if (onRefused) {
            onRefused(key);
        }
        return nullptr;
    }
    return std::make_unique<HeldLock>(held, key);
}

std::unique_ptr<ProcessLock> FakeProcesses::lock(std::string_view name) {
    auto taken = tryLock(name);
    if (!taken) {
        throw Failure(failure::PermissionDenied, "FakeProcesses");
    }
    return taken;
}

} // namespace lexi::fake
