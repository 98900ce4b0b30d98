#include "platform/qt/text_window_view.h"

#include "platform/qt/artwork.h"
#include "platform/qt/qt_conversions.h"

#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>

namespace lexi::qt {

TextWindowDialog::TextWindowDialog(const TextWindowContent& content, TextWindowEvents& events)
    : events_(events), text_(new QPlainTextEdit(this)) {
    setObjectName(QStringLiteral("frmText"));
    setWindowTitle(qs(content.title));
    setWindowIcon(programIcon());
    const auto scaled = [dotsPerInch = logicalDpiX()](int twips) {
        return pixels(twips, dotsPerInch);
    };
    const auto place = [&scaled](QWidget* widget, const TwipsRect& at) {
        widget->setGeometry(scaled(at.left), scaled(at.top), scaled(at.width), scaled(at.height));
    };
    // The window's outer size in twips; its client area is what is left
    // inside the frame, as the design measures it.
    setFixedSize(scaled(content.width) - 2 * 4, scaled(content.height) - 30 - 4);

    text_->setObjectName(QStringLiteral("fldText"));
    text_->setPlainText(qs(content.text));
    text_->setReadOnly(content.locked);
    text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text_->installEventFilter(this);
    place(text_, content.textBox);

    auto* ok = new QPushButton(qs(content.okCaption), this);
    ok->setObjectName(QStringLiteral("OKknap"));
    ok->setVisible(content.okVisible);
    place(ok, content.okButton);
    auto* cancel = new QPushButton(qs(content.cancelCaption), this);
    cancel->setObjectName(QStringLiteral("AnnullerKnap"));
    place(cancel, content.cancelButton);
    QObject::connect(ok, &QPushButton::clicked, this,
                     [this] { answer(&TextWindowDialog::tellOk); });
    QObject::connect(cancel, &QPushButton::clicked, this,
                     [this] { answer(&TextWindowDialog::tellCancel); });
    text_->setFocus();
}

bool TextWindowDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == text_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        answer(&TextWindowDialog::tellEscape);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

// Escape outside the text box and the close box.
void TextWindowDialog::reject() {
    answer(&TextWindowDialog::tellClose);
}

void TextWindowDialog::answer(void (TextWindowDialog::*tell)()) {
    if (!answered_) {
        answered_ = true;
        (this->*tell)();
    }
    done(QDialog::Rejected);
}

void TextWindowDialog::tellOk() {
    events_.okClicked(
        text_->toPlainText().replace(QChar('\n'), QStringLiteral("\r\n")).toStdString());
}

void TextWindowDialog::tellCancel() {
    events_.cancelClicked();
}

void TextWindowDialog::tellEscape() {
    events_.escapePressed();
}

void TextWindowDialog::tellClose() {
    events_.closeClicked();
}

} // namespace lexi::qt
