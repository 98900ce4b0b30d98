#include "library/casebench_library.h"
#include "library/class_shorthand.h"
#include "shared/pdfwriter/pdf_writer.h"

namespace lexi {
namespace {

using namespace shorthand;

PDFWriter& of(AutomationObject& self) {
    return coreOf<PDFWriter>(self);
}

const ClassInfo Info{"PDFWriter",
                     "{91648B84-10C3-4DD8-916F-80D02E00F864}",
                     "{9E78D73C-F7D9-4884-AFE2-27925BF5348E}",
                     "{E86A4D7F-ED19-4959-B4E9-ACB953540D15}",
                     {
                         {"SetPDFPrinter",
                          FirstMethod + 0,
                          Method,
                          {{"Destination", Text}, {"Background", Text, Optional}},
                          Text,
                          [](AutomationObject& self, Arguments& a) -> Variant {
                              return of(self).SetPDFPrinter(a.text(0),
                                                            a.given(1) ? a.text(1) : std::string());
                          }},
                         {"SetStandardPrinter",
                          FirstMethod + 1,
                          Method,
                          {},
                          Text,
                          [](AutomationObject& self, Arguments&) -> Variant {
                              return of(self).SetStandardPrinter();
                          }},
                     }};

std::shared_ptr<AutomationObject> create(CasebenchLibrary& library) {
    Platform& platform = library.platform();
    return std::make_shared<ClassObject<PDFWriter>>(
        Info, PDFWriter(library.state().pdfWriter, library.registry(), platform.ui, platform.files,
                        platform.clock, platform.processes));
}

} // namespace

const LibraryClass& pdfWriterClass() {
    static const LibraryClass entry{Info, &create};
    return entry;
}

} // namespace lexi
