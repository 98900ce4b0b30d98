// A whole mail request with case documents on the real program, the PDF
// writer's driver, the hidden-data cleaner and LibreOffice: what the case
// gets filed is what the user asked for.

#include "platform/posix/libreoffice/warm_office.h"
#include "platform/posix/msgfile/message_file.h"
#include "platform/posix/sqlite_registry.h"
#include "shared/pdfwriter/driver_values.h"
#include "shared/pdfwriter/md_pdf_writer.h"
#include "tests/support/command_output.h"
#include "tests/support/recording_ui.h"
#include "tests/support/run_program.h"

#include <gmock/gmock.h>

namespace lexi {
namespace {

namespace fs = std::filesystem;
using testing::commandOutput;

// A two-page document by "Jens Hemmelig", as LibreOffice's flat format.
constexpr const char* Letter = R"(<?xml version="1.0"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"
 xmlns:meta="urn:oasis:names:tc:opendocument:xmlns:meta:1.0"
 xmlns:dc="http://purl.org/dc/elements/1.1/"
 xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0"
 xmlns:fo="urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0"
 office:version="1.2" office:mimetype="application/vnd.oasis.opendocument.text">
<office:meta><meta:initial-creator>Jens Hemmelig</meta:initial-creator>
<dc:creator>Jens Hemmelig</dc:creator></office:meta>
<office:automatic-styles><style:style style:name="P2" style:family="paragraph">
<style:paragraph-properties fo:break-before="page"/></style:style></office:automatic-styles>
<office:body><office:text><text:p>Side en</text:p><text:p text:style-name="P2">Side to</text:p>
</office:text></office:body></office:document>)";

TEST(MailDocumentsE2E, TheFiledMailCarriesEveryDocumentAsTheUserAskedForIt) {
    const testing::TempFolder home, work;
    const fs::path drive = home.path() / "drive_c", cas = drive / "Sager" / "Hansen";
    fs::create_directories(cas);
    std::ofstream(work.path() / "brev.fodt") << Letter;
    std::ofstream(work.path() / "brevpapir.txt") << "BREVPAPIR\n";
    const std::string soffice =
        "cd " + work.str() + " && soffice -env:UserInstallation=file://" + work.str() + "/profile";
    for (const std::string job : {"docx brev.fodt", "doc brev.fodt", "pdf brevpapir.txt"}) {
        const std::string format = job.substr(0, job.find(' ')), file = job.substr(format.size());
        ASSERT_EQ(std::system((soffice + " --convert-to " + format + " --outdir " + cas.string() +
                               file + " >/dev/null 2>&1")
                                  .c_str()),
                  0);
    }
    fs::copy_file(cas / "brev.docx", cas / "udkast.docx");
    std::ofstream(drive / "tmp.txt")
        << "C:\\Sager\r\nHansen\r\n2026-0042\r\nC:\\Sager\\Hansen\\Svar.msg\r\n\r\n\r\n"
           "{6F9619FF-8B86-D011-B42D-00C04FC964FF}\r\n";
    std::ofstream(drive / "findoc.txt") << "C:\\Sager\\Hansen\\brev.docx\r\nC:\\Sager\\Hansen\\"
                                           "brevpapir.pdf\r\nC:\\Sager\\Hansen\\brev.doc\r\n"
                                           "C:\\Sager\\Hansen\\udkast.docx\r\n";
    std::ofstream(work.path() / "script")
        << "naming txtFilnavn Brev.pdf\nnaming txtPassword hemmelig\nnaming chkUsePDFTemplate 1\n"
           "naming fldPDFTemplate C:\\\\Sager\\\\Hansen\\\\brevpapir.pdf\nnaming OK\nnaming OK\n"
           "naming chkClean 1\nnaming OK\nnaming chkClean 1\nnaming OK\nmail send\n";
    const std::map<std::string, std::string> environment = {
        {"LEXITRAY_HOME", home.str()},
        {"LEXITRAY_UI", "script"},
        {"TMPDIR", work.str()},
        {"LEXITRAY_UI_SCRIPT", work.str() + "/script"}};
    for (const char* program : {LEXITRAY_PDFWRITER, LEXITRAY_CLEANER}) {
        ASSERT_EQ(testing::runProgram(program, {"install"}, environment, work.path()).exitCode, 0);
    }
    posix::SqliteRegistry registry(home.str() + "/registry.db");
    testing::RecordingUi ui;
    mdRegistry settings(registry, ui);
    settings.WriteRegistryValue(driver::WindowsKey, driver::DeviceValue, "Kontor,lp,Ne01:", false);
    const testing::ProgramRun request =
        testing::runProgram(LEXITRAY_PROGRAM, {"mail"}, environment, work.path());
    EXPECT_EQ(request.exitCode, 0) << request.standardError;
    posix::WarmOffice(home.str()).endInstance();

    std::map<std::string, std::string> attached;
    for (const auto& a : msgfile::readMessageFile((cas / "Svar.msg").string()).attachments) {
        attached[a.displayName] = a.data;
        std::ofstream(work.path() / a.displayName) << a.data;
    }
    EXPECT_THAT(attached, ::testing::SizeIs(4));
    EXPECT_EQ(attached["brevpapir.pdf"], testing::readHostFile(cas / "brevpapir.pdf"));
    const std::string pdf = work.str() + "/Brev.pdf";
    EXPECT_EQ(commandOutput("pdftotext " + pdf + " - 2>/dev/null"), "") << "a password is needed";
    EXPECT_THAT(
        commandOutput("pdftotext -upw hemmelig " + pdf + " -"),
        ::testing::MatchesRegex("BREVPAPIR\\s+Side en\\s*\f\\s*BREVPAPIR\\s+Side to\\s*\f"));
    EXPECT_THAT(commandOutput("strings " + (cas / "brev.doc").string()),
                ::testing::HasSubstr("Hemmelig"));
    EXPECT_THAT(commandOutput("strings " + work.str() + "/brev.doc") +
                    commandOutput("unzip -p " + work.str() + "/udkast.docx docProps/core.xml"),
                ::testing::Not(::testing::HasSubstr("Hemmelig")));
    EXPECT_EQ(readRegistryText(settings, driver::WindowsKey, driver::DeviceValue),
              "Kontor,lp,Ne01:");
}

} // namespace
} // namespace lexi
