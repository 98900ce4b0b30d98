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
#define CALL(...) Call([](FileSystem& f, Path a, [[maybe_unused]] Path b) { __VA_ARGS__; })
// clang-format off
const std::map<std::string, Call> Calls = {
    {"size", CALL(f.fileSize(a))},                {"read", CALL(f.readFile(a))},
    {"write", CALL(f.writeFile(a, "x"))},         {"mkdir", CALL(f.createFolder(a))},
    {"rmdir", CALL(f.removeFolder(a, false))},    {"rmtree", CALL(f.removeFolder(a, true))},
    {"delete", CALL(f.deleteFile(a, false))},     {"delete!", CALL(f.deleteFile(a, true))},
    {"copy", CALL(f.copyFile(a, b, false))},      {"copy!", CALL(f.copyFile(a, b, true))},
    {"move", CALL(f.moveFile(a, b))},             {"replace", CALL(f.replaceFile(a, b))},
};
// clang-format on
#undef CALL

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

// The names each pattern lists, each followed by ';', and '|' after each pattern.
std::string listed(FileSystem& files, std::initializer_list<std::string_view> patterns) {
    std::string seen;
    for (const std::string_view pattern : patterns) {
        for (const std::string& name : files.list(pattern)) {
            seen += name + ";";
        }
        seen += "|";
    }
    return seen;
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
    FileSystem& files = this->files;
    this->machine.setCurrentFolder("C:\\Sager\\12 Ærø");
    // Each path is a file (f), a folder (d) or nothing (-); some from the current folder.
    std::string kinds;
    for (const std::string& path : std::initializer_list<std::string>{
             Letter, Letter + ". ", "c:\\SAGER\\12 ærø\\brev.docx", "C:/sager/12 ÆRØ/brev.docx",
             "C:\\Sager\\..\\Sager\\.\\\\12 Ærø\\Brev.DOCX", "brev.docx", "..\\12 Ærø\\Brev.docx",
             "C:\\Sager\\", "C:\\", "D:\\", "\\Sager", "C:\\Sager\\brev.docx", Letter + "\\x",
             "Q:\\", "\\\\server\\share\\x"}) {
        kinds += files.isFolder(path) ? 'd' : files.exists(path) ? 'f' : '-';
    }
    EXPECT_EQ(kinds, "fffffffdddd----");
    EXPECT_EQ(files.fileSize("c:\\sager\\12 ærø\\brev.docx"), 4);
    EXPECT_EQ(files.readFile("brev.docx") + listed(files, {"*.docx"}), "brevBrev.DOCX;|");
    EXPECT_EQ(files.currentFolder(), "C:\\Sager\\12 Ærø");
    EXPECT_EQ(files.tempFolder(), "C:\\Temp");
}

TYPED_TEST(FileSystemContract, ReportsTheRuntimesFailureNumbers) {
    using namespace failure;
    const std::string S = "C:\\Sager", M = "C:\\M\\x", Kopi = "C:\\Sager\\12 Ærø\\brev.docx";
    struct Case {
        const char* call;
        int number;
        std::string a, b = "";
    } const cases[] = {
        {"size", FileNotFound, S + "\\x.doc"},       {"size", PathNotFound, "C:\\M\\x.doc"},
        {"read", PathNotFound, Letter + "\\x"},      {"read", PathNotFound, "Q:\\x.doc"},
        {"write", PathNotFound, "\\\\server\\x"},    {"read", PathFileAccessError, S},
        {"write", PathFileAccessError, S},           {"write", PathNotFound, M},
        {"mkdir", PathFileAccessError, "C:\\sager"}, {"mkdir", PathFileAccessError, Letter},
        {"mkdir", PathNotFound, "C:\\A\\B"},         {"rmdir", PathFileAccessError, S},
        {"rmtree", FileNotFound, "C:\\M"},           {"rmtree", PathNotFound, Letter},
        {"rmtree", PathFileAccessError, "D:\\"},     {"delete!", FileNotFound, S},
        {"delete!", FileNotFound, "C:\\x.doc"},      {"copy", FileAlreadyExists, Letter, Kopi},
        {"copy!", PathFileAccessError, Letter, S},   {"copy!", PathFileAccessError, S, "C:\\K"},
        {"copy!", FileNotFound, "C:\\x", "C:\\y"},   {"copy!", PathNotFound, Letter, M},
        {"move", FileAlreadyExists, Letter, Letter}, {"move", FileNotFound, "C:\\x", "C:\\y"},
        {"move", PathNotFound, Letter, M},           {"replace", FileNotFound, "C:\\x", Letter},
        {"replace", PathNotFound, Letter, M},        {"replace", PathFileAccessError, Letter, S},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(failureOf(this->files, c.call, c.a, c.b), c.number) << c.call << " " << c.a;
    }
    EXPECT_TRUE(this->files.exists(Letter));
}

