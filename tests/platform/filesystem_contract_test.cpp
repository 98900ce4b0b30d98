// The rules every file system keeps, run against the Linux one over a
// temporary folder and the one in memory; then what only Linux has.

#include "platform/failure.h"
#include "platform/fake/memory_file_system.h"
#include "platform/posix/posix_filesystem.h"
#include "platform/windows_path.h"
#include "tests/support/child_processes.h"
#include "tests/support/temp_folder.h"

#include <cerrno>
#include <functional>
#include <gtest/gtest.h>
#include <map>

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

using Path = const std::string&;

// The calls of the contract by name, so that a table row reads as the call.
using Call = std::function<void(FileSystem&, Path, Path)>;
const std::map<std::string, Call> Calls = {
    {"size", Call([](FileSystem& f, Path a, Path) { f.fileSize(a); })},
    {"read", Call([](FileSystem& f, Path a, Path) { f.readFile(a); })},
    {"write", Call([](FileSystem& f, Path a, Path) { f.writeFile(a, "x"); })},
    {"mkdir", Call([](FileSystem& f, Path a, Path) { f.createFolder(a); })},
    {"rmdir", Call([](FileSystem& f, Path a, Path) { f.removeFolder(a, false); })},
    {"rmtree", Call([](FileSystem& f, Path a, Path) { f.removeFolder(a, true); })},
    {"delete", Call([](FileSystem& f, Path a, Path) { f.deleteFile(a, false); })},
    {"delete!", Call([](FileSystem& f, Path a, Path) { f.deleteFile(a, true); })},
    {"copy", Call([](FileSystem& f, Path a, Path b) { f.copyFile(a, b, false); })},
    {"copy!", Call([](FileSystem& f, Path a, Path b) { f.copyFile(a, b, true); })},
    {"move", Call([](FileSystem& f, Path a, Path b) { f.moveFile(a, b); })},
    {"replace", Call([](FileSystem& f, Path a, Path b) { f.replaceFile(a, b); })},
};

// The runtime's number of the failure of the named call, 0 when it succeeds.
int failureOf(FileSystem& files, Path call, Path a, Path b = "") {
    try {
        Calls.at(call)(files, a, b);
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.description(), Failure::describe(failure.number()));
        return failure.number();
    }
    return 0;
}

