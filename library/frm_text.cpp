#include "library/frm_text.h"

namespace lexi {

frmText::frmText(LibraryState& state, std::string HeaderTxt, int ReadOnly, int Width, int Height)
    : state_(state) {
    content_.title = std::move(HeaderTxt);
    content_.text = state_.TextBuffer;
    content_.width = Width;
    content_.height = Height;
    content_.textBox = {60, 60, Width - 225, Height - 1065};
    const int buttonTop = Height - (ButtonHeight + 600);
    content_.cancelButton = {Width - (ButtonWidth + 150), buttonTop, ButtonWidth, ButtonHeight};
    content_.okButton = {Width - (2 * ButtonWidth + 250), buttonTop, ButtonWidth, ButtonHeight};
    content_.okCaption = "OK";
    content_.cancelCaption = "Annuller";
    if (ReadOnly == 1) {
        content_.locked = true;
        content_.okVisible = false;
        content_.cancelCaption = "OK";
    }
}

void frmText::okClicked(const std::string& text) {
    state_.TextAccepted = true;
    state_.TextBuffer = text;
}

void frmText::cancelClicked() {
    state_.TextAccepted = false;
    state_.TextBuffer.clear();
}

void frmText::escapePressed() {
    cancelClicked();
}

void frmText::closeClicked() {
    cancelClicked();
}

} // namespace lexi
