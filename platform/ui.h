#pragma once

#include <string>
#include <string_view>

namespace lexi {

// Message box style values: one button set, plus one icon, plus one default
// button, plus modality.
namespace msgbox {
inline constexpr int OkOnly = 0;
inline constexpr int OkCancel = 1;
inline constexpr int AbortRetryIgnore = 2;
inline constexpr int YesNoCancel = 3;
inline constexpr int YesNo = 4;
inline constexpr int RetryCancel = 5;

inline constexpr int Critical = 16;
inline constexpr int Question = 32;
inline constexpr int Exclamation = 48;
inline constexpr int Information = 64;

inline constexpr int DefaultButton1 = 0;
inline constexpr int DefaultButton2 = 256;
inline constexpr int DefaultButton3 = 512;

inline constexpr int ApplicationModal = 0;
inline constexpr int SystemModal = 4096;

// The answers.
inline constexpr int Ok = 1;
inline constexpr int Cancel = 2;
inline constexpr int Abort = 3;
inline constexpr int Retry = 4;
inline constexpr int Ignore = 5;
inline constexpr int Yes = 6;
inline constexpr int No = 7;

// The answer of the style's default button.
int defaultAnswer(int style);

// The answer a button name gives ("OK", "Cancel", "Yes"... in any letter
// case), or 0 for a name that is no button.
int answerNamed(std::string_view name);

// The name of an answer ("OK", "Yes"...), empty for a number that is none.
std::string answerName(int answer);
} // namespace msgbox

// What the user sees and answers. Windows and dialogs of later features add
// their own members here as they arrive.
class Ui {
public:
    virtual ~Ui() = default;

    // A modal message box; returns the answer (msgbox::Ok, msgbox::Yes...).
    virtual int messageBox(std::string_view text, int style, std::string_view title) = 0;

    // Lets pending window messages run.
    virtual void doEvents() = 0;
};

} // namespace lexi
