#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>

struct sqlite3;
struct sqlite3_stmt;

namespace lexi::posix {

// A thin owner of one SQLite connection, set up for a database file that
// several processes share: write-ahead log, and a busy timeout so that a
// writer waits for another instead of failing. The database and its log
// files are the user's own: readable and writable by their owner alone.
class SqliteDb {
public:
    enum class Mode { ReadWrite, ReadOnly };

    // Opens (and creates) the database; falls back to read-only when the
    // file cannot be written. A database file, or log file, that others may
    // read is closed to them. Throws SqliteError when it cannot be opened.
    explicit SqliteDb(const std::string& path);
    ~SqliteDb();
    SqliteDb(const SqliteDb&) = delete;
    SqliteDb& operator=(const SqliteDb&) = delete;

    Mode mode() const { return mode_; }
    sqlite3* handle() const { return db_; }

    // Runs statements without results; throws SqliteError on failure.
    void exec(const char* sql);

    // The version of its tables that the file says it has (0 for a new
    // file), so that a program that opens it often creates them only once.
    int schemaVersion();
    void setSchemaVersion(int version);

    // For a database that many short processes each write a little: the
    // closing connection leaves the write-ahead log to the next one instead
    // of copying it into the database (which syncs the disk twice), and the
    // log is copied once it holds this many pages, so that opening, which
    // reads the whole log, stays cheap. A crash of the program loses nothing.
    void checkpointEvery(int pages);

    // Copies the write-ahead log into the database and empties the log's
    // file, so that no earlier version of the data stays in it. False when
    // other connections kept it from finishing.
    bool truncateLog();

private:
    friend class Statement;

    // A prepared statement kept for the life of the connection, so that a
    // text is compiled once however often it runs.
    struct CachedStatement {
        sqlite3_stmt* stmt = nullptr;
        bool inUse = false;
    };

    void useWriteAheadLog();

    sqlite3* db_ = nullptr;
    Mode mode_ = Mode::ReadWrite;
    std::unordered_map<std::string, CachedStatement> statements_;
};

// A failed SQLite call, with SQLite's primary result code.
class SqliteError : public std::runtime_error {
public:
    SqliteError(int code, const std::string& message);
    int code() const { return code_; }
    // True for the codes that mean the database may not be written.
    bool isReadOnly() const;
    // True for the codes that mean the file is no database or a damaged one.
    bool isDamaged() const;

private:
    int code_;
};

// One prepared statement. Bind parameters are numbered from 1, columns from 0.
// The connection keeps the compiled statement for the next use of the same
// text; a text that is in use already is compiled anew.
class Statement {
public:
    Statement(SqliteDb& db, const char* sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& bind(int index, std::string_view text);
    Statement& bindBlob(int index, std::string_view bytes);
    Statement& bind(int index, std::int64_t number);

    // Advances to the next row; false when there is none. Throws SqliteError.
    bool step();
    // Runs a statement to its end and makes it ready to be bound and run
    // again.
    void run();

    std::string text(int column) const;
    std::string blob(int column) const;
    std::int64_t integer(int column) const;

private:
    void check(int rc) const;

    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
    // The connection's copy, handed back when done; null for a statement of
    // its own.
    SqliteDb::CachedStatement* cached_ = nullptr;
};

// A write transaction taken at once (BEGIN IMMEDIATE), rolled back unless
// committed.
class WriteTransaction {
public:
    explicit WriteTransaction(SqliteDb& db);
    ~WriteTransaction();
    WriteTransaction(const WriteTransaction&) = delete;
    WriteTransaction& operator=(const WriteTransaction&) = delete;
    void commit();

private:
    SqliteDb& db_;
    bool open_ = true;
};

} // namespace lexi::posix
