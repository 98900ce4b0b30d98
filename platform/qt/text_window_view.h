#pragma once

#include "platform/text_window.h"

#include <QDialog>

class QPlainTextEdit;

namespace lexi::qt {

// The text window: a text box and two buttons placed where the model's
// twips say, shown modally. Escape in the text box, the buttons and the
// close box each tell the model once and close the window.
class TextWindowDialog final : public QDialog {
public:
    TextWindowDialog(const TextWindowContent& content, TextWindowEvents& events);

    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Tells the model, unless it has been told already, and closes.
    void answer(void (TextWindowDialog::*tell)());
    void tellOk();
    void tellCancel();
    void tellEscape();
    void tellClose();

    TextWindowEvents& events_;
    QPlainTextEdit* text_;
    bool answered_ = false;
};

} // namespace lexi::qt
