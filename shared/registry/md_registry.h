#pragma once

#include "platform/registry.h"
#include "platform/ui.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lexi {

// A registry key given as one path text: a root prefix and the subkey path.
struct KeyPath {
    RegistryRoot root;
    std::string subkey;
};

// The root named at the very start of the path ("HKEY_CURRENT_USER\", any
// letter case; the four prefixes tested in the order of the roots) and the
// rest of the path; nothing for a path without one of the prefixes.
std::optional<KeyPath> SelectRoot(std::string_view keyPath);

// The text up to, not including, its first NUL character.
std::string CutAtNul(std::string_view text);

// The registry module both programs share: values by key path text, all data
// handled as text in the code page, and the three English messages with which
// it tells the user that the registry refused it.
class mdRegistry {
public:
    mdRegistry(Registry& registry, Ui& ui);

    // The value as text, or nothing when the path has no root, the key cannot
    // be opened or the value cannot be read. A buffer size below 255 is raised
    // to 255 (in the caller's variable); afterwards it holds the number of
    // bytes the value has.
    std::optional<std::string> ReadRegistryValue(std::string_view keyPath,
                                                 std::string_view valueName,
                                                 std::int32_t& bufferSize);

    // Stores the text as a string value, or as a binary value holding its
    // bytes, or (`dword`) as a 32-bit number read from the text. True when
    // written. The empty text is stored as one NUL character.
    bool WriteRegistryValue(std::string_view keyPath, std::string_view valueName,
                            std::string_view value, bool binary, bool dword = false);

    bool DeleteRegistryValue(std::string_view keyPath, std::string_view valueName);

    // Deletes a key that has no subkeys.
    bool DeleteRegistryKey(std::string_view keyPath);

    // Writes the key's changes to the store at once, leaving no earlier copy
    // of deleted values behind. True when done; no message either way.
    bool FlushRegistryKey(std::string_view keyPath);

    // The registry the module works on.
    Registry& registry() { return registry_; }

    // Whether a call found the store damaged. The user is told so once.
    bool storeDamaged() const { return storeDamaged_; }

private:
    // The key of a path with a root, opened for writing; nothing (after the
    // message for a refusal) when it cannot be.
    std::optional<KeyPath> openForWriting(std::string_view keyPath);
    // Shows the message for a refused read or write; nothing for NotFound.
    void reportReadFailure(RegistryStatus status);
    void reportWriteFailure(RegistryStatus status);
    void reportDamage();

    Registry& registry_;
    Ui& ui_;
    bool storeDamaged_ = false;
};

} // namespace lexi
