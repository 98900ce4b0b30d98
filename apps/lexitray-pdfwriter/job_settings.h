#pragma once

#include "shared/registry/md_registry.h"

#include <string>
#include <utility>
#include <vector>

namespace lexi {

// One print job's settings as the driver finds them in the registry when the
// job arrives. Paths are workstation paths; a flag is on when its value is "1".
struct JobSettings {
    bool bypassSaveAs = false;
    std::string outputFile;
    // The number of the first page (page labels); 0 leaves the numbering.
    int startAt = 0;

    bool addSecurity = false;
    // "40" (RC4, 40 bits), "128" (AES, 128 bits), else AES with 256 bits.
    std::string level;
    std::string userPassword;
    // Empty: the PDF gets an owner password nobody knows, so that its
    // restrictions hold.
    std::string masterPassword;
    bool noPrinting = false;
    bool noModifyContents = false;
    bool noModifyAnnotations = false;
    bool noCopy = false;

    bool addBackground = false;
    std::string backgroundFile;
    bool firstPageOnly = false;

    // Appends the job's pages to the PDF already at the output file.
    bool combinePdfs = false;

    // The document information entries that are set ("/Author", text).
    std::vector<std::pair<std::string, std::string>> information;
};

// Reads the job settings under the PDF writer's settings key.
JobSettings readJobSettings(mdRegistry& registry);

} // namespace lexi
