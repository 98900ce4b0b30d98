#include "platform/failure.h"
#include "platform/posix/msgfile/message_file.h"

#include <fstream>
#include <functional>
#include <gtest/gtest.h>

// Messages are written with designated initializers: the fields left out keep
// their defaults, as intended.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

using namespace lexi::msgfile;

namespace {

// The number and description of the failure of the call; "none" when it succeeds.
std::string failureOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const lexi::Failure& failure) {
        return std::to_string(failure.number()) + " " + failure.description();
    }
    return "none";
}

// How reading a file that is not a message fails: the runtime's number and a
// description that says what is wrong.
const std::string NotAMessage =
    std::to_string(lexi::failure::PathFileAccessError) + " Not an Outlook message file: ";

// Overwrites the little-endian 32-bit number at `offset`.
std::string patched(std::string bytes, std::size_t offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[offset + i] = static_cast<char>(value >> (8 * i));
    }
    return bytes;
}

// Sets the size in the directory entry of the stream of that (ASCII) name.
std::string withStreamSize(std::string f, std::string_view name, std::uint32_t size) {
    std::string utf16;
    for (const char c : name) {
        utf16 += {c, '\0'};
    }
    const std::size_t entry = f.find(utf16);
    return patched(std::move(f), entry + 120, size);
}

// Renames "__properties_version1.0" in the directory to an unknown name.
std::string withoutPropertyStream(std::string f) {
    const std::string name("_\0_\0p\0r\0o\0p", 12);
    for (std::size_t at = f.find(name); at != std::string::npos; at = f.find(name, at + 1)) {
        f[at + 4] = 'q';
    }
    return f;
}

TEST(MsgDamagedFile, FailsClearly) {
    // clang-format off
    const std::string f = writeMessage(
        {.subject = "Gyldig", .body = std::string(10'000, 'b'),
         .recipients = {{RecipientType::To, "A", "a@example.dk", "SMTP", ""}},
         .attachments = {{.data = std::string(20'000, 'd'), .longFileName = "d.bin"}}});
    // clang-format on
    // Offsets into the compound file header: the sector size, the first
    // directory sector and the first sector of the allocation table.
    // clang-format off
    const std::pair<const char*, std::string> damaged[] = {
        {"empty", ""}, {"text", std::string(4096, 'x')}, {"only the header", f.substr(0, 512)},
        {"a third", f.substr(0, f.size() / 3)}, {"no property stream", withoutPropertyStream(f)},
        {"directory outside", patched(f, 0x30, 0x00FFFFF0)},
        {"allocation table outside", patched(f, 0x4C, 0x7FFFFFF0)},
        {"huge sectors", patched(f, 0x1E, 0x0009001F)},
        {"a stream longer than its chain", withStreamSize(f, "__substg1.0_37010102", 25'000)},
        {"a stream longer than the file",
         withStreamSize(f, "__substg1.0_00030102", static_cast<std::uint32_t>(f.size()) + 1)},
    };
    // clang-format on
    for (const auto& [what, bytes] : damaged) {
        for (const AttachedData attachedData : {AttachedData::Read, AttachedData::Checked}) {
            EXPECT_TRUE(
                failureOf([&] { readMessage(bytes, attachedData); }).starts_with(NotAMessage))
                << what;
        }
    }
    for (std::size_t size = 0; size < f.size(); size += 509) {
        const std::string seen = failureOf([&] { readMessage(f.substr(0, size)); });
        EXPECT_TRUE(seen == "none" || seen.starts_with(NotAMessage)) << size << ": " << seen;
    }
}

// The user names files by workstation paths: a description never holds the
// host path, nor the system's own wording.
TEST(MsgFile, WritesAndReadsFilesAndKeepsTheHostPathOutOfFailures) {
    const std::string path = testing::TempDir() + "/written.msg";
    writeMessageFile({.subject = "På disk"}, path);
    EXPECT_EQ(readMessageFile(path).subject, "På disk");
    EXPECT_THROW(writeMessageFile({}, testing::TempDir() + "/no/such/folder/x.msg"), lexi::Failure);
    std::ofstream(path) << "hello";
    const std::string notAMessage = failureOf([&] { readMessageFile(path); });
    EXPECT_TRUE(notAMessage.starts_with(NotAMessage) && notAMessage.find(path) == std::string::npos)
        << notAMessage;
    EXPECT_EQ(failureOf([] { readMessageFile(testing::TempDir() + "/none.msg"); }),
              std::to_string(lexi::failure::FileNotFound) + " File not found");
}

} // namespace
