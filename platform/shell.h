#pragma once

#include "platform/processes.h"

#include <string_view>

namespace lexi {

// The shell's answers: a number above LastError when the verb was
// performed, else one of these (or another number from 0 to 32).
namespace shellcode {
inline constexpr int FileNotFound = 2;
inline constexpr int PathNotFound = 3;
inline constexpr int AccessDenied = 5;
inline constexpr int OutOfMemory = 8;
inline constexpr int BadExecutable = 11;
inline constexpr int SharingViolation = 26;
inline constexpr int AssociationIncomplete = 27;
inline constexpr int DdeTimeout = 28;
inline constexpr int DdeFailed = 29;
inline constexpr int DdeBusy = 30;
// No association for the verb; the printers also answer it for a printer
// that is missing or refused the job.
inline constexpr int NoAssociation = 31;
inline constexpr int LibraryNotFound = 32;
inline constexpr int LastError = 32;
} // namespace shellcode

// The shell's launch operation: perform a verb ("open", "print", "edit") on a
// file with the application the file type registers. The answer is one of
// the shell's answers above. It never throws: every failure is an answer.
class Shell {
public:
    virtual ~Shell() = default;

    [[nodiscard]] virtual int execute(std::string_view verb, std::string_view file,
                                      std::string_view parameters, std::string_view workingFolder,
                                      ShowMode mode) = 0;
};

} // namespace lexi
