#include "platform/qt/settings_window_view.h"

#include "platform/qt/artwork.h"
#include "platform/qt/qt_conversions.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace lexi::qt {

SettingsWindowWidget::SettingsWindowWidget(const SettingsWindowContent& content,
                                           SettingsWindowEvents& events)
    : events_(events) {
    setObjectName(QStringLiteral("frmIndstillinger"));
    setWindowTitle(qs(content.title));
    setWindowIcon(programIcon());
    // 5865 x 1725 twips at 96 dots per inch.
    setFixedSize(391, 115);

    auto* frame = new QGroupBox(qs(content.frameCaption), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(8, 6, 8, 8);
    outer->addWidget(frame);

    auto* caption = new QLabel(qs(content.folderCaption), frame);
    caption->setObjectName(QStringLiteral("Label1"));
    auto* folder = new QLineEdit(qs(content.folder), frame);
    folder->setObjectName(QStringLiteral("fldLokaldrev"));
    caption->setBuddy(folder);
    auto* mailHistory = new QCheckBox(qs(content.mailHistoryCaption), frame);
    mailHistory->setObjectName(QStringLiteral("CheckMailHistorik"));
    mailHistory->setChecked(content.mailHistory);
    auto* ok = new QPushButton(qs(content.okCaption), frame);
    ok->setObjectName(QStringLiteral("Okknap"));

    auto* grid = new QGridLayout(frame);
    grid->setContentsMargins(8, 4, 8, 6);
    grid->addWidget(caption, 0, 0);
    grid->addWidget(folder, 0, 1, 1, 2);
    grid->addWidget(mailHistory, 1, 1);
    grid->addWidget(ok, 1, 2);
    grid->setColumnStretch(1, 1);

    QObject::connect(folder, &QLineEdit::textEdited, this,
                     [&events](const QString& text) { events.folderEdited(text.toStdString()); });
    QObject::connect(mailHistory, &QCheckBox::toggled, this,
                     [&events](bool ticked) { events.mailHistoryTicked(ticked); });
    QObject::connect(ok, &QPushButton::clicked, this, [&events] { events.okClicked(); });
}

// The model closes the window when it unloads it.
void SettingsWindowWidget::closeEvent(QCloseEvent* event) {
    event->ignore();
    events_.closeClicked();
}

QtSettingsWindowView::QtSettingsWindowView(const SettingsWindowContent& content,
                                           SettingsWindowEvents& events, EventLoop& loop)
    : loaded_(loop), widget_(new SettingsWindowWidget(content, events)) {}

// Closing may come from the window's own button: the widget goes once that
// event is over.
QtSettingsWindowView::~QtSettingsWindowView() {
    if (widget_) {
        widget_->hide();
        widget_->deleteLater();
    }
}

void QtSettingsWindowView::show() {
    widget_->show();
    widget_->raise();
    widget_->activateWindow();
}

} // namespace lexi::qt
