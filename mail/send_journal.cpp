#include "mail/send_journal.h"

#include "platform/text.h"

namespace lexi {
namespace {

// The fields one to a line: none of them can hold a line end.
std::string encodeEntry(const JournalEntry& entry) {
    return entry.savePath + "\r\n" + entry.documentId + "\r\n" + entry.marker + "\r\n" +
           entry.entryId + "\r\n" + (entry.waiting ? "1" : "");
}

JournalEntry decodeEntry(std::string_view text) {
    const std::vector<std::string_view> fields = text::split(text, "\r\n");
    const auto field = [&](std::size_t i) {
        return i < fields.size() ? std::string(fields[i]) : std::string();
    };
    return {field(0), field(1), field(2), field(3), field(4) == "1"};
}

std::vector<SendJournal::Record> recordsOf(const std::vector<ProcessJournal::Note>& notes) {
    std::vector<SendJournal::Record> records;
    for (const ProcessJournal::Note& note : notes) {
        records.push_back({note.name, note.processId, decodeEntry(note.text)});
    }
    return records;
}

} // namespace

SendJournal::SendJournal(Registry& registry)
    : journal_(registry, "Software\\Lexitray\\Afsendelser") {}

std::string SendJournal::add(long processId, const JournalEntry& entry) {
    return journal_.add(processId, entry.marker, encodeEntry(entry));
}

bool SendJournal::update(const std::string& name, const JournalEntry& entry) {
    return journal_.update(name, encodeEntry(entry));
}

bool SendJournal::remove(const std::string& name) {
    return journal_.remove(name);
}

std::vector<SendJournal::Record> SendJournal::records() {
    return recordsOf(journal_.notes());
}

std::vector<SendJournal::Record> SendJournal::leftBehind(Processes& processes,
                                                         std::string_view imageName) {
    return recordsOf(journal_.leftBehind(processes, imageName));
}

} // namespace lexi
