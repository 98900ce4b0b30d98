#include "platform/qt/message_box.h"

#include "platform/qt/qt_conversions.h"
#include "platform/ui.h"

#include <array>
#include <vector>

namespace lexi::qt {
namespace {

struct Button {
    int answer;
    QMessageBox::StandardButton standard;
};

constexpr std::array<Button, 7> Buttons = {{{msgbox::Ok, QMessageBox::Ok},
                                            {msgbox::Cancel, QMessageBox::Cancel},
                                            {msgbox::Abort, QMessageBox::Abort},
                                            {msgbox::Retry, QMessageBox::Retry},
                                            {msgbox::Ignore, QMessageBox::Ignore},
                                            {msgbox::Yes, QMessageBox::Yes},
                                            {msgbox::No, QMessageBox::No}}};

QMessageBox::StandardButton standardButton(int answer) {
    for (const Button& button : Buttons) {
        if (button.answer == answer) {
            return button.standard;
        }
    }
    return QMessageBox::NoButton;
}

int answerOf(QMessageBox::StandardButton standard) {
    for (const Button& button : Buttons) {
        if (button.standard == standard) {
            return button.answer;
        }
    }
    return 0;
}

// The answers of the style's button set, in the order shown.
std::vector<int> buttonSet(int style) {
    switch (style & 7) {
    case msgbox::OkCancel:
        return {msgbox::Ok, msgbox::Cancel};
    case msgbox::AbortRetryIgnore:
        return {msgbox::Abort, msgbox::Retry, msgbox::Ignore};
    case msgbox::YesNoCancel:
        return {msgbox::Yes, msgbox::No, msgbox::Cancel};
    case msgbox::YesNo:
        return {msgbox::Yes, msgbox::No};
    case msgbox::RetryCancel:
        return {msgbox::Retry, msgbox::Cancel};
    default:
        return {msgbox::Ok};
    }
}

QMessageBox::Icon iconOf(int style) {
    switch (style & 0x70) {
    case msgbox::Critical:
        return QMessageBox::Critical;
    case msgbox::Question:
        return QMessageBox::Question;
    case msgbox::Exclamation:
        return QMessageBox::Warning;
    case msgbox::Information:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

QString plainText(std::string_view text) {
    QString result = qs(text);
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    result.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return result;
}

} // namespace

std::unique_ptr<QMessageBox> buildMessageBox(std::string_view text, int style,
                                             std::string_view title) {
    auto box = std::make_unique<QMessageBox>();
    box->setWindowTitle(qs(title));
    // The text is data: never read as markup.
    box->setTextFormat(Qt::PlainText);
    box->setText(plainText(text));
    box->setIcon(iconOf(style));
    for (const int answer : buttonSet(style)) {
        box->addButton(standardButton(answer));
    }
    box->setDefaultButton(standardButton(msgbox::defaultAnswer(style)));
    box->setWindowModality(Qt::ApplicationModal);
    if (style & msgbox::SystemModal) {
        box->setWindowFlag(Qt::WindowStaysOnTopHint);
    }
    return box;
}

int showMessageBox(std::string_view text, int style, std::string_view title) {
    const auto box = buildMessageBox(text, style, title);
    box->exec();
    const int answer = answerOf(box->standardButton(box->clickedButton()));
    return answer != 0 ? answer : msgbox::defaultAnswer(style);
}

} // namespace lexi::qt
