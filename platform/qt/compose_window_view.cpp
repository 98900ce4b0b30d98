#include "platform/qt/compose_window_view.h"

#include "platform/qt/artwork.h"

#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QInputDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

namespace lexi::qt {
namespace {

QString toQt(const std::string& text) {
    return QString::fromStdString(text);
}

std::string fromQt(const QString& text) {
    return text.toStdString();
}

} // namespace

ComposeWindowDialog::ComposeWindowDialog(ComposeWindow& window)
    : window_(window), to_(new QLineEdit(toQt(window.fields().to))),
      bcc_(new QLineEdit(toQt(window.fields().bcc))),
      subject_(new QLineEdit(toQt(window.fields().subject))), body_(new QTextEdit) {
    setWindowTitle(toQt(window.title()));
    setWindowIcon(programIcon());
    setModal(true);
    resize(640, 480);
    to_->setObjectName(QStringLiteral("to"));
    bcc_->setObjectName(QStringLiteral("bcc"));
    subject_->setObjectName(QStringLiteral("subject"));
    body_->setObjectName(QStringLiteral("body"));
    if (window.fields().html) {
        body_->setHtml(toQt(window.fields().body));
    } else {
        body_->setPlainText(toQt(window.fields().body));
    }

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("Til:"), to_);
    fields->addRow(QStringLiteral("Bcc:"), bcc_);
    fields->addRow(QStringLiteral("Emne:"), subject_);
    auto* attachments = new QListWidget;
    attachments->setObjectName(QStringLiteral("attachments"));
    attachments->setMaximumHeight(72);
    for (const std::string& name : window.fields().attachments) {
        attachments->addItem(toQt(name));
    }
    if (!window.fields().attachments.empty()) {
        fields->addRow(QStringLiteral("Vedhæftet:"), attachments);
    } else {
        attachments->hide();
    }

    auto* buttons = new QDialogButtonBox;
    QPushButton* send = buttons->addButton(QStringLiteral("&Send"), QDialogButtonBox::AcceptRole);
    send->setObjectName(QStringLiteral("send"));
    QPushButton* close = buttons->addButton(QStringLiteral("&Luk"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("close"));
    send->setDefault(false);
    send->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(body_, 1);
    layout->addWidget(buttons);

    connect(to_, &QLineEdit::textEdited, this,
            [this](const QString& text) { window_.setTo(fromQt(text)); });
    connect(bcc_, &QLineEdit::textEdited, this,
            [this](const QString& text) { window_.setBcc(fromQt(text)); });
    connect(subject_, &QLineEdit::textEdited, this, [this](const QString& text) {
        window_.setSubject(fromQt(text));
        setWindowTitle(toQt(window_.title()));
    });
    connect(body_, &QTextEdit::textChanged, this, [this] {
        window_.setBody(fromQt(window_.fields().html ? body_->toHtml() : body_->toPlainText()));
    });
    connect(send, &QPushButton::clicked, this, &ComposeWindowDialog::sendClicked);
    connect(close, &QPushButton::clicked, this, &ComposeWindowDialog::closeClicked);
}

void ComposeWindowDialog::sendClicked() {
    window_.send();
    finishIfGone();
}

void ComposeWindowDialog::closeClicked() {
    window_.close();
    finishIfGone();
}

void ComposeWindowDialog::finishIfGone() {
    if (!window_.isOpen()) {
        done(QDialog::Accepted);
    }
}

void ComposeWindowDialog::closeEvent(QCloseEvent* event) {
    event->ignore();
    closeClicked();
}

// Escape asks the model too.
void ComposeWindowDialog::reject() {
    closeClicked();
}

int pickFolderDialog(const std::vector<std::string>& folderPaths) {
    QStringList items;
    for (const std::string& path : folderPaths) {
        items << toQt(path);
    }
    bool chosen = false;
    const QString folder = QInputDialog::getItem(
        nullptr, QStringLiteral("Vælg mappe"), QStringLiteral("Mapper:"), items, 0, false, &chosen);
    return chosen ? static_cast<int>(items.indexOf(folder)) : -1;
}

} // namespace lexi::qt
