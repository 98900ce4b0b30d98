#include "platform/qt/tray_window_view.h"

#include "platform/qt/artwork.h"
#include "platform/qt/qt_conversions.h"

#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QThread>
#include <QVBoxLayout>
#include <QWindow>

namespace lexi::qt {
namespace {

QLabel* label(const char* name, const std::string& text, QWidget* parent) {
    auto* control = new QLabel(qs(text), parent);
    control->setObjectName(QString::fromLatin1(name));
    control->setTextFormat(Qt::PlainText);
    return control;
}

// How long the window waits for the display to expose it before painting.
constexpr int ExposeWaitMilliseconds = 200;

} // namespace

TrayWindowWidget::TrayWindowWidget(const TrayWindowContent& content, TrayWindowEvents& events)
    : events_(events) {
    setObjectName(QStringLiteral("frmTray"));
    setWindowIcon(programIcon());
    // 5160 x 2310 twips at 96 dots per inch.
    setFixedSize(344, 154);

    auto* frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setFrameShape(QFrame::StyledPanel);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(6, 6, 6, 6);
    outer->addWidget(frame);

    auto* picture = new QLabel(frame);
    picture->setObjectName(QStringLiteral("Image3"));
    picture->setPixmap(logo(64));
    picture->setAlignment(Qt::AlignTop);

    QLabel* heading = label("Label1", content.heading, frame);
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.4);
    heading->setFont(headingFont);

    QLabel* version = label("Label3", content.version, frame);
    QLabel* folder = label("lbllokaldrev", content.folder, frame);
    folder->setToolTip(qs(content.folder));
    // A long folder is cut at the window's edge; the tool tip holds it all.
    folder->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

    auto* line = new QFrame(frame);
    line->setObjectName(QStringLiteral("Line1"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    QLabel* notice = label("Label4", content.notice, frame);
    notice->setWordWrap(true);

    auto* texts = new QVBoxLayout;
    texts->setSpacing(2);
    texts->addWidget(heading);
    texts->addWidget(version);
    texts->addWidget(folder);
    texts->addWidget(line);
    texts->addWidget(notice);
    texts->addStretch();

    auto* columns = new QHBoxLayout(frame);
    columns->setContentsMargins(8, 8, 8, 8);
    columns->setSpacing(10);
    columns->addWidget(picture);
    columns->addLayout(texts, 1);
}

void TrayWindowWidget::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        events_.keyPressed(keycode::Enter);
        return;
    case Qt::Key_Escape:
        events_.keyPressed(keycode::Escape);
        return;
    default:
        if (!event->text().isEmpty()) {
            events_.keyPressed(event->text().at(0).unicode());
            return;
        }
        QWidget::keyPressEvent(event);
    }
}

void TrayWindowWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        events_.windowClicked();
    }
}

void TrayWindowWidget::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMinimized()) {
        events_.minimised();
    }
}

int iconMessageOf(QSystemTrayIcon::ActivationReason reason) {
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        return iconmsg::LeftButtonUp;
    case QSystemTrayIcon::DoubleClick:
        return iconmsg::LeftButtonDoubleClick;
    case QSystemTrayIcon::Context:
        return iconmsg::RightButtonUp;
    case QSystemTrayIcon::MiddleClick:
        return iconmsg::MiddleButtonUp;
    default:
        return 0;
    }
}

QtTrayWindowView::QtTrayWindowView(const TrayWindowContent& content, TrayWindowEvents& events,
                                   EventLoop& loop)
    : loaded_(loop), widget_(new TrayWindowWidget(content, events)),
      icon_(new QSystemTrayIcon(programIcon(), widget_)), menu_(new QMenu(widget_)) {
    menu_->setObjectName(QStringLiteral("mPopupSys"));
    menu_->setTitle(qs(content.menuCaption));
    for (const TrayMenuEntry& entry : content.menu) {
        const TrayMenuItem item = entry.item;
        QObject::connect(menu_->addAction(qs(entry.caption)), &QAction::triggered, widget_,
                         [&events, item] { events.menuChosen(item); });
    }
    icon_->setToolTip(qs(content.iconTip));
    QObject::connect(icon_, &QSystemTrayIcon::activated, widget_,
                     [&events](QSystemTrayIcon::ActivationReason reason) {
                         if (const int message = iconMessageOf(reason)) {
                             events.iconMessage(message);
                         }
                     });
    icon_->show();
}

// Unloading may come from the window's own menu: the widget goes once that
// event is over.
QtTrayWindowView::~QtTrayWindowView() {
    if (widget_) {
        icon_->hide();
        widget_->hide();
        widget_->deleteLater();
    }
}

bool QtTrayWindowView::hasNotificationIcon() const {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void QtTrayWindowView::show() {
    widget_->show();
}

void QtTrayWindowView::hide() {
    widget_->hide();
}

void QtTrayWindowView::restore() {
    widget_->setWindowState(Qt::WindowNoState);
}

void QtTrayWindowView::bringToFront() {
    widget_->raise();
    widget_->activateWindow();
}

void QtTrayWindowView::repaint() {
    // A window just shown has to be mapped by the display before it can be
    // painted; only that is let through, no input.
    QElapsedTimer waited;
    waited.start();
    while (widget_->windowHandle() && !widget_->windowHandle()->isExposed() &&
           waited.elapsed() < ExposeWaitMilliseconds) {
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        QThread::msleep(1);
    }
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    widget_->repaint();
}

void QtTrayWindowView::popUpMenu() {
    menu_->popup(QCursor::pos());
}

} // namespace lexi::qt
