// The desktop's shell with stand-in programs on PATH that record how they
// were called.

#include "platform/fake/fake_printers.h"
#include "platform/posix/posix_shell.h"
#include "tests/support/child_processes.h"
#include "tests/support/stand_in.h"
#include "tests/support/temp_folder.h"

#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace lexi::posix {
namespace {

namespace fs = std::filesystem;

class PosixShellTest : public ::testing::Test {
protected:
    PosixShellTest() {
        fs::create_directories(sager);
        fs::create_directories(root.path() / "bin");
        testing::writeStandIn(root.path() / "bin" / "xdg-open", root.path() / "xdg-open.calls");
    }

    // The folder and arguments the stand-in was last called with.
    std::vector<std::string> calls(const std::string& name) {
        auto lines = testing::standInCalls(root.path() / (name + ".calls"));
        fs::remove(root.path() / (name + ".calls"));
        return lines;
    }

    testing::TempFolder root;
    const fs::path sager = root.path() / "c" / "Sager";
    testing::ScopedVariable path{"PATH", testing::pathWith(root.path() / "bin")};
    DriveTable drives{{{'C', root.str() + "/c"}}};
    fake::FakePrinters printers;
    // Every file type has an application here; the desktop's own answer is
    // asked below.
    PosixShell shell{drives, printers, [](auto&) {},
                     [](auto&) {
                         return true;
                     }};
};

TEST_F(PosixShellTest, OpensAndPrintsWithTheirProgramsOrAnswersTheCodeOfTheFailure) {
    // A hostile name reaches the opener as one argument, run by no shell.
    const std::string hostile = "a b; $(touch pwned) 'q\" `x` $HOME.docx";
    std::ofstream(sager / hostile) << "x";
    std::ofstream(sager / "brev.docx") << "x";
    const std::string brev = "C:\\Sager\\brev.docx", hostBrev = (sager / "brev.docx").string();
    constexpr int Started = PosixShell::Started;
    // clang-format off
    const std::tuple<const char*, std::string, int> cases[] = {
        {"Open", "C:\\Sager\\" + hostile + " ", Started}, {"EXPLORE", brev, Started},
        {"PRINT", brev, Started}, {"open", "C:\\Sager\\x.docx", 2},
        {"open", "C:\\Mangler\\brev.docx", 3}, {"open", "Q:\\brev.docx", 3},
        {"printto", brev, 31},
    };
    // clang-format on
    for (const auto& [verb, file, code] : cases) {
        EXPECT_EQ(shell.execute(verb, file, "", "C:\\Sager\\", ShowMode::Maximized), code) << verb;
        const std::string host = file == brev ? hostBrev : (sager / hostile).string();
        if (code == Started && verb != std::string("PRINT")) {
            EXPECT_EQ(calls("xdg-open"), (std::vector<std::string>{sager.string(), host}));
        }
    }
    EXPECT_FALSE(fs::exists(sager / "pwned"));
    // "print" hands the file to the default printer and answers what it does.
    printers.answer = 31;
    EXPECT_EQ(shell.execute("print", brev, "", "C:\\", ShowMode::Hidden), 31);
    const fake::FakePrinters::Job job{brev, "Kontor"};
    EXPECT_EQ(printers.jobs, (std::vector{job, job}));
}

TEST_F(PosixShellTest, RefusesAFileTypeWithoutAnApplicationAndAFileTheUserMayNotRead) {
    std::ofstream(sager / "notat.lxq", std::ios::binary) << '\x01' << '\x9c';
    std::ofstream(sager / "hemmelig.docx") << "x";
    fs::permissions(sager / "hemmelig.docx", fs::perms::owner_read);
    fs::permissions(root.path(), fs::perms::all); // the folders below are open already
    // Each in a process of its own: GIO reads the desktop's folders once, and the
    // file is asked for by another user (root may read anything).
    const auto codes = testing::runInChildren(2, [&](int child) {
        if (child == 0) {
            for (const auto& [name, value] : testing::desktopOpeningDocx(root.path() / "desktop")) {
                ::setenv(name.c_str(), value.c_str(), 1);
            }
            PosixShell desktopShell(drives, printers, [](const std::string&) {});
            return desktopShell.execute("open", "C:\\Sager\\notat.lxq", "", "C:\\",
                                        ShowMode::Normal);
        }
        if (::getuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
            return 100;
        }
        return shell.execute("open", "C:\\Sager\\hemmelig.docx", "", "C:\\", ShowMode::Normal);
    });
    EXPECT_EQ(codes[0], 31);
    if (::getuid() != 0 && codes[1] != 5) {
        GTEST_SKIP() << "this user may read the file";
    }
    EXPECT_EQ(codes[1], 5);
}

} // namespace
} // namespace lexi::posix
