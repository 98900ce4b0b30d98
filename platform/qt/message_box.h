#pragma once

#include <QMessageBox>
#include <memory>
#include <string_view>

namespace lexi::qt {

// A message box as the style value asks for it: its buttons, icon, default
// button and modality, with the title and the text (line breaks "\r\n" or
// "\r" as the program writes them). Not yet shown.
std::unique_ptr<QMessageBox> buildMessageBox(std::string_view text, int style,
                                             std::string_view title);

// Shows the box modally; the answer of the button pressed (msgbox::Ok...).
int showMessageBox(std::string_view text, int style, std::string_view title);

} // namespace lexi::qt
