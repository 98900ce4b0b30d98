#pragma once

#include "docprep/merge_document.h"
#include "platform/ui.h"
#include "shared/registry/md_registry.h"

#include <memory>
#include <string>
#include <vector>

namespace lexi {

// frmFlet, the attachment naming dialog: the user names one document at a
// time, chooses whether its hidden data goes, and for a name ending in "pdf"
// its open password and background template. The template and whether it is
// used are kept under HKEY_CURRENT_USER\Software\Lexitray\PDF from one run to
// the next.
class frmFlet final : public NamingDialogEvents {
public:
    explicit frmFlet(DocPrepContext& context);
    // Drops a dialog still loaded without storing anything.
    ~frmFlet() override;
    frmFlet(const frmFlet&) = delete;
    frmFlet& operator=(const frmFlet&) = delete;

    // Loads the dialog hidden, with the layout for whether the PDF writer is
    // installed and the template options as stored.
    void Load();
    // Stores the template options (when a template is set) and unloads.
    void Unload();

    // txtFilnavn; the PDF controls follow the new name.
    void setName(const std::string& name);
    void setSource(const std::string& path);
    void selectName(int start, int length);
    void setClean(bool ticked);
    // Shows the dialog until the user confirms a valid name (true) or closes
    // it through its frame (false).
    bool showModal();

    const std::string& name() const { return state_.name; }
    const std::string& password() const { return state_.password; }
    bool useTemplateTicked() const { return state_.useTemplate; }
    bool clean() const { return state_.clean; }
    // The template field as it stood at the last OK.
    const std::string& templatePath() const { return templatePath_; }

    // The template browser: a PDF chosen in the file-open dialog goes into
    // the template field, and its folder is where the next browse opens.
    void Lookup();

    void nameEdited(const std::string& name) override;
    void passwordEdited(const std::string& password) override;
    void templateEdited(const std::string& path) override;
    void cleanTicked(bool ticked) override;
    void useTemplateClicked(bool ticked) override;
    void lookupClicked() override { Lookup(); }
    void okClicked() override;
    void functionKey(int number) override;
    void closeClicked() override;

private:
    // The reason the name cannot be taken, empty when it can.
    std::string nameProblem() const;
    // The reason the background template cannot be used, empty when it can.
    std::string templateProblem();
    void followName();
    void focusIfEnabled(NamingControl control, bool enabled);
    // A value under the dialog's key, "" when it cannot be read.
    std::string storedValue(const char* name);
    void store(const char* name, const std::string& value);
    void refresh();

    DocPrepContext& context_;
    mdRegistry registry_;
    bool pdfControls_ = false;
    NamingDialogState state_;
    std::string templatePath_;
    // "1" or "0" once the template option was clicked, else as stored.
    std::string useTemplateSetting_;
    // The cleaned names confirmed in this run, in lower case: each is one
    // file of the work folder.
    std::vector<std::string> taken_;
    bool confirmed_ = false;
    std::unique_ptr<NamingDialogView> view_;
};

} // namespace lexi
