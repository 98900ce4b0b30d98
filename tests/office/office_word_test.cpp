#include "platform/failure.h"
#include "platform/fake/fake_printers.h"
#include "platform/posix/libreoffice/office_word.h"
#include "platform/posix/posix_printers.h"
#include "platform/posix/sqlite_registry.h"
#include "shared/pdfwriter/md_pdf_writer.h"
#include "tests/support/recording_ui.h"
#include "tests/support/run_program.h"
#include "tests/support/temp_folder.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <thread>

namespace lexi::posix {
namespace {

namespace fs = std::filesystem;
using testing::readHostFile;

TEST(OfficeWord, SavesRealDocumentsUnderAnotherNameInTheirOwnFormat) {
    const testing::TempFolder folder;
    std::ofstream(folder.path() / "brev.txt") << "Fortroligt brev\n";
    for (const char* kind : {"doc", "docx"}) {
        ASSERT_EQ(testing::runProgram("/usr/bin/soffice",
                                      {"-env:UserInstallation=file://" + folder.str() + "/cold",
                                       "--headless", "--convert-to", kind, "brev.txt"},
                                      {}, folder.path())
                      .exitCode,
                  0);
    }
    const DriveTable drives({{'C', folder.str()}});
    fake::FakePrinters printers;
    OfficeWord word(drives, printers, folder.str() + "/home");
    EXPECT_EQ(word.running(), nullptr);
    const auto application = word.start();

    for (const auto& [name, magic] :
         {std::pair<std::string, std::string>{"brev.doc", "\xD0\xCF"}, {"brev.docx", "PK"}}) {
        const auto document = application->open("C:\\" + name, false, false, false);
        document->setReadOnlyRecommended(false);
        document->saveAs("C:\\" + name + "_");
        document->close(false);
        EXPECT_EQ(readHostFile(folder.path() / (name + "_")).substr(0, 2), magic) << name;
        // Closed: LibreOffice's lock file of the document is gone.
        EXPECT_FALSE(fs::exists(folder.path() / (".~lock." + name + "#")));
    }

    std::ofstream(folder.path() / "damaged.docx") << "PK\x03\x04 not a package";
    // Another user has this one open in LibreOffice.
    fs::copy_file(folder.path() / "brev.doc", folder.path() / "inuse.doc");
    std::ofstream(folder.path() / ".~lock.inuse.doc#")
        << ",Anden Bruger,anden-pc,05.12.2026 14:05,file:///home/anden/.config/libreoffice/4;";
    for (const auto& [path, number] : {std::pair{"C:\\missing.doc", failure::FileNotFound},
                                       {"C:\\damaged.docx", failure::PathFileAccessError},
                                       {"C:\\inuse.doc", failure::PermissionDenied}}) {
        try {
            application->open(path, false, false, false);
            ADD_FAILURE() << path << " opened";
        } catch (const Failure& failure) {
            EXPECT_EQ(failure.number(), number) << path;
        }
    }
    EXPECT_NE(word.running(), nullptr);
    WarmOffice(folder.str() + "/home").endInstance();
}

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

// The PDF writer's driver as the workstation has it: installed for the user
// of the home, sharing the home's warm instance with Word.
TEST(OfficeWord, PrintsToThePdfWriterAndReadsTheMergeDataSource) {
    const testing::TempFolder folder;
    const std::string home = folder.str() + "/home";
    const testing::ScopedVariable homeVariable("LEXITRAY_HOME", home);
    ASSERT_EQ(testing::runProgram(LEXITRAY_PDFWRITER, {"install"}, {}, "/").exitCode, 0);
    const fs::path drive = home + "/drive_c";
    fs::create_directories(drive);
    std::ofstream(drive / "brev.txt") << "Fortroligt brev\n";
    ASSERT_EQ(testing::runProgram("/usr/bin/soffice",
                                  {"-env:UserInstallation=file://" + folder.str() + "/cold",
                                   "--headless", "--convert-to", "docx", "brev.txt"},
                                  {}, drive)
                  .exitCode,
              0);
    addMergeDataSource(drive / "brev.docx", drive / "flet.docx");

    SqliteRegistry registry(home + "/registry.db");
    testing::RecordingUi ui;
    mdRegistry module(registry, ui);
    mdPDFWriter writer(module, ui);
    writer.SetPDFWriterSetting("DisplayMode", "1");
    writer.SetPDFWriterSetting("FileName", "C:\\brev.pdf");
    const DriveTable drives = DriveTable::load(registry, home);
    PosixPrinters printers(registry, drives, LEXITRAY_PDFWRITER, [](auto&) {});
    OfficeWord word(drives, printers, home);
    const auto application = word.start();
    application->setActivePrinter("Lexitray PDF Writer on Ne00:");
    EXPECT_EQ(application->activePrinter(), "Lexitray PDF Writer on Ne00:");

    for (const auto& [name, source] :
         {std::pair{"brev.docx", ""}, {"flet.docx", "C:\\Data\\adresser ny.xlsx"}}) {
        EXPECT_EQ(application->open(std::string("C:\\") + name, false, false, false)
                      ->mailMergeDataSource(),
                  source);
    }
    auto document = application->open("C:\\brev.docx", false, false, false);
    document->printOut(false);
    document->close(false);
    // The driver writes the PDF on its own, whole or not at all.
    for (int look = 0; look < 600 && !fs::exists(drive / "brev.pdf"); ++look) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    EXPECT_EQ(testing::readHostFile(drive / "brev.pdf").substr(0, 5), "%PDF-");
    WarmOffice(home).endInstance();
}

} // namespace
} // namespace lexi::posix
