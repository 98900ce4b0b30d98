// The run logs every build's program writes alike, by the program on Linux:
// drive C: in a fresh home, a desktop of its own that opens ".docx" files,
// the mail store as Outlook and LibreOffice as Word.

#include "platform/posix/libreoffice/warm_office.h"
#include "platform/posix/msgfile/message_file.h"
#include "tests/e2e/case_mail_scenario.h"
#include "tests/e2e/run_log_scenario.h"
#include "tests/support/command_output.h"
#include "tests/support/run_program.h"
#include "tests/support/stand_in.h"

#include <gmock/gmock.h>
#include <memory>
#include <pwd.h>

namespace lexi::testing {
namespace {

namespace fs = std::filesystem;

class LinuxWorkstation {
public:
    LinuxWorkstation() {
        fs::create_directories(home_.path() / "drive_c");
        std::ofstream(home_.path() / "drive_c" / "brev.docx") << "brev";
        writeStandIn(work_.path() / "xdg-open", work_.path() / "opened");
        environment_ = desktopOpeningDocx(work_.path() / "desktop");
        environment_.merge(std::map<std::string, std::string>{
            {"LEXITRAY_HOME", home_.str()},
            {"LEXITRAY_UI", "script"},
            {"LEXITRAY_UI_TRANSCRIPT", (work_.path() / "transcript").string()},
            {"PATH", pathWith(work_.path())},
            {"TMPDIR", work_.str()}});
    }

    ~LinuxWorkstation() { posix::WarmOffice(home_.str()).endInstance(); }
    LinuxWorkstation(const LinuxWorkstation&) = delete;
    LinuxWorkstation& operator=(const LinuxWorkstation&) = delete;

    void installPdfWriter() {
        runProgram(LEXITRAY_PDFWRITER, {"install"}, environment_, work_.path());
    }
    // A file on drive C: as this machine names it.
    fs::path onDriveC(std::string path) const {
        std::replace(path.begin(), path.end(), '\\', '/');
        return home_.path() / "drive_c" / path.substr(3);
    }
    void write(const std::string& path, const std::string& bytes) {
        const fs::path file = onDriveC(path);
        fs::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << bytes;
    }
    void run(const std::vector<std::string>& arguments, const std::string& script) {
        std::ofstream(work_.path() / "script") << script;
        auto environment = environment_;
        environment["LEXITRAY_UI_SCRIPT"] = (work_.path() / "script").string();
        runProgram(LEXITRAY_PROGRAM, arguments, environment, work_.path());
    }
    void start(const std::vector<std::string>& arguments) {
        background_ = std::make_unique<RunningProgram>(LEXITRAY_PROGRAM, arguments, environment_,
                                                       work_.path());
    }
    bool backgroundEnded() {
        const pid_t id = background_->id();
        if (!eventually([id] { return ::waitpid(id, nullptr, WNOHANG) == id; })) {
            return false;
        }
        background_->wait();
        return true;
    }
    std::string peekLog() const { return readHostFile(logFile()); }
    std::string takeLog() {
        std::string bytes = peekLog();
        fs::remove(logFile());
        return bytes;
    }
    Lines takeTranscript() {
        Lines events = transcriptEvents(work_.path() / "transcript");
        fs::remove(work_.path() / "transcript");
        return events;
    }

private:
    fs::path logFile() const {
        return home_.path() / "drive_c" /
               ("Lexitray_" + std::string(::getpwuid(::getuid())->pw_name) + ".log");
    }

    TempFolder home_;
    TempFolder work_;
    std::map<std::string, std::string> environment_;
    std::unique_ptr<RunningProgram> background_;
};

TEST(RunLog, EachRequestWritesTheLinesOfEveryWorkstation) {
    LinuxWorkstation workstation;
    expectTheSameRunLogs(workstation);
}

TEST(RunLog, TheCaseMailWithADocumentPrintedToPdfWritesTheLinesOfEveryWorkstation) {
    LinuxWorkstation workstation;
    workstation.installPdfWriter();
    workstation.write("C:\\Sager\\Hansen\\brev.docx", "brev");
    sendTheCaseMailWithAPdf(workstation);
    // The user's password went with the job to the PDF writer's driver.
    const TempFolder pdfs;
    for (const auto& attached :
         msgfile::readMessageFile(workstation.onDriveC("C:\\Sager\\Hansen\\Svar.msg"))
             .attachments) {
        std::ofstream(pdfs.path() / attached.displayName) << attached.data;
    }
    const std::string pdf = (pdfs.path() / "Brev.pdf").string();
    EXPECT_EQ(commandOutput("pdftotext " + pdf + " - 2>/dev/null"), "") << "a password is needed";
    EXPECT_THAT(commandOutput("pdftotext -upw hemmelig " + pdf + " -"),
                ::testing::HasSubstr("brev"));
}

TEST(RunLog, TheCaseMailClosedUnsentWritesTheLinesOfEveryWorkstation) {
    LinuxWorkstation workstation;
    workstation.write("C:\\Sager\\Hansen\\brev.docx", "brev");
    closeTheCaseMailUnsent(workstation);
}

} // namespace
} // namespace lexi::testing
