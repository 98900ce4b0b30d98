// The desktop's shell with stand-in programs on PATH that record how they
// were called.

#include "platform/posix/posix_shell.h"
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
        previousPath_ = std::getenv("PATH") ? std::getenv("PATH") : "";
        ::setenv("PATH", testing::pathWith(root.path() / "bin").c_str(), 1);
        ::unsetenv("PRINTER");
    }
    ~PosixShellTest() override { ::setenv("PATH", previousPath_.c_str(), 1); }

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
    DriveTable drives{{{'C', root.str() + "/c"}}};
    std::vector<std::string> notes;
    // Every file type has an application here; the desktop's own answer is
    // asked below.
    PosixShell shell{drives, [this](const std::string& note) { notes.push_back(note); },
                     [](const std::string&) {
                         return true;
                     }};

private:
    std::string previousPath_;
};

TEST_F(PosixShellTest, OpensAHostileNameAsOneArgumentInTheWorkingFolder) {
    standIn("xdg-open");
    const std::string name = "a b; $(touch pwned) 'q\" `x` $HOME.docx";
    const std::string file = writeFile(name);
    EXPECT_EQ(shell.execute("Open", file + " ", "", "C:\\Sager\\", ShowMode::Maximized),
              PosixShell::Started);
    const auto recorded = calls("xdg-open");
    ASSERT_EQ(recorded.size(), 2U);
    EXPECT_EQ(recorded[0], (root.path() / "c" / "Sager").string());
    EXPECT_EQ(recorded[1], (root.path() / "c" / "Sager" / name).string());
    EXPECT_FALSE(fs::exists(root.path() / "c" / "Sager" / "pwned"));
}

TEST_F(PosixShellTest, OpeningVerbsGoToTheOpener) {
    standIn("xdg-open");
    const std::string file = writeFile("brev.docx");
    for (const char* verb : {"edit", "EXPLORE", "openas"}) {
        fs::remove(root.path() / "xdg-open.calls");
        EXPECT_EQ(shell.execute(verb, file, "", "C:\\", ShowMode::Normal), PosixShell::Started);
        EXPECT_EQ(calls("xdg-open").size(), 2U) << verb;
    }
}

struct CodeCase {
    std::string name;
    std::string verb;
    std::string file;
    int code;
};

class ShellCodeTest : public PosixShellTest, public ::testing::WithParamInterface<CodeCase> {};

TEST_P(ShellCodeTest, AnswersTheCodeOfTheFailure) {
    standIn("xdg-open");
    writeFile("brev.docx");
    EXPECT_EQ(shell.execute(GetParam().verb, GetParam().file, "", "C:\\", ShowMode::Normal),
              GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(
    Failures, ShellCodeTest,
    ::testing::Values(CodeCase{"MissingFile", "open", "C:\\Sager\\mangler.docx", 2},
                      CodeCase{"MissingFolder", "open", "C:\\Mangler\\brev.docx", 3},
                      CodeCase{"UnknownDrive", "open", "Q:\\brev.docx", 3},
                      CodeCase{"UnknownVerb", "frobnicate", "C:\\Sager\\brev.docx", 31},
                      CodeCase{"PrintTo", "printto", "C:\\Sager\\brev.docx", 31}),
    [](const auto& info) { return info.param.name; });

TEST_F(PosixShellTest, AFileTypeWithoutAnApplicationIsUnknownToTheDesktop) {
    standIn("xdg-open");
    std::ofstream(root.path() / "c" / "Sager" / "notat.lxq", std::ios::binary) << '\x01' << '\x9c';
    const fs::path desktop = root.path() / "desktop";
    fs::create_directories(desktop);
    // In a process of its own: GIO reads the desktop's folders once.
    const pid_t child = ::fork();
    if (child == 0) {
        for (const char* variable :
             {"XDG_DATA_HOME", "XDG_DATA_DIRS", "XDG_CONFIG_HOME", "XDG_CONFIG_DIRS"}) {
            ::setenv(variable, desktop.c_str(), 1);
        }
        PosixShell desktopShell(drives, [](const std::string&) {});
        ::_exit(desktopShell.execute("open", "C:\\Sager\\notat.lxq", "", "C:\\", ShowMode::Normal));
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 31);
}

TEST_F(PosixShellTest, AFileTheUserMayNotReadIsAccessDenied) {
    const std::string file = writeFile("hemmelig.docx");
    fs::permissions(root.path() / "c" / "Sager" / "hemmelig.docx", fs::perms::owner_read);
    fs::permissions(root.path(), fs::perms::all);
    fs::permissions(root.path() / "c", fs::perms::all);
    fs::permissions(root.path() / "c" / "Sager", fs::perms::all);
    // Asked as another user (root may read anything).
    const pid_t child = ::fork();
    if (child == 0) {
        if (::getuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
            ::_exit(100);
        }
        ::_exit(shell.execute("open", file, "", "C:\\", ShowMode::Normal));
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    if (::getuid() != 0 && WEXITSTATUS(status) != 5) {
        GTEST_SKIP() << "this user may read the file";
    }
    EXPECT_EQ(WEXITSTATUS(status), 5);
}

TEST_F(PosixShellTest, PrintsToTheDefaultPrinter) {
    standIn("lp");
    const std::string file = writeFile("brev.pdf");
    ::setenv("PRINTER", "Kontor", 1);
    EXPECT_EQ(shell.execute("PRINT", file, "", "C:\\Sager", ShowMode::Hidden), PosixShell::Started);
    const auto recorded = calls("lp");
    ASSERT_EQ(recorded.size(), 3U);
    EXPECT_EQ(recorded[1], "--");
    EXPECT_EQ(recorded[2], (root.path() / "c" / "Sager" / "brev.pdf").string());
    ::unsetenv("PRINTER");
}

TEST_F(PosixShellTest, LeavesPrintingToThePdfWriterForLater) {
    standIn("lp");
    ::setenv("PRINTER", "Lexitray_PDF_Writer", 1);
    EXPECT_EQ(shell.execute("print", writeFile("brev.pdf"), "", "C:\\", ShowMode::Hidden), 31);
    ASSERT_EQ(notes.size(), 1U);
    EXPECT_FALSE(fs::exists(root.path() / "lp.calls"));
    ::unsetenv("PRINTER");
}

} // namespace
} // namespace lexi::posix
