#include "platform/fake/failing_file_system.h"

#include "platform/failure.h"

namespace lexi::fake {
namespace {

const char* const Source = "FileSystem";

[[noreturn]] void refuse() {
    throw Failure(failure::PermissionDenied, Source);
}

} // namespace

bool FailingFileSystem::failsNow() {
    return ++changes_ == failAt_;
}

template <typename Write> void FailingFileSystem::failHalfWay(std::string_view bytes, Write write) {
    // Whatever stops the half from landing, the disk is full all the same.
    ignoringFailure([&] { write(bytes.substr(0, bytes.size() / 2)); });
    throw Failure(failure::DiskFull, Source);
}

void FailingFileSystem::setAttributes(std::string_view path, int attributes) {
    if (failsNow()) {
        refuse();
    }
    files_.setAttributes(path, attributes);
}

void FailingFileSystem::copyFile(std::string_view from, std::string_view to, bool overwrite) {
    if (failsNow()) {
        if (!overwrite && files_.exists(to)) {
            throw Failure(failure::FileAlreadyExists, Source);
        }
        failHalfWay(files_.readFile(from),
                    [&](std::string_view half) { files_.writeFile(to, half); });
    }
    files_.copyFile(from, to, overwrite);
}

void FailingFileSystem::moveFile(std::string_view from, std::string_view to) {
    if (failsNow()) {
        refuse();
    }
    files_.moveFile(from, to);
}

void FailingFileSystem::replaceFile(std::string_view from, std::string_view to) {
    if (failsNow()) {
        refuse();
    }
    files_.replaceFile(from, to);
}

void FailingFileSystem::deleteFile(std::string_view path, bool force) {
    if (failsNow()) {
        refuse();
    }
    files_.deleteFile(path, force);
}

void FailingFileSystem::createFolder(std::string_view path) {
    if (failsNow()) {
        refuse();
    }
    files_.createFolder(path);
}

void FailingFileSystem::removeFolder(std::string_view path, bool recursive) {
    if (failsNow()) {
        refuse();
    }
    files_.removeFolder(path, recursive);
}

void FailingFileSystem::writeFile(std::string_view path, std::string_view bytes) {
    if (failsNow()) {
        failHalfWay(bytes, [&](std::string_view half) { files_.writeFile(path, half); });
    }
    files_.writeFile(path, bytes);
}

void FailingFileSystem::appendToFile(std::string_view path, std::string_view bytes,
                                     std::int64_t emptyAbove) {
    if (failsNow()) {
        throw Failure(failure::DiskFull, Source);
    }
    files_.appendToFile(path, bytes, emptyAbove);
}

} // namespace lexi::fake
