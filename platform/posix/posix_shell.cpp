#include "platform/posix/posix_shell.h"

#include "platform/text.h"

#include <array>
#include <cstdlib>
#include <dlfcn.h>
#include <fcntl.h>
#include <fstream>
#include <gio/gio.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace lexi::posix {
namespace {

constexpr int FileNotFound = 2;
constexpr int PathNotFound = 3;
constexpr int AccessDenied = 5;
constexpr int NoAssociation = 31;

constexpr std::array<std::string_view, 4> OpeningVerbs = {"open", "edit", "explore", "openas"};

// Starts a program with its arguments in a folder; its id, or -1.
pid_t spawn(const std::vector<std::string>& arguments, const std::string& folder,
            bool quiet = false) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!folder.empty()) {
        posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    }
    if (quiet) {
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    }
    pid_t child = -1;
    const int rc = ::posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return rc == 0 ? child : -1;
}

// The name of the print service's default printer; empty when it has none.
std::string defaultPrinter() {
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

bool isPdfWriter(std::string_view printer) {
    std::string name = text::toLower(printer);
    for (char& c : name) {
        if (c == '_' || c == '-') {
            c = ' ';
        }
    }
    return name == "lexitray pdf writer";
}

// The few calls of GIO the association check makes, from the library loaded
// at run time.
struct Gio {
    decltype(&g_content_type_guess) contentTypeGuess = nullptr;
    decltype(&g_app_info_get_default_for_type) defaultForType = nullptr;
    decltype(&g_object_unref) objectUnref = nullptr;
    decltype(&g_free) free = nullptr;

    // Null when GIO cannot be loaded.
    static const Gio* load() {
        static const Gio loaded = [] {
            Gio gio;
            void* library = ::dlopen("libgio-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
            if (!library) {
                return gio;
            }
            gio.contentTypeGuess = reinterpret_cast<decltype(gio.contentTypeGuess)>(
                ::dlsym(library, "g_content_type_guess"));
            gio.defaultForType = reinterpret_cast<decltype(gio.defaultForType)>(
                ::dlsym(library, "g_app_info_get_default_for_type"));
            gio.objectUnref =
                reinterpret_cast<decltype(gio.objectUnref)>(::dlsym(library, "g_object_unref"));
            gio.free = reinterpret_cast<decltype(gio.free)>(::dlsym(library, "g_free"));
            return gio;
        }();
        return loaded.contentTypeGuess && loaded.defaultForType && loaded.objectUnref && loaded.free
                   ? &loaded
                   : nullptr;
    }
};

} // namespace

bool desktopHasHandler(const std::string& hostFile) {
    const Gio* gio = Gio::load();
    if (!gio) {
        return true;
    }
    // The name decides, and the first bytes where it does not.
    char head[4096];
    std::ifstream file(hostFile, std::ios::binary);
    file.read(head, sizeof head);
    gboolean uncertain = FALSE;
    gchar* type = gio->contentTypeGuess(hostFile.c_str(), reinterpret_cast<const guchar*>(head),
                                        static_cast<gsize>(file.gcount()), &uncertain);
    GAppInfo* application = gio->defaultForType(type, FALSE);
    gio->free(type);
    if (!application) {
        return false;
    }
    gio->objectUnref(application);
    return true;
}

std::string findOnPath(std::string_view program) {
    const char* path = std::getenv("PATH");
    const std::string_view folders = path ? path : "/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= folders.size()) {
        std::size_t end = folders.find(':', start);
        if (end == std::string_view::npos) {
            end = folders.size();
        }
        const std::string candidate =
            std::string(folders.substr(start, end - start)) + "/" + std::string(program);
        if (end > start && ::access(candidate.c_str(), X_OK) == 0) {
            return candidate;
        }
        start = end + 1;
    }
    return {};
}

PosixShell::PosixShell(const DriveTable& drives, std::function<void(const std::string&)> note,
                       HandlerLookup hasHandler)
    : drives_(drives), note_(std::move(note)), hasHandler_(std::move(hasHandler)) {}

int PosixShell::execute(std::string_view verb, std::string_view file, std::string_view,
                        std::string_view workingFolder, ShowMode) {
    const auto hostFile = drives_.toHost(file);
    if (!hostFile) {
        return PathNotFound;
    }
    struct stat info {};
    if (::stat(hostFile->c_str(), &info) != 0) {
        struct stat folder {};
        const std::size_t slash = hostFile->rfind('/');
        const std::string parent = slash == std::string::npos ? "." : hostFile->substr(0, slash);
        return ::stat(parent.empty() ? "/" : parent.c_str(), &folder) == 0 ? FileNotFound
                                                                           : PathNotFound;
    }
    if (::access(hostFile->c_str(), R_OK) != 0) {
        return AccessDenied;
    }
    const auto hostFolder = drives_.toHost(workingFolder);
    struct stat folderInfo {};
    const std::string folder =
        hostFolder && ::stat(hostFolder->c_str(), &folderInfo) == 0 && S_ISDIR(folderInfo.st_mode)
            ? *hostFolder
            : std::string();
    const std::string name = text::toLower(verb);
    if (name == "print") {
        return print(*hostFile, folder);
    }
    for (const std::string_view opening : OpeningVerbs) {
        if (name == opening) {
            return open(*hostFile, folder);
        }
    }
    return NoAssociation;
}

int PosixShell::open(const std::string& hostFile, const std::string& hostFolder) {
    if (!hasHandler_(hostFile)) {
        return NoAssociation;
    }
    std::vector<std::string> command;
    if (const std::string xdgOpen = findOnPath("xdg-open"); !xdgOpen.empty()) {
        command = {xdgOpen, hostFile};
    } else if (const std::string gio = findOnPath("gio"); !gio.empty()) {
        command = {gio, "open", hostFile};
    } else {
        note_("Skrivebordet har intet program til at åbne filer (xdg-open eller gio)");
        return NoAssociation;
    }
    return spawn(command, hostFolder) > 0 ? Started : NoAssociation;
}

int PosixShell::print(const std::string& hostFile, const std::string& hostFolder) {
    if (isPdfWriter(defaultPrinter())) {
        note_("Standardprinteren er PDF-printeren, som endnu ikke kan modtage udskrifter");
        return NoAssociation;
    }
    const std::string lp = findOnPath("lp");
    if (lp.empty()) {
        note_("Udskriftstjenesten (lp) findes ikke");
        return NoAssociation;
    }
    // The print service takes the job at once: its answer is waited for.
    const pid_t child = spawn({lp, "--", hostFile}, hostFolder, true);
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
        note_("Udskriftstjenesten tog ikke imod " + drives_.toWindows(hostFile));
        return NoAssociation;
    }
    return Started;
}

} // namespace lexi::posix
