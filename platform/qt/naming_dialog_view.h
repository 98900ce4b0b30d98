#pragma once

#include "platform/ui.h"

#include <QDialog>
#include <QPointer>

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

class QtNamingDialogView final : public NamingDialogView {
public:
    QtNamingDialogView(const NamingDialogContent& content, NamingDialogEvents& events);
    ~QtNamingDialogView() override;

    void update(const NamingDialogState& state) override;
    void showModal() override;
    void hide() override;
    void focus(NamingControl control) override;

private:
    QPointer<NamingDialogWidget> widget_;
};

} // namespace lexi::qt
