#include "platform/failure.h"

#include <cerrno>
#include <filesystem>
#include <utility>

namespace lexi {

Failure::Failure(int number, std::string source)
    : Failure(number, describe(number), std::move(source)) {}

Failure::Failure(int number, std::string description, std::string source)
    : std::runtime_error(description), number_(number), description_(std::move(description)),
      source_(std::move(source)) {}

std::string Failure::describe(int number) {
    switch (number) {
    case 3:
        return "Return without GoSub";
    case 5:
        return "Invalid procedure call or argument";
    case 6:
        return "Overflow";
    case 7:
        return "Out of memory";
    case 9:
        return "Subscript out of range";
    case 11:
        return "Division by zero";
    case 13:
        return "Type mismatch";
    case 52:
        return "Bad file name or number";
    case 53:
        return "File not found";
    case 54:
        return "Bad file mode";
    case 55:
        return "File already open";
    case 57:
        return "Device I/O error";
    case 58:
        return "File already exists";
    case 61:
        return "Disk full";
    case 62:
        return "Input past end of file";
    case 67:
        return "Too many files";
    case 68:
        return "Device unavailable";
    case 70:
        return "Permission denied";
    case 71:
        return "Disk not ready";
    case 75:
        return "Path/File access error";
    case 76:
        return "Path not found";
    case 91:
        return "Object variable or With block variable not set";
    case 94:
        return "Invalid use of Null";
    case 424:
        return "Object required";
    case 429:
        return "ActiveX component can't create object";
    case 438:
        return "Object doesn't support this property or method";
    case 440:
        return "Automation error";
    case 450:
        return "Wrong number of arguments or invalid property assignment";
    default:
        return "Application-defined or object-defined error";
    }
}

Failure failureFromErrno(int error, const std::string& hostPath, std::string source) {
    const auto numberOf = [&] {
        switch (error) {
        case ENOENT: {
            // A bare name (a program on the search path) has no folder to miss.
            const std::filesystem::path folder = std::filesystem::path(hostPath).parent_path();
            std::error_code ignored;
            return folder.empty() || std::filesystem::is_directory(folder, ignored)
                       ? failure::FileNotFound
                       : failure::PathNotFound;
        }
        case ENOTDIR:
            return failure::PathNotFound;
        case EACCES:
        case EPERM:
        case EROFS:
        case ETXTBSY:
            return failure::PermissionDenied;
        case EEXIST:
            return failure::FileAlreadyExists;
        case ENOSPC:
            return failure::DiskFull;
        case EMFILE:
        case ENFILE:
            return failure::TooManyFiles;
        case EIO:
            return failure::DeviceIoError;
        default:
            return failure::PathFileAccessError;
        }
    };
    return Failure(numberOf(), std::move(source));
}

} // namespace lexi
