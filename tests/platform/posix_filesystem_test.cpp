// The Linux file system: the contract over host folders, and what only
// Linux has: host folders behind the drives, other processes, the C
// library's error numbers; and the matching of wildcards.

#include "platform/posix/posix_filesystem.h"
#include "platform/windows_path.h"
#include "tests/platform/filesystem_contract.h"
#include "tests/support/child_processes.h"
#include "tests/support/temp_folder.h"

#include <cerrno>
#include <fstream>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace lexi::filesystem_contract {
namespace {

namespace fs = std::filesystem;

// Drives C: and D: in a temporary folder, the temporary folder C:\Temp.
struct PosixMachine {
    std::string path(Path text) const { return text; }
    PosixMachine() {
        fs::create_directories(root.path() / "c" / "Temp");
        fs::create_directories(root.path() / "d");
    }
    void setCurrentFolder(Path path) { files.changeFolder(path); }

    testing::TempFolder root;
    testing::ScopedVariable temp{"TMPDIR", root.str() + "/c/Temp/"};
    posix::PosixFileSystem files{
        posix::DriveTable({{'C', root.str() + "/c"}, {'d', root.str() + "/d/"}})};
};

} // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Posix, FileSystemContract, PosixMachine);

namespace {

TEST(WindowsPaths, MapToHostFoldersAndMatchWildcardsWithoutRunaways) {
    const posix::DriveTable drives({{'C', "/srv/c"}, {'d', "/srv/d/"}, {'Z', "/"}});
    EXPECT_EQ(drives.toWindows("/srv/c/Sager"), "C:\\Sager");
    EXPECT_EQ(drives.toWindows("/srv/c"), "C:\\");
    EXPECT_EQ(drives.toWindows("/srv/d/x/y.txt"), "D:\\x\\y.txt");
    // A folder beside a drive's folder belongs to the drive of "/".
    EXPECT_EQ(drives.toWindows("/srv/cc"), "Z:\\srv\\cc");
    EXPECT_EQ(*drives.toHost("C:\\Sager\\..\\Sager\\.\\ny mappe"), "/srv/c/Sager/ny mappe");
    // Without a drive: the current one, C: to begin with. No drive path
    // reaches the network.
    EXPECT_EQ(*drives.toHost("\\usr"), "/srv/c/usr");
    EXPECT_FALSE(drives.toHost("\\\\server\\share\\x"));
    // Z: shows the machine: only below the user's home and temporary folder
    // is it the user's own.
    // clang-format off
    const std::pair<const char*, bool> own[] = {
        {"C:\\", true}, {"Z:\\home\\u\\sag", true}, {"Z:\\tmp\\lexitray-7\\x", true}, {"Z:\\etc", false},
        {"Z:\\home\\u", false}, {"Z:\\home\\u\\..\\v", false}, {"\\\\server\\x", false},
    };
    // Names below a drive's or a share's root; none (-1) for a path without one.
    const std::pair<const char*, int> names[] = {
        {"C:\\", 0}, {"c:/Sag\\12\\", 2}, {"C:\\Sag\\..\\..", 0}, {"\\\\srv\\del", 0},
        {"//srv/del/Sag/..", 0}, {"\\\\srv", -1}, {"\\\\srv\\", -1}, {"\\\\\\del\\x", -1},
        {"", -1}, {"Sag", -1}, {"\\Sag", -1}, {"C:Sag", -1},
    };
    // clang-format on
    for (const auto& [path, isOwn] : own) {
        EXPECT_EQ(drives.isUsersOwn(path, {"/home/u/", "/tmp/lexitray-7"}), isOwn) << path;
    }
    for (const auto& [path, count] : names) {
        EXPECT_EQ(namesBelowRoot(path).value_or(-1), count) << path;
    }
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

// A program's current folder starts at C:\, never at the machine's root.
TEST(PosixFileSystem, TheCurrentFolderStartsAtDriveC) {
    EXPECT_EQ(PosixMachine().files.currentFolder(), "C:\\");
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
} // namespace lexi::filesystem_contract
