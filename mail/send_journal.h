#pragma once

#include "shared/registry/process_journal.h"

#include <string>
#include <vector>

namespace lexi {

// A sent mail on its way into its case: where it belongs and how it is found
// again in the mail store.
struct JournalEntry {
    std::string savePath;
    std::string documentId;
    // The marker in the mail's billing information.
    std::string marker;
    // The mail's entry ID, once it has been found in Sent Items (its marker is
    // cleared then).
    std::string entryId;
    // The mail was found waiting in the Outbox: only a try of the Outbox can
    // bring it on.
    bool waiting = false;
};

// The requests in flight, kept in the registry from the moment their mail is
// sent until it is filed, so that a start of the program after a kill (or
// after a delivery that had to wait) files what was left. One value per
// request under HKEY_CURRENT_USER\Software\Lexitray\Afsendelser, named after
// the process that sent it and the mail's marker. Writes answer whether they
// were stored.
class SendJournal {
public:
    explicit SendJournal(Registry& registry);

    struct Record {
        std::string name;
        // The process that sent the mail.
        long processId = 0;
        JournalEntry entry;
    };

    // A new entry of the process; its name, empty when it was not stored.
    std::string add(long processId, const JournalEntry& entry);
    bool update(const std::string& name, const JournalEntry& entry);
    bool remove(const std::string& name);
    std::vector<Record> records();
    // The records of processes of the program that no longer run.
    std::vector<Record> leftBehind(Processes& processes, std::string_view imageName);

private:
    ProcessJournal journal_;
};

} // namespace lexi
