#include "platform/failure.h"
#include "platform/posix/libreoffice/office_word.h"
#include "platform/posix/posix_printers.h"
#include "platform/posix/sqlite_registry.h"
#include "shared/pdfwriter/md_pdf_writer.h"
#include "tests/office/office_processes.h"
#include "tests/support/failure_number.h"
#include "tests/support/recording_ui.h"
#include "tests/support/run_program.h"
#include "tests/support/temp_folder.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <thread>

namespace lexi::posix {
namespace {

namespace fs = std::filesystem;
using testing::readHostFile;

// A Word 2007 document whose mail merge takes its data from adresser ny.xlsx.
void addMergeDataSource(const fs::path& from, const fs::path& to) {
    const char* script = R"(
import sys, zipfile
source, target = zipfile.ZipFile(sys.argv[1]), zipfile.ZipFile(sys.argv[2], 'w')
merge = (b'<w:mailMerge><w:dataSource xmlns:r="http://schemas.openxmlformats.org/officeDocument/'
         b'2006/relationships" r:id="rId7"/></w:mailMerge></w:settings>')
for item in source.infolist():
    target.writestr(item, source.read(item).replace(b'</w:settings>', merge))
target.writestr('word/_rels/settings.xml.rels', '<Relationships><Relationship Id="rId7" '
                'Target="file:///C:/Data/adresser%20ny.xlsx" TargetMode="External"/></Relationships>')
)";
    ASSERT_EQ(testing::runProgram("/usr/bin/python3", {"-c", script, from, to}, {}, "/").exitCode,
              0);
}

// Word over the home's warm instance, which the PDF writer's driver,
// installed for the user of the home, shares.
TEST(OfficeWord, SavesPrintsAndReadsRealDocuments) {
    const testing::TempFolder root;
    const std::string home = root.str() + "/home";
    const testing::ScopedVariable homeVariable("LEXITRAY_HOME", home);
    ASSERT_EQ(testing::runProgram(LEXITRAY_PDFWRITER, {"install"}, {}, "/").exitCode, 0);
    const fs::path drive = home + "/drive_c";
    fs::create_directories(drive);
    std::ofstream(drive / "brev.txt") << "Fortroligt brev\n";
    for (const char* kind : {"doc", "docx"}) {
        ASSERT_EQ(testing::runProgram("/usr/bin/soffice",
                                      {"-env:UserInstallation=file://" + root.str() + "/cold",
                                       "--headless", "--convert-to", kind, "brev.txt"},
                                      {}, drive)
                      .exitCode,
                  0);
    }
    SqliteRegistry registry(home + "/registry.db");
    const DriveTable drives = DriveTable::load(registry, home);
    PosixPrinters printers(registry, drives, LEXITRAY_PDFWRITER, [](auto&) {});
    OfficeWord word(drives, printers, home);
    EXPECT_EQ(word.running(), nullptr);
    const auto application = word.start();

    for (const auto& [name, magic] :
         {std::pair<std::string, std::string>{"brev.doc", "\xD0\xCF"}, {"brev.docx", "PK"}}) {
        const auto document = application->open("C:\\" + name, false, false, false);
        document->setReadOnlyRecommended(false);
        document->saveAs("C:\\" + name + "_");
        document->close(false);
        EXPECT_EQ(readHostFile(drive / (name + "_")).substr(0, 2), magic) << name;
        // Closed: LibreOffice's lock file of the document is gone.
        EXPECT_FALSE(fs::exists(drive / (".~lock." + name + "#")));
    }

    std::ofstream(drive / "damaged.docx") << "PK\x03\x04 not a package";
    // Another user has this one open in LibreOffice.
    fs::copy_file(drive / "brev.doc", drive / "inuse.doc");
    std::ofstream(drive / ".~lock.inuse.doc#")
        << ",Anden Bruger,anden-pc,05.12.2026 14:05,file:///home/anden/.config/libreoffice/4;";
    for (const auto& [path, number] : {std::pair{"C:\\missing.doc", failure::FileNotFound},
                                       {"C:\\damaged.docx", failure::PathFileAccessError},
                                       {"C:\\inuse.doc", failure::PermissionDenied}}) {
        EXPECT_EQ(testing::failureNumber([&] { application->open(path, false, false, false); }),
                  number)
            << path;
    }
    EXPECT_NE(word.running(), nullptr);

    addMergeDataSource(drive / "brev.docx", drive / "flet.docx");
    for (const auto& [name, source] :
         {std::pair{"brev.docx", ""}, {"flet.docx", "C:\\Data\\adresser ny.xlsx"}}) {
        EXPECT_EQ(application->open(std::string("C:\\") + name, false, false, false)
                      ->mailMergeDataSource(),
                  source);
    }

    testing::RecordingUi ui;
    mdRegistry module(registry, ui);
    mdPDFWriter(module, ui).SetPDFWriterSetting("DisplayMode", "1");
    mdPDFWriter(module, ui).SetPDFWriterSetting("FileName", "C:\\brev.pdf");
    application->setActivePrinter("Lexitray PDF Writer on Ne00:");
    EXPECT_EQ(application->activePrinter(), "Lexitray PDF Writer on Ne00:");
    application->open("C:\\brev.docx", false, false, false)->printOut(false);
    // The driver writes the PDF on its own, whole or not at all.
    for (int look = 0; look < 600 && !fs::exists(drive / "brev.pdf"); ++look) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    EXPECT_EQ(readHostFile(drive / "brev.pdf").substr(0, 5), "%PDF-");
    WarmOffice(home).endInstance();
}

// The instance may be lost (killed) or hang (stopped) while the program
// works with it: a lost one is replaced as a document is next opened;
// attaching to a hung one ends it within the time limit, and a new one
// takes over when Word is started.
TEST(OfficeWord, ALostOrHungInstanceIsReplaced) {
    const testing::TempFolder root;
    const std::string home = root.str() + "/home";
    fs::create_directories(home + "/drive_c");
    std::ofstream(home + "/drive_c/brev.txt") << "Brev\n";
    SqliteRegistry registry(home + "/registry.db");
    const DriveTable drives = DriveTable::load(registry, home);
    PosixPrinters printers(registry, drives, LEXITRAY_PDFWRITER, [](auto&) {});
    OfficeWord word(drives, printers, home, "soffice", std::chrono::seconds(10));
    const auto opens = [](WordApplication& application) {
        application.open("C:\\brev.txt", false, true, false)->close(false);
    };
    const auto application = word.start();
    opens(*application);

    ASSERT_EQ(testing::officeProcesses(home).size(), 1U);
    ::kill(testing::officeProcesses(home).at(0), SIGKILL);
    while (!testing::officeProcesses(home).empty()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    EXPECT_NO_THROW(opens(*application)) << "lost";

    ASSERT_EQ(testing::officeProcesses(home).size(), 1U);
    ::kill(testing::officeProcesses(home).at(0), SIGSTOP);
    try {
        word.running();
        ADD_FAILURE() << "a hung instance answered";
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.description(),
                  "LibreOffice did not answer within 10 seconds and was ended");
    }
    EXPECT_NO_THROW(opens(*word.start())) << "hung";
    WarmOffice(home).endInstance();
}

} // namespace
} // namespace lexi::posix
