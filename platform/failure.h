#pragma once

#include <stdexcept>
#include <string>

namespace lexi {

// A run-time failure as the language runtime of the workstation reports it:
// a number, its English description and the place it came from. Platform
// calls that fail throw it (the registry and the shell answer a status
// instead, as their Windows calls do); the core catches it where a procedure
// handles its failures and builds texts such as "Fejl i GemPaaSag: " +
// description() from it.
class Failure : public std::runtime_error {
public:
    // A failure with the runtime's own description of the number.
    explicit Failure(int number, std::string source = {});
    Failure(int number, std::string description, std::string source);

    int number() const { return number_; }
    const std::string& description() const { return description_; }
    const std::string& source() const { return source_; }

    // The runtime's description of a number, "Application-defined or
    // object-defined error" for numbers it does not know.
    static std::string describe(int number);

private:
    int number_;
    std::string description_;
    std::string source_;
};

// The runtime's numbers that the system raises or tests for.
namespace failure {
inline constexpr int InvalidProcedureCall = 5;
inline constexpr int Overflow = 6;
inline constexpr int OutOfMemory = 7;
inline constexpr int SubscriptOutOfRange = 9;
inline constexpr int TypeMismatch = 13;
inline constexpr int BadFileNameOrNumber = 52;
inline constexpr int FileNotFound = 53;
inline constexpr int FileAlreadyOpen = 55;
inline constexpr int DeviceIoError = 57;
inline constexpr int FileAlreadyExists = 58;
inline constexpr int DiskFull = 61;
inline constexpr int InputPastEndOfFile = 62;
inline constexpr int TooManyFiles = 67;
inline constexpr int PermissionDenied = 70;
inline constexpr int PathFileAccessError = 75;
inline constexpr int PathNotFound = 76;
inline constexpr int ObjectNotSet = 91;
inline constexpr int InvalidUseOfNull = 94;
inline constexpr int ObjectRequired = 424;
inline constexpr int CannotCreateObject = 429;
inline constexpr int UnsupportedMember = 438;
inline constexpr int AutomationError = 440;
inline constexpr int WrongArgumentCount = 450;
inline constexpr int ApplicationDefined = 1004;
} // namespace failure

// Runs a step whose failure the caller deliberately ignores: a clean-up or a
// log line that must not stop what goes on around it.
template <typename Step> void ignoringFailure(Step step) {
    try {
        step();
    } catch (const Failure&) {
    }
}

// The failure of a host file call that failed with the C library's error
// number `error` (errno) on `hostPath`, with the runtime's description: a
// missing file is FileNotFound (53) when its folder exists and PathNotFound
// (76) when the folder is missing too. The description never names the host
// path: what the user sees holds workstation paths only.
Failure failureFromErrno(int error, const std::string& hostPath, std::string source);

} // namespace lexi
