#pragma once

#include "platform/script/scripted_ui.h"

namespace lexi::testing {

// A scripted UI that keeps its transcript in memory for the test to read.
class RecordingUi : public script::ScriptedUi {
public:
    explicit RecordingUi(std::string_view script = {})
        : ScriptedUi(script, [this](const script::Record& record) { records.push_back(record); }) {}
    RecordingUi(const RecordingUi&) = delete; // the transcript goes to this object

    std::vector<script::Record> records;

    // "title|style|text" of each message box, for compact comparisons.
    std::vector<std::string> messages() const {
        std::vector<std::string> result;
        for (const auto& r : records) {
            if (r.kind == "msgbox") {
                result.push_back(r.field("title") + "|" + r.field("style") + "|" + r.field("text"));
            }
        }
        return result;
    }

    // "kind:event" of each record since the last look, space-separated; a
    // message box is "msgbox:".
    std::string takeEvents() {
        std::string seen;
        for (const auto& record : records) {
            seen += (seen.empty() ? "" : " ") + record.kind + ":" + record.field("event");
        }
        records.clear();
        return seen;
    }
};

} // namespace lexi::testing
