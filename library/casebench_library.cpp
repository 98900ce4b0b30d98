#include "library/casebench_library.h"

#include "platform/failure.h"
#include "platform/text.h"

namespace lexi {

CasebenchLibrary::CasebenchLibrary(Platform& platform)
    : platform_(platform), registry_(platform.registry, platform.ui) {}

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
