#include "platform/script/scripted_windows.h"

#include <charconv>
#include <optional>

namespace lexi::script {
namespace {

// A command's first word and the text after it.
std::pair<std::string_view, std::string_view> splitCommand(std::string_view command) {
    const std::size_t space = command.find(' ');
    if (space == std::string_view::npos) {
        return {command, {}};
    }
    return {command.substr(0, space), command.substr(space + 1)};
}

std::optional<int> number(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

} // namespace

ScriptedTrayWindow::ScriptedTrayWindow(const TrayWindowContent& content, TrayWindowEvents& events,
                                       Transcript transcript, ScriptedTrayWindow*& slot)
    : content_(content), events_(events), transcript_(std::move(transcript)), slot_(slot) {
    slot_ = this;
    transcript_({"tray", {{"event", "loaded"}, {"tip", content_.iconTip}}});
}

ScriptedTrayWindow::~ScriptedTrayWindow() {
    slot_ = nullptr;
    event("unloaded");
}

void ScriptedTrayWindow::event(const char* name) {
    transcript_({"tray", {{"event", name}}});
}

void ScriptedTrayWindow::show() {
    transcript_({"tray",
                 {{"event", "shown"},
                  {"Label1", content_.heading},
                  {"Label3", content_.version},
                  {"lbllokaldrev", content_.folder},
                  {"tooltip", content_.folder},
                  {"Label4", content_.notice}}});
}

void ScriptedTrayWindow::hide() {
    event("hidden");
}

void ScriptedTrayWindow::restore() {
    event("restored");
}

void ScriptedTrayWindow::bringToFront() {
    event("foreground");
}

void ScriptedTrayWindow::popUpMenu() {
    std::string items;
    for (const TrayMenuEntry& entry : content_.menu) {
        items += (items.empty() ? "" : "|") + entry.caption;
    }
    transcript_({"tray", {{"event", "menu"}, {"caption", content_.menuCaption}, {"items", items}}});
}

// The event may unload this window: nothing of it is touched afterwards.
void ScriptedTrayWindow::perform(std::string_view command) {
    const auto [verb, argument] = splitCommand(command);
    TrayWindowEvents& events = events_;
    if (verb == "icon") {
        if (const auto message = number(argument)) {
            events.iconMessage(*message);
        }
    } else if (verb == "menu") {
        for (const TrayMenuEntry& entry : content_.menu) {
            if (entry.caption == argument) {
                events.menuChosen(entry.item);
                return;
            }
        }
    } else if (verb == "click") {
        events.windowClicked();
    } else if (verb == "key") {
        if (const auto code = number(argument)) {
            events.keyPressed(*code);
        }
    } else if (verb == "minimise") {
        events.minimised();
    }
}

ScriptedSettingsWindow::ScriptedSettingsWindow(const SettingsWindowContent& content,
                                               SettingsWindowEvents& events, Transcript transcript,
                                               ScriptedSettingsWindow*& slot)
    : content_(content), events_(events), transcript_(std::move(transcript)), slot_(slot) {
    slot_ = this;
}

ScriptedSettingsWindow::~ScriptedSettingsWindow() {
    slot_ = nullptr;
    transcript_({"settings", {{"event", "closed"}}});
}

void ScriptedSettingsWindow::show() {
    transcript_({"settings",
                 {{"event", "shown"},
                  {"title", content_.title},
                  {"fldLokaldrev", content_.folder},
                  {"CheckMailHistorik", content_.mailHistory ? "1" : "0"}}});
}

// The event may close this window: nothing of it is touched afterwards.
void ScriptedSettingsWindow::perform(std::string_view command) {
    const auto [verb, argument] = splitCommand(command);
    SettingsWindowEvents& events = events_;
    if (verb == "fldLokaldrev") {
        content_.folder = argument;
        events.folderEdited(content_.folder);
    } else if (verb == "CheckMailHistorik") {
        content_.mailHistory = argument == "1";
        events.mailHistoryTicked(content_.mailHistory);
    } else if (verb == "OK") {
        events.okClicked();
    } else if (verb == "close") {
        close();
    }
}

void ScriptedSettingsWindow::close() {
    events_.closeClicked();
}

ScriptedMakingPdfWindow::ScriptedMakingPdfWindow(const MakingPdfWindowContent& content,
                                                 MakingPdfWindowEvents& events,
                                                 Transcript transcript,
                                                 ScriptedMakingPdfWindow*& slot)
    : events_(events), transcript_(std::move(transcript)), slot_(slot) {
    slot_ = this;
    transcript_(
        {"makingpdf",
         {{"event", "shown"}, {"title", content.title}, {"AnnullerKnap", content.cancelCaption}}});
}

ScriptedMakingPdfWindow::~ScriptedMakingPdfWindow() {
    slot_ = nullptr;
    transcript_({"makingpdf", {{"event", "unloaded"}}});
}

void ScriptedMakingPdfWindow::perform(std::string_view command) {
    if (command == "Annuller") {
        events_.cancelClicked();
    } else if (command == "close") {
        events_.closeClicked();
    }
}

} // namespace lexi::script
