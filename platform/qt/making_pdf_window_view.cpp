#include "platform/qt/making_pdf_window_view.h"

#include "platform/qt/artwork.h"
#include "platform/qt/qt_conversions.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QPushButton>

namespace lexi::qt {

MakingPdfWindowWidget::MakingPdfWindowWidget(const MakingPdfWindowContent& content,
                                             MakingPdfWindowEvents& events)
    : events_(events) {
    setObjectName(QStringLiteral("frmMakingPDF"));
    setWindowTitle(qs(content.title));
    setWindowIcon(programIcon());
    setFixedSize(240, 80);

    auto* cancel = new QPushButton(qs(content.cancelCaption), this);
    cancel->setObjectName(QStringLiteral("AnnullerKnap"));
    cancel->setDefault(true);
    auto* layout = new QHBoxLayout(this);
    layout->addStretch();
    layout->addWidget(cancel);
    layout->addStretch();
    QObject::connect(cancel, &QPushButton::clicked, this, [&events] { events.cancelClicked(); });
}

// The model unloads the window when the wait is over.
void MakingPdfWindowWidget::closeEvent(QCloseEvent* event) {
    event->ignore();
    events_.closeClicked();
}

QtMakingPdfWindowView::QtMakingPdfWindowView(const MakingPdfWindowContent& content,
                                             MakingPdfWindowEvents& events)
    : widget_(new MakingPdfWindowWidget(content, events)) {
    widget_->show();
    bringToFront();
}

// Unloading may come from the window's own button: the widget goes once that
// event is over.
QtMakingPdfWindowView::~QtMakingPdfWindowView() {
    if (widget_) {
        widget_->hide();
        widget_->deleteLater();
    }
}

void QtMakingPdfWindowView::bringToFront() {
    widget_->raise();
    widget_->activateWindow();
}

} // namespace lexi::qt
