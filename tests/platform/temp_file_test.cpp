#include "platform/failure.h"
#include "platform/posix/temp_file.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>
#include <set>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace lexi {
namespace {

namespace fs = std::filesystem;
using posix::TempFile;
using testing::readHostFile;
using testing::TempFolder;

// Writes `bytes` through the new file and keeps it.
void writeWhole(const fs::path& target, const std::string& bytes) {
    TempFile file(target.string(), "Test");
    ASSERT_EQ(::write(file.fd(), bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    file.keep();
}

using Names = std::set<std::string>;

Names names(const fs::path& folder) {
    Names found;
    for (const auto& entry : fs::directory_iterator(folder)) {
        found.insert(entry.path().filename().string());
    }
    return found;
}

mode_t typeOf(const fs::path& path) {
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0 ? status.st_mode & S_IFMT : 0;
}

// Every kind of thing a target can be, made in a folder of the test's own
// (the device too: the system's devices are never a target here, so that a
// fault in the code cannot replace one), reached by its name or through a
// link beside it.
TEST(TempFile, ReplacesOnlyOrdinaryFilesAndFollowsLinksToThem) {
    const struct {
        const char* what;
        mode_t kind; // 0: nothing
        bool replaced;
    } kinds[] = {
        {"nothing yet", 0, true},     {"an ordinary file", S_IFREG, true},
        {"a folder", S_IFDIR, false}, {"a fifo", S_IFIFO, false},
        {"a device", S_IFCHR, false},
    };
    for (const auto& row : kinds) {
        for (const bool throughLink : {false, true}) {
            const TempFolder folder;
            const fs::path named = folder.path() / "named";
            SCOPED_TRACE(std::string(row.what) + (throughLink ? " through a link" : ""));
            // The device is like the system's null device; only a privileged
            // run may make one, and the fifo rows stand for it otherwise.
            const int made = row.kind == S_IFDIR ? ::mkdir(named.c_str(), 0700)
                             : row.kind ? ::mknod(named.c_str(), row.kind | 0600, ::makedev(1, 3))
                                        : 0;
            if (made != 0 && row.kind == S_IFCHR) {
                continue;
            }
            ASSERT_EQ(made, 0);
            const fs::path target = throughLink ? folder.path() / "link" : named;
            if (throughLink) {
                fs::create_symlink("named", target);
            }
            try {
                writeWhole(target, "whole");
                EXPECT_TRUE(row.replaced);
            } catch (const Failure& failure) {
                EXPECT_FALSE(row.replaced);
                EXPECT_EQ(failure.number(), failure::PathFileAccessError);
                EXPECT_EQ(failure.source(), "Test");
            }
            EXPECT_EQ(typeOf(named), row.replaced ? S_IFREG : row.kind);
            if (row.replaced) {
                EXPECT_EQ(readHostFile(named), "whole");
            }
            EXPECT_EQ(typeOf(target), throughLink ? static_cast<mode_t>(S_IFLNK) : typeOf(named));
            EXPECT_EQ(names(folder.path()),
                      (throughLink ? Names{"link", "named"} : Names{"named"}));
        }
    }
}

TEST(TempFile, KeptOrDiscardedLeavesNothingBesideTheTarget) {
    const TempFolder folder;
    const fs::path target = folder.path() / std::string(200, 'x').append(".pdf");
    std::ofstream(target) << "former";
    {
        TempFile file(target.string(), "Test");
        // Beside the target, hidden, under a name as long whatever the
        // target's name: one that fits the file system has one that fits.
        EXPECT_EQ(fs::path(file.path()).parent_path(), folder.path());
        EXPECT_EQ(fs::path(file.path()).filename().string().size(), 30u);
        EXPECT_TRUE(fs::path(file.path()).filename().string().starts_with("."));
        file.discard();
    }
    EXPECT_EQ(readHostFile(target), "former");
    EXPECT_EQ(names(folder.path()), Names{target.filename().string()});

    // A failure passing drops the new file quietly.
    EXPECT_THROW(
        {
            TempFile file(target.string(), "Test");
            throw std::runtime_error("the writer failed");
        },
        std::runtime_error);
    EXPECT_EQ(names(folder.path()), Names{target.filename().string()});

    // What became of the target meanwhile is looked at again when kept.
    const fs::path later = folder.path() / "later.pdf";
    TempFile file(later.string(), "Test");
    ASSERT_EQ(::mkfifo(later.c_str(), 0600), 0);
    EXPECT_THROW(file.keep(), Failure);
    EXPECT_EQ(typeOf(later), S_IFIFO);
    EXPECT_EQ(names(folder.path()), (Names{"later.pdf", target.filename().string()}));

    // A target in a folder that is not there.
    EXPECT_THROW(TempFile((folder.path() / "mangler" / "a.pdf").string(), "Test"), Failure);
}

} // namespace
} // namespace lexi
