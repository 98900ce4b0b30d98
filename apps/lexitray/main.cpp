// lexitray: started once per request by the case-management system, with one
// argument text.

#include "apps/lexitray/linux_platform.h"
#include "apps/lexitray/program_run.h"

#include <string>

namespace {

// The request as one text. The case-management system passes one argument
// text, which the shell may have split at its spaces: the words are joined
// again with single spaces.
std::string commandLineOf(int argc, char** argv) {
    std::string line;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) {
            line += ' ';
        }
        line += argv[i];
    }
    return line;
}

} // namespace

int main(int argc, char** argv) {
    // A user at a desktop must see every question: without its windows the
    // program ends rather than answer them unseen.
    lexi::LinuxPlatform linuxPlatform(std::make_unique<lexi::posix::NoWindows>(),
                                      lexi::WithoutDesktopUi::ProgramEnds);
    return lexi::runProgram(
        linuxPlatform.platform(), commandLineOf(argc, argv), [&linuxPlatform](lexi::RunLog& log) {
            linuxPlatform.setNotes([&log](const std::string& note) { log.WriteLog(note); });
        });
}
