#include "library/casebench_library.h"
#include "library/class_shorthand.h"
#include "library/pop_up.h"

namespace lexi {
namespace {

using namespace shorthand;

PopUp& of(AutomationObject& self) {
    return coreOf<PopUp>(self);
}

// The number of lines as the host reads it: an Integer while it fits.
Variant lineCount(std::int32_t lines) {
    return lines <= INT16_MAX ? Variant::integer(static_cast<std::int16_t>(lines))
                              : Variant::longValue(lines);
}

const ClassInfo Info{"PopUp",
                     "{E643679B-63A5-41CE-A83F-D0560E093DD3}",
                     "{84D217DB-EA77-4B3F-85A6-6D4C9F28842A}",
                     "{8D0BF859-CE2B-4E76-9518-451A2F6BD168}",
                     {
                         {"ShowTextBox",
                          FirstMethod + 0,
                          Method,
                          {{"HeaderTxt", Text},
                           {"ReadOnly", Integer},
                           {"Width", Integer},
                           {"Height", Integer},
                           {"RecLen", Integer}},
                          Any,
                          [](AutomationObject& self, Arguments& a) {
                              std::int16_t ReadOnly = a.integer(1);
                              std::int16_t Width = a.integer(2);
                              std::int16_t Height = a.integer(3);
                              const std::int32_t lines = of(self).ShowTextBox(
                                  a.text(0), ReadOnly, Width, Height, a.integer(4));
                              a.setInteger(1, ReadOnly);
                              a.setInteger(2, Width);
                              a.setInteger(3, Height);
                              return lineCount(lines);
                          }},
                         {"GetText",
                          FirstMethod + 1,
                          Method,
                          {{"LineNr", Integer}},
                          Any,
                          [](AutomationObject& self, Arguments& a) -> Variant {
                              return of(self).GetText(a.integer(0));
                          }},
                         {"InitText",
                          FirstMethod + 2,
                          Method,
                          {{"NrLines", Integer}},
                          Any,
                          [](AutomationObject& self, Arguments& a) -> Variant {
                              of(self).InitText(a.integer(0));
                              return {};
                          }},
                         {"PutText",
                          FirstMethod + 3,
                          Method,
                          {{"LineNr", Integer}, {"TextLine", Text}, {"NewLine", Integer}},
                          Any,
                          [](AutomationObject& self, Arguments& a) -> Variant {
                              of(self).PutText(a.text(1), a.integer(2));
                              return {};
                          }},
                     }};

std::shared_ptr<AutomationObject> create(CasebenchLibrary& library) {
    return std::make_shared<ClassObject<PopUp>>(Info,
                                                PopUp(library.state(), library.platform().ui));
}

} // namespace

const LibraryClass& popUpClass() {
    static const LibraryClass entry{Info, &create};
    return entry;
}

} // namespace lexi
