#pragma once

#include "platform/registry.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lexi {

// One key that the library's registration writes below Software\Classes,
// with its string values (the default value under the empty name).
struct RegistrationKey {
    std::string path;
    std::vector<std::pair<std::string, std::string>> values;
};

// The kind of system a library file is built for, under which its type
// library is registered.
enum class LibraryBitness { Windows32, Windows64 };

// Every key the registration writes for the library file at `libraryPath`
// in `libraryFolder`: each class under its programmatic name and class
// identity, its two interfaces, and the type library with its version. Each
// key comes after the key it is in. The installer writes the same keys.
std::vector<RegistrationKey> registrationKeys(std::string_view libraryPath,
                                              std::string_view libraryFolder,
                                              LibraryBitness bitness);

// What the platform's registration tool writes for the library in the
// user's registry (HKEY_CURRENT_USER\Software\Classes): the keys above for
// the bitness of this build. Throws lexi::Failure (70 when the registry
// refuses the user) when a key cannot be written.
void registerLibrary(Registry& registry, std::string_view libraryPath);

// Removes all of it again; what is not there is not missed.
void unregisterLibrary(Registry& registry);

} // namespace lexi
