#include "apps/lexitray/ui_choice.h"

#include "apps/lexitray/lazy_qt_ui.h"
#include "platform/script/scripted_ui.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

namespace lexi {
namespace {

std::string variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string readWhole(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

script::ScriptedUi::Transcript transcriptTo(const std::string& path) {
    if (path.empty()) {
        return [](const script::Record& record) {
            std::fprintf(stderr, "%s\n", record.toLine().c_str());
        };
    }
    // Each record is appended on its own, so a transcript shared by several
    // runs keeps them in the order they happened.
    return [path](const script::Record& record) {
        std::ofstream file(path, std::ios::binary | std::ios::app);
        file << record.toLine() << '\n';
    };
}

// A tray window with nothing left to do waits, as the program in the
// notification area does, until it is stopped.
void waitUntilStopped() {
    for (;;) {
        ::pause();
    }
}

std::unique_ptr<Ui> scriptedUi() {
    const std::string scriptPath = variable("LEXITRAY_UI_SCRIPT");
    const std::string script = scriptPath.empty() ? std::string() : readWhole(scriptPath);
    return std::make_unique<script::ScriptedUi>(
        script, transcriptTo(variable("LEXITRAY_UI_TRANSCRIPT")), waitUntilStopped);
}

bool displayExists() {
    return !variable("DISPLAY").empty() || !variable("WAYLAND_DISPLAY").empty();
}

} // namespace

std::unique_ptr<Ui> chooseUi() {
    const std::string choice = variable("LEXITRAY_UI");
    if (choice == "script") {
        return scriptedUi();
    }
    if (choice == "qt" || displayExists()) {
        return std::make_unique<LazyQtUi>(scriptedUi);
    }
    return scriptedUi();
}

} // namespace lexi
