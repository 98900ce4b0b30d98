#include "platform/script/scripted_ui.h"

#include "platform/script/scripted_naming_dialog.h"
#include "platform/script/scripted_transfer_dialog.h"
#include "platform/text.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <thread>

namespace lexi::script {

ScriptedUi::ScriptedUi(std::string_view script, Transcript transcript, std::function<void()> idle)
    : transcript_(std::move(transcript)), idle_(std::move(idle)) {
    addAnswers(script);
}

void ScriptedUi::addAnswers(std::string_view script) {
    std::size_t start = 0;
    while (start < script.size()) {
        std::size_t end = script.find('\n', start);
        if (end == std::string_view::npos) {
            end = script.size();
        }
        std::string_view line = script.substr(start, end - start);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        line = text::trimSpaces(line);
        if (!line.empty() && !line.starts_with('#')) {
            const std::size_t space = line.find(' ');
            answers_.push_back({std::string(line.substr(0, space)),
                                space == std::string_view::npos
                                    ? std::string()
                                    : unescape(text::trimSpaces(line.substr(space + 1)))});
        }
        start = end + 1;
    }
}

std::optional<std::string> ScriptedUi::takeAnswer(std::string_view kind) {
    if (answers_.empty() || answers_.front().kind != kind) {
        return std::nullopt;
    }
    std::string argument = std::move(answers_.front().argument);
    answers_.pop_front();
    return argument;
}

int ScriptedUi::messageBox(std::string_view text, int style, std::string_view title) {
    int answer = msgbox::defaultAnswer(style);
    if (const auto scripted = takeAnswer("msgbox")) {
        const int named = msgbox::answerNamed(*scripted);
        const int number = std::atoi(scripted->c_str());
        if (named != 0) {
            answer = named;
        } else if (!msgbox::answerName(number).empty()) {
            answer = number;
        }
    }
    record({"msgbox",
            {{"title", std::string(title)},
             {"style", std::to_string(style)},
             {"text", std::string(text)},
             {"answer", msgbox::answerName(answer)}}});
    return answer;
}

void ScriptedUi::doEvents() {
    if (makingPdf_) {
        if (const auto command = takeAnswer("makingpdf")) {
            makingPdf_->perform(*command);
        }
    }
}

std::unique_ptr<TrayWindowView> ScriptedUi::openTrayWindow(const TrayWindowContent& content,
                                                           TrayWindowEvents& events) {
    return std::make_unique<ScriptedTrayWindow>(content, events, transcript_, tray_);
}

std::unique_ptr<SettingsWindowView>
ScriptedUi::openSettingsWindow(const SettingsWindowContent& content, SettingsWindowEvents& events) {
    return std::make_unique<ScriptedSettingsWindow>(content, events, transcript_, settings_);
}

std::unique_ptr<MakingPdfWindowView>
ScriptedUi::openMakingPdfWindow(const MakingPdfWindowContent& content,
                                MakingPdfWindowEvents& events) {
    return std::make_unique<ScriptedMakingPdfWindow>(content, events, transcript_, makingPdf_);
}

void ScriptedUi::runEventLoop() {
    while (!quitRequested_ && anyWindowLoaded()) {
        if (answers_.empty()) {
            if (tray_) {
                if (idle_ && !repeats_.empty()) {
                    waitRunningRepeats();
                } else if (idle_) {
                    idle_();
                }
                return;
            }
            settings_->close();
            continue;
        }
        const Answer answer = std::move(answers_.front());
        answers_.pop_front();
        if (answer.kind == "tray" && tray_) {
            tray_->perform(answer.argument);
        } else if (answer.kind == "settings" && settings_) {
            settings_->perform(answer.argument);
        }
    }
}

void ScriptedUi::repeatWhileRunning(std::chrono::milliseconds interval,
                                    std::function<void()> action) {
    repeats_.push_back({interval, std::move(action)});
}

void ScriptedUi::runRepeats() {
    for (const Repeat& repeat : repeats_) {
        repeat.action();
    }
}

// The wait of a tray window until the process is stopped, with the kept
// actions run at their intervals.
void ScriptedUi::waitRunningRepeats() {
    using Clock = std::chrono::steady_clock;
    std::vector<Clock::time_point> due;
    for (const Repeat& repeat : repeats_) {
        due.push_back(Clock::now() + repeat.interval);
    }
    for (;;) {
        const auto next = std::min_element(due.begin(), due.end());
        std::this_thread::sleep_until(*next);
        const std::size_t at = static_cast<std::size_t>(next - due.begin());
        repeats_[at].action();
        due[at] = Clock::now() + repeats_[at].interval;
    }
}

void ScriptedUi::showComposeWindow(ComposeWindow& window) {
    const ComposeFields& shown = window.fields();
    std::string attachments;
    for (const std::string& name : shown.attachments) {
        attachments += (attachments.empty() ? "" : "; ") + name;
    }
    record({"mail",
            {{"event", "shown"},
             {"title", window.title()},
             {"to", shown.to},
             {"bcc", shown.bcc},
             {"subject", shown.subject},
             {"format", shown.html ? "html" : "plain"},
             {"body", shown.body},
             {"attachments", attachments}}});
    // A handler may refuse to let the window go; a real user would then be
    // stuck at it, an unattended run gives up after a few tries.
    int refusedCloses = 0;
    while (window.isOpen() && refusedCloses < 3) {
        const std::string action = takeAnswer("mail").value_or("close");
        const std::size_t space = action.find(' ');
        const std::string verb = action.substr(0, space);
        const std::string value = space == std::string::npos ? "" : action.substr(space + 1);
        if (verb == "to") {
            window.setTo(value);
        } else if (verb == "bcc") {
            window.setBcc(value);
        } else if (verb == "subject") {
            window.setSubject(value);
        } else if (verb == "body") {
            window.setBody(value);
        } else if (verb == "send") {
            window.send();
            const char* const event =
                !window.isOpen() ? (window.sendResult() == SendResult::Queued ? "queued" : "sent")
                : window.sendResult() == SendResult::Refused ? "refused"
                                                             : nullptr;
            if (event) {
                record({"mail", {{"event", event}, {"subject", window.fields().subject}}});
            }
        } else {
            window.close();
            if (window.isOpen()) {
                ++refusedCloses;
            } else {
                record({"mail", {{"event", "closed"}, {"subject", window.fields().subject}}});
            }
        }
    }
}

int ScriptedUi::pickFolder(const std::vector<std::string>& folderPaths) {
    const int chosen = std::atoi(takeAnswer("folder").value_or("0").c_str()) - 1;
    const bool valid = chosen >= 0 && chosen < static_cast<int>(folderPaths.size());
    record({"folder",
            {{"event", "picked"},
             {"folder", valid ? folderPaths[static_cast<std::size_t>(chosen)] : std::string()}}});
    return valid ? chosen : -1;
}

void ScriptedUi::showItemWindow(const ItemWindowContent& content) {
    Record shown{"item", {{"event", "shown"}, {"kind", content.kind}, {"title", content.title}}};
    for (const ItemWindowField& field : content.fields) {
        shown.fields.emplace_back(field.key, field.text);
    }
    record(shown);
}

std::string ScriptedUi::saveFileName(std::string_view title, std::string_view suggested) {
    std::string chosen = takeAnswer("savefile").value_or("");
    record(
        {"savefile",
         {{"title", std::string(title)}, {"suggested", std::string(suggested)}, {"file", chosen}}});
    return chosen;
}

std::string ScriptedUi::openFileName(std::string_view title, std::string_view filter,
                                     std::string_view folder, std::string_view fileName) {
    std::string chosen = takeAnswer("openfile").value_or("");
    record({"openfile",
            {{"title", std::string(title)},
             {"filter", std::string(filter)},
             {"folder", std::string(folder)},
             {"name", std::string(fileName)},
             {"file", chosen}}});
    return chosen;
}

std::string ScriptedUi::chooseFolder(std::string_view title, std::string_view folder) {
    std::string chosen = takeAnswer("folderdialog").value_or("");
    record({"folderdialog",
            {{"title", std::string(title)}, {"folder", std::string(folder)}, {"chosen", chosen}}});
    return chosen;
}

void ScriptedUi::showTextWindow(const TextWindowContent& content, TextWindowEvents& events) {
    const auto number = [](int value) {
        return std::to_string(value);
    };
    record({"textbox",
            {{"event", "shown"},
             {"title", content.title},
             {"text", content.text},
             {"locked", content.locked ? "1" : "0"},
             {"width", number(content.width)},
             {"height", number(content.height)},
             {"OKknap", content.okVisible ? content.okCaption : std::string()},
             {"AnnullerKnap", content.cancelCaption}}});
    std::string text = content.text;
    const auto closed = [this](const char* how) {
        record({"textbox", {{"event", "closed"}, {"by", how}}});
    };
    for (;;) {
        const std::string action = takeAnswer("textbox").value_or("close");
        const std::size_t space = action.find(' ');
        const std::string verb = action.substr(0, space);
        if (verb == "text") {
            if (!content.locked) {
                text = space == std::string::npos ? std::string() : action.substr(space + 1);
            }
        } else if (verb == "OK" && content.okVisible) {
            closed("OKknap");
            events.okClicked(text);
            return;
        } else if (verb == "Annuller" || verb == "OK") {
            closed("AnnullerKnap");
            events.cancelClicked();
            return;
        } else if (verb == "escape") {
            closed("escape");
            events.escapePressed();
            return;
        } else {
            closed("close");
            events.closeClicked();
            return;
        }
    }
}

std::unique_ptr<NamingDialogView> ScriptedUi::openNamingDialog(const NamingDialogContent& content,
                                                               NamingDialogEvents& events) {
    return std::make_unique<ScriptedNamingDialog>(content, events, transcript_,
                                                  [this] { return takeAnswer("naming"); });
}

std::unique_ptr<TransferDialogView>
ScriptedUi::openTransferDialog(const TransferDialogContent& content, TransferDialogEvents& events) {
    return std::make_unique<ScriptedTransferDialog>(content, events, transcript_,
                                                    [this] { return takeAnswer("outlook"); });
}

} // namespace lexi::script
