#pragma once

#include <string>

namespace lexi {

// Every module exports one entry: a table of what it offers, whose first
// field is the version of the interface the module was built for. A module of
// another version would hand the program classes of another shape, so the
// program refuses it as if it were missing.

// Loads the module `moduleName` and returns the address of its entry
// `entryName`; null, after saying why on standard error (and in `why`, when
// given), when the module cannot be loaded, lacks the entry, or its entry's
// first field is not `interfaceVersion`. The module is looked for beside the
// program (as in the build folder), else in the installed program's module
// folder. It stays loaded for the life of the process.
const void* loadModuleEntry(const std::string& moduleName, const char* entryName,
                            int interfaceVersion, std::string* why = nullptr);

// Modules are looked for beside the running program, then in the installed
// module folder relative to it. A library loaded into another program names
// instead the folder it lies in and its installed module folder (absolute,
// or relative to that folder).
void setModuleFolders(const std::string& folder, const std::string& installedFolder);

// The entry table of the module Entry describes (its FileName, EntryName and
// InterfaceVersion), or null.
template <typename Entry> const Entry* loadModule(std::string* why = nullptr) {
    return static_cast<const Entry*>(
        loadModuleEntry(Entry::FileName, Entry::EntryName, Entry::InterfaceVersion, why));
}

} // namespace lexi
