#include "platform/posix/msgfile/message_file.h"

#include "platform/failure.h"
#include "platform/posix/msgfile/corrupt_file.h"
#include "platform/posix/msgfile/message_reader.h"
#include "platform/posix/msgfile/message_writer.h"

#include <cerrno>
#include <fstream>

namespace lexi::msgfile {
namespace {

constexpr char Source[] = "msgfile";

Failure notAMessageFile(const std::string& what) {
    return Failure(failure::PathFileAccessError, "Not an Outlook message file: " + what, Source);
}

// errno after a failed open, read or write of the file, as a Failure.
Failure fileFailure(const std::string& hostPath) {
    return failureFromErrno(errno, hostPath, Source);
}

} // namespace

Message readMessage(std::string_view fileBytes, AttachedData attachedData) {
    try {
        return parseMessageFile(fileBytes, attachedData);
    } catch (const CorruptFile& corrupt) {
        throw notAMessageFile(corrupt.what());
    }
}

std::string readMessageFileBytes(const std::string& hostPath) {
    errno = 0;
    std::ifstream file(hostPath, std::ios::binary | std::ios::ate);
    const std::streamoff size = file ? static_cast<std::streamoff>(file.tellg()) : 0;
    std::string bytes(static_cast<std::size_t>(size), '\0');
    file.seekg(0);
    file.read(bytes.data(), size);
    if (!file) {
        throw fileFailure(hostPath);
    }
    return bytes;
}

Message readMessageFile(const std::string& hostPath) {
    return readMessage(readMessageFileBytes(hostPath));
}

std::string writeMessage(const Message& message) {
    return buildMessageFile(message);
}

void writeMessageFile(const Message& message, const std::string& hostPath) {
    const std::string bytes = buildMessageFile(message);
    errno = 0;
    std::ofstream file(hostPath, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file) {
        throw fileFailure(hostPath);
    }
}

} // namespace lexi::msgfile
