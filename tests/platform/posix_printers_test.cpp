// The printers of a Linux workstation, with stand-ins on PATH for the print
// service and the PDF writer driver that record their arguments.

#include "platform/cp1252.h"
#include "platform/fake/memory_registry.h"
#include "platform/posix/posix_printers.h"
#include "tests/support/child_processes.h"
#include "tests/support/stand_in.h"

#include <gtest/gtest.h>

namespace lexi::posix {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

class PosixPrintersTest : public ::testing::Test {
protected:
    PosixPrintersTest() {
        fs::create_directories(bin);
        testing::writeStandIn(bin / "lp", record);
        std::ofstream(bin / "lp", std::ios::app) << "[ \"$2\" != Mangler ]\n"; // no such printer
        testing::writeStandIn(bin / "lexitray-pdfwriter", record);
    }

    // Writes a text value in the code page; an empty one is no value.
    void setText(const std::string& key, std::string_view name, const std::string& text) {
        const std::string subkey = "Software\\Microsoft\\Windows NT\\CurrentVersion\\" + key;
        (void)registry.createKey(RegistryRoot::CurrentUser, subkey);
        (void)registry.setValue(RegistryRoot::CurrentUser, subkey, name,
                                {RegistryType::String, cp1252::fromUtf8(text) + '\0'});
    }

    // The arguments of the stand-in that ran (without its folder), waited for
    // only when one is expected.
    Lines calls(const Lines& expected) {
        Lines lines =
            expected.empty() && !fs::exists(record) ? Lines{} : testing::standInCalls(record);
        fs::remove(record);
        return lines.empty() ? lines : Lines(lines.begin() + 1, lines.end());
    }

    testing::TempFolder root;
    const fs::path bin = root.path() / "bin", record = root.path() / "calls";
    testing::ScopedVariable path{"PATH", testing::pathWith(bin)};
    fake::MemoryRegistry registry;
    DriveTable drives{{{'C', root.str()}}};
    std::size_t notes = 0;
    PosixPrinters printers{registry, drives, "lexitray-pdfwriter", [this](auto&) {
                               ++notes;
                           }};
};

TEST_F(PosixPrintersTest, TheDefaultIsTheDeviceStringsPrinterElseThePrintServicesDefault) {
    const testing::ScopedVariable variable("PRINTER", "Kontor");
    setText("Windows", "Device", "Køkken,winspool,Ne01:");
    EXPECT_EQ(printers.defaultPrinter(), "Køkken");
    setText("Windows", "Device", "");
    EXPECT_EQ(printers.defaultPrinter(), "Kontor");
}

TEST_F(PosixPrintersTest, TheDriverTakesThePdfWritersJobsWhenInstalledAndThePrintServiceTheRest) {
    const std::string hostile = "a b; $(touch pwned) 'q\" `x`.docx";
    std::ofstream(root.path() / hostile) << "x";
    const std::string file = "C:\\" + hostile, host = (root.path() / hostile).string();
    const std::string pdfWriter(PdfWriterName);
    // File, printer, PDF writer installed, answer, the arguments of lp or the driver.
    const std::tuple<std::string, std::string, bool, int, Lines> cases[] = {
        {file, "Kontor", true, 42, {"-d", "Kontor", "--", host}},
        {file, "LEXITRAY pdf writer", true, 42, {"print", host}},
        {file, pdfWriter, false, 31, {}},
        {file, "Mangler", true, 31, {"-d", "Mangler", "--", host}},
        {file, "", true, 31, {}},
        {"C:\\mangler.docx", "Kontor", true, 2, {}},
        {"Q:\\brev.docx", pdfWriter, true, 3, {}},
    };
    for (const auto& [job, printer, installed, answer, arguments] : cases) {
        setText("Devices", PdfWriterName, installed ? "lexitray-pdfwriter,Ne00:" : "");
        notes = 0;
        EXPECT_EQ(printers.print(job, printer), answer) << printer;
        EXPECT_EQ(notes, answer == 31 ? 1U : 0U) << printer << ": every refusal is told";
        EXPECT_EQ(calls(arguments), arguments) << printer;
    }
    EXPECT_FALSE(fs::exists(root.path() / "pwned"));
    // The driver runs on its own: no child is left to the printing process
    // (asked in a process that has no other children).
    const auto childrenLeft = testing::runInChildren(1, [&](int) {
        (void)printers.print(file, pdfWriter);
        return ::waitpid(-1, nullptr, WNOHANG) == -1 && errno == ECHILD ? 0 : 1;
    });
    EXPECT_EQ(childrenLeft, std::vector{0});
    EXPECT_EQ(calls({"print"}), (Lines{"print", host}));

    // With job settings to go with it, the job carries the token written
    // among them.
    const std::string settings = "Software\\Lexitray PDF Writer";
    (void)registry.createKey(RegistryRoot::CurrentUser, settings);
    EXPECT_EQ(printers.print(file, pdfWriter), 42);
    auto token = queryWholeValue(registry, RegistryRoot::CurrentUser, settings, "JobToken");
    ASSERT_TRUE(token);
    token->data.pop_back();
    EXPECT_EQ(calls({"print"}), (Lines{"print", host, token->data}));
}

} // namespace
} // namespace lexi::posix
