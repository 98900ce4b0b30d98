#pragma once

#include "docprep/merge_document.h"
#include "shared/registry/md_registry.h"
#include "tests/mail/mail_fixture.h"

namespace lexi::testing {

// The mail workstation with document preparation: the work folder
// C:\Arbejde, the PDF writer installed.
class DocPrepFixture : public MailFixture {
protected:
    static constexpr const char* PdfKey = "HKEY_CURRENT_USER\\Software\\Lexitray\\PDF";

    DocPrepFixture() { std::filesystem::create_directories(host("Arbejde")); }

    // A file below drive C: ("Sager/brev.doc").
    void put(const std::string& path) {
        std::filesystem::create_directories(host(path).parent_path());
        std::ofstream(host(path)) << "x";
    }
    void store(const char* name, const char* value) {
        mdRegistry(registry, ui).WriteRegistryValue(PdfKey, name, value, false);
    }

    DocPrepContext preparing{platform, log, program, "C:\\Arbejde", true};
};

} // namespace lexi::testing
