#pragma once

#include "platform/ui.h"

#include <memory>

namespace lexi {

// frmMakingPDF, the window shown while a PDF is awaited: "Lexitray" with the
// one button "Annuller". Loading it clears the cancelled flag, the button
// (or the close box) sets it; the waiting code reads the flag on every look
// and unloads the window when its wait ends.
class frmMakingPDF final : public MakingPdfWindowEvents {
public:
    explicit frmMakingPDF(Ui& ui) : ui_(ui) {}

    // Loads and shows the window unless it is loaded.
    void load();
    void unload();
    bool isLoaded() const { return view_ != nullptr; }

    // One look of a wait: brings the window to the foreground (loading it
    // first when needed) and lets pending messages run, so that a click on
    // the button is taken while the wait goes on. Whether the user cancelled.
    bool poll();

    bool cancelled() const { return cancelled_; }

    void cancelClicked() override;
    void closeClicked() override;

private:
    Ui& ui_;
    bool cancelled_ = false;
    std::unique_ptr<MakingPdfWindowView> view_;
};

} // namespace lexi
