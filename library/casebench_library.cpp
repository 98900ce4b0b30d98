#include "library/casebench_library.h"

#include "platform/failure.h"
#include "platform/text.h"
#include "shared/pdfwriter/pdf_writer.h"

namespace lexi {

CasebenchLibrary::CasebenchLibrary(Platform& platform)
    : platform_(platform), registry_(platform.registry, platform.ui) {
    PdfWriterTurn::putBackLeft(registry_, platform_.processes, platform_.ui);
}

CasebenchLibrary::~CasebenchLibrary() {
    if (state_.pdfWriter.turn && state_.pdfWriter.turn->held()) {
        PDFWriter(state_.pdfWriter, registry_, platform_.ui, platform_.files, platform_.clock,
                  platform_.processes)
            .putBack();
    }
    state_.pdfWriter.turn.reset();
    PdfWriterTurn::putBackLeft(registry_, platform_.processes, platform_.ui);
}

const std::vector<LibraryClass>& CasebenchLibrary::classes() {
    static const std::vector<LibraryClass> all = {filfuncClass(), kalenderClass(),
                                                  popUpClass(),   supportLoginClass(),
                                                  regEditClass(), pdfWriterClass()};
    return all;
}

std::shared_ptr<AutomationObject> CasebenchLibrary::create(std::string_view name) {
    for (const LibraryClass& candidate : classes()) {
        if (text::equalsIgnoreCase(candidate.info.programmaticName(), name) ||
            text::equalsIgnoreCase(candidate.info.classId, name)) {
            return candidate.create(*this);
        }
    }
    throw Failure(failure::CannotCreateObject, "Casebench");
}

} // namespace lexi
