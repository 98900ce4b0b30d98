#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lexi {

enum class RegistryRoot { ClassesRoot, CurrentUser, LocalMachine, Users };

enum class RegistryType { String, Binary, Dword };

enum class RegistryAccess { Read, Write };

// What a registry call answers, as the platform's registry functions do. An
// answer is always looked at: a caller that means to go on whatever happened
// compares it with what it expects.
enum class [[nodiscard]] RegistryStatus{
    Ok,
    NotFound,     // the key or value does not exist
    AccessDenied, // the store refuses the caller
    MoreData,     // the value does not fit the caller's buffer
    Damaged,      // the store's data cannot be read: its file is damaged
    Other,        // anything else (a malformed key path)
};

// One value's type and its raw bytes. String data are the code page's bytes
// followed by the terminating zero byte, as the 8-bit registry functions
// store them.
struct RegistryValue {
    RegistryType type = RegistryType::String;
    std::string data;
};

// The registry: keys named by a root and a subkey path ("Software\Lexitray",
// components separated by "\", the empty path being the root key itself),
// names compared without regard to letter case. Calls never throw: every
// failure is an answer. Each call opens and closes what it needs, so several
// processes may use one registry at once.
class Registry {
public:
    virtual ~Registry() = default;

    // Whether the key can be opened with that access (Ok, NotFound,
    // AccessDenied, Other).
    virtual RegistryStatus openKey(RegistryRoot root, std::string_view subkey,
                                   RegistryAccess access) = 0;

    // Creates the key with any missing parent, or opens it when it exists,
    // for writing.
    virtual RegistryStatus createKey(RegistryRoot root, std::string_view subkey) = 0;

    // Reads a value into a buffer of `capacity` bytes. On Ok `value` holds the
    // data; on MoreData `value.data` is left empty and `size` holds the size
    // the value needs; on Ok `size` is the number of bytes returned.
    virtual RegistryStatus queryValue(RegistryRoot root, std::string_view subkey,
                                      std::string_view name, std::size_t capacity,
                                      RegistryValue& value, std::size_t& size) = 0;

    // Stores a value in an existing key (NotFound when the key is missing).
    virtual RegistryStatus setValue(RegistryRoot root, std::string_view subkey,
                                    std::string_view name, const RegistryValue& value) = 0;

    virtual RegistryStatus deleteValue(RegistryRoot root, std::string_view subkey,
                                       std::string_view name) = 0;

    // Deletes a key that has no subkeys (AccessDenied when it has some, as
    // Windows answers). The root key itself cannot be deleted.
    virtual RegistryStatus deleteKey(RegistryRoot root, std::string_view subkey) = 0;

    // The names of a key's values, in the order they were first written.
    virtual std::vector<std::string> valueNames(RegistryRoot root, std::string_view subkey) = 0;

    // Writes the key's changes to the store's file at once, as RegFlushKey
    // does, and leaves no earlier copy of what was deleted in the store's
    // files. A store that keeps nothing beside its data has nothing to do.
    virtual RegistryStatus flushKey(RegistryRoot, std::string_view) { return RegistryStatus::Ok; }

    // Where the store is kept, as the user knows it, for the message that
    // says it is damaged.
    virtual std::string storeLocation() const = 0;
};

// A value whole, however large: asked for with a buffer of the common size
// and once more with the size it needs. Nothing when it cannot be read.
std::optional<RegistryValue> queryWholeValue(Registry& registry, RegistryRoot root,
                                             std::string_view subkey, std::string_view name);

} // namespace lexi
