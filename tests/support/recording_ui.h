#pragma once

#include "platform/script/scripted_ui.h"

#include <string>
#include <vector>

namespace lexi::testing {

// A scripted UI that keeps its transcript in memory for the test to read.
class RecordingUi : public script::ScriptedUi {
public:
    explicit RecordingUi(std::string_view script = {})
        : ScriptedUi(script, [this](const script::Record& record) { records.push_back(record); }) {}

    // The transcript goes to this object: it cannot be copied.
    RecordingUi(const RecordingUi&) = delete;
    RecordingUi& operator=(const RecordingUi&) = delete;

    std::vector<script::Record> records;

    // "title|style|text" of each message box, for compact comparisons.
    std::vector<std::string> messages() const {
        std::vector<std::string> result;
        for (const auto& record : records) {
            if (record.kind == "msgbox") {
                result.push_back(record.field("title") + "|" + record.field("style") + "|" +
                                 record.field("text"));
            }
        }
        return result;
    }
};

} // namespace lexi::testing
