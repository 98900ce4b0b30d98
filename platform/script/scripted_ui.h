#pragma once

#include "platform/ui.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace lexi::script {

// One line of a transcript: a kind ("msgbox") and its fields, in order.
struct Record {
    std::string kind;
    std::vector<std::pair<std::string, std::string>> fields;

    // "kind<TAB>name=value<TAB>...", with "\", tab, carriage return and line
    // feed in values written as \\, \t, \r and \n, so a record is one line.
    std::string toLine() const;
    // The record of such a line.
    static Record fromLine(std::string_view line);
    // The value of a field, empty when the record lacks it.
    std::string field(std::string_view name) const;
};

// A UI without windows, for unattended runs and end-to-end tests. Answers are
// taken in order from a script, one per line ("msgbox Yes"; blank lines and
// lines starting with "#" are skipped); every message box and window shown is
// handed to the transcript as a record. A question whose next answer is not
// for it, or that finds no answer left, takes its default.
class ScriptedUi : public Ui {
public:
    using Transcript = std::function<void(const Record&)>;

    ScriptedUi(std::string_view script, Transcript transcript);

    int messageBox(std::string_view text, int style, std::string_view title) override;
    void doEvents() override {}

protected:
    // The argument of the next answer when it is of this kind, consumed.
    std::optional<std::string> takeAnswer(std::string_view kind);
    void record(const Record& entry) { transcript_(entry); }

private:
    struct Answer {
        std::string kind;
        std::string argument;
    };
    std::deque<Answer> answers_;
    Transcript transcript_;
};

} // namespace lexi::script
