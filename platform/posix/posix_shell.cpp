#include "platform/posix/posix_shell.h"

#include "platform/posix/argument_vector.h"
#include "platform/posix/loading/loaded_library.h"
#include "platform/posix/search_path.h"
#include "platform/text.h"

#include <array>
#include <fstream>
#include <gio/gio.h>
#include <spawn.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace lexi::posix {
namespace {

constexpr std::array<std::string_view, 4> OpeningVerbs = {"open", "edit", "explore", "openas"};

// Starts a program with its arguments in a folder; its id, or -1.
pid_t spawn(const std::vector<std::string>& arguments, const std::string& folder) {
    std::vector<char*> argv = argumentVector(arguments);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!folder.empty()) {
        posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    }
    pid_t child = -1;
    const int rc = ::posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return rc == 0 ? child : -1;
}

// The few calls of GIO the association check makes, from the library loaded
// at run time.
struct Gio {
    decltype(&g_content_type_guess) contentTypeGuess = nullptr;
    decltype(&g_app_info_get_default_for_type) defaultForType = nullptr;
    decltype(&g_object_unref) objectUnref = nullptr;
    decltype(&g_free) free = nullptr;
    bool complete = false;

    // Null when GIO cannot be loaded.
    static const Gio* load() {
        static const Gio loaded = [] {
            Gio gio;
            const LoadedLibrary library("libgio-2.0.so.0");
            gio.complete = library.bind(gio.contentTypeGuess, "g_content_type_guess") &&
                           library.bind(gio.defaultForType, "g_app_info_get_default_for_type") &&
                           library.bind(gio.objectUnref, "g_object_unref") &&
                           library.bind(gio.free, "g_free");
            return gio;
        }();
        return loaded.complete ? &loaded : nullptr;
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

PosixShell::PosixShell(const DriveTable& drives, Printers& printers,
                       std::function<void(const std::string&)> note, HandlerLookup hasHandler)
    : drives_(drives), printers_(printers), note_(std::move(note)),
      hasHandler_(std::move(hasHandler)) {}

int PosixShell::execute(std::string_view verb, std::string_view file, std::string_view,
                        std::string_view workingFolder, ShowMode) {
    const auto hostFile = drives_.toHost(file);
    if (!hostFile) {
        return shellcode::PathNotFound;
    }
    struct stat info {};
    if (::stat(hostFile->c_str(), &info) != 0) {
        struct stat folder {};
        const std::size_t slash = hostFile->rfind('/');
        const std::string parent = slash == std::string::npos ? "." : hostFile->substr(0, slash);
        return ::stat(parent.empty() ? "/" : parent.c_str(), &folder) == 0
                   ? shellcode::FileNotFound
                   : shellcode::PathNotFound;
    }
    if (::access(hostFile->c_str(), R_OK) != 0) {
        return shellcode::AccessDenied;
    }
    const auto hostFolder = drives_.toHost(workingFolder);
    struct stat folderInfo {};
    const std::string folder =
        hostFolder && ::stat(hostFolder->c_str(), &folderInfo) == 0 && S_ISDIR(folderInfo.st_mode)
            ? *hostFolder
            : std::string();
    const std::string name = text::toLower(verb);
    if (name == "print") {
        return print(*hostFile);
    }
    for (const std::string_view opening : OpeningVerbs) {
        if (name == opening) {
            return open(*hostFile, folder);
        }
    }
    return shellcode::NoAssociation;
}

int PosixShell::open(const std::string& hostFile, const std::string& hostFolder) {
    if (!hasHandler_(hostFile)) {
        return shellcode::NoAssociation;
    }
    std::vector<std::string> command;
    if (const std::string xdgOpen = findOnPath("xdg-open"); !xdgOpen.empty()) {
        command = {xdgOpen, hostFile};
    } else if (const std::string gio = findOnPath("gio"); !gio.empty()) {
        command = {gio, "open", hostFile};
    } else {
        note_("Skrivebordet har intet program til at åbne filer (xdg-open eller gio)");
        return shellcode::NoAssociation;
    }
    return spawn(command, hostFolder) > 0 ? Started : shellcode::NoAssociation;
}

int PosixShell::print(const std::string& hostFile) {
    return printers_.print(drives_.toWindows(hostFile), printers_.defaultPrinter());
}

} // namespace lexi::posix
