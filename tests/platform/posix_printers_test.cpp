// The printers of a Linux workstation, with stand-ins on PATH for the print
// service and the PDF writer driver that record how they were called.

#include "platform/cp1252.h"
#include "platform/fake/memory_registry.h"
#include "platform/posix/posix_printers.h"
#include "tests/support/child_processes.h"
#include "tests/support/stand_in.h"

#include <gtest/gtest.h>
#include <optional>

namespace lexi::posix {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;
using Text = std::optional<std::string>;

class PosixPrintersTest : public ::testing::Test {
protected:
    PosixPrintersTest() {
        fs::create_directories(bin);
        testing::writeStandIn(bin / "lp", root.path() / "lp.calls");
        std::ofstream(bin / "lp", std::ios::app) << "[ \"$2\" != Mangler ]\n"; // no such printer
        testing::writeStandIn(bin / "lexitray-pdfwriter", root.path() / "driver.calls");
        std::ofstream(bin / "lpstat") << "#!/bin/sh\necho 'system default destination: Gang'\n";
        fs::permissions(bin / "lpstat", fs::perms::owner_all);
    }

    // Writes (or, with none, removes) a text value in the code page.
    void setText(const std::string& key, std::string_view name, const Text& text) {
        const std::string subkey = "Software\\Microsoft\\Windows NT\\CurrentVersion\\" + key;
        (void)registry.createKey(RegistryRoot::CurrentUser, subkey);
        (void)(text ? registry.setValue(RegistryRoot::CurrentUser, subkey, name,
                                        {RegistryType::String, cp1252::fromUtf8(*text) + '\0'})
                    : registry.deleteValue(RegistryRoot::CurrentUser, subkey, name));
    }

    // The arguments a stand-in was called with, waited for only when expected.
    Lines calls(const std::string& record, const Lines& expected) {
        if (expected.empty() && !fs::exists(root.path() / record)) {
            return {};
        }
        Lines lines = testing::standInCalls(root.path() / record);
        fs::remove(root.path() / record);
        return lines.empty() ? lines : Lines(lines.begin() + 1, lines.end()); // no folder
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
    // "Device", $PRINTER, the default printer.
    const std::tuple<Text, std::string, std::string> cases[] = {
        {"Køkken,winspool,Ne01:", "Kontor", "Køkken"},
        {"Lexitray PDF Writer,lexitray-pdfwriter,Ne00:", "", "Lexitray PDF Writer"},
        {std::nullopt, "Kontor", "Kontor"},
        {"", "Kontor", "Kontor"},
        {std::nullopt, "", "Gang"},
    };
    for (const auto& [device, printerVariable, expected] : cases) {
        setText("Windows", "Device", device);
        testing::ScopedVariable variable("PRINTER", printerVariable);
        EXPECT_EQ(printers.defaultPrinter(), expected) << expected;
    }
}

TEST_F(PosixPrintersTest, TheDriverTakesThePdfWritersJobsWhenInstalledAndThePrintServiceTheRest) {
    const std::string hostile = "a b; $(touch pwned) 'q\" `x`.docx";
    std::ofstream(root.path() / hostile) << "x";
    const std::string file = "C:\\" + hostile, host = (root.path() / hostile).string();
    const std::string pdfWriter(PdfWriterName);
    // File, printer, PDF writer installed, answer, the calls of lp and of the driver.
    const std::tuple<std::string, std::string, bool, int, Lines, Lines> cases[] = {
        {file, "Kontor", true, 42, {"-d", "Kontor", "--", host}, {}},
        {file, "LEXITRAY pdf writer", true, 42, {}, {"print", host}},
        {file, pdfWriter, false, 31, {}, {}},
        {file, "Mangler", true, 31, {"-d", "Mangler", "--", host}, {}},
        {file, "", true, 31, {}, {}},
        {"C:\\mangler.docx", "Kontor", true, 2, {}, {}},
        {"Q:\\brev.docx", pdfWriter, true, 3, {}, {}},
    };
    for (const auto& [job, printer, installed, answer, lp, driver] : cases) {
        setText("Devices", PdfWriterName, installed ? Text("lexitray-pdfwriter,Ne00:") : Text());
        notes.clear();
        EXPECT_EQ(printers.print(job, printer), answer) << printer;
        EXPECT_EQ(notes.size(), answer == 31 ? 1U : 0U) << printer << ": every refusal is told";
        EXPECT_EQ(calls("lp.calls", lp), lp) << printer;
        EXPECT_EQ(calls("driver.calls", driver), driver) << printer;
    }
    EXPECT_FALSE(fs::exists(root.path() / "pwned"));
    // The driver runs on its own: no child is left to the printing process
    // (asked in a process that has no other children).
    const auto childrenLeft = testing::runInChildren(1, [&](int) {
        (void)printers.print(file, pdfWriter);
        return ::waitpid(-1, nullptr, WNOHANG) == -1 && errno == ECHILD ? 0 : 1;
    });
    EXPECT_EQ(childrenLeft, std::vector{0});
    EXPECT_EQ(calls("driver.calls", {"print"}), (Lines{"print", host}));
}

} // namespace
} // namespace lexi::posix
