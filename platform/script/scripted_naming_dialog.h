#pragma once

#include "platform/script/record.h"
#include "platform/ui.h"

#include <functional>
#include <optional>
#include <string>

namespace lexi::script {

// The attachment naming dialog without a window: "naming" records, and the
// script's "naming" answers done to it while it is shown ("txtFilnavn
// <text>", "txtPassword <text>", "fldPDFTemplate <text>", "chkClean 1",
// "chkUsePDFTemplate 0", "knpLookup", "F1" to "F6", "OK", "close"). With no
// answer left for it the dialog is confirmed with OK, and closed when that
// OK is refused. The focus given to a control is recorded too.
class ScriptedNamingDialog final : public NamingDialogView {
public:
    using NextAnswer = std::function<std::optional<std::string>()>;

    ScriptedNamingDialog(const NamingDialogContent& content, NamingDialogEvents& events,
                         Transcript transcript, NextAnswer next);

    void update(const NamingDialogState& state) override { state_ = state; }
    void showModal() override;
    void hide() override;
    void focus(NamingControl control) override;

private:
    void perform(std::string_view command);

    NamingDialogContent content_;
    NamingDialogEvents& events_;
    Transcript transcript_;
    NextAnswer next_;
    NamingDialogState state_;
    bool shown_ = false;
};

} // namespace lexi::script
