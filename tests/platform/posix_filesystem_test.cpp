#include "platform/failure.h"
#include "platform/posix/posix_filesystem.h"
#include "tests/support/temp_folder.h"

#include <algorithm>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace lexi::posix {
namespace {

namespace fs = std::filesystem;

class PosixFileSystemTest : public ::testing::Test {
protected:
    PosixFileSystemTest()
        : files(DriveTable({{'C', root.str() + "/c"}, {'d', root.str() + "/d/"}, {'Z', "/"}})) {
        fs::create_directories(root.path() / "c" / "Sager" / "12 Ærø");
        fs::create_directories(root.path() / "d");
        std::ofstream(root.path() / "c" / "Sager" / "12 Ærø" / "Brev.DOCX") << "brev";
    }

    int failureOf(const std::function<void()>& call) {
        try {
            call();
        } catch (const Failure& failure) {
            return failure.number();
        }
        return 0;
    }

    testing::TempFolder root;
    PosixFileSystem files;
};

TEST_F(PosixFileSystemTest, FindsComponentsWithoutRegardToCase) {
    EXPECT_TRUE(files.exists("C:\\Sager\\12 Ærø\\Brev.DOCX"));
    EXPECT_TRUE(files.exists("c:\\SAGER\\12 ærø\\brev.docx"));
    EXPECT_TRUE(files.exists("C:/sager/12 ÆRØ/brev.docx"));
    EXPECT_TRUE(files.exists("C:\\Sager\\12 Ærø\\Brev.DOCX "));
    EXPECT_TRUE(files.isFolder("C:\\Sager\\"));
    EXPECT_FALSE(files.isFolder("C:\\Sager\\12 Ærø\\Brev.DOCX"));
    EXPECT_FALSE(files.exists("C:\\Sager\\brev.docx"));
    EXPECT_FALSE(files.exists("Q:\\x"));
    EXPECT_FALSE(files.exists("\\\\server\\share\\x"));
    EXPECT_EQ(files.fileSize("c:\\sager\\12 ærø\\brev.docx"), 4);
}

TEST_F(PosixFileSystemTest, MapsHostPathsBackToDrives) {
    const DriveTable& drives = files.drives();
    EXPECT_EQ(drives.toWindows(root.str() + "/c/Sager"), "C:\\Sager");
    EXPECT_EQ(drives.toWindows(root.str() + "/c"), "C:\\");
    EXPECT_EQ(drives.toWindows(root.str() + "/d/x/y.txt"), "D:\\x\\y.txt");
    // A folder beside a drive's folder belongs to the drive of "/".
    std::string beside = "Z:" + root.str() + "/cc";
    std::replace(beside.begin(), beside.end(), '/', '\\');
    EXPECT_EQ(drives.toWindows(root.str() + "/cc"), beside);
    EXPECT_EQ(drives.toWindows("/tmp"), "Z:\\tmp");
    EXPECT_EQ(*drives.toHost("C:\\Sager\\..\\Sager\\.\\ny mappe"),
              root.str() + "/c/Sager/ny mappe");
}

TEST_F(PosixFileSystemTest, ReportsTheRuntimesFailureNumbers) {
    EXPECT_EQ(failureOf([&] { files.fileSize("C:\\Sager\\mangler.doc"); }), failure::FileNotFound);
    EXPECT_EQ(failureOf([&] { files.fileSize("C:\\Mangler\\x.doc"); }), failure::PathNotFound);
    EXPECT_EQ(failureOf([&] { files.readFile("Q:\\x.doc"); }), failure::PathNotFound);
    EXPECT_EQ(failureOf([&] { files.createFolder("C:\\Sager"); }), failure::PathFileAccessError);
    EXPECT_EQ(failureOf([&] { files.removeFolder("C:\\Sager", false); }),
              failure::PathFileAccessError);
    EXPECT_EQ(failureOf([&] {
                  files.copyFile("C:\\Sager\\12 Ærø\\brev.docx", "C:\\Sager\\12 Ærø\\brev.docx",
                                 false);
              }),
              failure::FileAlreadyExists);
}

TEST_F(PosixFileSystemTest, ProtectsReadOnlyFilesUnlessForced) {
    const std::string file = "C:\\Sager\\12 Ærø\\Brev.docx";
    files.setAttributes(file, attribute::ReadOnly);
    EXPECT_TRUE(files.attributes(file) & attribute::ReadOnly);
    EXPECT_EQ(failureOf([&] { files.deleteFile(file, false); }), failure::PermissionDenied);
    EXPECT_EQ(failureOf([&] { files.copyFile(file, file, true); }), failure::PermissionDenied);
    files.deleteFile(file, true);
    EXPECT_FALSE(files.exists(file));
}

TEST_F(PosixFileSystemTest, ListsByWildcardWithoutRegardToCase) {
    for (const char* name : {"a.doc", "B.DOC", "c.docx", "d.txt"}) {
        files.writeFile(std::string("C:\\Sager\\") + name, "x");
    }
    EXPECT_EQ(files.list("C:\\sager\\*.doc"), (std::vector<std::string>{"a.doc", "B.DOC"}));
    EXPECT_EQ(files.list("C:\\Sager\\?.doc*"),
              (std::vector<std::string>{"a.doc", "B.DOC", "c.docx"}));
    EXPECT_TRUE(files.list("C:\\Mangler\\*").empty());
    EXPECT_TRUE(matchesWildcard("Ærø.txt", "æ*Ø.TXT"));
    EXPECT_FALSE(matchesWildcard("abc", "a?"));
    EXPECT_FALSE(matchesWildcard(std::string(60, 'a'), std::string(30, '*') + "b*"));
}

TEST_F(PosixFileSystemTest, EmptiesAnOvergrownFileBeforeAppending) {
    const std::string file = "C:\\log.txt";
    files.writeFile(file, std::string(10, 'x'));
    files.appendToFile(file, "a", 10);
    EXPECT_EQ(files.readFile(file), std::string(10, 'x') + "a");
    files.appendToFile(file, "b", 10);
    EXPECT_EQ(files.readFile(file), "b");
    files.appendToFile(file, "c", -1);
    EXPECT_EQ(files.readFile(file), "bc");
}

TEST_F(PosixFileSystemTest, AppendsOfManyProcessesNeitherInterleaveNorGetLost) {
    const std::string file = "C:\\shared.log";
    constexpr int Writers = 8;
    constexpr int LinesEach = 300;
    std::vector<pid_t> children;
    for (int w = 0; w < Writers; ++w) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            const std::string line = std::string(200, static_cast<char>('a' + w)) + "\r\n";
            for (int i = 0; i < LinesEach; ++i) {
                files.appendToFile(file, line, 1'000'000'000);
            }
            ::_exit(0);
        }
        children.push_back(child);
    }
    for (const pid_t child : children) {
        ::waitpid(child, nullptr, 0);
    }
    const std::string all = files.readFile(file);
    ASSERT_EQ(all.size(), static_cast<std::size_t>(Writers * LinesEach * 202));
    for (std::size_t at = 0; at < all.size(); at += 202) {
        ASSERT_EQ(all.substr(at, 200), std::string(200, all[at])) << "torn line at " << at;
    }
}

} // namespace
} // namespace lexi::posix
