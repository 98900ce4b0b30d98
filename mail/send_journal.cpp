#include "mail/send_journal.h"

#include "platform/cp1252.h"
#include "platform/text.h"

#include <cstdlib>

namespace lexi {
namespace {

constexpr RegistryRoot Root = RegistryRoot::CurrentUser;
const char* const Key = "Software\\Lexitray\\Afsendelser";

// The fields one to a line: none of them can hold a line end.
std::string encodeEntry(const JournalEntry& entry) {
    return cp1252::fromUtf8(entry.savePath + "\r\n" + entry.documentId + "\r\n" + entry.marker +
                            "\r\n" + entry.entryId + "\r\n" + (entry.waiting ? "1" : "")) +
           '\0';
}

JournalEntry decodeEntry(std::string data) {
    if (!data.empty() && data.back() == '\0') {
        data.pop_back();
    }
    const std::string decoded = cp1252::toUtf8(data);
    const std::vector<std::string_view> fields = text::split(decoded, "\r\n");
    const auto field = [&](std::size_t i) {
        return i < fields.size() ? std::string(fields[i]) : std::string();
    };
    return {field(0), field(1), field(2), field(3), field(4) == "1"};
}

} // namespace

std::string SendJournal::add(long processId, const JournalEntry& entry) {
    const std::string name = std::to_string(processId) + " " + entry.marker;
    return update(name, entry) ? name : std::string();
}

bool SendJournal::update(const std::string& name, const JournalEntry& entry) {
    return registry_.createKey(Root, Key) == RegistryStatus::Ok &&
           registry_.setValue(Root, Key, name, {RegistryType::String, encodeEntry(entry)}) ==
               RegistryStatus::Ok;
}

bool SendJournal::remove(const std::string& name) {
    return registry_.deleteValue(Root, Key, name) == RegistryStatus::Ok;
}

std::vector<SendJournal::Record> SendJournal::records() {
    std::vector<Record> found;
    for (const std::string& name : registry_.valueNames(Root, Key)) {
        if (const auto value = queryWholeValue(registry_, Root, Key, name)) {
            found.push_back({name, std::atol(name.c_str()), decodeEntry(value->data)});
        }
    }
    return found;
}

} // namespace lexi
