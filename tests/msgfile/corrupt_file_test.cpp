#include "platform/failure.h"
#include "platform/posix/msgfile/message_file.h"
#include "tests/msgfile/sample_files.h"

#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <iterator>

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

void expectNotAMessageFile(const std::string& bytes) {
    try {
        readMessage(bytes);
        FAIL() << "read without complaint";
    } catch (const lexi::Failure& failure) {
        EXPECT_EQ(failure.number(), lexi::failure::PathFileAccessError);
        EXPECT_TRUE(failure.description().starts_with("Not an Outlook message file: "))
            << failure.description();
    }
}

// Overwrites the little-endian 32-bit number at `offset`.
std::string patched(std::string bytes, std::size_t offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[offset + i] = static_cast<char>(value >> (8 * i));
    }
    return bytes;
}

struct Damage {
    const char* name;
    std::function<std::string(std::string)> apply;
};

class MsgDamagedFile : public testing::TestWithParam<Damage> {};

TEST_P(MsgDamagedFile, FailsClearly) {
    expectNotAMessageFile(GetParam().apply(validFile()));
}

// Offsets into the compound file header (MS-CFB 2.2).
constexpr std::size_t SectorShift = 0x1E;
constexpr std::size_t FirstDirectorySector = 0x30;
constexpr std::size_t FirstFatSector = 0x4C;

INSTANTIATE_TEST_SUITE_P(
    Damages, MsgDamagedFile,
    testing::Values(Damage{"Empty",
                           [](std::string) {
                               return std::string();
                           }},
                    Damage{"PlainText",
                           [](std::string) {
                               return std::string(4096, 'x');
                           }},
                    Damage{"OnlyTheHeader",
                           [](std::string f) {
                               return f.substr(0, 512);
                           }},
                    Damage{"TruncatedToAThird",
                           [](std::string f) {
                               return f.substr(0, f.size() / 3);
                           }},
                    Damage{"DirectoryPointsOutside",
                           [](std::string f) {
                               return patched(f, FirstDirectorySector, 0x00FFFFF0);
                           }},
                    Damage{"FatPointsOutside",
                           [](std::string f) {
                               return patched(f, FirstFatSector, 0x7FFFFFF0);
                           }},
                    Damage{"HugeSectorSize",
                           [](std::string f) {
                               return patched(f, SectorShift, 0x0009001F);
                           }},
                    Damage{"NoPropertyStream",
                           [](std::string f) {
                               // Renames "__properties_version1.0" in the directory to an unknown
                               // name.
                               for (std::size_t at = f.find("_\0_\0p\0r\0o\0p", 0, 12);
                                    at != std::string::npos;
                                    at = f.find("_\0_\0p\0r\0o\0p", at + 1, 12)) {
                                   f[at + 4] = 'q';
                               }
                               return f;
                           }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MsgDamagedFile, EveryTruncationFailsClearlyOrReads) {
    const std::string file = validFile();
    for (std::size_t size = 0; size < file.size(); size += 509) {
        try {
            readMessage(file.substr(0, size));
        } catch (const lexi::Failure& failure) {
            EXPECT_EQ(failure.number(), lexi::failure::PathFileAccessError) << size;
        }
    }
}

// The user names files by workstation paths: a description never holds the
// host path, nor the system's own wording.
TEST(MsgFile, FailuresKeepTheHostPathOut) {
    const std::string path = testing::TempDir() + "/not-a-message.msg";
    std::ofstream(path) << "hello";
    try {
        readMessageFile(path);
        FAIL();
    } catch (const lexi::Failure& failure) {
        EXPECT_EQ(failure.number(), lexi::failure::PathFileAccessError);
        EXPECT_EQ(failure.description().find(path), std::string::npos) << failure.description();
    }
    try {
        readMessageFile(testing::TempDir() + "/no-such-file.msg");
        FAIL();
    } catch (const lexi::Failure& failure) {
        EXPECT_EQ(failure.number(), lexi::failure::FileNotFound);
        EXPECT_EQ(failure.description(), "File not found");
    }
}

TEST(MsgFile, WritesAndReadsAFile) {
    const std::string path = testing::TempDir() + "/written.msg";
    Message m;
    m.subject = "På disk";
    writeMessageFile(m, path);
    EXPECT_EQ(readMessageFile(path).subject, "På disk");
}

TEST(MsgFile, WritingIntoAMissingFolderFails) {
    EXPECT_THROW(writeMessageFile(Message{}, testing::TempDir() + "/no/such/folder/x.msg"),
                 lexi::Failure);
}

} // namespace
