#include "docprep/frm_flet.h"

#include "docprep/file_names.h"
#include "platform/cp1252.h"
#include "platform/failure.h"
#include "platform/text.h"

#include <algorithm>

namespace lexi {
namespace {

const char* const Title = "Lexitray";
const char* const PdfKey = "HKEY_CURRENT_USER\\Software\\Lexitray\\PDF";
const char* const SubKey = "Software\\Lexitray\\PDF";

// Heights and the OK button's place, in twips.
constexpr int PdfHeight = 4000;
constexpr int PdfOkTop = 3100;
constexpr int PlainHeight = 2400;
constexpr int PlainOkTop = 1500;
constexpr int OkLeft = 3500;

bool endsInPdf(const std::string& name) {
    return name.size() >= 3 &&
           text::toLower(std::string_view(name).substr(name.size() - 3)) == "pdf";
}

} // namespace

frmFlet::frmFlet(DocPrepContext& context)
    : context_(context), registry_(context.platform.registry, context.platform.ui) {}

frmFlet::~frmFlet() {
    if (view_) {
        context_.program.mergeDialogOpen = false;
        context_.program.focusMergeDialog = nullptr;
    }
}

void frmFlet::Load() {
    context_.program.mergeDialogOpen = true;
    context_.program.focusMergeDialog = [this] {
        focusIfEnabled(NamingControl::Name, true);
    };
    pdfControls_ = context_.pdfWriterInstalled;
    if (pdfControls_) {
        templatePath_ = storedValue("PDF Template");
        useTemplateSetting_ = storedValue("Use PDF");
        state_.templatePath = templatePath_;
        state_.useTemplate = useTemplateSetting_ == "1";
        // The name decides; until there is one they are off.
        state_.pdfEnabled = state_.templateEnabled = false;
    }
    view_ = context_.platform.ui.openNamingDialog(
        {Title, "Checker og fletter dokumenter til vedhæftning..........", "Vedhæft som filnavn",
         "&Rens dokument ifm. afsendelse", "Konvertere dokumentet til doc", "PDF password",
         "Password til at åbne dokumentet. Følsomt overfor store og små bogstaver.",
         "Brug &PDF baggrund", "&OK", pdfControls_ ? PdfHeight : PlainHeight,
         pdfControls_ ? PdfOkTop : PlainOkTop, OkLeft, pdfControls_},
        *this);
    refresh();
}

void frmFlet::Unload() {
    if (!state_.templatePath.empty()) {
        store("PDF Template", state_.templatePath);
        store("Use PDF", useTemplateSetting_);
    }
    context_.program.mergeDialogOpen = false;
    context_.program.focusMergeDialog = nullptr;
    view_.reset();
}

void frmFlet::setName(const std::string& name) {
    state_.name = name;
    followName();
    refresh();
}

void frmFlet::setSource(const std::string& path) {
    state_.source = path;
    refresh();
}

void frmFlet::selectName(int start, int length) {
    state_.selectionStart = start;
    state_.selectionLength = length;
    refresh();
}

void frmFlet::setClean(bool ticked) {
    state_.clean = ticked;
    refresh();
}

bool frmFlet::showModal() {
    confirmed_ = false;
    view_->hide();
    view_->showModal();
    return confirmed_;
}

void frmFlet::Lookup() {
    const std::string chosen = context_.platform.ui.openFileName("", "PDF Files (*.pdf)|*.pdf",
                                                                 storedValue("InitDir"), "*.pdf");
    if (chosen.empty()) {
        return;
    }
    state_.templatePath = chosen;
    refresh();
    const std::size_t name = chosen.size() - fileNamePart(chosen).size();
    store("InitDir", chosen.substr(0, name > 0 ? name - 1 : 0));
}

void frmFlet::nameEdited(const std::string& name) {
    setName(name);
}

void frmFlet::passwordEdited(const std::string& password) {
    state_.password = password;
}

void frmFlet::templateEdited(const std::string& path) {
    state_.templatePath = path;
}

void frmFlet::cleanTicked(bool ticked) {
    state_.clean = ticked;
}

void frmFlet::useTemplateClicked(bool ticked) {
    state_.useTemplate = ticked;
    useTemplateSetting_.assign(1, ticked ? '1' : '0');
    state_.templateEnabled = ticked;
    refresh();
}

std::string frmFlet::nameProblem() const {
    if (state_.name.empty()) {
        return "Der skal angives et filnavn!";
    }
    // The attachment is written under the cleaned name: that is the name
    // that must be free, in the folder and among the names given before.
    const std::string cleaned = attachmentFileName(context_.platform.files, state_.name);
    if (context_.platform.files.exists(context_.workFolder + "\\" + cleaned) ||
        std::ranges::find(taken_, text::toLower(cleaned)) != taken_.end()) {
        return "Filnavnet " + cleaned + " eksisterer i forvejen!";
    }
    const std::string_view extension = extensionPart(cleaned);
    if (extension.empty()) {
        return "Dokumentet skal have en endelse!";
    }
    if (text::utf16Length(extension) < 3) {
        return "Endelsen skal være mindst 3 karaktere f.eks: doc";
    }
    return {};
}

// A background the driver cannot lay under the pages would hold the request
// until the wait for its PDF runs out. A template that is not there is
// passed over, as the naming step leaves it out.
std::string frmFlet::templateProblem() {
    const std::string& path = state_.templatePath;
    if (!pdfControls_ || !state_.pdfEnabled || !state_.useTemplate ||
        !fileExists(context_.platform.files, path)) {
        return {};
    }
    bool pdf = false;
    ignoringFailure([&] {
        pdf = recordExtension(path) == "pdf" &&
              context_.platform.files.readFile(path).starts_with("%PDF-");
    });
    return pdf ? std::string()
               : "Baggrunden " + path +
                     " er ikke en PDF-fil.\r\n\r\nVælg en PDF-fil som baggrund, eller fjern "
                     "fluebenet ved \"Brug PDF baggrund\".";
}

void frmFlet::okClicked() {
    std::string problem = nameProblem();
    if (problem.empty()) {
        problem = templateProblem();
    }
    templatePath_ = state_.templatePath;
    if (!problem.empty()) {
        context_.platform.ui.messageBox(problem, msgbox::Critical, Title);
        return;
    }
    taken_.push_back(text::toLower(attachmentFileName(context_.platform.files, state_.name)));
    confirmed_ = true;
    view_->hide();
}

void frmFlet::functionKey(int number) {
    switch (number) {
    case 1:
        focusIfEnabled(NamingControl::Name, true);
        break;
    case 2:
        focusIfEnabled(NamingControl::Password, pdfControls_ && state_.pdfEnabled);
        break;
    case 3:
        focusIfEnabled(NamingControl::UseTemplate, pdfControls_ && state_.pdfEnabled);
        break;
    case 4:
        focusIfEnabled(NamingControl::Clean, true);
        break;
    case 5:
        focusIfEnabled(NamingControl::Template, pdfControls_ && state_.templateEnabled);
        break;
    case 6:
        // Without the PDF writer there is no template to browse for.
        if (pdfControls_) {
            Lookup();
        }
        break;
    default:
        break;
    }
}

void frmFlet::closeClicked() {
    confirmed_ = false;
    view_->hide();
}

void frmFlet::followName() {
    if (!pdfControls_) {
        return;
    }
    const bool pdf = endsInPdf(state_.name);
    state_.pdfEnabled = state_.templateEnabled = state_.pdfBoxesLikeName = pdf;
}

void frmFlet::focusIfEnabled(NamingControl control, bool enabled) {
    if (enabled && view_) {
        view_->focus(control);
    }
}

std::string frmFlet::storedValue(const char* name) {
    const auto value =
        queryWholeValue(context_.platform.registry, RegistryRoot::CurrentUser, SubKey, name);
    return value ? cp1252::toUtf8(CutAtNul(value->data)) : std::string();
}

void frmFlet::store(const char* name, const std::string& value) {
    // A refusal is told the user by the registry module; the dialog goes on.
    registry_.WriteRegistryValue(PdfKey, name, value, false);
}

void frmFlet::refresh() {
    if (view_) {
        view_->update(state_);
    }
}

} // namespace lexi
