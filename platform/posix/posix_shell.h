#pragma once

#include "platform/posix/drive_table.h"
#include "platform/printers.h"
#include "platform/shell.h"

#include <functional>
#include <string>

namespace lexi::posix {

// Whether the desktop's association database (GIO's) names a default
// application for the content type of a host file. GIO is loaded on the first
// question, so that a request that opens nothing does not load it; without
// GIO the answer is yes, and the opener decides.
bool desktopHasHandler(const std::string& hostFile);

// The desktop's shell: "open" and the other opening verbs ("edit",
// "explore", "openas") go to the desktop's opener (xdg-open, else gio open),
// "print" to the default printer. The file is one argument of an argument
// vector, never a text for a command shell. The started application is not
// waited for.
class PosixShell final : public Shell {
public:
    // Whether the desktop has an application for a host file.
    using HandlerLookup = std::function<bool(const std::string& hostFile)>;

    // `printers` take the "print" verb's jobs to the default printer; `note`
    // receives what the shell has to say beyond its number (the run log);
    // `hasHandler` answers for the opening verbs before the opener is started.
    PosixShell(const DriveTable& drives, Printers& printers,
               std::function<void(const std::string&)> note,
               HandlerLookup hasHandler = desktopHasHandler);

    int execute(std::string_view verb, std::string_view file, std::string_view parameters,
                std::string_view workingFolder, ShowMode mode) override;

    // The number the shell answers on success.
    static constexpr int Started = 42;

private:
    int print(const std::string& hostFile);
    int open(const std::string& hostFile, const std::string& hostFolder);

    const DriveTable& drives_;
    Printers& printers_;
    std::function<void(const std::string&)> note_;
    HandlerLookup hasHandler_;
};

} // namespace lexi::posix
