#include "platform/posix/sqlite_registry.h"

#include "platform/posix/drive_table.h"
#include "platform/posix/lexitray_home.h"
#include "platform/posix/sqlite_db.h"
#include "platform/registry_path.h"

#include <filesystem>
#include <optional>

namespace lexi::posix {
namespace {

// Keys are stored by their whole path below the root, in the letter case of
// their creation, and found by the folded path. The root key of each root
// always exists and is not stored.
constexpr const char* Schema = R"sql(
CREATE TABLE IF NOT EXISTS registry_keys(
    root INTEGER NOT NULL,
    folded TEXT NOT NULL,
    path TEXT NOT NULL,
    PRIMARY KEY(root, folded));
CREATE TABLE IF NOT EXISTS registry_values(
    root INTEGER NOT NULL,
    key TEXT NOT NULL,
    folded TEXT NOT NULL,
    name TEXT NOT NULL,
    type INTEGER NOT NULL,
    data BLOB NOT NULL,
    UNIQUE(root, key, folded));
)sql";

constexpr int SchemaVersion = 1;
constexpr int RegistryCheckpointPages = 64;

std::int64_t rootNumber(RegistryRoot root) {
    return static_cast<std::int64_t>(root);
}

// The folded form of a subkey path, or nothing for a malformed one.
std::optional<std::string> foldedKey(std::string_view subkey) {
    const auto path = registry_path::canonical(subkey);
    if (!path) {
        return std::nullopt;
    }
    return registry_path::folded(*path);
}

RegistryStatus statusOf(const SqliteError& error) {
    if (error.isDamaged()) {
        return RegistryStatus::Damaged;
    }
    return error.isReadOnly() ? RegistryStatus::AccessDenied : RegistryStatus::Other;
}

} // namespace

SqliteRegistry::SqliteRegistry(std::string databasePath) : path_(std::move(databasePath)) {}

SqliteRegistry::~SqliteRegistry() = default;

SqliteDb* SqliteRegistry::db() {
    if (!db_ && !openFailed_) {
        try {
            createPrivateFolder(std::filesystem::path(path_).parent_path().string());
            db_ = std::make_unique<SqliteDb>(path_);
            if (db_->mode() == SqliteDb::Mode::ReadWrite) {
                db_->exec("PRAGMA secure_delete=ON");
                if (db_->schemaVersion() < SchemaVersion) {
                    db_->exec(Schema);
                    db_->setSchemaVersion(SchemaVersion);
                }
                // Every request writes a few pages (the start-up rights test).
                db_->checkpointEvery(RegistryCheckpointPages);
            }
        } catch (const SqliteError& error) {
            db_.reset();
            openFailed_ = true;
            damaged_ = error.isDamaged();
        }
    }
    return db_.get();
}

bool SqliteRegistry::keyExists(RegistryRoot root, const std::string& foldedPath) {
    if (foldedPath.empty()) {
        return true;
    }
    Statement query(*db(), "SELECT 1 FROM registry_keys WHERE root = ? AND folded = ?");
    return query.bind(1, rootNumber(root)).bind(2, foldedPath).step();
}

template <typename Action> RegistryStatus SqliteRegistry::write(Action action) {
    SqliteDb* database = db();
    if (!database || database->mode() == SqliteDb::Mode::ReadOnly) {
        return damaged_ ? RegistryStatus::Damaged : RegistryStatus::AccessDenied;
    }
    try {
        WriteTransaction transaction(*database);
        const RegistryStatus status = action();
        if (status == RegistryStatus::Ok) {
            transaction.commit();
        }
        return status;
    } catch (const SqliteError& error) {
        return statusOf(error);
    }
}

RegistryStatus SqliteRegistry::openKey(RegistryRoot root, std::string_view subkey,
                                       RegistryAccess access) {
    const auto key = foldedKey(subkey);
    if (!key) {
        return RegistryStatus::Other;
    }
    if (!db() && damaged_) {
        return RegistryStatus::Damaged;
    }
    if (access == RegistryAccess::Write && (!db() || db_->mode() == SqliteDb::Mode::ReadOnly)) {
        return RegistryStatus::AccessDenied;
    }
    if (!db()) {
        return key->empty() ? RegistryStatus::Ok : RegistryStatus::NotFound;
    }
    try {
        return keyExists(root, *key) ? RegistryStatus::Ok : RegistryStatus::NotFound;
    } catch (const SqliteError& error) {
        return error.code() == 1 ? RegistryStatus::NotFound : statusOf(error);
    }
}

RegistryStatus SqliteRegistry::createKey(RegistryRoot root, std::string_view subkey) {
    const auto path = registry_path::canonical(subkey);
    if (!path) {
        return RegistryStatus::Other;
    }
    return write([&] {
        Statement insert(*db_, "INSERT OR IGNORE INTO registry_keys(root, folded, path) "
                               "VALUES (?, ?, ?)");
        for (const std::string& ancestor : registry_path::lineage(*path)) {
            insert.bind(1, rootNumber(root))
                .bind(2, registry_path::folded(ancestor))
                .bind(3, ancestor)
                .run();
        }
        return RegistryStatus::Ok;
    });
}

