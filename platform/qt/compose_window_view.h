#pragma once

#include "platform/compose_window.h"

#include <QDialog>

class QLineEdit;
class QTextEdit;

namespace lexi::qt {

// The mail window drawn with Qt Widgets: To, BCC, subject, the body (as
// HTML or plain text), the attachments by their display names, and Send.
// Edits go to the window model as they are made; Send and the close box ask
// it, and the dialog ends when the model says the window is gone.
class ComposeWindowDialog final : public QDialog {
public:
    explicit ComposeWindowDialog(ComposeWindow& window);

    // The user's button presses, as the view forwards them.
    void sendClicked();
    void closeClicked();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void finishIfGone();

    ComposeWindow& window_;
    QLineEdit* to_;
    QLineEdit* bcc_;
    QLineEdit* subject_;
    QTextEdit* body_;
    bool crlf_ = true; // a plain body's line ends are "\r\n"
};

// Outlook's folder picker: one of the folder paths, or -1 when cancelled.
int pickFolderDialog(const std::vector<std::string>& folderPaths);

} // namespace lexi::qt
