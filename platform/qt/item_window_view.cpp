#include "platform/qt/item_window_view.h"

#include "platform/qt/artwork.h"
#include "platform/qt/qt_conversions.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <QWidget>

namespace lexi::qt {

QWidget* openItemWindow(const ItemWindowContent& content) {
    auto* window = new QWidget();
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setObjectName(qs(content.kind));
    window->setWindowTitle(qs(content.title));
    window->setWindowIcon(programIcon());
    auto* form = new QFormLayout();
    for (const ItemWindowField& field : content.fields) {
        const QString text = qs(field.text);
        QWidget* box = nullptr;
        // A text of several lines (a body, an address) gets a box of lines;
        // Outlook separates them with CR LF or a bare CR.
        if (text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'))) {
            auto* lines = new QPlainTextEdit(window);
            QString shown = text;
            shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
            shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
            lines->setPlainText(shown);
            lines->setReadOnly(true);
            box = lines;
        } else {
            auto* line = new QLineEdit(text, window);
            line->setReadOnly(true);
            line->setCursorPosition(0);
            box = line;
        }
        box->setObjectName(qs(field.key));
        form->addRow(qs(field.caption), box);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, window);
    QObject::connect(buttons, &QDialogButtonBox::rejected, window, &QWidget::close);
    auto* layout = new QVBoxLayout(window);
    layout->addLayout(form);
    layout->addWidget(buttons);
    window->resize(480, window->sizeHint().height());
    window->show();
    // Map and paint it now: the caller's host may not run Qt's event loop
    // until its next window message.
    QApplication::processEvents();
    return window;
}

} // namespace lexi::qt
