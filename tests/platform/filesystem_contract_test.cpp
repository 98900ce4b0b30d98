// The rules every file system keeps, run against the Linux one over a
// temporary folder and the one in memory; then what only Linux has.

#include "platform/failure.h"
#include "platform/fake/memory_file_system.h"
#include "platform/posix/posix_filesystem.h"
#include "platform/windows_path.h"
#include "tests/support/temp_folder.h"

#include <algorithm>
#include <cerrno>
#include <functional>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace lexi {
namespace {

namespace fs = std::filesystem;

// Drives C: and D: in a temporary folder, the temporary folder C:\Temp.
struct PosixMachine {
    PosixMachine() {
        fs::create_directories(root.path() / "c" / "Temp");
        fs::create_directories(root.path() / "d");
    }
    ~PosixMachine() { fs::current_path(previous); }
    void setCurrentFolder(const std::string& path) {
        fs::current_path(*files.drives().toHost(path));
    }

    testing::TempFolder root;
    testing::ScopedVariable temp{"TMPDIR", root.str() + "/c/Temp/"};
    posix::PosixFileSystem files{
        posix::DriveTable({{'C', root.str() + "/c"}, {'d', root.str() + "/d/"}})};
    fs::path previous = fs::current_path();
};

struct MemoryMachine {
    void setCurrentFolder(const std::string& path) { files.setCurrentFolder(path); }
    fake::MemoryFileSystem files{"CD"};
};

const std::string Letter = "C:\\Sager\\12 Ærø\\Brev.DOCX";

template <typename Machine> class FileSystemContract : public ::testing::Test {
protected:
    FileSystemContract() {
        files.createFolder("C:\\Sager");
        files.createFolder("C:\\Sager\\12 Ærø");
        files.writeFile(Letter, "brev");
    }

    int failureOf(const std::function<void(FileSystem&)>& call) {
        try {
            call(files);
        } catch (const Failure& failure) {
            EXPECT_EQ(failure.description(), Failure::describe(failure.number()));
            return failure.number();
        }
        return 0;
    }

    Machine machine;
    FileSystem& files = machine.files;
};

using Machines = ::testing::Types<PosixMachine, MemoryMachine>;
TYPED_TEST_SUITE(FileSystemContract, Machines);

TYPED_TEST(FileSystemContract, FindsPathsAsWindowsReadsThem) {
    struct Case {
        const char* path;
        bool exists, folder;
    } const cases[] = {
        {"C:\\Sager\\12 Ærø\\Brev.DOCX", true, false},
        {"c:\\SAGER\\12 ærø\\brev.docx", true, false},
        {"C:/sager/12 ÆRØ/brev.docx", true, false},
        {"C:\\Sager\\12 Ærø\\Brev.DOCX. ", true, false},
        {"C:\\Sager\\..\\Sager\\.\\\\12 Ærø\\Brev.DOCX", true, false},
        {"C:\\Sager\\", true, true},
        {"C:\\", true, true},
        {"D:\\", true, true},
        {"C:\\Sager\\brev.docx", false, false},
        {"C:\\Sager\\12 Ærø\\Brev.DOCX\\x", false, false},
        {"Q:\\", false, false},
        {"\\\\server\\share\\x", false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(this->files.exists(c.path), c.exists) << c.path;
        EXPECT_EQ(this->files.isFolder(c.path), c.folder) << c.path;
    }
    EXPECT_EQ(this->files.fileSize("c:\\sager\\12 ærø\\brev.docx"), 4);
}

TYPED_TEST(FileSystemContract, ReportsTheRuntimesFailureNumbers) {
    const std::string folder = "C:\\Sager\\12 Ærø\\";
    struct Case {
        const char* what;
        std::function<void(FileSystem&)> call;
        int number;
    } const cases[] = {
        {"size of a missing file", [](FileSystem& f) { f.fileSize("C:\\Sager\\x.doc"); },
         failure::FileNotFound},
        {"size in a missing folder", [](FileSystem& f) { f.fileSize("C:\\Mangler\\x.doc"); },
         failure::PathNotFound},
        {"below a file", [](FileSystem& f) { f.readFile(Letter + "\\x"); }, failure::PathNotFound},
        {"unknown drive", [](FileSystem& f) { f.readFile("Q:\\x.doc"); }, failure::PathNotFound},
        {"UNC path", [](FileSystem& f) { f.writeFile("\\\\server\\x", ""); },
         failure::PathNotFound},
        {"read a folder", [](FileSystem& f) { f.readFile("C:\\Sager"); },
         failure::PathFileAccessError},
        {"write a folder", [](FileSystem& f) { f.writeFile("C:\\Sager", "x"); },
         failure::PathFileAccessError},
        {"write in a missing folder", [](FileSystem& f) { f.writeFile("C:\\Mangler\\x", "x"); },
         failure::PathNotFound},
        {"create an existing folder", [](FileSystem& f) { f.createFolder("C:\\sager"); },
         failure::PathFileAccessError},
        {"create a folder over a file", [](FileSystem& f) { f.createFolder(Letter); },
         failure::PathFileAccessError},
        {"create in a missing folder", [](FileSystem& f) { f.createFolder("C:\\A\\B"); },
         failure::PathNotFound},
        {"remove a full folder", [](FileSystem& f) { f.removeFolder("C:\\Sager", false); },
         failure::PathFileAccessError},
        {"remove a missing folder", [](FileSystem& f) { f.removeFolder("C:\\Mangler", true); },
         failure::FileNotFound},
        {"remove a file as folder", [](FileSystem& f) { f.removeFolder(Letter, true); },
         failure::PathNotFound},
        {"remove a drive", [](FileSystem& f) { f.removeFolder("D:\\", true); },
         failure::PathFileAccessError},
        {"delete a folder", [](FileSystem& f) { f.deleteFile("C:\\Sager", true); },
         failure::FileNotFound},
        {"delete a missing file", [](FileSystem& f) { f.deleteFile("C:\\x.doc", true); },
         failure::FileNotFound},
        {"copy without overwrite",
         [&](FileSystem& f) { f.copyFile(Letter, folder + "brev.docx", false); },
         failure::FileAlreadyExists},
        {"copy onto a folder", [](FileSystem& f) { f.copyFile(Letter, "C:\\Sager", true); },
         failure::PathFileAccessError},
        {"copy a folder", [](FileSystem& f) { f.copyFile("C:\\Sager", "C:\\Kopi", true); },
         failure::PathFileAccessError},
        {"copy a missing file", [](FileSystem& f) { f.copyFile("C:\\x", "C:\\y", true); },
         failure::FileNotFound},
        {"copy to a missing folder", [](FileSystem& f) { f.copyFile(Letter, "C:\\M\\x", true); },
         failure::PathNotFound},
        {"move onto a file", [](FileSystem& f) { f.moveFile(Letter, Letter); },
         failure::FileAlreadyExists},
        {"move a missing file", [](FileSystem& f) { f.moveFile("C:\\x", "C:\\y"); },
         failure::FileNotFound},
        {"move to a missing folder", [](FileSystem& f) { f.moveFile(Letter, "C:\\M\\x"); },
         failure::PathNotFound},
        {"replace from a missing file", [](FileSystem& f) { f.replaceFile("C:\\x", Letter); },
         failure::FileNotFound},
        {"replace in a missing folder", [](FileSystem& f) { f.replaceFile(Letter, "C:\\M\\x"); },
         failure::PathNotFound},
        {"replace a folder", [](FileSystem& f) { f.replaceFile(Letter, "C:\\Sager"); },
         failure::PathFileAccessError},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(this->failureOf(c.call), c.number) << c.what;
    }
    EXPECT_TRUE(this->files.exists(Letter));
}

TYPED_TEST(FileSystemContract, ProtectsReadOnlyFilesUnlessForced) {
    FileSystem& files = this->files;
    EXPECT_EQ(files.attributes(Letter), attribute::Archive);
    EXPECT_EQ(files.attributes("C:\\Sager"), attribute::Directory);
    files.writeFile("C:\\.skjult", "");
    EXPECT_EQ(files.attributes("C:\\.skjult"), attribute::Archive | attribute::Hidden);

    files.setAttributes(Letter, attribute::ReadOnly);
    EXPECT_EQ(files.attributes(Letter), attribute::Archive | attribute::ReadOnly);
    EXPECT_EQ(this->failureOf([](FileSystem& f) { f.deleteFile(Letter, false); }),
              failure::PermissionDenied);
    files.writeFile("C:\\ny.docx", "ny");
    EXPECT_EQ(this->failureOf([](FileSystem& f) { f.copyFile("C:\\ny.docx", Letter, true); }),
              failure::PermissionDenied);
    // A copy is read-only as its original.
    files.copyFile(Letter, "C:\\kopi.docx", false);
    EXPECT_TRUE(files.attributes("C:\\kopi.docx") & attribute::ReadOnly);
    files.deleteFile(Letter, true);
    EXPECT_FALSE(files.exists(Letter));
}

TYPED_TEST(FileSystemContract, CopiesMovesAndReplacesFiles) {
    FileSystem& files = this->files;
    files.copyFile(Letter, "C:\\Kopi.docx", false);
    files.writeFile(Letter, "ny");
    files.copyFile(Letter, "C:\\kopi.DOCX", true);
    EXPECT_EQ(files.readFile("C:\\Kopi.docx"), "ny");
    EXPECT_EQ(files.list("C:\\kopi*"), std::vector<std::string>{"Kopi.docx"});

    files.moveFile("C:\\Kopi.docx", "D:\\Flyttet.docx");
    EXPECT_FALSE(files.exists("C:\\Kopi.docx"));
    files.writeFile("D:\\ny.tmp", "nyeste");
    files.replaceFile("D:\\ny.tmp", "d:\\flyttet.docx");
    EXPECT_EQ(files.list("D:\\*"), std::vector<std::string>{"Flyttet.docx"});
    EXPECT_EQ(files.readFile("D:\\Flyttet.docx"), "nyeste");

    // A folder moves with all it holds.
    files.moveFile("C:\\Sager", "D:\\Arkiv");
    EXPECT_EQ(files.readFile("D:\\Arkiv\\12 Ærø\\Brev.docx"), "ny");
    EXPECT_FALSE(files.exists("C:\\Sager"));
}

TYPED_TEST(FileSystemContract, CreatesAndRemovesFolders) {
    FileSystem& files = this->files;
    files.createFolder("C:\\Sager\\13\\");
    files.removeFolder("C:\\Sager\\13", false);
    files.createFolder("C:\\Sager 2");
    files.removeFolder("C:\\Sager", true);
    EXPECT_FALSE(files.exists("C:\\Sager"));
    EXPECT_TRUE(files.isFolder("C:\\Sager 2"));
}

TYPED_TEST(FileSystemContract, KeepsTheBytesOfTextFiles) {
    const std::string bytes = std::string("\xC6\xF8\xE5\r\n\0x", 7);
    this->files.writeFile("C:\\tekst.txt", bytes);
    EXPECT_EQ(this->files.readFile("c:\\TEKST.txt"), bytes);
    EXPECT_EQ(this->files.fileSize("C:\\tekst.txt"), 7);
}

TYPED_TEST(FileSystemContract, ListsByWildcardWithoutRegardToCase) {
    FileSystem& files = this->files;
    for (const char* name : {"c.docx", "B.DOC", "a.doc", "d.txt"}) {
        files.writeFile(std::string("C:\\Sager\\") + name, "x");
    }
    files.createFolder("C:\\Sager\\a b");
    files.writeFile("C:\\Sager\\a b\\inde.doc", "x");
    EXPECT_EQ(files.list("C:\\sager\\*.doc"), (std::vector<std::string>{"a.doc", "B.DOC"}));
    EXPECT_EQ(files.list("C:/Sager/?.doc*"),
              (std::vector<std::string>{"a.doc", "B.DOC", "c.docx"}));
    EXPECT_EQ(files.list("C:\\Sager\\"),
              (std::vector<std::string>{"12 Ærø", "a b", "a.doc", "B.DOC", "c.docx", "d.txt"}));
    EXPECT_TRUE(files.list("C:\\Mangler\\*").empty());
    EXPECT_TRUE(files.list("Q:\\*").empty());
}

TYPED_TEST(FileSystemContract, ReadsPathsWithoutADriveFromTheCurrentFolder) {
    this->machine.setCurrentFolder("C:\\Sager\\12 Ærø");
    EXPECT_EQ(this->files.currentFolder(), "C:\\Sager\\12 Ærø");
    EXPECT_EQ(this->files.readFile("brev.docx"), "brev");
    EXPECT_EQ(this->files.list("*.docx"), std::vector<std::string>{"Brev.DOCX"});
    EXPECT_TRUE(this->files.isFolder("\\Sager"));
    EXPECT_TRUE(this->files.exists("..\\12 Ærø\\Brev.docx"));

    const std::string temp = this->files.tempFolder();
    EXPECT_EQ(temp, "C:\\Temp");
    this->files.writeFile(temp + "\\x.tmp", "x");
}

TYPED_TEST(FileSystemContract, EmptiesAnOvergrownFileBeforeAppending) {
    const std::string file = "C:\\log.txt";
    this->files.writeFile(file, std::string(10, 'x'));
    this->files.appendToFile(file, "a", 10);
    EXPECT_EQ(this->files.readFile(file), std::string(10, 'x') + "a");
    this->files.appendToFile(file, "b", 10);
    EXPECT_EQ(this->files.readFile(file), "b");
    this->files.appendToFile(file, "c", -1);
    EXPECT_EQ(this->files.readFile(file), "bc");
}

TEST(MemoryFileSystem, FailsTheChangeAskedFor) {
    fake::MemoryFileSystem files;
    files.writeFile("C:\\a.txt", "a");
    files.failChange(2, failure::DiskFull);
    files.writeFile("C:\\b.txt", "b");
    try {
        files.appendToFile("C:\\a.txt", "more", -1);
        FAIL();
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.number(), failure::DiskFull);
    }
    files.copyFile("C:\\a.txt", "C:\\c.txt", false);
    EXPECT_EQ(files.readFile("C:\\c.txt"), "a");
    EXPECT_EQ(files.changes(), 4);
}

TEST(Wildcard, MatchesWithoutRegardToCaseAndWithoutRunaways) {
    EXPECT_TRUE(matchesWildcard("Ærø.txt", "æ*Ø.TXT"));
    EXPECT_FALSE(matchesWildcard("abc", "a?"));
    EXPECT_FALSE(matchesWildcard(std::string(60, 'a'), std::string(30, '*') + "b*"));
}

// What only the Linux file system has: host folders behind the drives, other
// processes, and the C library's error numbers.

TEST(DriveTable, MapsHostPathsBackToDrives) {
    testing::TempFolder root;
    const posix::DriveTable drives(
        {{'C', root.str() + "/c"}, {'d', root.str() + "/d/"}, {'Z', "/"}});
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

TEST(FailureFromErrno, GivesTheRuntimesNumberAndTextOnly) {
    testing::TempFolder root;
    const std::string inRoot = root.str() + "/x.msg";
    const std::string inMissing = root.str() + "/mangler/x.msg";
    struct Case {
        int error;
        const std::string& path;
        int number;
    } const cases[] = {
        {ENOENT, inRoot, failure::FileNotFound},    {ENOENT, inMissing, failure::PathNotFound},
        {ENOTDIR, inRoot, failure::PathNotFound},   {EACCES, inRoot, failure::PermissionDenied},
        {EPERM, inRoot, failure::PermissionDenied}, {EEXIST, inRoot, failure::FileAlreadyExists},
        {ENOSPC, inRoot, failure::DiskFull},        {EINVAL, inRoot, failure::PathFileAccessError},
    };
    for (const Case& c : cases) {
        const Failure failure = failureFromErrno(c.error, c.path, "Test");
        EXPECT_EQ(failure.number(), c.number) << c.error;
        EXPECT_EQ(failure.description(), Failure::describe(c.number));
    }
}

TEST(PosixFileSystem, AppendsOfManyProcessesNeitherInterleaveNorGetLost) {
    testing::TempFolder root;
    posix::PosixFileSystem files(posix::DriveTable({{'C', root.str()}}));
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
} // namespace lexi
