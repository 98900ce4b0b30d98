#include "library/casebench_library.h"
#include "library/class_shorthand.h"
#include "shared/registry/reg_edit.h"

namespace lexi {
namespace {

using namespace shorthand;

RegEdit& of(AutomationObject& self) {
    return coreOf<RegEdit>(self);
}

const ClassInfo Info{"RegEdit",
                     "{FE2ABE41-7ABB-4B2B-907B-A54BE7070A8D}",
                     "{EB5714FE-473F-46DE-9546-3371D61CF013}",
                     "{3CE03E37-962C-4E18-9DEC-36D370F0EEE1}",
                     {
                         {"WriteRegKey",
                          FirstMethod + 0,
                          Method,
                          {{"KeyName", Text}, {"ValueName", Text}, {"Value", Text}},
                          Boolean,
                          [](AutomationObject& self, Arguments& a) {
                              return Variant::boolean(
                                  of(self).WriteRegKey(a.text(0), a.text(1), a.text(2)));
                          }},
                         {"GetRegKey",
                          FirstMethod + 1,
                          Method,
                          {{"KeyName", Text}, {"ValueName", Text}},
                          Text,
                          [](AutomationObject& self, Arguments& a) -> Variant {
                              return of(self).GetRegKey(a.text(0), a.text(1));
                          }},
                         {"DeleteRegKey",
                          FirstMethod + 2,
                          Method,
                          {{"KeyName", Text}},
                          Boolean,
                          [](AutomationObject& self, Arguments& a) {
                              return Variant::boolean(of(self).DeleteRegKey(a.text(0)));
                          }},
                     }};

std::shared_ptr<AutomationObject> create(CasebenchLibrary& library) {
    return std::make_shared<ClassObject<RegEdit>>(Info, RegEdit(library.registry()));
}

} // namespace

const LibraryClass& regEditClass() {
    static const LibraryClass entry{Info, &create};
    return entry;
}

} // namespace lexi
