#include "apps/casebench/com_class.h"

#include "platform/failure.h"

#include <string>

namespace lexi::com {
namespace {

GUID guidOf(std::string_view text) {
    const std::wstring wide(text.begin(), text.end()); // identities are ASCII
    GUID guid{};
    CLSIDFromString(wide.c_str(), &guid);
    return guid;
}

} // namespace

const std::vector<ComClass>& comClasses() {
    static const std::vector<ComClass> all = [] {
        std::vector<ComClass> classes;
        for (const LibraryClass& entry : CasebenchLibrary::classes()) {
            classes.push_back({entry, guidOf(entry.info.classId), guidOf(entry.info.interfaceId),
                               guidOf(entry.info.eventInterfaceId)});
        }
        return classes;
    }();
    return all;
}

const ComClass* comClassOf(REFCLSID classId) {
    for (const ComClass& candidate : comClasses()) {
        if (IsEqualCLSID(candidate.classId, classId)) {
            return &candidate;
        }
    }
    return nullptr;
}

const ComClass& comClassOf(const ClassInfo& info) {
    for (const ComClass& candidate : comClasses()) {
        if (&candidate.frameClass.info == &info) {
            return candidate;
        }
    }
    throw Failure(failure::CannotCreateObject, "Casebench");
}

} // namespace lexi::com
