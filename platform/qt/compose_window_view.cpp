#include "platform/qt/compose_window_view.h"

#include "platform/qt/artwork.h"
#include "platform/qt/qt_conversions.h"

#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QInputDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>
#include <algorithm>

namespace lexi::qt {

ComposeWindowDialog::ComposeWindowDialog(ComposeWindow& window)
    : window_(window), to_(new QLineEdit(qs(window.fields().to))),
      bcc_(new QLineEdit(qs(window.fields().bcc))),
      subject_(new QLineEdit(qs(window.fields().subject))), body_(new QTextEdit) {
    setWindowTitle(qs(window.title()));
    setWindowIcon(programIcon());
    setModal(true);
    resize(640, 480);
    to_->setObjectName(QStringLiteral("to"));
    bcc_->setObjectName(QStringLiteral("bcc"));
    subject_->setObjectName(QStringLiteral("subject"));
    body_->setObjectName(QStringLiteral("body"));
    if (window.fields().html) {
        body_->setHtml(qs(window.fields().body));
    } else {
        // The editor holds lines ended by "\n" alone; a plain body keeps its
        // own line ends, "\r\n" (as mails have them) unless it has only "\n".
        const std::string& body = window.fields().body;
        crlf_ = body.find("\r\n") != std::string::npos || body.find('\n') == std::string::npos;
        body_->setPlainText(qs(body));
    }

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("Til:"), to_);
    fields->addRow(QStringLiteral("Bcc:"), bcc_);
    fields->addRow(QStringLiteral("Emne:"), subject_);
    auto* attachments = new QListWidget;
    attachments->setObjectName(QStringLiteral("attachments"));
    for (const std::string& name : window.fields().attachments) {
        attachments->addItem(qs(name));
    }
    // As high as its rows, up to four whole ones in the window's font; more
    // scroll.
    const int rowsShown = std::clamp(attachments->count(), 1, 4);
    attachments->setFixedHeight(rowsShown * attachments->sizeHintForRow(0) +
                                2 * attachments->frameWidth());
    // The row is always there, so the layout owns the list; a mail without
    // attachments hides it.
    fields->addRow(QStringLiteral("Vedhæftet:"), attachments);
    fields->setRowVisible(attachments, !window.fields().attachments.empty());

    // Enter in a field must not press a button: a button box makes its first
    // accept button the default and a dialog its first auto-default button,
    // so Send takes the action role and neither button is auto-default.
    auto* buttons = new QDialogButtonBox;
    QPushButton* send = buttons->addButton(QStringLiteral("&Send"), QDialogButtonBox::ActionRole);
    send->setObjectName(QStringLiteral("send"));
    QPushButton* close = buttons->addButton(QStringLiteral("&Luk"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("close"));
    for (QPushButton* button : {send, close}) {
        button->setDefault(false);
        button->setAutoDefault(false);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(body_, 1);
    layout->addWidget(buttons);

    connect(to_, &QLineEdit::textEdited, this,
            [this](const QString& text) { window_.setTo(text.toStdString()); });
    connect(bcc_, &QLineEdit::textEdited, this,
            [this](const QString& text) { window_.setBcc(text.toStdString()); });
    connect(subject_, &QLineEdit::textEdited, this, [this](const QString& text) {
        window_.setSubject(text.toStdString());
        setWindowTitle(qs(window_.title()));
    });
    connect(body_, &QTextEdit::textChanged, this, [this] {
        if (window_.fields().html) {
            window_.setBody(body_->toHtml().toStdString());
            return;
        }
        QString text = body_->toPlainText();
        if (crlf_) {
            text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
        }
        window_.setBody(text.toStdString());
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
        items << qs(path);
    }
    bool chosen = false;
    const QString folder = QInputDialog::getItem(
        nullptr, QStringLiteral("Vælg mappe"), QStringLiteral("Mapper:"), items, 0, false, &chosen);
    return chosen ? static_cast<int>(items.indexOf(folder)) : -1;
}

} // namespace lexi::qt
