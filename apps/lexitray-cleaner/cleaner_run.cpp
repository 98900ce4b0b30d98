#include "apps/lexitray-cleaner/cleaner_run.h"

#include "platform/cp1252.h"
#include "platform/failure.h"
#include "platform/posix/drive_table.h"
#include "platform/text.h"

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>

namespace lexi {
namespace {

bool startsWithIgnoreCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           text::equalsIgnoreCase(text.substr(0, prefix.size()), prefix);
}

// Appends "<date> <time> <text>" to the log file; a log that cannot be
// written costs the cleaning nothing.
void appendLog(const std::optional<std::string>& hostLog, const std::string& line) {
    if (!hostLog) {
        return;
    }
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%d-%m-%Y %H:%M:%S ", &local);
    std::ofstream log(*hostLog, std::ios::binary | std::ios::app);
    log << cp1252::fromUtf8(stamp + line) << "\r\n";
}

// Cleans `command`'s source to its target; throws lexi::Failure.
void cleanCommand(const CleanerCommand& command, CleanableFormat format,
                  const posix::DriveTable& drives, const CleanDocument& clean) {
    const auto source = drives.toHost(command.source);
    const auto target = drives.toHost(command.target);
    std::error_code error;
    if (!source || !std::filesystem::is_regular_file(*source, error)) {
        throw Failure(failure::FileNotFound, "Cleaner");
    }
    if (!target) {
        throw Failure(failure::PathNotFound, "Cleaner");
    }
    if (std::filesystem::equivalent(*source, *target, error)) {
        throw Failure(failure::PermissionDenied, "The source cannot be its own target", "Cleaner");
    }
    if (!command.overwrite && std::filesystem::exists(*target, error)) {
        throw Failure(failure::FileAlreadyExists, "Cleaner");
    }
    clean(format, *source, *target);
}

} // namespace

std::optional<CleanerCommand> parseCleanerCommand(const std::vector<std::string>& arguments) {
    CleanerCommand command;
    std::vector<std::string> paths;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (!argument.starts_with('/')) {
            paths.push_back(argument);
        } else if (text::equalsIgnoreCase(argument, "/o")) {
            command.overwrite = true;
        } else if (text::equalsIgnoreCase(argument, "/m")) {
            command.quiet = true;
        } else if (text::equalsIgnoreCase(argument, "/n:a")) {
            // Every kind of hidden data: what the cleaner always removes.
        } else if (startsWithIgnoreCase(argument, "/l:")) {
            command.logFile = argument.substr(3);
            if (command.logFile.empty()) {
                if (i + 1 == arguments.size()) {
                    return std::nullopt;
                }
                command.logFile = arguments[++i];
            }
        } else {
            return std::nullopt;
        }
    }
    if (paths.size() != 2 || paths[0].empty() || paths[1].empty()) {
        return std::nullopt;
    }
    command.source = paths[0];
    command.target = paths[1];
    return command;
}

int runCleaner(const std::vector<std::string>& arguments, const posix::DriveTable& drives,
               const CleanDocument& clean) {
    const std::optional<CleanerCommand> command = parseCleanerCommand(arguments);
    if (!command) {
        std::fputs("usage: offrhd.exe <source> <target> [/o] [/n:a] [/l:<log file>] [/m]\n",
                   stderr);
        return BadCommand;
    }
    const auto hostLog = command->logFile.empty() ? std::nullopt : drives.toHost(command->logFile);
    const auto fail = [&](const std::string& description, int exit) {
        appendLog(hostLog, "Ikke renset: " + command->source + ": " + description);
        if (!command->quiet) {
            std::fprintf(stderr, "%s: %s\n", command->source.c_str(), description.c_str());
        }
        return exit;
    };
    const auto format = cleanableFormat(command->source);
    if (!format) {
        return fail("Dokumenttypen kan ikke renses", Unsupported);
    }
    try {
        cleanCommand(*command, *format, drives, clean);
    } catch (const Failure& failure) {
        return fail(failure.description(), NotCleaned);
    }
    appendLog(hostLog, "Renset: " + command->source + " til " + command->target);
    return Cleaned;
}

} // namespace lexi
