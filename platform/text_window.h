#pragma once

#include <string>

namespace lexi {

// A control's place in its window, in twips (1/1440 inch).
struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// What the text window shows as it is loaded.
struct TextWindowContent {
    std::string title;
    std::string text;    // fldText
    bool locked = false; // fldText takes no edits
    int width = 0;       // the window, in twips
    int height = 0;
    TwipsRect textBox; // fldText
    TwipsRect okButton;
    TwipsRect cancelButton;
    bool okVisible = true;
    std::string okCaption;     // OKknap
    std::string cancelCaption; // AnnullerKnap
};

// What the user does in the text window; the view forwards it. Each of them
// closes the window.
class TextWindowEvents {
public:
    virtual ~TextWindowEvents() = default;
    // `text` is what the text box holds.
    virtual void okClicked(const std::string& text) = 0;
    virtual void cancelClicked() = 0;
    // The Escape key, pressed in the text box.
    virtual void escapePressed() = 0;
    // The window's close box.
    virtual void closeClicked() = 0;
};

} // namespace lexi
