#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace lexi {

// The image name of the program's processes, by which "stop" finds them and
// a request tells whether the one that left something behind still runs.
inline constexpr const char* ImageName = "lexitray.exe";

// The values one run of the program shares between its features: set by
// start-up and by the chosen mode, read by the rest.
struct ProgramState {
    // Everything after the program name, as one text.
    std::string commandLine;
    // Where the exchange files are read; ends in "\" when set as intended.
    std::string exchangeFolder;
    // The local folder setting as read at start-up: the run log and the
    // callback files live here.
    std::string startupLocalFolder;

    // The document request of a document command.
    std::string Dokument;
    std::string DDEKommando;
    std::string DocumentID;

    // Set by the blind-copy mail mode.
    bool BccModtagere = false;
    // Set while the attachment naming dialog is loaded, with the way to give
    // that dialog the focus.
    bool mergeDialogOpen = false;
    std::function<void()> focusMergeDialog;
    // The document launcher's StartProgram, set by the program's frame, for
    // the features below it that hand a document to the shell: the shell's
    // number, 0 when the shell was not asked.
    std::function<int(std::string_view Dokument, std::string_view DDEKommando)> StartProgram;
};

} // namespace lexi
