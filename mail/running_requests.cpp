#include "mail/running_requests.h"

#include "program/program_state.h"

namespace lexi {

std::set<long> otherRunningRequests(Processes& processes) {
    const long self = processes.currentProcessId();
    std::set<long> running;
    for (const ProcessInfo& process : processes.processesByImageName(ImageName)) {
        if (process.id != self) {
            running.insert(process.id);
        }
    }
    return running;
}

} // namespace lexi
