#include "apps/lexitray/scripted_ui_choice.h"

#include "platform/script/scripted_ui.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace lexi {
namespace {

// A UTF-8 path as the file system takes it, on Windows too.
std::filesystem::path pathOf(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string readWhole(const std::string& path) {
    std::ifstream file(pathOf(path), std::ios::binary);
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
    return [file = pathOf(path)](const script::Record& record) {
        std::ofstream out(file, std::ios::binary | std::ios::app);
        out << record.toLine() << '\n';
    };
}

} // namespace

std::unique_ptr<Ui>
scriptedUiFromEnvironment(const std::function<std::string(const char* name)>& variable,
                          std::function<void()> idle) {
    const std::string scriptPath = variable("LEXITRAY_UI_SCRIPT");
    const std::string script = scriptPath.empty() ? std::string() : readWhole(scriptPath);
    return std::make_unique<script::ScriptedUi>(
        script, transcriptTo(variable("LEXITRAY_UI_TRANSCRIPT")), std::move(idle));
}

} // namespace lexi
