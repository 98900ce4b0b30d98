// The printers of a Linux workstation, with stand-ins on PATH for the print
// service and the PDF writer driver that record how they were called.

#include "platform/cp1252.h"
#include "platform/fake/memory_registry.h"
#include "platform/posix/posix_printers.h"
#include "tests/support/child_processes.h"
#include "tests/support/stand_in.h"
#include "tests/support/temp_folder.h"

#include <cerrno>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <sys/wait.h>

namespace lexi::posix {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

constexpr std::string_view CurrentVersion = "Software\\Microsoft\\Windows NT\\CurrentVersion";

class PosixPrintersTest : public ::testing::Test {
protected:
    PosixPrintersTest() {
        fs::create_directories(bin);
        // The print service knows no printer "Mangler".
        testing::writeStandIn(bin / "lp", root.path() / "lp.calls");
        std::ofstream(bin / "lp", std::ios::app) << "[ \"$2\" != Mangler ]\n";
        testing::writeStandIn(bin / "lexitray-pdfwriter", root.path() / "driver.calls");
        std::ofstream(bin / "lpstat") << "#!/bin/sh\necho 'system default destination: Gang'\n";
        fs::permissions(bin / "lpstat", fs::perms::owner_all);
    }

    // Writes a text value of the user's registry, in the code page; none
    // removes it.
    void setText(std::string_view key, std::string_view name, std::optional<std::string> text) {
        const std::string subkey = std::string(CurrentVersion) + "\\" + std::string(key);
        if (!text) {
            (void)registry.deleteValue(RegistryRoot::CurrentUser, subkey, name);
            return;
        }
        ASSERT_EQ(registry.createKey(RegistryRoot::CurrentUser, subkey), RegistryStatus::Ok);
        const RegistryValue value{RegistryType::String, cp1252::fromUtf8(*text) + '\0'};
        ASSERT_EQ(registry.setValue(RegistryRoot::CurrentUser, subkey, name, value),
                  RegistryStatus::Ok);
    }

    // The arguments a stand-in was called with (without its working folder),
    // waited for only when a call is expected.
    Lines calls(const std::string& record, const Lines& expected) {
        if (expected.empty() && !fs::exists(root.path() / record)) {
            return {};
        }
        Lines lines = testing::standInCalls(root.path() / record);
        fs::remove(root.path() / record);
        return lines.empty() ? lines : Lines(lines.begin() + 1, lines.end());
    }

    testing::TempFolder root;
    const fs::path bin = root.path() / "bin";
    testing::ScopedVariable path{"PATH", testing::pathWith(bin)};
    fake::MemoryRegistry registry;
    DriveTable drives{{{'C', root.str()}}};
    Lines notes;
    PosixPrinters printers{registry, drives, "lexitray-pdfwriter", [this](const std::string& note) {
                               notes.push_back(note);
                           }};
};

TEST_F(PosixPrintersTest, TheDefaultIsTheDeviceStringsPrinterElseThePrintServicesDefault) {
    const std::tuple<std::optional<std::string>, std::string, std::string> cases[] = {
        {"Køkken,winspool,Ne01:", "Kontor", "Køkken"},
        {"Lexitray PDF Writer,lexitray-pdfwriter,Ne00:", "", "Lexitray PDF Writer"},
        {std::nullopt, "Kontor", "Kontor"},
        {"", "Kontor", "Kontor"},
        {std::nullopt, "", "Gang"},
    };
    for (const auto& [device, printerVariable, expected] : cases) {
        setText("Windows", "Device", device);
        testing::ScopedVariable variable("PRINTER", printerVariable);
        EXPECT_EQ(printers.defaultPrinter(), expected) << device.value_or("(none)");
    }
}

TEST_F(PosixPrintersTest, TheDriverTakesThePdfWritersJobsWhenInstalledAndThePrintServiceTheRest) {
    const std::string hostile = "a b; $(touch pwned) 'q\" `x`.docx";
    std::ofstream(root.path() / hostile) << "x";
    const std::string file = "C:\\" + hostile, host = (root.path() / hostile).string();
    constexpr int Taken = PosixPrinters::Taken;
    struct Case {
        std::string file;
        std::string printer;
        bool installed;
        int answer;
        Lines lp;
        Lines driver;
    };
    const Case cases[] = {
        {file, "Kontor", true, Taken, {"-d", "Kontor", "--", host}, {}},
        {file, "Lexitray PDF Writer", true, Taken, {}, {"print", host}},
        {file, "LEXITRAY pdf writer", true, Taken, {}, {"print", host}},
        {file, "Lexitray PDF Writer", false, 31, {}, {}},
        {file, "Mangler", true, 31, {"-d", "Mangler", "--", host}, {}},
        {file, "", true, 31, {}, {}},
        {"C:\\mangler.docx", "Kontor", true, 2, {}, {}},
        {"Q:\\brev.docx", "Lexitray PDF Writer", true, 3, {}, {}},
    };
    for (const Case& c : cases) {
        setText("Devices", "Lexitray PDF Writer",
                c.installed ? std::optional<std::string>("lexitray-pdfwriter,Ne00:")
                            : std::nullopt);
        notes.clear();
        EXPECT_EQ(printers.print(c.file, c.printer), c.answer) << c.printer;
        // Every refusal is told.
        EXPECT_EQ(notes.size(), c.answer == 31 ? 1u : 0u) << c.printer;
        EXPECT_EQ(calls("lp.calls", c.lp), c.lp) << c.printer;
        EXPECT_EQ(calls("driver.calls", c.driver), c.driver) << c.printer;
    }
    EXPECT_FALSE(fs::exists(root.path() / "pwned"));
    // The driver runs on its own: no child of the printing process is left to
    // be waited for (asked in a process that has no other children).
    const auto childrenLeft = testing::runInChildren(1, [&](int) {
        (void)printers.print(file, PdfWriterName);
        return ::waitpid(-1, nullptr, WNOHANG) == -1 && errno == ECHILD ? 0 : 1;
    });
    EXPECT_EQ(childrenLeft, std::vector{0});
    EXPECT_EQ(calls("driver.calls", {"print"}), (Lines{"print", host}));
}

} // namespace
} // namespace lexi::posix
