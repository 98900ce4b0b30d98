#pragma once

#include "platform/script/record.h"
#include "platform/ui.h"

#include <functional>
#include <optional>
#include <string>

namespace lexi::script {

// The mail transfer dialog without a window: "outlook" records of what it
// shows, and the script's "outlook" answers done to it while it is shown
// ("select 1 3" selects those rows, counted from 1 at the top; "next",
// "previous", "lookup", "transfer", "cancel", "close", "resize <width>
// <height>" in twips). With no answer left for it the dialog is closed as
// with its close box.
class ScriptedTransferDialog final : public TransferDialogView {
public:
    using NextAnswer = std::function<std::optional<std::string>()>;

    ScriptedTransferDialog(const TransferDialogContent& content, TransferDialogEvents& events,
                           Transcript transcript, NextAnswer next);

    void update(const TransferDialogState& state) override;
    void showModal() override;
    void hide() override;
    std::vector<int> selectedRows() override { return selected_; }
    TwipsRect placement() override { return state_.window; }

private:
    void perform(std::string_view command);
    // The folder on view, as a record.
    void recordView(const char* event);

    TransferDialogContent content_;
    TransferDialogEvents& events_;
    Transcript transcript_;
    NextAnswer next_;
    TransferDialogState state_;
    std::vector<int> selected_;
    bool shown_ = false;
};

} // namespace lexi::script
