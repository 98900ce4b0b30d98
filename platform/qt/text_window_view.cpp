#include "platform/qt/text_window_view.h"

#include "platform/qt/artwork.h"

#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>

namespace lexi::qt {
namespace {

constexpr int TwipsPerInch = 1440;

} // namespace

TextWindowDialog::TextWindowDialog(const TextWindowContent& content, TextWindowEvents& events)
    : events_(events), text_(new QPlainTextEdit(this)) {
    setObjectName(QStringLiteral("frmText"));
    setWindowTitle(QString::fromStdString(content.title));
    setWindowIcon(programIcon());
    const auto pixels = [this](int twips) {
        return twips * logicalDpiX() / TwipsPerInch;
    };
    const auto place = [&pixels](QWidget* widget, const TwipsRect& at) {
        widget->setGeometry(pixels(at.left), pixels(at.top), pixels(at.width), pixels(at.height));
    };
    // The window's outer size in twips; its client area is what is left
    // inside the frame, as the design measures it.
    setFixedSize(pixels(content.width) - 2 * 4, pixels(content.height) - 30 - 4);

    text_->setObjectName(QStringLiteral("fldText"));
    text_->setPlainText(QString::fromStdString(content.text));
    text_->setReadOnly(content.locked);
    text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text_->installEventFilter(this);
    place(text_, content.textBox);

    auto* ok = new QPushButton(QString::fromStdString(content.okCaption), this);
    ok->setObjectName(QStringLiteral("OKknap"));
    ok->setVisible(content.okVisible);
    place(ok, content.okButton);
    auto* cancel = new QPushButton(QString::fromStdString(content.cancelCaption), this);
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
