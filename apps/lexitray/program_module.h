#pragma once

#include <string>

namespace lexi {

// Loads a module that lies beside the program and returns the address of
// its entry; null, after saying why on standard error, when it cannot. The
// module stays loaded for the life of the process.
void* loadModuleEntry(const std::string& moduleName, const char* entryName);

} // namespace lexi
