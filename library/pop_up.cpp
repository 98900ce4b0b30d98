#include "library/pop_up.h"

#include "library/frm_text.h"
#include "platform/failure.h"
#include "platform/utf8.h"

#include <algorithm>

namespace lexi {

void PopUp::InitText(std::int16_t NrLines) {
    state_.TextLines.redim(1, NrLines);
    state_.TextBuffer.clear();
}

void PopUp::PutText(const std::string& TextLine, std::int16_t NewLine) {
    state_.TextBuffer += TextLine;
    for (int i = 0; i < NewLine; ++i) {
        state_.TextBuffer += "\r\n";
    }
    if (!state_.TextBuffer.ends_with(' ')) {
        state_.TextBuffer += ' ';
    }
}

std::int32_t PopUp::ShowTextBox(const std::string& HeaderTxt, std::int16_t& ReadOnly,
                                std::int16_t& Width, std::int16_t& Height, std::int16_t RecLen) {
    Width = std::max<std::int16_t>(Width, 4000);
    Height = std::max<std::int16_t>(Height, 2000);
    if (ReadOnly > 0) {
        ReadOnly = 1;
    }
    frmText dialog(state_, HeaderTxt, ReadOnly, Width, Height);
    ui_.showTextWindow(dialog.content(), dialog);
    if (!state_.TextAccepted) {
        return 0;
    }
    const std::vector<std::string> lines = cutIntoLines(state_.TextBuffer, RecLen);
    const int last = static_cast<int>(lines.size());
    state_.TextLines.redim(1, last);
    for (int line = 1; line <= last; ++line) {
        state_.TextLines.at(1, line) = lines[static_cast<std::size_t>(line - 1)];
    }
    return last;
}

std::string PopUp::GetText(std::int16_t LineNr) const {
    return state_.TextLines.at(1, LineNr);
}

std::vector<std::string> cutIntoLines(std::string_view text, int RecLen) {
    // The characters, carriage returns left out.
    std::vector<std::string> t;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t start = pos;
        utf8::decode(text, pos);
        if (text[start] != '\r') {
            t.emplace_back(text.substr(start, pos - start));
        }
    }
    // The host's record length counts UTF-16 units: a character beyond the
    // basic plane (four bytes here) takes two, and is never split.
    const auto units = [](const std::string& ch) {
        return ch.size() == 4 ? 2 : 1;
    };
    std::vector<std::string> lines(1);
    const auto newLine = [&lines] {
        lines.emplace_back();
    };
    int c = 0;
    for (std::size_t i = 0; i < t.size(); ++i) {
        const std::string& ch = t[i];
        const int before = c;
        c += units(ch);
        if (before < RecLen + 1 && c >= RecLen + 1) {
            newLine();
            c = units(ch);
        }
        if (ch == "\n") {
            if (c != 1) {
                newLine();
                c = 1;
            }
            if (i + 1 < t.size() && t[i + 1] == "\n") {
                ++i;
                lines.back().clear();
                newLine();
            }
        } else if (ch == " ") {
            const int lookAhead = RecLen + 1 - c;
            if (lookAhead < 0) {
                throw Failure(failure::InvalidProcedureCall, "PopUp");
            }
            bool spaceAhead = false;
            for (std::size_t j = i + 1, seen = 0;
                 j < t.size() && seen < static_cast<std::size_t>(lookAhead) && !spaceAhead; ++j) {
                spaceAhead = t[j] == " ";
                seen += static_cast<std::size_t>(units(t[j]));
            }
            lines.back() += ' ';
            if (!spaceAhead) {
                newLine();
                c = 1;
            }
        } else {
            lines.back() += ch;
        }
    }
    return lines;
}

} // namespace lexi
