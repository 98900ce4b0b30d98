#pragma once

#include "platform/registry.h"

#include <memory>
#include <string>

namespace lexi::posix {

class SqliteDb;

// The registry of one user, kept in an SQLite database file. Several
// processes may use the file at once. Deleted data are overwritten in the
// file (values such as a PDF's password are deleted after use), and a
// flushed key leaves no earlier copy of them in the write-ahead log. The database is opened on the
// first call, so a process that never touches the registry never opens it. A file that cannot be
// written makes every write answer AccessDenied; a damaged file makes every call answer Damaged.
class SqliteRegistry final : public Registry {
public:
    explicit SqliteRegistry(std::string databasePath);
    ~SqliteRegistry() override;

    RegistryStatus openKey(RegistryRoot root, std::string_view subkey,
                           RegistryAccess access) override;
    RegistryStatus createKey(RegistryRoot root, std::string_view subkey) override;
    RegistryStatus queryValue(RegistryRoot root, std::string_view subkey, std::string_view name,
                              std::size_t capacity, RegistryValue& value,
                              std::size_t& size) override;
    RegistryStatus setValue(RegistryRoot root, std::string_view subkey, std::string_view name,
                            const RegistryValue& value) override;
    RegistryStatus deleteValue(RegistryRoot root, std::string_view subkey,
                               std::string_view name) override;
    RegistryStatus deleteKey(RegistryRoot root, std::string_view subkey) override;
    std::vector<std::string> valueNames(RegistryRoot root, std::string_view subkey) override;
    RegistryStatus flushKey(RegistryRoot root, std::string_view subkey) override;
    // The database file's path on the workstation's drive Z:.
    std::string storeLocation() const override;

private:
    // The open database, or null when it cannot be opened at all.
    SqliteDb* db();
    bool keyExists(RegistryRoot root, const std::string& foldedPath);
    template <typename Action> RegistryStatus write(Action action);
    // A write in an existing key: the action gets the folded key path.
    template <typename Action>
    RegistryStatus writeInKey(RegistryRoot root, std::string_view subkey, Action action);

    std::string path_;
    std::unique_ptr<SqliteDb> db_;
    bool openFailed_ = false;
    bool damaged_ = false;
};

} // namespace lexi::posix
