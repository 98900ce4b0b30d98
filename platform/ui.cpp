#include "platform/ui.h"

#include "platform/text.h"

#include <array>
#include <string>

namespace lexi::msgbox {
namespace {

struct ButtonName {
    int answer;
    const char* name;
};

constexpr std::array<ButtonName, 7> ButtonNames = {{{Ok, "OK"},
                                                    {Cancel, "Cancel"},
                                                    {Abort, "Abort"},
                                                    {Retry, "Retry"},
                                                    {Ignore, "Ignore"},
                                                    {Yes, "Yes"},
                                                    {No, "No"}}};

} // namespace

int defaultAnswer(int style) {
    // A default button the set does not have falls back to the first.
    static constexpr int Buttons[6][3] = {{Ok, Ok, Ok},           {Ok, Cancel, Ok},
                                          {Abort, Retry, Ignore}, {Yes, No, Cancel},
                                          {Yes, No, Yes},         {Retry, Cancel, Retry}};
    const int set = style & 7;
    const int button = (style >> 8) & 3;
    if (set > 5) {
        return Ok;
    }
    return Buttons[set][button > 2 ? 0 : button];
}

int answerNamed(std::string_view name) {
    for (const auto& button : ButtonNames) {
        if (text::equalsIgnoreCase(name, button.name)) {
            return button.answer;
        }
    }
    return 0;
}

std::string answerName(int answer) {
    for (const auto& button : ButtonNames) {
        if (button.answer == answer) {
            return button.name;
        }
    }
    return {};
}

} // namespace lexi::msgbox
