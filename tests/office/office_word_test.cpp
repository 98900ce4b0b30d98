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

} // namespace
} // namespace lexi::posix
