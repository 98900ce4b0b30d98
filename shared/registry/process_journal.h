#pragma once

#include "platform/processes.h"
#include "platform/registry.h"

#include <string>
#include <string_view>
#include <vector>

namespace lexi {

// Notes that processes keep in the user's registry while they are in the
// middle of something that must not be left half done: a later process
// finishes or undoes what a process killed in the middle left. One journal
// per kind of note, under its own key below HKEY_CURRENT_USER; one value per
// note, named by the process's id and a name of the note's own ("4711
// marker"), holding the note's text. Writes answer whether they were stored.
class ProcessJournal {
public:
    ProcessJournal(Registry& registry, std::string key)
        : registry_(registry), key_(std::move(key)) {}

    struct Note {
        std::string name;
        // The process that wrote the note.
        long processId = 0;
        std::string text;
    };

    // A new note of the process; its name, empty when it was not stored.
    std::string add(long processId, std::string_view tag, std::string_view text);
    bool update(const std::string& name, std::string_view text);
    bool remove(const std::string& name);
    std::vector<Note> notes();

    // The notes of processes of the program (`imageName`) that no longer
    // run. This process is taken for one that has written nothing yet: a
    // note of its id is an earlier process's.
    std::vector<Note> leftBehind(Processes& processes, std::string_view imageName);

private:
    Registry& registry_;
    std::string key_;
};

} // namespace lexi
