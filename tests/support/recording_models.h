#pragma once

#include "platform/compose_window.h"
#include "platform/text_window.h"
#include "platform/transfer_dialog.h"
#include "platform/ui.h"

#include <deque>
#include <memory>

namespace lexi::testing {

// The models behind the windows: each writes down what it is told. The mail
// answers Send and Close as `mailAnswers` say (none left: it keeps the window
// open); OK and the close box let the settings window in `settingsView` go.
struct RecordingModels : ComposeActions,
                         TrayWindowEvents,
                         SettingsWindowEvents,
                         MakingPdfWindowEvents,
                         NamingDialogEvents,
                         TextWindowEvents,
                         TransferDialogEvents {
    std::vector<std::string> calls;
    std::deque<bool> mailAnswers;
    std::unique_ptr<SettingsWindowView> settingsView;

    bool send(const ComposeFields& fields) override { return mail("send " + fields.subject); }
    bool close(const ComposeFields& fields) override { return mail("close " + fields.subject); }
    bool mail(const std::string& call) {
        calls.push_back(call);
        const bool answer = !mailAnswers.empty() && mailAnswers.front();
        if (!mailAnswers.empty()) {
            mailAnswers.pop_front();
        }
        return answer;
    }
    void iconMessage(int message) override { calls.push_back("icon " + std::to_string(message)); }
    void menuChosen(TrayMenuItem i) override { calls.push_back("menu " + std::to_string(int(i))); }
    void windowClicked() override { calls.push_back("click"); }
    void keyPressed(int keyCode) override { calls.push_back("key " + std::to_string(keyCode)); }
    void minimised() override { calls.push_back("minimised"); }
    void folderEdited(const std::string& folder) override { calls.push_back("folder " + folder); }
    void mailHistoryTicked(bool on) override { calls.push_back(on ? "ticked" : "unticked"); }
    void okClicked() override { letSettingsGo("OK"); }
    void closeClicked() override { letSettingsGo("close"); }
    void cancelClicked() override { calls.push_back("Annuller"); }
    void nameEdited(const std::string& name) override { calls.push_back("name " + name); }
    void passwordEdited(const std::string& text) override { calls.push_back("password " + text); }
    void templateEdited(const std::string& path) override { calls.push_back("template " + path); }
    void cleanTicked(bool on) override { calls.push_back(on ? "clean" : "unclean"); }
    void useTemplateClicked(bool on) override { calls.push_back(on ? "use" : "unuse"); }
    void lookupClicked() override { calls.push_back("lookup"); }
    void functionKey(int number) override { calls.push_back("F" + std::to_string(number)); }
    void okClicked(const std::string& text) override { calls.push_back("OK " + text); }
    void escapePressed() override { calls.push_back("escape"); }
    void previousClicked() override { calls.push_back("previous"); }
    void nextClicked() override { calls.push_back("next"); }
    void transferClicked() override { calls.push_back("transfer"); }
    void resized(const TwipsRect& window, bool) override {
        calls.push_back("resized " + std::to_string(window.width));
    }
    void letSettingsGo(const char* call) {
        calls.push_back(call);
        settingsView.reset();
    }
};

} // namespace lexi::testing
