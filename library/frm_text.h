#pragma once

#include "library/library_state.h"
#include "platform/text_window.h"

#include <string>

namespace lexi {

// The text pop-up's dialog: its layout for the size the host asked for, its
// read-only mode, and what its buttons and the Escape key leave in the
// library's text buffer.
class frmText final : public TextWindowEvents {
public:
    // The design size of both buttons.
    static constexpr int ButtonWidth = 1250;
    static constexpr int ButtonHeight = 320;

    // Loads the dialog `Width` by `Height` twips, read-only when `ReadOnly`
    // is 1, editable when 0, as designed (editable) when negative; it shows
    // the library's text buffer.
    frmText(LibraryState& state, std::string HeaderTxt, int ReadOnly, int Width, int Height);

    const TextWindowContent& content() const { return content_; }

    // OK takes the text box's text as the accepted text.
    void okClicked(const std::string& text) override;
    // AnnullerKnap (captioned "OK" when read-only) empties the buffer.
    void cancelClicked() override;
    // Escape in the text box does what AnnullerKnap does.
    void escapePressed() override;
    // The close box too, so that a dialog closed any way but OK never counts
    // as accepted.
    void closeClicked() override;

private:
    LibraryState& state_;
    TextWindowContent content_;
};

} // namespace lexi