template <typename Machine> class FileSystemContract : public ::testing::Test {
protected:
    FileSystemContract() {
        files.createFolder("C:\\Sager");
        files.createFolder("C:\\Sager\\12 Ærø");
        files.writeFile(Letter, "brev");
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
    using namespace failure;
    struct Case {
        const char* call;
        std::string a, b;
        int number;
    } const cases[] = {
        {"size", "C:\\Sager\\x.doc", "", FileNotFound},
        {"size", "C:\\Mangler\\x.doc", "", PathNotFound},
        {"read", Letter + "\\x", "", PathNotFound},
        {"read", "Q:\\x.doc", "", PathNotFound},
        {"write", "\\\\server\\x", "", PathNotFound},
        {"read", "C:\\Sager", "", PathFileAccessError},
        {"write", "C:\\Sager", "", PathFileAccessError},
        {"write", "C:\\Mangler\\x", "", PathNotFound},
        {"mkdir", "C:\\sager", "", PathFileAccessError},
        {"mkdir", Letter, "", PathFileAccessError},
        {"mkdir", "C:\\A\\B", "", PathNotFound},
        {"rmdir", "C:\\Sager", "", PathFileAccessError},
        {"rmtree", "C:\\Mangler", "", FileNotFound},
        {"rmtree", Letter, "", PathNotFound},
        {"rmtree", "D:\\", "", PathFileAccessError},
        {"delete!", "C:\\Sager", "", FileNotFound},
        {"delete!", "C:\\x.doc", "", FileNotFound},
        {"copy", Letter, "C:\\Sager\\12 Ærø\\brev.docx", FileAlreadyExists},
        {"copy!", Letter, "C:\\Sager", PathFileAccessError},
        {"copy!", "C:\\Sager", "C:\\Kopi", PathFileAccessError},
        {"copy!", "C:\\x", "C:\\y", FileNotFound},
        {"copy!", Letter, "C:\\M\\x", PathNotFound},
        {"move", Letter, Letter, FileAlreadyExists},
        {"move", "C:\\x", "C:\\y", FileNotFound},
        {"move", Letter, "C:\\M\\x", PathNotFound},
        {"replace", "C:\\x", Letter, FileNotFound},
        {"replace", Letter, "C:\\M\\x", PathNotFound},
        {"replace", Letter, "C:\\Sager", PathFileAccessError},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(failureOf(this->files, c.call, c.a, c.b), c.number) << c.call << " " << c.a;
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
    EXPECT_EQ(failureOf(files, "delete", Letter), failure::PermissionDenied);
    EXPECT_EQ(failureOf(files, "copy!", "C:\\.skjult", Letter), failure::PermissionDenied);
    // A copy is read-only as its original.
    files.copyFile(Letter, "C:\\kopi.docx", false);
    EXPECT_TRUE(files.attributes("C:\\kopi.docx") & attribute::ReadOnly);
    files.deleteFile(Letter, true);
    EXPECT_FALSE(files.exists(Letter));
}

TYPED_TEST(FileSystemContract, KeepsBytesAndCopiesMovesReplacesAndRemoves) {
    FileSystem& files = this->files;
    const std::string bytes = std::string("\xC6\xF8\xE5\r\n\0x", 7);
    files.copyFile(Letter, "C:\\Kopi.docx", false);
    files.writeFile(Letter, bytes);
    files.copyFile(Letter, "C:\\kopi.DOCX", true);
    EXPECT_EQ(files.readFile("C:\\Kopi.docx"), bytes);
    EXPECT_EQ(files.fileSize("C:\\Kopi.docx"), 7);
    EXPECT_EQ(files.list("C:\\kopi*"), std::vector<std::string>{"Kopi.docx"});

    files.moveFile("C:\\Kopi.docx", "D:\\Flyttet.docx");
    EXPECT_FALSE(files.exists("C:\\Kopi.docx"));
    files.writeFile("D:\\ny.tmp", "nyeste");
    files.replaceFile("D:\\ny.tmp", "d:\\flyttet.docx");
    EXPECT_EQ(files.list("D:\\*"), std::vector<std::string>{"Flyttet.docx"});
    EXPECT_EQ(files.readFile("D:\\Flyttet.docx"), "nyeste");

    // A folder moves with all it holds; an empty one goes without `recursive`.
    files.moveFile("C:\\Sager", "D:\\Arkiv");
    EXPECT_EQ(files.readFile("D:\\Arkiv\\12 Ærø\\Brev.docx"), bytes);
    EXPECT_FALSE(files.exists("C:\\Sager"));
    files.createFolder("D:\\Arkiv\\13\\");
    files.removeFolder("D:\\Arkiv\\13", false);
    files.createFolder("D:\\Arkiv 2");
    files.removeFolder("D:\\Arkiv", true);
    EXPECT_FALSE(files.exists("D:\\Arkiv"));
    EXPECT_TRUE(files.isFolder("D:\\Arkiv 2"));
}

TYPED_TEST(FileSystemContract, ListsByWildcardWithoutRegardToCase) {
    FileSystem& files = this->files;
    files.createFolder("C:\\Sager\\a b");
    for (const char* name : {"c.docx", "B.DOC", "a.doc", "d.txt", "a b\\inde.doc"}) {
        files.writeFile(std::string("C:\\Sager\\") + name, "x");
    }
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
    EXPECT_EQ(this->files.tempFolder(), "C:\\Temp");
    this->files.writeFile("C:\\Temp\\x.tmp", "x");
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

TEST(Wildcard, MatchesWithoutRegardToCaseAndWithoutRunaways) {
    EXPECT_TRUE(matchesWildcard("Ærø.txt", "æ*Ø.TXT"));
    EXPECT_FALSE(matchesWildcard("abc", "a?"));
    EXPECT_FALSE(matchesWildcard(std::string(60, 'a'), std::string(30, '*') + "b*"));
}

// What only the Linux file system has: host folders behind the drives, other
// processes, and the C library's error numbers.

TEST(DriveTable, MapsHostPathsBackToDrives) {
    const posix::DriveTable drives({{'C', "/srv/c"}, {'d', "/srv/d/"}, {'Z', "/"}});
    EXPECT_EQ(drives.toWindows("/srv/c/Sager"), "C:\\Sager");
    EXPECT_EQ(drives.toWindows("/srv/c"), "C:\\");
    EXPECT_EQ(drives.toWindows("/srv/d/x/y.txt"), "D:\\x\\y.txt");
    // A folder beside a drive's folder belongs to the drive of "/".
    EXPECT_EQ(drives.toWindows("/srv/cc"), "Z:\\srv\\cc");
    EXPECT_EQ(*drives.toHost("C:\\Sager\\..\\Sager\\.\\ny mappe"), "/srv/c/Sager/ny mappe");
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
    testing::runInChildren(Writers, [&](int w) {
        const std::string line = std::string(200, static_cast<char>('a' + w)) + "\r\n";
        for (int i = 0; i < LinesEach; ++i) {
            files.appendToFile(file, line, 1'000'000'000);
        }
        return 0;
    });
    const std::string all = files.readFile(file);
    ASSERT_EQ(all.size(), static_cast<std::size_t>(Writers * LinesEach * 202));
    for (std::size_t at = 0; at < all.size(); at += 202) {
        ASSERT_EQ(all.substr(at, 200), std::string(200, all[at])) << "torn line at " << at;
    }
}

} // namespace
} // namespace lexi
