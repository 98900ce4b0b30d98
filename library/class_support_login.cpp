#include "library/casebench_library.h"
#include "library/class_shorthand.h"

namespace lexi {
namespace {

using namespace shorthand;

// The support site's login address and the installation information: the
// class and its identifiers are registered as the host knows them, but what
// its members do is not settled, so each fails and says so.
struct SupportLogin {};

const ClassInfo Info{"SupportLogin",
                     "{811326E3-6CCA-44D7-9A3E-051B19DC7E38}",
                     "{F3F84FFC-3C8F-467A-9254-3E3E60A32FD4}",
                     "{B8566F2A-1BB0-4EEB-8D77-3A7978FB5E60}",
                     {
                         {"MakeURL", FirstMethod + 0, Method, {}, Any, nullptr},
                         {"InsertURLVariable", FirstMethod + 4, Method, {}, Any, nullptr},
                         {"InitURLMatrix", FirstMethod + 5, Method, {}, Any, nullptr},
                         {"SaveUserInfo", FirstMethod + 6, Method, {}, Any, nullptr},
                     }};

std::shared_ptr<AutomationObject> create(CasebenchLibrary&) {
    return std::make_shared<ClassObject<SupportLogin>>(Info, SupportLogin{});
}

} // namespace

const LibraryClass& supportLoginClass() {
    static const LibraryClass entry{Info, &create};
    return entry;
}

} // namespace lexi
