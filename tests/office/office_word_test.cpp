#include "platform/failure.h"
#include "platform/posix/libreoffice/office_word.h"
#include "tests/support/run_program.h"
#include "tests/support/temp_folder.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

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
    OfficeWord word(drives, folder.str() + "/home");
    EXPECT_EQ(word.running(), nullptr);
    const auto application = word.start();

    const struct {
        const char* name;
        std::string magic;
    } kinds[] = {{"brev.doc", "\xD0\xCF\x11\xE0"}, {"brev.docx", "PK"}};
    for (const auto& kind : kinds) {
        const std::string path = "C:\\" + std::string(kind.name);
        const auto document = application->open(path, false, false, false);
        document->setReadOnlyRecommended(false);
        document->saveAs(path + "_");
        document->close(false);
        EXPECT_EQ(readHostFile(folder.path() / (kind.name + std::string("_")))
                      .substr(0, kind.magic.size()),
                  kind.magic)
            << kind.name;
        // Closed: LibreOffice's lock file of the document is gone.
        EXPECT_FALSE(fs::exists(folder.path() / (".~lock." + std::string(kind.name) + "#")));
    }

    std::ofstream(folder.path() / "damaged.docx") << "PK\x03\x04 not a package";
    fs::copy_file(folder.path() / "brev.doc", folder.path() / "inuse.doc");
    // Another user has it open in LibreOffice.
    std::ofstream(folder.path() / ".~lock.inuse.doc#")
        << ",Anden Bruger,anden-pc,05.12.2026 14:05,file:///home/anden/.config/libreoffice/4;";
    const struct {
        const char* path;
        int number;
    } failures[] = {{"C:\\missing.doc", failure::FileNotFound},
                    {"C:\\damaged.docx", failure::PathFileAccessError},
                    {"C:\\inuse.doc", failure::PermissionDenied}};
    for (const auto& f : failures) {
        try {
            application->open(f.path, false, false, false);
            ADD_FAILURE() << f.path << " opened";
        } catch (const Failure& failure) {
            EXPECT_EQ(failure.number(), f.number) << f.path;
        }
    }
    EXPECT_NE(word.running(), nullptr);
    WarmOffice(folder.str() + "/home").endInstance();
}

} // namespace
} // namespace lexi::posix