TYPED_TEST(FileSystemContract, ProtectsReadOnlyFilesUnlessForced) {
    FileSystem& files = this->files;
    using namespace attribute;
    files.writeFile("C:\\.skjult", "");
    EXPECT_EQ(files.attributes("C:\\Sager") | files.attributes(Letter) << 8,
              Directory | Archive << 8);
    EXPECT_EQ(files.attributes("C:\\.skjult"), Archive | Hidden);
    files.setAttributes(Letter, ReadOnly);
    EXPECT_EQ(files.attributes(Letter), Archive | ReadOnly);
    EXPECT_EQ(failureOf(files, "delete", Letter), failure::PermissionDenied);
    EXPECT_EQ(failureOf(files, "copy!", "C:\\.skjult", Letter), failure::PermissionDenied);
    // A copy is read-only as its original.
    files.copyFile(Letter, "C:\\kopi.docx", false);
    EXPECT_TRUE(files.attributes("C:\\kopi.docx") & ReadOnly);
    files.deleteFile(Letter, true);
    EXPECT_FALSE(files.exists(Letter));
}

TYPED_TEST(FileSystemContract, KeepsBytesListsCopiesMovesReplacesAndRemoves) {
    FileSystem& files = this->files;
    const std::string bytes = std::string("\xC6\xF8\xE5\r\n\0x", 7);
    files.createFolder("C:\\Sager\\a b");
    for (const char* name : {"c.docx", "B.DOC", "a.doc", "d.txt", "a b\\inde.doc"}) {
        files.writeFile(std::string("C:\\Sager\\") + name, "x");
    }
    EXPECT_EQ(
        listed(files, {"C:\\sager\\*.doc", "C:/Sager/?.doc*", "C:\\Sager\\", "C:\\M\\*", "Q:\\*"}),
        "a.doc;B.DOC;|a.doc;B.DOC;c.docx;|12 Ærø;a b;a.doc;B.DOC;c.docx;d.txt;|||");
    files.copyFile(Letter, "C:\\Kopi.docx", false);
    files.writeFile(Letter, bytes);
    files.copyFile(Letter, "C:\\kopi.DOCX", true);
    EXPECT_EQ(files.readFile("C:\\Kopi.docx"), bytes);
    files.moveFile("C:\\Kopi.docx", "D:\\Flyttet.docx");
    files.writeFile("D:\\ny.tmp", "nyeste");
    files.replaceFile("D:\\ny.tmp", "d:\\flyttet.docx");
    EXPECT_EQ(listed(files, {"C:\\*", "D:\\*"}), "Sager;Temp;|Flyttet.docx;|");
    EXPECT_EQ(files.readFile("D:\\Flyttet.docx"), "nyeste");
    // A folder moves with all it holds; an empty one goes without `recursive`.
    files.moveFile("C:\\Sager", "D:\\Arkiv");
    EXPECT_EQ(files.readFile("D:\\Arkiv\\12 Ærø\\Brev.docx"), bytes);
    files.createFolder("D:\\Arkiv\\13\\");
    files.removeFolder("D:\\Arkiv\\13", false);
    files.createFolder("D:\\Arkiv 2");
    files.removeFolder("D:\\Arkiv", true);
    EXPECT_EQ(listed(files, {"C:\\*", "D:\\*"}), "Temp;|Arkiv 2;Flyttet.docx;|");
    // A file grown past the limit is emptied before the append.
    files.writeFile("C:\\log.txt", std::string(10, 'x'));
    files.appendToFile("C:\\log.txt", "a", 10);
    files.appendToFile("C:\\log.txt", "b", 10);
    files.appendToFile("C:\\log.txt", "c", -1);
    EXPECT_EQ(files.readFile("C:\\log.txt"), "bc");
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
    const std::string in = root.str() + "/x.msg", inMissing = root.str() + "/mangler/x.msg";
    using namespace failure;
    const std::tuple<int, const std::string&, int> cases[] = {
        {ENOENT, in, FileNotFound},    {ENOENT, inMissing, PathNotFound},
        {ENOTDIR, in, PathNotFound},   {EACCES, in, PermissionDenied},
        {EPERM, in, PermissionDenied}, {EEXIST, in, FileAlreadyExists},
        {ENOSPC, in, DiskFull},        {EINVAL, in, PathFileAccessError},
    };
    for (const auto& [error, path, number] : cases) {
        const Failure failure = failureFromErrno(error, path, "Test");
        EXPECT_EQ(failure.number(), number) << error;
        EXPECT_EQ(failure.description(), Failure::describe(number));
    }
}

TEST(PosixFileSystem, AppendsOfManyProcessesNeitherInterleaveNorGetLost) {
    testing::TempFolder root;
    posix::PosixFileSystem files(posix::DriveTable({{'C', root.str()}}));
    testing::runInChildren(8, [&](int w) {
        const std::string line = std::string(200, static_cast<char>('a' + w)) + "\r\n";
        for (int i = 0; i < 300; ++i) {
            files.appendToFile("C:\\shared.log", line, 1'000'000'000);
        }
        return 0;
    });
    const std::string all = files.readFile("C:\\shared.log");
    ASSERT_EQ(all.size(), 8U * 300 * 202);
    for (std::size_t at = 0; at < all.size(); at += 202) {
        ASSERT_EQ(all.substr(at, 200), std::string(200, all[at])) << "torn line at " << at;
    }
}

} // namespace
} // namespace lexi
