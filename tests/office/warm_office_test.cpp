#include "platform/failure.h"
#include "platform/posix/libreoffice/fallback_office.h"
#include "platform/posix/libreoffice/warm_office.h"
#include "tests/office/office_processes.h"
#include "tests/support/temp_folder.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <thread>

namespace lexi::posix {
namespace {

using testing::readHostFile;
using testing::TempFolder;

TEST(WarmOffice, ConvertersOfTwoJobsAtOnceShareOneInstanceThatStaysUntilEnded) {
    const TempFolder home;
    for (const char* name : {"a.txt", "b.txt"}) {
        std::ofstream(home.path() / name) << "Brev til " << name << "\n";
    }
    WarmOffice first(home.str());
    WarmOffice second(home.str());
    std::thread other([&] { second.convertToPdf(home.str() + "/b.txt", home.str() + "/b.pdf"); });
    first.convertToPdf(home.str() + "/a.txt", home.str() + "/a.pdf");
    other.join();

    for (const char* name : {"a.pdf", "b.pdf"}) {
        EXPECT_EQ(readHostFile(home.path() / name).substr(0, 5), "%PDF-") << name;
    }
    EXPECT_EQ(testing::officeProcesses(home.str()).size(), 1U);
    first.endInstance();
    EXPECT_EQ(testing::officeProcesses(home.str()).size(), 0U);
}

// Writes a stand-in PDF and counts its calls.
struct CountingOffice final : OfficeConverter {
    explicit CountingOffice(int& calls) : calls_(calls) {}
    void convertToPdf(const std::string&, const std::string& hostPdf) override {
        ++calls_;
        std::ofstream(hostPdf) << "%PDF-1.4 cold";
    }
    int& calls_;
};

// A LibreOffice that takes the connection on its pipe and never answers.
constexpr const char* HungOffice = R"(#!/usr/bin/python3
import os, socket, sys, time
name = next(a for a in sys.argv if a.startswith('--accept=')).split('name=')[1].split(';')[0]
path, s = '/tmp/OSL_PIPE_%d_%s' % (os.getuid(), name), socket.socket(socket.AF_UNIX)
s.bind(path); s.listen(); c = s.accept(); os.unlink(path); time.sleep(600)
)";

TEST(FallbackOffice, TheColdConversionTakesOverWhenNoWarmInstanceCanBeHad) {
    const TempFolder stage;
    std::ofstream(stage.path() / "soffice") << HungOffice;
    std::filesystem::permissions(stage.path() / "soffice", std::filesystem::perms::owner_exec,
                                 std::filesystem::perm_options::add);
    const std::string hung = (stage.path() / "soffice").string();
    const struct {
        const char* program;
        const char* why;
    } cases[] = {
        {"/bin/true", "the instance is gone as soon as it starts"},
        {"/nonexistent/soffice", "LibreOffice cannot be started"},
        {hung.c_str(), "the instance stops answering: it is ended after the time limit"},
    };
    for (const auto& c : cases) {
        const TempFolder home;
        std::ofstream(home.path() / "a.txt") << "Brev\n";
        int calls = 0;
        EXPECT_THROW(WarmOffice(home.str(), c.program, std::chrono::seconds(1))
                         .convertToPdf(home.str() + "/a.txt", home.str() + "/a.pdf"),
                     Failure)
            << c.why;
        FallbackOffice office(
            std::make_unique<WarmOffice>(home.str(), c.program, std::chrono::seconds(1)),
            std::make_unique<CountingOffice>(calls));
        office.convertToPdf(home.str() + "/a.txt", home.str() + "/a.pdf");
        EXPECT_EQ(calls, 1) << c.why;
        EXPECT_EQ(readHostFile(home.path() / "a.pdf"), "%PDF-1.4 cold") << c.why;
    }
}

} // namespace
} // namespace lexi::posix
