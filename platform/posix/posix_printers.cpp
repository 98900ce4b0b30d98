#include "platform/posix/posix_printers.h"

#include "platform/posix/argument_vector.h"
#include "platform/posix/search_path.h"
#include "platform/printer_values.h"
#include "platform/shell.h"
#include "platform/text.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <random>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace lexi::posix {
namespace {

// The PDF writer driver's job settings.
constexpr std::string_view SettingsKey = "Software\\Lexitray PDF Writer";

// Printer names are compared as Windows compares them, without regard to
// letter case.
bool isPdfWriter(std::string_view printer) {
    return text::equalsIgnoreCase(printer, PdfWriterName);
}

// Runs a program with its output discarded and waits for it: whether it
// ended well.
bool runQuietly(const std::vector<std::string>& arguments) {
    std::vector<char*> argv = argumentVector(arguments);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t child = -1;
    const int rc = ::posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    return rc == 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

// Starts a program apart from this process: in a session of its own, with no
// terminal and no inherited output (a reader of this process's output does
// not wait for it), and not a child of this process (nothing has to wait for
// it when it ends). Whether it was started.
bool startDetached(const std::vector<std::string>& arguments) {
    std::vector<char*> argv = argumentVector(arguments);
    // Tells the starter the error of a program that could not be run; closed
    // unused when it runs.
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0) {
        return false;
    }
    // Between fork and exec only calls that are safe in a forked copy of a
    // process with threads.
    const pid_t middle = ::fork();
    if (middle == 0) {
        ::setsid();
        const pid_t job = ::fork();
        if (job == 0) {
            const int null = ::open("/dev/null", O_RDWR);
            for (int stream = 0; stream < 3; ++stream) {
                ::dup2(null, stream);
            }
            ::execve(argv[0], argv.data(), environ);
            const int error = errno;
            [[maybe_unused]] const ssize_t written = ::write(report[1], &error, sizeof error);
            ::_exit(127);
        }
        ::_exit(job > 0 ? 0 : 1);
    }
    ::close(report[1]);
    int status = 0;
    const bool forked = middle > 0 && ::waitpid(middle, &status, 0) == middle &&
                        WIFEXITED(status) && WEXITSTATUS(status) == 0;
    int error = 0;
    const bool failed = ::read(report[0], &error, sizeof error) > 0;
    ::close(report[0]);
    return forked && !failed;
}

// The print service's default printer: $PRINTER, else what `lpstat -d`
// names; empty when there is none.
std::string printServiceDefault() {
    const char* variable = std::getenv("PRINTER");
    if (variable && *variable) {
        return variable;
    }
    const std::string lpstat = findOnPath("lpstat");
    if (lpstat.empty()) {
        return {};
    }
    int pipe[2];
    if (::pipe(pipe) != 0) {
        return {};
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipe[1], 1);
    posix_spawn_file_actions_addclose(&actions, pipe[0]);
    const char* argv[] = {lpstat.c_str(), "-d", nullptr};
    pid_t child = -1;
    const int rc = ::posix_spawn(&child, lpstat.c_str(), &actions, nullptr,
                                 const_cast<char* const*>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipe[1]);
    std::string output;
    char buffer[512];
    for (ssize_t got; rc == 0 && (got = ::read(pipe[0], buffer, sizeof buffer)) > 0;) {
        output.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(pipe[0]);
    if (rc == 0) {
        ::waitpid(child, nullptr, 0);
    }
    // "system default destination: Name"
    const std::size_t colon = output.find(':');
    if (colon == std::string::npos) {
        return {};
    }
    std::string name(text::trimSpaces(output.substr(colon + 1)));
    while (!name.empty() && (name.back() == '\n' || name.back() == '\r')) {
        name.pop_back();
    }
    return name;
}

} // namespace

PosixPrinters::PosixPrinters(Registry& registry, const DriveTable& drives, std::string driver,
                             std::function<void(const std::string&)> note)
    : registry_(registry), drives_(drives), driver_(std::move(driver)), note_(std::move(note)) {}

std::string PosixPrinters::defaultPrinter() {
    const std::string name = printer_values::defaultPrinter(registry_);
    return name.empty() ? printServiceDefault() : name;
}

std::string PosixPrinters::port(std::string_view printer) {
    return printer_values::port(registry_, printer);
}

int PosixPrinters::print(std::string_view file, std::string_view printer) {
    const auto hostFile = drives_.toHost(file);
    if (!hostFile) {
        return shellcode::PathNotFound;
    }
    struct stat info {};
    if (::stat(hostFile->c_str(), &info) != 0 || S_ISDIR(info.st_mode)) {
        return shellcode::FileNotFound;
    }
    if (printer.empty()) {
        note_("Der er ingen standardprinter");
        return shellcode::NoAssociation;
    }
    return isPdfWriter(printer) ? printToPdfWriter(*hostFile)
                                : printWithService(*hostFile, printer);
}

bool PosixPrinters::pdfWriterInstalled() {
    return !printer_values::devicesEntry(registry_, PdfWriterName).empty();
}

int PosixPrinters::printToPdfWriter(const std::string& hostFile) {
    if (!pdfWriterInstalled()) {
        note_("Printeren " + std::string(PdfWriterName) + " er ikke installeret");
        return shellcode::NoAssociation;
    }
    const std::string program =
        driver_.find('/') == std::string::npos ? findOnPath(driver_) : driver_;
    if (!program.empty()) {
        std::vector<std::string> arguments = {program, "print", hostFile};
        if (const std::string token = newJobToken(); !token.empty()) {
            arguments.push_back(token);
        }
        if (startDetached(arguments)) {
            return Taken;
        }
    }
    note_("PDF-printerens driver (" + driver_ + ") kan ikke startes");
    return shellcode::NoAssociation;
}

std::string PosixPrinters::newJobToken() {
    std::random_device random;
    char token[20];
    std::snprintf(token, sizeof token, "%08x%08x", random(), random());
    const RegistryValue value{RegistryType::String, std::string(token) + '\0'};
    return registry_.setValue(RegistryRoot::CurrentUser, SettingsKey, JobTokenValue, value) ==
                   RegistryStatus::Ok
               ? token
               : std::string();
}

int PosixPrinters::printWithService(const std::string& hostFile, std::string_view printer) {
    const std::string lp = findOnPath("lp");
    if (lp.empty()) {
        note_("Udskriftstjenesten (lp) findes ikke");
        return shellcode::NoAssociation;
    }
    // The print service takes the job at once: its answer is waited for.
    if (!runQuietly({lp, "-d", std::string(printer), "--", hostFile})) {
        note_("Printeren " + std::string(printer) + " tog ikke imod " +
              drives_.toWindows(hostFile));
        return shellcode::NoAssociation;
    }
    return Taken;
}

} // namespace lexi::posix
