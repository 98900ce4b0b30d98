// casebench-host: loads libcasebench.so and calls its members from the
// command line or from a script, one call a line, printing each result and
// every argument the member changed.
//
//   casebench-host register | unregister
//   casebench-host <Class> <Member> [argument...]
//   casebench-host --script <file>
//
// A class is named "Filfunc" or "Casebench.Filfunc". Arguments are texts;
// the library converts them to the member's declared types. In a script a
// line is split as a Windows command line ("C:\Sager\12" "en tekst"), blank
// lines and lines starting with "#" are skipped, and each class's object
// lives for the whole run.

#include "apps/casebench/casebench.h"
#include "platform/posix/loading/loaded_library.h"
#include "platform/posix/loading/program_folder.h"
#include "platform/windows_command_line.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace {

struct Library {
    decltype(&cb_create) create;
    decltype(&cb_release) release;
    decltype(&cb_member_id) memberId;
    decltype(&cb_parameter_name) parameterName;
    decltype(&cb_invoke) invoke;
    decltype(&cb_variant_set_text) setText;
    decltype(&cb_variant_clear) clear;
    decltype(&cb_register) registerLibrary;
    decltype(&cb_unregister) unregisterLibrary;
};

// The library beside the program (the build folder), else in the installed
// library folder, else wherever the loader finds it.
std::string libraryFile() {
    const std::filesystem::path folder = lexi::posix::programFolder();
    std::error_code error;
    for (const std::filesystem::path& candidate :
         {folder / "libcasebench.so", folder / CASEBENCH_LIBRARY_DIR / "libcasebench.so"}) {
        if (std::filesystem::exists(candidate, error)) {
            return candidate.string();
        }
    }
    return "libcasebench.so";
}

Library load() {
    const lexi::posix::LoadedLibrary loaded(libraryFile());
    if (!loaded.loaded()) {
        std::fprintf(stderr, "casebench-host: libcasebench.so cannot be loaded: %s\n",
                     loaded.error().c_str());
        std::exit(2);
    }
    Library library{};
    const auto bind = [&loaded](auto& function, const char* name) {
        if (!loaded.bind(function, name)) {
            std::fprintf(stderr, "casebench-host: libcasebench.so lacks %s\n", name);
            std::exit(2);
        }
    };
    bind(library.create, "cb_create");
    bind(library.release, "cb_release");
    bind(library.memberId, "cb_member_id");
    bind(library.parameterName, "cb_parameter_name");
    bind(library.invoke, "cb_invoke");
    bind(library.setText, "cb_variant_set_text");
    bind(library.clear, "cb_variant_clear");
    bind(library.registerLibrary, "cb_register");
    bind(library.unregisterLibrary, "cb_unregister");
    return library;
}

std::string shown(const cb_variant& value) {
    switch (value.type) {
    case CB_EMPTY:
        return "Empty";
    case CB_NULL:
        return "Null";
    case CB_INTEGER:
    case CB_LONG:
        return std::to_string(value.value.number);
    case CB_BOOLEAN:
        return value.value.number ? "True" : "False";
    case CB_DOUBLE:
    case CB_DATE:
        return std::to_string(value.value.real);
    case CB_OBJECT:
        return "Object";
    case CB_TEXT: {
        std::string text = "\"";
        for (const char* c = value.value.text; *c; ++c) {
            text += *c == '\r'   ? std::string("\\r")
                    : *c == '\n' ? std::string("\\n")
                    : *c == '"'  ? std::string("\\\"")
                                 : std::string(1, *c);
        }
        return text + "\"";
    }
    default:
        return "?";
    }
}

bool sameValue(const cb_variant& a, const cb_variant& b) {
    return shown(a) == shown(b) && a.type == b.type;
}

class Host {
public:
    explicit Host(Library library) : library_(library) {}
    ~Host() {
        for (auto& [name, object] : objects_) {
            library_.release(object);
        }
    }

    // Runs one call given as words; false when it failed.
    bool run(const std::vector<std::string>& words) {
        cb_error error{};
        if (words.size() == 1 && (words[0] == "register" || words[0] == "unregister")) {
            const int32_t number = words[0] == "register" ? library_.registerLibrary(&error)
                                                          : library_.unregisterLibrary(&error);
            return report(words[0], number, error);
        }
        if (words.size() < 2) {
            std::printf("usage: <Class> <Member> [argument...], register, unregister\n");
            return false;
        }
        const std::string className =
            words[0].find('.') == std::string::npos ? "Casebench." + words[0] : words[0];
        const std::string call = words[0] + "." + words[1];
        cb_object*& object = objects_[className];
        if (!object && library_.create(className.c_str(), &object, &error) != 0) {
            return report(call, error.number, error);
        }
        int32_t id = 0;
        if (library_.memberId(object, words[1].c_str(), &id, &error) != 0) {
            return report(call, error.number, error);
        }
        std::vector<cb_variant> arguments(words.size() - 2);
        std::vector<cb_variant> before(arguments.size());
        for (std::size_t i = 0; i < arguments.size(); ++i) {
            library_.setText(&arguments[i], words[i + 2].c_str());
            library_.setText(&before[i], words[i + 2].c_str());
        }
        cb_variant result{};
        const int32_t number = library_.invoke(
            object, id, arguments.data(), static_cast<int32_t>(arguments.size()), &result, &error);
        const bool succeeded = number == 0;
        if (succeeded) {
            std::printf("%s -> %s\n", call.c_str(), shown(result).c_str());
        } else {
            report(call, number, error);
        }
        for (std::size_t i = 0; i < arguments.size(); ++i) {
            if (!sameValue(arguments[i], before[i])) {
                const char* name = library_.parameterName(object, id, static_cast<int32_t>(i));
                std::printf("  %s := %s\n", name ? name : "?", shown(arguments[i]).c_str());
            }
            library_.clear(&arguments[i]);
            library_.clear(&before[i]);
        }
        library_.clear(&result);
        std::fflush(stdout);
        return succeeded;
    }

private:
    static bool report(const std::string& call, int32_t number, const cb_error& error) {
        if (number == 0) {
            std::printf("%s -> OK\n", call.c_str());
        } else {
            std::printf("%s failed: %d %s\n", call.c_str(), number, error.description);
        }
        std::fflush(stdout);
        return number == 0;
    }

    Library library_;
    std::map<std::string, cb_object*> objects_;
};

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> words(argv + 1, argv + argc);
    if (words.empty()) {
        std::fprintf(stderr, "usage: casebench-host register | unregister\n"
                             "       casebench-host <Class> <Member> [argument...]\n"
                             "       casebench-host --script <file>\n");
        return 2;
    }
    Host host(load());
    if (words[0] != "--script") {
        return host.run(words) ? 0 : 1;
    }
    if (words.size() != 2) {
        std::fprintf(stderr, "casebench-host: --script takes one file\n");
        return 2;
    }
    std::ifstream script(words[1], std::ios::binary);
    if (!script) {
        std::fprintf(stderr, "casebench-host: %s cannot be read\n", words[1].c_str());
        return 2;
    }
    bool allSucceeded = true;
    for (std::string line; std::getline(script, line);) {
        if (line.ends_with('\r')) {
            line.pop_back();
        }
        if (line.find_first_not_of(" \t") == std::string::npos || line.starts_with('#')) {
            continue;
        }
        allSucceeded = host.run(lexi::splitWindowsCommandLine(line)) && allSucceeded;
    }
    return allSucceeded ? 0 : 1;
}
