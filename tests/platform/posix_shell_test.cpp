// The desktop's shell with stand-in programs on PATH that record how they
// were called.

#include "platform/posix/posix_shell.h"
#include "tests/support/child_processes.h"
#include "tests/support/stand_in.h"
#include "tests/support/temp_folder.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace lexi::posix {
namespace {

namespace fs = std::filesystem;

class PosixShellTest : public ::testing::Test {
protected:
    PosixShellTest() {
        fs::create_directories(root.path() / "c" / "Sager");
        fs::create_directories(root.path() / "bin");
        ::unsetenv("PRINTER");
    }

    // A stand-in program that records its folder and arguments.
    void standIn(const std::string& name) {
        testing::writeStandIn(root.path() / "bin" / name, root.path() / (name + ".calls"));
    }

    std::vector<std::string> calls(const std::string& name) {
        auto lines = testing::standInCalls(root.path() / (name + ".calls"));
        while (::waitpid(-1, nullptr, WNOHANG) > 0) {
        }
        return lines;
    }

    std::string writeFile(const std::string& name) {
        std::ofstream(root.path() / "c" / "Sager" / name) << "x";
        return "C:\\Sager\\" + name;
    }

    testing::TempFolder root;
    testing::ScopedVariable path{"PATH", testing::pathWith(root.path() / "bin")};
    DriveTable drives{{{'C', root.str() + "/c"}}};
    std::vector<std::string> notes;
    // Every file type has an application here; the desktop's own answer is
    // asked below.
    PosixShell shell{drives, [this](const std::string& note) { notes.push_back(note); },
                     [](const std::string&) {
                         return true;
                     }};
};

TEST_F(PosixShellTest, OpensWithTheOpenerOrAnswersTheCodeOfTheFailure) {
    standIn("xdg-open");
    // A hostile name reaches the opener as one argument, run by no shell.
    const std::string hostile = "a b; $(touch pwned) 'q\" `x` $HOME.docx";
    writeFile(hostile);
    writeFile("brev.docx");
    const std::string sager = (root.path() / "c" / "Sager").string();
    struct Case {
        const char* verb;
        std::string file;
        int code;
    } const cases[] = {
        {"Open", "C:\\Sager\\" + hostile + " ", PosixShell::Started},
        {"edit", "C:\\Sager\\brev.docx", PosixShell::Started},
        {"EXPLORE", "C:\\Sager\\brev.docx", PosixShell::Started},
        {"openas", "C:\\Sager\\brev.docx", PosixShell::Started},
        {"open", "C:\\Sager\\mangler.docx", 2},
        {"open", "C:\\Mangler\\brev.docx", 3},
        {"open", "Q:\\brev.docx", 3},
        {"frobnicate", "C:\\Sager\\brev.docx", 31},
        {"printto", "C:\\Sager\\brev.docx", 31},
    };
    for (const Case& c : cases) {
        fs::remove(root.path() / "xdg-open.calls");
        EXPECT_EQ(shell.execute(c.verb, c.file, "", "C:\\Sager\\", ShowMode::Maximized), c.code)
            << c.verb << " " << c.file;
        if (c.code == PosixShell::Started) {
            const std::string name = c.file.substr(9, c.file.find_last_not_of(' ') - 8);
            EXPECT_EQ(calls("xdg-open"), (std::vector<std::string>{sager, sager + "/" + name}));
        }
    }
    EXPECT_FALSE(fs::exists(root.path() / "c" / "Sager" / "pwned"));
}

TEST_F(PosixShellTest, AFileTypeWithoutAnApplicationIsUnknownToTheDesktop) {
    standIn("xdg-open");
    std::ofstream(root.path() / "c" / "Sager" / "notat.lxq", std::ios::binary) << '\x01' << '\x9c';
    // In a process of its own: GIO reads the desktop's folders once.
    const auto codes = testing::runInChildren(1, [&](int) {
        for (const auto& [name, value] : testing::desktopOpeningDocx(root.path() / "desktop")) {
            ::setenv(name.c_str(), value.c_str(), 1);
        }
        PosixShell desktopShell(drives, [](const std::string&) {});
        return desktopShell.execute("open", "C:\\Sager\\notat.lxq", "", "C:\\", ShowMode::Normal);
    });
    EXPECT_EQ(codes[0], 31);
}

TEST_F(PosixShellTest, AFileTheUserMayNotReadIsAccessDenied) {
    const std::string file = writeFile("hemmelig.docx");
    fs::permissions(root.path() / "c" / "Sager" / "hemmelig.docx", fs::perms::owner_read);
    for (const fs::path& folder : {root.path(), root.path() / "c", root.path() / "c" / "Sager"}) {
        fs::permissions(folder, fs::perms::all);
    }
    // Asked as another user (root may read anything).
    const auto codes = testing::runInChildren(1, [&](int) {
        if (::getuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
            return 100;
        }
        return shell.execute("open", file, "", "C:\\", ShowMode::Normal);
    });
    if (::getuid() != 0 && codes[0] != 5) {
        GTEST_SKIP() << "this user may read the file";
    }
    EXPECT_EQ(codes[0], 5);
}

TEST_F(PosixShellTest, PrintsToTheDefaultPrinterButLeavesThePdfWriterForLater) {
    standIn("lp");
    const std::string file = writeFile("brev.pdf");
    {
        testing::ScopedVariable printer("PRINTER", "Lexitray_PDF_Writer");
        EXPECT_EQ(shell.execute("print", file, "", "C:\\", ShowMode::Hidden), 31);
        EXPECT_EQ(notes.size(), 1U);
        EXPECT_FALSE(fs::exists(root.path() / "lp.calls"));
    }
    testing::ScopedVariable printer("PRINTER", "Kontor");
    EXPECT_EQ(shell.execute("PRINT", file, "", "C:\\Sager", ShowMode::Hidden), PosixShell::Started);
    const auto recorded = calls("lp");
    ASSERT_EQ(recorded.size(), 3U);
    EXPECT_EQ(recorded[1], "--");
    EXPECT_EQ(recorded[2], (root.path() / "c" / "Sager" / "brev.pdf").string());
}

} // namespace
} // namespace lexi::posix
