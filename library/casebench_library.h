#pragma once

#include "library/automation_object.h"
#include "library/library_state.h"
#include "platform/platform.h"
#include "shared/registry/md_registry.h"

#include <memory>
#include <string_view>
#include <vector>

namespace lexi {

class CasebenchLibrary;

// One class of the library and how an object of it is made.
struct LibraryClass {
    const ClassInfo& info;
    std::shared_ptr<AutomationObject> (*create)(CasebenchLibrary& library);
};

// The library as loaded in its host: the platform it works on, the state all
// its objects share, and its six classes.
class CasebenchLibrary {
public:
    // The type library: its identity, version and locale.
    static constexpr std::string_view TypeLibraryId = "{FF11C4CA-E408-42BA-B642-1E33EC1CDFCD}";
    static constexpr std::string_view TypeLibraryVersion = "78.2";
    static constexpr int TypeLibraryLocale = 0x409;

    // Loading and unloading the library put back what a process that ended
    // in the PDF writer's turn left (the default printer, the job settings);
    // unloading puts back first what the library's own PDFWriter switched, when
    // the host lets it go between SetPDFPrinter and SetStandardPrinter.
    explicit CasebenchLibrary(Platform& platform);
    ~CasebenchLibrary();
    CasebenchLibrary(const CasebenchLibrary&) = delete;
    CasebenchLibrary& operator=(const CasebenchLibrary&) = delete;

    // The classes in the type library's order.
    static const std::vector<LibraryClass>& classes();

    // An object of the class with that programmatic name ("Casebench.Filfunc",
    // in any letter case) or class identity ("{...}"). Fails with 429 when
    // the library has no such class.
    std::shared_ptr<AutomationObject> create(std::string_view name);

    Platform& platform() { return platform_; }
    LibraryState& state() { return state_; }
    mdRegistry& registry() { return registry_; }

private:
    Platform& platform_;
    LibraryState state_;
    mdRegistry registry_;
};

// The classes, one file each.
const LibraryClass& filfuncClass();
const LibraryClass& kalenderClass();
const LibraryClass& popUpClass();
const LibraryClass& supportLoginClass();
const LibraryClass& regEditClass();
const LibraryClass& pdfWriterClass();

// The object of a class whose members work on `Core`.
template <typename Core> class ClassObject final : public AutomationObject {
public:
    ClassObject(const ClassInfo& info, Core core) : info_(info), core_(std::move(core)) {}
    const ClassInfo& classInfo() const override { return info_; }
    Core& core() { return core_; }

private:
    const ClassInfo& info_;
    Core core_;
};

template <typename Core> Core& coreOf(AutomationObject& self) {
    return static_cast<ClassObject<Core>&>(self).core();
}

} // namespace lexi
