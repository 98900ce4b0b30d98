// The Linux file system: the contract over host folders, and what only
// Linux has: host folders behind the drives, other processes, the C
// library's error numbers; and the matching of wildcards.

#include "platform/posix/posix_filesystem.h"
#include "platform/windows_path.h"
#include "tests/platform/filesystem_contract.h"
#include "tests/support/child_processes.h"
#include "tests/support/temp_folder.h"

#include <cerrno>
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
    ~PosixMachine() { fs::current_path(previous); }
    void setCurrentFolder(Path path) { fs::current_path(*files.drives().toHost(path)); }

    testing::TempFolder root;
    testing::ScopedVariable temp{"TMPDIR", root.str() + "/c/Temp/"};
    posix::PosixFileSystem files{
        posix::DriveTable({{'C', root.str() + "/c"}, {'d', root.str() + "/d/"}})};
    fs::path previous = fs::current_path();
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
