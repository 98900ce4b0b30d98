#pragma once

#include "docprep/cleanable_formats.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace lexi {
namespace posix {
class DriveTable;
}

// The cleaner's command line, after the program's name, as the workstation
// splits it: <source> <target> [/o] [/n:a] [/l:<log file> | /l: <log file>]
// [/m], paths as workstation paths. Options are taken without regard to
// letter case: /o overwrites an existing target, /n:a removes every kind of
// hidden data (the one kind there is), /l: names the log file, /m asks for no
// messages.
struct CleanerCommand {
    std::string source;
    std::string target;
    bool overwrite = false;
    bool quiet = false;
    std::string logFile; // empty: no log
};

// The command, or nothing for a command line the cleaner does not take.
std::optional<CleanerCommand> parseCleanerCommand(const std::vector<std::string>& arguments);

// How the cleaner ends.
enum CleanerExit : int {
    Cleaned = 0,     // the target holds the cleaned copy
    NotCleaned = 1,  // nothing was written: the source is missing, damaged or
                     // the same file as the target, the target exists without
                     // /o or cannot be written
    BadCommand = 2,  // a command line the cleaner does not take
    Unsupported = 3, // the source's kind of document is not one the cleaner cleans
};

// Writes the cleaned copy of `hostSource`, a document of the kind `format`,
// to `hostTarget`, whole or not at all; throws lexi::Failure.
using CleanDocument = std::function<void(CleanableFormat format, const std::string& hostSource,
                                         const std::string& hostTarget)>;

// Carries out one cleaning command: the paths through the drive table, one
// log line (UTF-8 inside, Windows-1252 with CR LF in the file) appended to the
// log file when the command names one the drive table can reach, failures
// also on standard error unless /m. The source is never written.
int runCleaner(const std::vector<std::string>& arguments, const posix::DriveTable& drives,
               const CleanDocument& clean);

} // namespace lexi
