#include "platform/failure.h"
#include "platform/posix/msgfile/message_file.h"

#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <optional>

using namespace lexi::msgfile;

namespace {

std::string validFile() {
    Message m;
    m.subject = "Gyldig";
    m.body = std::string(10'000, 'b');
    m.recipients = {{RecipientType::To, "A", "a@example.dk", "SMTP", ""}};
    m.attachments = {{AttachMethod::ByValue, std::string(20'000, 'd'), "", "d.bin", "d", "", -1}};
    return writeMessage(m);
}

// The failure of the call, when it fails.
std::optional<lexi::Failure> failureOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const lexi::Failure& failure) {
        return failure;
    }
    return std::nullopt;
}

// The number of the failure reading `bytes` and whether its description says
// what is wrong; 0 when they read.
int failureReading(const std::string& bytes) {
    const auto failure = failureOf([&] { readMessage(bytes); });
    if (!failure) {
        return 0;
    }
    EXPECT_TRUE(failure->description().starts_with("Not an Outlook message file: "))
        << failure->description();
    return failure->number();
}

// Overwrites the little-endian 32-bit number at `offset`.
std::string patched(std::string bytes, std::size_t offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[offset + i] = static_cast<char>(value >> (8 * i));
    }
    return bytes;
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
    const std::string f = validFile();
    // Offsets into the compound file header: the sector size, the first
    // directory sector and the first sector of the allocation table.
    const std::pair<const char*, std::string> damaged[] = {
        {"empty", ""},
        {"plain text", std::string(4096, 'x')},
        {"only the header", f.substr(0, 512)},
        {"truncated to a third", f.substr(0, f.size() / 3)},
        {"directory outside", patched(f, 0x30, 0x00FFFFF0)},
        {"allocation table outside", patched(f, 0x4C, 0x7FFFFFF0)},
        {"huge sectors", patched(f, 0x1E, 0x0009001F)},
        {"no property stream", withoutPropertyStream(f)},
    };
    for (const auto& [what, bytes] : damaged) {
        EXPECT_EQ(failureReading(bytes), lexi::failure::PathFileAccessError) << what;
    }
    for (std::size_t size = 0; size < f.size(); size += 509) {
        const int number = failureReading(f.substr(0, size));
        EXPECT_TRUE(number == 0 || number == lexi::failure::PathFileAccessError) << size;
    }
}

// The user names files by workstation paths: a description never holds the
// host path, nor the system's own wording.
TEST(MsgFile, WritesAndReadsFilesAndKeepsTheHostPathOutOfFailures) {
    const std::string path = testing::TempDir() + "/written.msg";
    Message m;
    m.subject = "På disk";
    writeMessageFile(m, path);
    EXPECT_EQ(readMessageFile(path).subject, "På disk");
    EXPECT_THROW(writeMessageFile(Message{}, testing::TempDir() + "/no/such/folder/x.msg"),
                 lexi::Failure);

    std::ofstream(path) << "hello";
    const auto notAMessage = failureOf([&] { readMessageFile(path); });
    ASSERT_TRUE(notAMessage);
    EXPECT_EQ(notAMessage->number(), lexi::failure::PathFileAccessError);
    EXPECT_EQ(notAMessage->description().find(path), std::string::npos);
    const auto missing = failureOf([] { readMessageFile(testing::TempDir() + "/none.msg"); });
    ASSERT_TRUE(missing);
    EXPECT_EQ(missing->number(), lexi::failure::FileNotFound);
    EXPECT_EQ(missing->description(), "File not found");
}

} // namespace
