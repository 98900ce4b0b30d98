#include "library/casebench_library.h"
#include "library/class_shorthand.h"
#include "library/filfunc.h"

namespace lexi {
namespace {

using namespace shorthand;

Filfunc& of(AutomationObject& self) {
    return coreOf<Filfunc>(self);
}

// Calls a method of one folder or file argument, written back.
template <typename Method> Variant withText(AutomationObject& self, Arguments& a, Method method) {
    std::string value = a.text(0);
    Variant result = (of(self).*method)(value);
    a.setText(0, std::move(value));
    return result;
}

const ClassInfo Info{"Filfunc",
                     "{1D790C95-48AF-43E3-AC0C-76410F740261}",
                     "{B145F366-21CC-4F15-9CCD-2C716B933310}",
                     "{2109C956-02E6-4AAF-ABA2-415CEC0DA4CC}",
                     {
                         {"OpretMappe",
                          FirstMethod + 0,
                          Method,
                          {{"Mappe", Text}},
                          Any,
                          [](AutomationObject& self, Arguments& a) -> Variant {
                              return of(self).OpretMappe(a.text(0));
                          }},
                         {"HentFil",
                          FirstMethod + 1,
                          Method,
                          {{"Sti", Text}},
                          Text,
                          [](AutomationObject& self, Arguments& a) {
                              return withText(self, a, &Filfunc::HentFil);
                          }},
                         {"HentDir",
                          FirstMethod + 2,
                          Method,
                          {{"StartSti", Text, Optional}},
                          Text,
                          [](AutomationObject& self, Arguments& a) -> Variant {
                              return of(self).HentDir(a.given(0) ? a.text(0) : std::string());
                          }},
                         {"OCXVersion",
                          FirstMethod + 3,
                          Method,
                          {},
                          Text,
                          [](AutomationObject&, Arguments&) -> Variant {
                              return Filfunc::OCXVersion();
                          }},
                         {"Kopier",
                          FirstMethod + 4,
                          Method,
                          {{"FraSti", Text}, {"TilSti", Text}, {"Beskyt", Text}, {"Filnavn", Text}},
                          Text,
                          [](AutomationObject& self, Arguments& a) -> Variant {
                              std::string TilSti = a.text(1);
                              std::string Filnavn = a.text(3);
                              std::string result =
                                  of(self).Kopier(a.text(0), TilSti, a.text(2), Filnavn);
                              a.setText(1, std::move(TilSti));
                              a.setText(3, std::move(Filnavn));
                              return result;
                          }},
                         {"Kontrol",
                          FirstMethod + 5,
                          Method,
                          {{"Filnavn", Text}},
                          Text,
                          [](AutomationObject& self, Arguments& a) -> Variant {
                              return of(self).Kontrol(a.text(0));
                          }},
                         {"MappeSlet",
                          FirstMethod + 6,
                          Method,
                          {{"Mappe", Text}},
                          Text,
                          [](AutomationObject& self, Arguments& a) {
                              return withText(self, a, &Filfunc::MappeSlet);
                          }},
                         {"GetDataSource",
                          FirstMethod + 7,
                          Method,
                          {{"File", Text}},
                          Text,
                          [](AutomationObject& self, Arguments& a) -> Variant {
                              return of(self).GetDataSource(a.text(0));
                          }},
                         {"FileExists",
                          FirstMethod + 8,
                          Method,
                          {{"File", Text}},
                          Text,
                          [](AutomationObject& self, Arguments& a) -> Variant {
                              return of(self).FileExists(a.text(0));
                          }},
                         {"TjekMappeOmIndhold",
                          FirstMethod + 9,
                          Method,
                          {{"Mappe", Text}},
                          Text,
                          [](AutomationObject& self, Arguments& a) {
                              return withText(self, a, &Filfunc::TjekMappeOmIndhold);
                          }},
                         {"KortFilnavn",
                          FirstMethod + 10,
                          Method,
                          {{"Mappe", Text}},
                          Any,
                          [](AutomationObject& self, Arguments& a) -> Variant {
                              std::string Mappe = a.text(0);
                              of(self).KortFilnavn(Mappe);
                              a.setText(0, std::move(Mappe));
                              return {};
                          }},
                         {"SpecialFolderLocation",
                          FirstMethod + 11,
                          Method,
                          {{"FolderName", Text}},
                          Text,
                          [](AutomationObject& self, Arguments& a) -> Variant {
                              return of(self).SpecialFolderLocation(a.text(0));
                          }},
                         {"CmdShell",
                          FirstMethod + 12,
                          Method,
                          {{"Param", Text}},
                          Boolean,
                          [](AutomationObject& self, Arguments& a) -> Variant {
                              return Variant::boolean(of(self).CmdShell(a.text(0)));
                          }},
                     }};

std::shared_ptr<AutomationObject> create(CasebenchLibrary& library) {
    Platform& platform = library.platform();
    return std::make_shared<ClassObject<Filfunc>>(
        Info,
        Filfunc(platform.files, platform.ui, platform.processes, platform.word, library.state()));
}

} // namespace

const LibraryClass& filfuncClass() {
    static const LibraryClass entry{Info, &create};
    return entry;
}

} // namespace lexi