RegistryStatus SqliteRegistry::queryValue(RegistryRoot root, std::string_view subkey,
                                          std::string_view name, std::size_t capacity,
                                          RegistryValue& value, std::size_t& size) {
    const auto key = foldedKey(subkey);
    if (!key) {
        return RegistryStatus::Other;
    }
    if (!db()) {
        return damaged_ ? RegistryStatus::Damaged : RegistryStatus::NotFound;
    }
    try {
        if (!keyExists(root, *key)) {
            return RegistryStatus::NotFound;
        }
        Statement query(*db_, "SELECT type, data FROM registry_values "
                              "WHERE root = ? AND key = ? AND folded = ?");
        if (!query.bind(1, rootNumber(root))
                 .bind(2, *key)
                 .bind(3, registry_path::folded(name))
                 .step()) {
            return RegistryStatus::NotFound;
        }
        std::string data = query.blob(1);
        size = data.size();
        if (data.size() > capacity) {
            value.data.clear();
            return RegistryStatus::MoreData;
        }
        value.type = static_cast<RegistryType>(query.integer(0));
        value.data = std::move(data);
        return RegistryStatus::Ok;
    } catch (const SqliteError& error) {
        return error.code() == 1 ? RegistryStatus::NotFound : statusOf(error);
    }
}

template <typename Action>
RegistryStatus SqliteRegistry::writeInKey(RegistryRoot root, std::string_view subkey,
                                          Action action) {
    const auto key = foldedKey(subkey);
    if (!key) {
        return RegistryStatus::Other;
    }
    return write([&] { return keyExists(root, *key) ? action(*key) : RegistryStatus::NotFound; });
}

RegistryStatus SqliteRegistry::setValue(RegistryRoot root, std::string_view subkey,
                                        std::string_view name, const RegistryValue& value) {
    return writeInKey(root, subkey, [&](const std::string& key) {
        Statement upsert(*db_, "INSERT INTO registry_values(root, key, folded, name, type, data) "
                               "VALUES (?, ?, ?, ?, ?, ?) ON CONFLICT(root, key, folded) "
                               "DO UPDATE SET type = excluded.type, data = excluded.data");
        upsert.bind(1, rootNumber(root))
            .bind(2, key)
            .bind(3, registry_path::folded(name))
            .bind(4, name)
            .bind(5, static_cast<std::int64_t>(value.type))
            .bindBlob(6, value.data)
            .run();
        return RegistryStatus::Ok;
    });
}

RegistryStatus SqliteRegistry::deleteValue(RegistryRoot root, std::string_view subkey,
                                           std::string_view name) {
    return writeInKey(root, subkey, [&](const std::string& key) {
        Statement erase(*db_, "DELETE FROM registry_values WHERE root = ? AND key = ? AND "
                              "folded = ? RETURNING 1");
        const bool deleted = erase.bind(1, rootNumber(root))
                                 .bind(2, key)
                                 .bind(3, registry_path::folded(name))
                                 .step();
        if (deleted) {
            erase.run();
        }
        return deleted ? RegistryStatus::Ok : RegistryStatus::NotFound;
    });
}

RegistryStatus SqliteRegistry::deleteKey(RegistryRoot root, std::string_view subkey) {
    const auto path = registry_path::canonical(subkey);
    if (path && path->empty()) {
        return RegistryStatus::AccessDenied;
    }
    return writeInKey(root, subkey, [&](const std::string& key) {
        // Folded paths sort their subkeys between "key\" and "key]", the
        // character after the separator.
        Statement children(*db_, "SELECT 1 FROM registry_keys WHERE root = ? AND folded > ? "
                                 "AND folded < ? LIMIT 1");
        if (children.bind(1, rootNumber(root)).bind(2, key + '\\').bind(3, key + ']').step()) {
            return RegistryStatus::AccessDenied;
        }
        Statement(*db_, "DELETE FROM registry_values WHERE root = ? AND key = ?")
            .bind(1, rootNumber(root))
            .bind(2, key)
            .run();
        Statement(*db_, "DELETE FROM registry_keys WHERE root = ? AND folded = ?")
            .bind(1, rootNumber(root))
            .bind(2, key)
            .run();
        return RegistryStatus::Ok;
    });
}

std::vector<std::string> SqliteRegistry::valueNames(RegistryRoot root, std::string_view subkey) {
    std::vector<std::string> names;
    const auto key = foldedKey(subkey);
    if (!key || !db()) {
        return names;
    }
    try {
        Statement query(*db_, "SELECT name FROM registry_values WHERE root = ? AND key = ? "
                              "ORDER BY rowid");
        query.bind(1, rootNumber(root)).bind(2, *key);
        while (query.step()) {
            names.push_back(query.text(0));
        }
    } catch (const SqliteError&) {
        names.clear();
    }
    return names;
}

RegistryStatus SqliteRegistry::flushKey(RegistryRoot root, std::string_view subkey) {
    const RegistryStatus opened = openKey(root, subkey, RegistryAccess::Write);
    if (opened != RegistryStatus::Ok) {
        return opened;
    }
    return db_->truncateLog() ? RegistryStatus::Ok : RegistryStatus::Other;
}

std::string SqliteRegistry::storeLocation() const {
    return DriveTable({{'Z', "/"}}).toWindows(std::filesystem::absolute(path_).string());
}

} // namespace lexi::posix
