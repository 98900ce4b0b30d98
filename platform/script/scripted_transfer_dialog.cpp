#include "platform/script/scripted_transfer_dialog.h"

#include <sstream>

namespace lexi::script {

ScriptedTransferDialog::ScriptedTransferDialog(const TransferDialogContent& content,
                                               TransferDialogEvents& events, Transcript transcript,
                                               NextAnswer next)
    : content_(content), events_(events), transcript_(std::move(transcript)),
      next_(std::move(next)) {}

void ScriptedTransferDialog::update(const TransferDialogState& state) {
    const bool otherItems = state.caption != state_.caption || state.rows != state_.rows;
    state_ = state;
    if (otherItems) {
        selected_.clear();
        if (shown_) {
            recordView("folder");
        }
    }
}

void ScriptedTransferDialog::recordView(const char* event) {
    std::string subjects;
    for (const TransferRow& row : state_.rows) {
        subjects += (subjects.empty() ? "" : "\n") + row.received + " " + row.subject;
    }
    transcript_({"outlook",
                 {{"event", event},
                  {"caption", state_.caption},
                  {"ForrigeKnap", state_.previousTip},
                  {"NæsteKnap", state_.nextTip},
                  {"width", std::to_string(state_.window.width)},
                  {"height", std::to_string(state_.window.height)},
                  {"rows", subjects}}});
}

void ScriptedTransferDialog::showModal() {
    shown_ = true;
    recordView("shown");
    while (shown_) {
        if (const auto command = next_()) {
            perform(*command);
        } else {
            transcript_({"outlook", {{"event", "closed"}}});
            events_.closeClicked();
        }
    }
}

void ScriptedTransferDialog::hide() {
    if (shown_) {
        shown_ = false;
        transcript_({"outlook", {{"event", "hidden"}}});
    }
}

void ScriptedTransferDialog::perform(std::string_view command) {
    const std::size_t space = command.find(' ');
    const std::string_view verb = command.substr(0, space);
    std::istringstream values(
        std::string(space == std::string_view::npos ? "" : command.substr(space + 1)));
    if (verb == "select") {
        selected_.clear();
        std::string shown;
        for (int row = 0; values >> row;) {
            if (row >= 1 && row <= static_cast<int>(state_.rows.size())) {
                selected_.push_back(row - 1);
                shown += (shown.empty() ? "" : "\n") +
                         state_.rows[static_cast<std::size_t>(row - 1)].subject;
            }
        }
        transcript_({"outlook", {{"event", "selected"}, {"rows", shown}}});
    } else if (verb == "next") {
        events_.nextClicked();
    } else if (verb == "previous") {
        events_.previousClicked();
    } else if (verb == "lookup") {
        events_.lookupClicked();
    } else if (verb == "transfer") {
        events_.transferClicked();
    } else if (verb == "cancel") {
        events_.cancelClicked();
    } else if (verb == "close") {
        transcript_({"outlook", {{"event", "closed"}}});
        events_.closeClicked();
    } else if (verb == "resize") {
        TwipsRect window = state_.window;
        values >> window.width >> window.height;
        events_.resized(window, false);
        transcript_({"outlook",
                     {{"event", "resized"},
                      {"width", std::to_string(state_.window.width)},
                      {"height", std::to_string(state_.window.height)}}});
    }
}

} // namespace lexi::script
