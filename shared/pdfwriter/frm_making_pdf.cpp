#include "shared/pdfwriter/frm_making_pdf.h"

namespace lexi {

void frmMakingPDF::load() {
    if (!view_) {
        cancelled_ = false;
        view_ = ui_.openMakingPdfWindow({"Lexitray", "Annuller"}, *this);
    }
}

void frmMakingPDF::unload() {
    view_.reset();
}

bool frmMakingPDF::poll() {
    load();
    view_->bringToFront();
    ui_.doEvents();
    return cancelled_;
}

void frmMakingPDF::cancelClicked() {
    cancelled_ = true;
}

// Closing the window is the user's way of stopping the wait too; the window
// stays until the waiting code unloads it.
void frmMakingPDF::closeClicked() {
    cancelClicked();
}

} // namespace lexi
