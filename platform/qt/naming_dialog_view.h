#pragma once

#include "platform/qt/modal_dialog_view.h"
#include "platform/ui.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace lexi::qt {

// frmFlet drawn with Qt Widgets, above all other windows: the controls at
// the model's places, the password masked. Edits, ticks, clicks, F1 to F6
// and the close box go to the model, which says what the dialog holds and
// when it is hidden.
class NamingDialogWidget final : public QDialog {
public:
    NamingDialogWidget(const NamingDialogContent& content, NamingDialogEvents& events);

    void draw(const NamingDialogState& state);
    void focus(NamingControl control);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Escape does nothing: the dialog has no cancel.
    void reject() override {}

private:
    NamingDialogEvents& events_;
    QLabel* source_;
    QLineEdit* name_;
    QCheckBox* clean_;
    QLabel* passwordLabel_;
    QLineEdit* password_;
    QCheckBox* useTemplate_;
    QLineEdit* template_;
    QToolButton* lookup_;
    // The selection last drawn in txtFilnavn.
    int selectionStart_ = -1;
    int selectionLength_ = -1;
};

class QtNamingDialogView final
    : public ModalDialogView<NamingDialogView, NamingDialogWidget, NamingDialogState> {
public:
    using ModalDialogView::ModalDialogView;

    void focus(NamingControl control) override;
};

} // namespace lexi::qt
