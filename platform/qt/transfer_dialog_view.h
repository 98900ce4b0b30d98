#pragma once

#include "platform/qt/modal_dialog_view.h"
#include "platform/ui.h"

#include <QDialog>

class QTableWidget;
class QToolButton;
class QPushButton;

namespace lexi::qt {

// frmOutlook drawn with Qt Widgets: the folder's items in a table with
// several rows selectable, the three navigation buttons and the two command
// buttons at the model's places. Clicks, the close box and the user's
// resizing go to the model, which says what the dialog holds and when it is
// hidden.
class TransferDialogWidget final : public QDialog {
public:
    TransferDialogWidget(const TransferDialogContent& content, TransferDialogEvents& events);

    void draw(const TransferDialogState& state);
    std::vector<int> selectedRows() const;
    TwipsRect placement() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Escape is the close box.
    void reject() override;

private:
    void fill(const std::vector<TransferRow>& rows);

    TransferDialogEvents& events_;
    QTableWidget* table_;
    QToolButton* previous_;
    QToolButton* lookup_;
    QToolButton* next_;
    QPushButton* transfer_;
    QPushButton* cancel_;
    std::vector<TransferRow> rows_;
    bool drawing_ = false;
};

class QtTransferDialogView final
    : public ModalDialogView<TransferDialogView, TransferDialogWidget, TransferDialogState> {
public:
    using ModalDialogView::ModalDialogView;

    std::vector<int> selectedRows() override;
    TwipsRect placement() override;
};

} // namespace lexi::qt
