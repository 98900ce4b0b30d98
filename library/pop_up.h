#pragma once

#include "library/library_state.h"
#include "platform/ui.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lexi {

// The text pop-up: the host fills the library's text buffer line by line,
// lets the user see or edit it, and reads the accepted text back in lines no
// longer than its record length.
class PopUp {
public:
    PopUp(LibraryState& state, Ui& ui) : state_(state), ui_(ui) {}

    // Empties the buffer and sizes the lines to entries 0 to `NrLines`.
    void InitText(std::int16_t NrLines);
    // Appends a line, then `NewLine` line breaks, then a space unless the
    // buffer ends with one.
    void PutText(const std::string& TextLine, std::int16_t NewLine);
    // Shows the buffer; the sizes are raised to at least 4000 by 2000 twips
    // and `ReadOnly` above 0 becomes 1, in the caller's variables too. The
    // number of lines of the accepted text, 0 when the user did not accept
    // (the lines of the last accepted text stay then).
    std::int32_t ShowTextBox(const std::string& HeaderTxt, std::int16_t& ReadOnly,
                             std::int16_t& Width, std::int16_t& Height, std::int16_t RecLen);
    // A line of the last accepted text; 9 for one outside the lines.
    std::string GetText(std::int16_t LineNr) const;

private:
    LibraryState& state_;
    Ui& ui_;
};

// The text cut into lines of a record length, as the host stores them: line
// breaks end a line (two in a row leave an empty one), a line that reaches
// the length (in UTF-16 units, as the host counts) goes on in the next, and
// a space followed by no other space within the rest of the line ends the
// line after it. Fails with 5 when `RecLen` is negative and the text holds a
// space.
std::vector<std::string> cutIntoLines(std::string_view text, int RecLen);

} // namespace lexi
