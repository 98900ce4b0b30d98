#include "shared/registry/process_journal.h"

#include "platform/cp1252.h"

#include <algorithm>
#include <cstdlib>
#include <set>

namespace lexi {
namespace {

constexpr RegistryRoot Root = RegistryRoot::CurrentUser;

} // namespace

std::string ProcessJournal::add(long processId, std::string_view tag, std::string_view text) {
    const std::string name = std::to_string(processId) + " " + std::string(tag);
    return update(name, text) ? name : std::string();
}

bool ProcessJournal::update(const std::string& name, std::string_view text) {
    const RegistryValue value{RegistryType::String, cp1252::fromUtf8(text) + '\0'};
    return registry_.createKey(Root, key_) == RegistryStatus::Ok &&
           registry_.setValue(Root, key_, name, value) == RegistryStatus::Ok;
}

bool ProcessJournal::remove(const std::string& name) {
    return registry_.deleteValue(Root, key_, name) == RegistryStatus::Ok;
}

std::vector<ProcessJournal::Note> ProcessJournal::notes() {
    std::vector<Note> found;
    for (const std::string& name : registry_.valueNames(Root, key_)) {
        if (auto value = queryWholeValue(registry_, Root, key_, name)) {
            std::string& data = value->data;
            if (!data.empty() && data.back() == '\0') {
                data.pop_back();
            }
            found.push_back({name, std::atol(name.c_str()), cp1252::toUtf8(data)});
        }
    }
    return found;
}

std::vector<ProcessJournal::Note> ProcessJournal::leftBehind(Processes& processes,
                                                             std::string_view imageName) {
    std::vector<Note> left = notes();
    if (left.empty()) {
        return left;
    }
    const long self = processes.currentProcessId();
    std::set<long> running;
    for (const ProcessInfo& process : processes.processesByImageName(imageName)) {
        if (process.id != self) {
            running.insert(process.id);
        }
    }
    std::erase_if(left, [&](const Note& note) { return running.contains(note.processId); });
    return left;
}

} // namespace lexi
