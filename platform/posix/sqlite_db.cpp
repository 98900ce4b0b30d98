#include "platform/posix/sqlite_db.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lexi::posix {
namespace {

constexpr int BusyTimeoutMilliseconds = 10000;

[[noreturn]] void fail(sqlite3* db, int code) {
    throw SqliteError(code, db ? sqlite3_errmsg(db) : sqlite3_errstr(code));
}

// Makes a new database file the owner's alone (SQLite gives its log files the
// mode of the database), and closes to others the files of one made with a
// wider mode. Failures are SQLite's to meet when it opens the file.
void keepPrivate(const std::string& path) {
    const int file = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (file >= 0) {
        ::close(file);
    }
    for (const std::string& name : {path, path + "-wal", path + "-shm"}) {
        struct stat info {};
        if (::stat(name.c_str(), &info) == 0 && (info.st_mode & 077) != 0) {
            ::chmod(name.c_str(), info.st_mode & 0700);
        }
    }
}

} // namespace

SqliteError::SqliteError(int code, const std::string& message)
    : std::runtime_error(message), code_(code & 0xFF) {}

bool SqliteError::isDamaged() const {
    return code_ == SQLITE_NOTADB || code_ == SQLITE_CORRUPT;
}

bool SqliteError::isReadOnly() const {
    return code_ == SQLITE_READONLY || code_ == SQLITE_PERM || code_ == SQLITE_CANTOPEN ||
           code_ == SQLITE_AUTH;
}

SqliteDb::SqliteDb(const std::string& path) {
    keepPrivate(path);
    int rc =
        sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_close(db_);
        db_ = nullptr;
        mode_ = Mode::ReadOnly;
        rc = sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READONLY, nullptr);
    }
    if (rc != SQLITE_OK) {
        const SqliteError error(rc, db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc));
        sqlite3_close(db_);
        throw error;
    }
    sqlite3_busy_timeout(db_, BusyTimeoutMilliseconds);
    if (mode_ == Mode::ReadWrite) {
        try {
            useWriteAheadLog();
        } catch (const SqliteError&) {
            // A file that is no database fails here; the destructor of an
            // object never made does not run.
            sqlite3_close(db_);
            throw;
        }
    }
}

void SqliteDb::useWriteAheadLog() {
    // Switching the journal needs the database to itself for a moment and
    // answers "busy" at once, without waiting, while another process opens it
    // too: try again a little later, for as long as any other call waits.
    constexpr int PauseMilliseconds = 10;
    constexpr int Attempts = BusyTimeoutMilliseconds / PauseMilliseconds;
    for (int attempt = 1;; ++attempt) {
        const int rc = sqlite3_exec(db_, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
        if (rc == SQLITE_OK) {
            break;
        }
        if ((rc & 0xFF) != SQLITE_BUSY && (rc & 0xFF) != SQLITE_LOCKED) {
            fail(db_, rc);
        }
        if (attempt == Attempts) {
            fail(db_, rc);
        }
        sqlite3_sleep(PauseMilliseconds);
    }
    exec("PRAGMA synchronous=NORMAL");
}

SqliteDb::~SqliteDb() {
    for (auto& [sql, cached] : statements_) {
        sqlite3_finalize(cached.stmt);
    }
    sqlite3_close(db_);
}

int SqliteDb::schemaVersion() {
    Statement query(*this, "PRAGMA user_version");
    return query.step() ? static_cast<int>(query.integer(0)) : 0;
}

void SqliteDb::setSchemaVersion(int version) {
    exec(("PRAGMA user_version = " + std::to_string(version)).c_str());
}

void SqliteDb::checkpointEvery(int pages) {
    sqlite3_db_config(db_, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
    sqlite3_wal_autocheckpoint(db_, pages);
}

bool SqliteDb::truncateLog() {
    return sqlite3_wal_checkpoint_v2(db_, nullptr, SQLITE_CHECKPOINT_TRUNCATE, nullptr, nullptr) ==
           SQLITE_OK;
}

void SqliteDb::exec(const char* sql) {
    const int rc = sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        fail(db_, rc);
    }
}

Statement::Statement(SqliteDb& db, const char* sql) : db_(db.handle()) {
    SqliteDb::CachedStatement& cached = db.statements_[sql];
    if (cached.stmt && !cached.inUse) {
        stmt_ = cached.stmt;
        cached_ = &cached;
        cached.inUse = true;
        return;
    }
    const bool keep = !cached.stmt;
    const int rc =
        sqlite3_prepare_v3(db_, sql, -1, keep ? SQLITE_PREPARE_PERSISTENT : 0, &stmt_, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(stmt_);
        fail(db_, rc);
    }
    if (keep) {
        cached.stmt = stmt_;
        cached.inUse = true;
        cached_ = &cached;
    }
}

Statement::~Statement() {
    if (cached_) {
        sqlite3_reset(stmt_);
        sqlite3_clear_bindings(stmt_);
        cached_->inUse = false;
    } else {
        sqlite3_finalize(stmt_);
    }
}

Statement& Statement::bind(int index, std::string_view text) {
    check(sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()),
                            SQLITE_TRANSIENT));
    return *this;
}

Statement& Statement::bindBlob(int index, std::string_view bytes) {
    check(sqlite3_bind_blob(stmt_, index, bytes.data(), static_cast<int>(bytes.size()),
                            SQLITE_TRANSIENT));
    return *this;
}

Statement& Statement::bind(int index, std::int64_t number) {
    check(sqlite3_bind_int64(stmt_, index, number));
    return *this;
}

void Statement::check(int rc) const {
    if (rc != SQLITE_OK) {
        fail(db_, rc);
    }
}

bool Statement::step() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) {
        return true;
    }
    if (rc == SQLITE_DONE) {
        return false;
    }
    fail(db_, rc);
}

void Statement::run() {
    while (step()) {
    }
    sqlite3_reset(stmt_);
}

std::string Statement::text(int column) const {
    const auto* data = sqlite3_column_text(stmt_, column);
    return data ? std::string(reinterpret_cast<const char*>(data),
                              static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column)))
                : std::string();
}

std::string Statement::blob(int column) const {
    const auto* data = static_cast<const char*>(sqlite3_column_blob(stmt_, column));
    return data ? std::string(data, static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column)))
                : std::string();
}

std::int64_t Statement::integer(int column) const {
    return sqlite3_column_int64(stmt_, column);
}

WriteTransaction::WriteTransaction(SqliteDb& db) : db_(db) {
    db_.exec("BEGIN IMMEDIATE");
}

WriteTransaction::~WriteTransaction() {
    if (open_) {
        sqlite3_exec(db_.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
    }
}

void WriteTransaction::commit() {
    db_.exec("COMMIT");
    open_ = false;
}

} // namespace lexi::posix
