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
#include <sys/stat.h>
#include <unistd.h>

namespace lexi {
namespace {

namespace fs = std::filesystem;

using Path = const std::string&;

// Drives C: and D: in a temporary folder, the temporary folder C:\Temp.
struct PosixMachine {
    PosixMachine() {
        fs::create_directories(root.path() / "c" / "Temp");
        fs::create_directories(root.path() / "d");
    }
    ~PosixMachine() { fs::current_path(previous); }
    void setCurrentFolder(Path path) { fs::current_path(*files.drives().toHost(path)); }

    testing::TempFolder root;
    testing::ScopedVariable temp{"TMPDIR", root.str() + "/c/Temp/"};
    posix::PosixFileSystem files{
        posix::DriveTable({{'C', root.str() + "/c"}, {'d', root.str() + "/d/"}})};
    fs::path previous = fs::current_path();
};

struct MemoryMachine {
    void setCurrentFolder(Path path) { files.setCurrentFolder(path); }
    fake::MemoryFileSystem files{"CD"};
};

const std::string Letter = "C:\\Sager\\12 Ærø\\Brev.DOCX";

// The calls of the contract by name, so that a table row reads as the call; each
// answers its result as text, "" when it has none. `write` writes `b`, `append`
// appends it to a file it empties first when it has grown past 10 bytes, `kind`
// tells a file (f), a folder (d) or nothing (-), `list` the names found, each
// followed by ';'.
using Call = std::function<std::string(FileSystem&, Path, Path)>;
#define CALL(...) Call([](FileSystem& f, Path a, [[maybe_unused]] Path b) { return __VA_ARGS__; })
// clang-format off
const std::map<std::string, Call> Calls = {
    {"size", CALL(std::to_string(f.fileSize(a)))}, {"read", CALL(f.readFile(a))},
    {"list", CALL([&] { std::string n; for (auto& x : f.list(a)) n += x + ";"; return n; }())},
    {"write", CALL(f.writeFile(a, b), "")}, {"append!", CALL(f.appendToFile(a, b, -1), "")},
    {"mkdir", CALL(f.createFolder(a), "")},        {"rmdir", CALL(f.removeFolder(a, false), "")},
    {"rmtree", CALL(f.removeFolder(a, true), "")}, {"delete", CALL(f.deleteFile(a, false), "")},
    {"delete!", CALL(f.deleteFile(a, true), "")},  {"copy", CALL(f.copyFile(a, b, false), "")},
    {"copy!", CALL(f.copyFile(a, b, true), "")},   {"move", CALL(f.moveFile(a, b), "")},
    {"replace", CALL(f.replaceFile(a, b), "")},    {"append", CALL(f.appendToFile(a, b, 10), "")},
    {"attributes", CALL(std::to_string(f.attributes(a)))},
    {"protect", CALL(f.setAttributes(a, attribute::ReadOnly), "")},
    {"kind", CALL(std::string(f.isFolder(a) ? "d" : f.exists(a) ? "f" : "-"))},
};
// clang-format on
#undef CALL

// What a call is expected to answer: a text, or the runtime's number of its failure.
struct Answer : std::string {
    Answer(const char* text = "") : std::string(text) {}
    Answer(const std::string& text) : std::string(text) {}
    Answer(int failure) : std::string("!" + std::to_string(failure)) {}
};

// Makes the calls one after another, each answering what is expected of it.
struct Step {
    std::string call, a, b = "";
    Answer expected = "";
};
void run(FileSystem& files, std::initializer_list<Step> steps) {
    for (const Step& step : steps) {
        std::string answer;
        try {
            answer = Calls.at(step.call)(files, step.a, step.b);
        } catch (const Failure& failure) {
            EXPECT_EQ(failure.description(), Failure::describe(failure.number()));
            answer = Answer(failure.number());
        }
        EXPECT_EQ(answer, step.expected) << step.call << ' ' << step.a;
    }
}

template <typename Machine> class FileSystemContract : public ::testing::Test {
protected:
    FileSystemContract() {
        run(files,
            {{"mkdir", "C:\\Sager"}, {"mkdir", "C:\\Sager\\12 Ærø"}, {"write", Letter, "brev"}});
    }

    Machine machine;
    FileSystem& files = machine.files;
};

using Machines = ::testing::Types<PosixMachine, MemoryMachine>;
TYPED_TEST_SUITE(FileSystemContract, Machines);

TYPED_TEST(FileSystemContract, FindsPathsAsWindowsReadsThem) {
    this->machine.setCurrentFolder("C:\\Sager\\12 Ærø");
    EXPECT_EQ(this->files.currentFolder(), "C:\\Sager\\12 Ærø");
    EXPECT_EQ(this->files.tempFolder(), "C:\\Temp");
    // Some paths from the current folder.
    // clang-format off
    run(this->files, {
        {"kind", Letter, "", "f"}, {"kind", Letter + ". ", "", "f"}, {"kind", "brev.docx", "", "f"},
        {"kind", "c:\\SAGER\\12 ærø\\brev.docx", "", "f"}, {"kind", "C:\\", "", "d"},
        {"kind", "C:\\Sager\\..\\Sager\\.\\\\12 Ærø\\Brev.DOCX", "", "f"},
        {"kind", "C:/sager/12 ÆRØ/brev.docx", "", "f"}, {"kind", "C:\\Sager\\", "", "d"},
        {"kind", "..\\12 Ærø\\Brev.docx", "", "f"}, {"kind", "D:\\", "", "d"},
        {"kind", "C:\\Sager\\brev.docx", "", "-"}, {"kind", Letter + "\\x", "", "-"},
        {"kind", "Q:\\", "", "-"}, {"kind", "\\\\srv\\x", "", "-"}, {"kind", "\\Sager", "", "d"},
        {"size", "c:\\sager\\12 ærø\\brev.docx", "", "4"}, {"read", "brev.docx", "", "brev"},
        {"list", "*.docx", "", "Brev.DOCX;"},
    });
    // clang-format on
}

TYPED_TEST(FileSystemContract, ReportsTheRuntimesFailureNumbers) {
    const std::string S = "C:\\Sager", M = "C:\\M\\x", Kopi = "C:\\Sager\\12 Ærø\\brev.docx";
    using namespace failure;
    // clang-format off
    run(this->files, {
        {"size", S + "\\x.doc", "", FileNotFound},       {"size", "C:\\M\\x.doc", "", PathNotFound},
        {"read", Letter + "\\x", "", PathNotFound},      {"read", "Q:\\x.doc", "", PathNotFound},
        {"write", "\\\\server\\x", "", PathNotFound},    {"read", S, "", PathFileAccessError},
        {"write", S, "", PathFileAccessError},           {"write", M, "", PathNotFound},
        {"mkdir", "C:\\sager", "", PathFileAccessError}, {"mkdir", Letter, "", PathFileAccessError},
        {"mkdir", "C:\\A\\B", "", PathNotFound},         {"rmdir", S, "", PathFileAccessError},
        {"rmtree", "C:\\M", "", FileNotFound},           {"rmtree", Letter, "", PathNotFound},
        {"rmtree", "D:\\", "", PathFileAccessError},     {"delete!", S, "", FileNotFound},
        {"delete!", "C:\\x.doc", "", FileNotFound},      {"copy", Letter, Kopi, FileAlreadyExists},
        {"copy!", Letter, S, PathFileAccessError},       {"copy!", S, "C:\\K", PathFileAccessError},
        {"copy!", "C:\\x", "C:\\y", FileNotFound},       {"copy!", Letter, M, PathNotFound},
        {"move", Letter, Letter, FileAlreadyExists},     {"move", "C:\\x", "C:\\y", FileNotFound},
        {"move", Letter, M, PathNotFound},               {"replace", "C:\\x", Letter, FileNotFound},
        {"replace", Letter, M, PathNotFound}, {"replace", Letter, S, PathFileAccessError},
        {"read", Letter, "", "brev"},
    });
    // clang-format on
}

TYPED_TEST(FileSystemContract, KeepsBytesListsCopiesMovesReplacesAndRemoves) {
    using namespace attribute;
    using failure::PermissionDenied;
    const std::string bytes = std::string("\xC6\xF8\xE5\r\n\0x", 7), S = "C:\\Sager\\";
    // A folder moves with all it holds; an empty one goes without `recursive`.
    // clang-format off
    run(this->files, {
        {"mkdir", S + "a b"}, {"write", S + "c.docx"}, {"write", S + "B.DOC"},
        {"write", S + "a.doc"}, {"write", S + "d.txt"}, {"write", S + "a b\\inde.doc"},
        {"list", "C:\\sager\\*.doc", "", "a.doc;B.DOC;"}, {"list", "C:\\M\\*"}, {"list", "Q:\\*"},
        {"list", "C:/Sager/?.doc*", "", "a.doc;B.DOC;c.docx;"},
        {"list", S, "", "12 Ærø;a b;a.doc;B.DOC;c.docx;d.txt;"},
        {"copy", Letter, "C:\\Kopi.docx"}, {"write", Letter, bytes},
        {"copy!", Letter, "C:\\kopi.DOCX"}, {"read", "C:\\Kopi.docx", "", bytes},
        {"move", "C:\\Kopi.docx", "D:\\Flyttet.docx"}, {"write", "D:\\ny.tmp", "nyeste"},
        {"replace", "D:\\ny.tmp", "d:\\flyttet.docx"}, {"read", "D:\\Flyttet.docx", "", "nyeste"},
        {"list", "C:\\*", "", "Sager;Temp;"}, {"list", "D:\\*", "", "Flyttet.docx;"},
        {"move", "C:\\Sager", "D:\\Arkiv"}, {"read", "D:\\Arkiv\\12 Ærø\\Brev.docx", "", bytes},
        {"mkdir", "D:\\Arkiv\\13\\"}, {"rmdir", "D:\\Arkiv\\13"}, {"mkdir", "D:\\Arkiv 2"},
        {"rmtree", "D:\\Arkiv"}, {"list", "C:\\*", "", "Temp;"},
        {"list", "D:\\*", "", "Arkiv 2;Flyttet.docx;"},
        // A file grown past the limit is emptied before the append.
        {"write", "C:\\log.txt", "xxxxxxxxxx"}, {"append", "C:\\log.txt", "a"},
        {"append", "C:\\log.txt", "b"}, {"append!", "C:\\log.txt", "c"},
        {"read", "C:\\log.txt", "", "bc"},
        // A read-only file is deleted or overwritten only when forced; a copy is
        // read-only as its original.
        {"write", "C:\\.skjult"}, {"protect", "C:\\log.txt"},
        {"attributes", "C:\\Temp", "", std::to_string(Directory)},
        {"attributes", "C:\\.skjult", "", std::to_string(Archive | Hidden)},
        {"attributes", "C:\\log.txt", "", std::to_string(Archive | ReadOnly)},
        {"delete", "C:\\log.txt", "", PermissionDenied}, {"copy", "C:\\log.txt", "C:\\kopi.txt"},
        {"copy!", "C:\\.skjult", "C:\\log.txt", PermissionDenied},
        {"delete", "C:\\kopi.txt", "", PermissionDenied}, {"delete!", "C:\\log.txt"},
        {"list", "C:\\*", "", ".skjult;kopi.txt;Temp;"},
    });
    // clang-format on
}

// What only the Linux file system has: host folders behind the drives, other
// processes, and the C library's error numbers; and the matching of wildcards.

TEST(WindowsPaths, MapToHostFoldersAndMatchWildcardsWithoutRunaways) {
    const posix::DriveTable drives({{'C', "/srv/c"}, {'d', "/srv/d/"}, {'Z', "/"}});
    EXPECT_EQ(drives.toWindows("/srv/c/Sager"), "C:\\Sager");
    EXPECT_EQ(drives.toWindows("/srv/c"), "C:\\");
    EXPECT_EQ(drives.toWindows("/srv/d/x/y.txt"), "D:\\x\\y.txt");
    // A folder beside a drive's folder belongs to the drive of "/".
    EXPECT_EQ(drives.toWindows("/srv/cc"), "Z:\\srv\\cc");
    EXPECT_EQ(*drives.toHost("C:\\Sager\\..\\Sager\\.\\ny mappe"), "/srv/c/Sager/ny mappe");
    EXPECT_TRUE(matchesWildcard("Ærø.txt", "æ*Ø.TXT"));
    EXPECT_FALSE(matchesWildcard("abc", "a?"));
    EXPECT_TRUE(matchesWildcard("README", "*.*"));
    EXPECT_TRUE(matchesWildcard("brev", "BREV.*"));
    EXPECT_FALSE(matchesWildcard("brevet", "brev.*"));
    EXPECT_FALSE(matchesWildcard(std::string(60, 'a'), std::string(30, '*') + "b*"));
}

TEST(FailureFromErrno, GivesTheRuntimesNumber) {
    testing::TempFolder root;
    const std::string in = root.str() + "/x.msg", inMissing = root.str() + "/mangler/x.msg";
    using namespace failure;
    // clang-format off
    const std::tuple<int, const std::string&, int> cases[] = {
        {ENOENT, in, FileNotFound}, {ENOENT, inMissing, PathNotFound}, {ENOTDIR, in, PathNotFound},
        {EACCES, in, PermissionDenied}, {EPERM, in, PermissionDenied}, {ENOSPC, in, DiskFull},
        {EEXIST, in, FileAlreadyExists}, {EINVAL, in, PathFileAccessError},
    };
    // clang-format on
    for (const auto& [error, path, number] : cases) {
        EXPECT_EQ(failureFromErrno(error, path, "Test").number(), number) << error;
    }
}

// Without TMPDIR and a session folder the temporary folder is the user's own
// in /tmp, closed to other users even when something left it open.
TEST(PosixFileSystem, TheTemporaryFolderIsTheUsersOwn) {
    testing::ScopedVariable tmp{"TMPDIR", ""}, session{"XDG_RUNTIME_DIR", ""};
    const std::string own = "/tmp/lexitray-" + std::to_string(::getuid());
    fs::create_directory(own);
    ::chmod(own.c_str(), 0777);
    posix::PosixFileSystem files{posix::DriveTable({{'Z', "/"}})};
    EXPECT_EQ(files.tempFolder(), "Z:\\tmp\\lexitray-" + std::to_string(::getuid()));
    EXPECT_EQ(fs::status(own).permissions(), fs::perms::owner_all);
}

// A TMPDIR that every user shares is taken only while the program's folder in
// it is the user's alone; else the session's folder is the temporary folder.
// Another user's folder can only be made by root, as the tests run in CI.
TEST(PosixFileSystem, ATemporaryFolderWhoseProgramFolderIsNotTheUsersOwnIsPassedOver) {
    const auto folder = [](mode_t mode, uid_t owner) {
        return [=](const fs::path& f) {
            fs::create_directory(f);
            ::chmod(f.c_str(), mode);
            return ::chown(f.c_str(), owner, owner) == 0;
        };
    };
    const uid_t me = ::getuid(), someoneElse = me + 1000;
    const struct {
        const char* what;
        std::function<bool(const fs::path&)> make; // the program's folder in TMPDIR
        bool taken;
    } cases[] = {
        {"missing: made", [](const fs::path&) { return true; }, true},
        {"the user's own, left open: closed", folder(0777, me), true},
        {"another user's", folder(0755, someoneElse), false},
        {"another user's, open to all", folder(0777, someoneElse), false},
        {"a link to a folder of the user's",
         [](const fs::path& f) {
             fs::create_directory(f.parent_path() / "elsewhere");
             fs::create_directory_symlink(f.parent_path() / "elsewhere", f);
             return true;
         },
         false},
        {"a file", [](const fs::path& f) { return bool(std::ofstream(f) << "x"); }, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        testing::TempFolder shared, session;
        ::chmod(shared.path().c_str(), 01777);
        testing::ScopedVariable tmp{"TMPDIR", shared.str()};
        testing::ScopedVariable runtime{"XDG_RUNTIME_DIR", session.str()};
        if (!c.make(shared.path() / "lexitray")) {
            continue; // not root: no folder of another user's
        }
        posix::PosixFileSystem files{posix::DriveTable({{'Z', "/"}})};
        const std::string taken = files.tempFolder();
        EXPECT_EQ(taken, files.drives().toWindows((c.taken ? shared : session).str()));
        const fs::path program = fs::path(*files.drives().toHost(taken)) / "lexitray";
        EXPECT_EQ(fs::symlink_status(program).permissions(), fs::perms::owner_all);
    }
}

TEST(PosixFileSystem, AppendsOfManyProcessesNeitherInterleaveNorGetLost) {
    PosixMachine machine;
    testing::runInChildren(8, [&](int w) {
        const std::string line = std::string(200, static_cast<char>('a' + w)) + "\r\n";
        for (int i = 0; i < 300; ++i) {
            machine.files.appendToFile("C:\\shared.log", line, 1'000'000'000);
        }
        return 0;
    });
    const std::string all = machine.files.readFile("C:\\shared.log");
    ASSERT_EQ(all.size(), 8U * 300 * 202);
    for (std::size_t at = 0; at < all.size(); at += 202) {
        ASSERT_EQ(all.substr(at, 200), std::string(200, all[at])) << "torn line at " << at;
    }
}

} // namespace
} // namespace lexi
