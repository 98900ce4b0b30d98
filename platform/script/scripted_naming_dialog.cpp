#include "platform/script/scripted_naming_dialog.h"

#include "platform/text.h"

namespace lexi::script {
namespace {

const char* tick(bool ticked) {
    return ticked ? "1" : "0";
}

} // namespace

ScriptedNamingDialog::ScriptedNamingDialog(const NamingDialogContent& content,
                                           NamingDialogEvents& events, Transcript transcript,
                                           NextAnswer next)
    : content_(content), events_(events), transcript_(std::move(transcript)),
      next_(std::move(next)) {}

void ScriptedNamingDialog::showModal() {
    shown_ = true;
    const char* pdf = !content_.pdfControls ? "hidden" : state_.pdfEnabled ? "enabled" : "disabled";
    // The password as the screen shows it: one mark a character.
    transcript_({"naming",
                 {{"event", "shown"},
                  {"title", content_.title},
                  {"lbFilnavn", state_.source},
                  {"txtFilnavn", state_.name},
                  {"chkClean", tick(state_.clean)},
                  {"pdf", pdf},
                  {"txtPassword", std::string(text::utf16Length(state_.password), '*')},
                  {"chkUsePDFTemplate", tick(state_.useTemplate)},
                  {"fldPDFTemplate", state_.templatePath}}});
    bool defaultTaken = false;
    while (shown_) {
        if (const auto command = next_()) {
            perform(*command);
        } else if (!defaultTaken) {
            defaultTaken = true;
            events_.okClicked();
        } else {
            events_.closeClicked();
        }
    }
}

void ScriptedNamingDialog::hide() {
    if (shown_) {
        shown_ = false;
        transcript_({"naming", {{"event", "hidden"}, {"txtFilnavn", state_.name}}});
    }
}

void ScriptedNamingDialog::focus(NamingControl control) {
    static constexpr const char* Names[] = {"txtFilnavn", "txtPassword", "chkUsePDFTemplate",
                                            "chkClean", "fldPDFTemplate"};
    transcript_({"naming", {{"event", "focus"}, {"control", Names[static_cast<int>(control)]}}});
}

void ScriptedNamingDialog::perform(std::string_view command) {
    const std::size_t space = command.find(' ');
    const std::string_view verb = command.substr(0, space);
    const std::string value(space == std::string_view::npos ? "" : command.substr(space + 1));
    if (verb == "txtFilnavn") {
        events_.nameEdited(value);
    } else if (verb == "txtPassword") {
        events_.passwordEdited(value);
    } else if (verb == "fldPDFTemplate") {
        events_.templateEdited(value);
    } else if (verb == "chkClean") {
        events_.cleanTicked(value == "1");
    } else if (verb == "chkUsePDFTemplate") {
        events_.useTemplateClicked(value == "1");
    } else if (verb == "knpLookup") {
        events_.lookupClicked();
    } else if (verb.size() == 2 && verb[0] == 'F' && verb[1] >= '1' && verb[1] <= '6') {
        events_.functionKey(verb[1] - '0');
    } else if (verb == "OK") {
        events_.okClicked();
    } else if (verb == "close") {
        transcript_({"naming", {{"event", "closed"}}});
        events_.closeClicked();
    }
}

} // namespace lexi::script
