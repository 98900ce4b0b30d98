#pragma once

#include "mail/md_mail.h"
#include "platform/fake/fake_outlook.h"
#include "platform/fake/fake_processes.h"
#include "platform/fake/fake_shell.h"
#include "platform/fake/manual_clock.h"
#include "platform/fake/memory_registry.h"
#include "platform/fake/scripted_outlook_windows.h"
#include "platform/posix/not_installed.h"
#include "platform/posix/posix_filesystem.h"
#include "platform/registry_settings.h"
#include "tests/support/log_lines.h"
#include "tests/support/mail_log_lines.h"
#include "tests/support/recording_ui.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

namespace lexi::testing {

inline const std::string DocumentId = "{0C4E4D5A-1B2C-4D3E-8F90-A1B2C3D4E5F6}";

// A workstation for the mail features: drive C: in a temporary folder with
// the exchange folder C:\Udveksling\, a registry in memory, Outlook faked
// over a store in memory, a manual clock and a scripted user.
class MailFixture : public ::testing::Test {
protected:
    MailFixture() {
        std::filesystem::create_directories(host("Udveksling"));
        std::filesystem::create_directories(host("Sager/Klient"));
        log.setFolder("C:\\");
        program.exchangeFolder = "C:\\Udveksling\\";
        program.startupLocalFolder = "C:\\";
        // The document launcher of the program's frame, as far as printing goes.
        program.StartProgram = [this](std::string_view file, std::string_view verb) {
            return shell.execute(verb, file, "", "", ShowMode::Hidden);
        };
    }

    // The host path of a path below drive C: ("Sager/Klient").
    std::filesystem::path host(const std::string& path) const { return root.path() / "c" / path; }

    void writeExchangeFile(const std::string& name, const std::string& utf8) {
        std::ofstream(host("Udveksling/" + name), std::ios::binary) << cp1252::fromUtf8(utf8);
    }

    // "tmp.txt" for the case C:\Sager\Klient\0001 with the save name or
    // path of line 4 and the document ID of line 7.
    void writeCaseData(const std::string& line4, const std::string& documentId) {
        writeExchangeFile("tmp.txt", "C:\\Sager\r\nKlient\r\n0001\r\n" + line4 + "\r\n\r\n\r\n" +
                                         documentId + "\r\n");
    }

    // The callback file of the document ID's mail.
    std::string callback(const std::string& id = DocumentId) const {
        return readHostFile(host("Mail_" + id + ".txt"));
    }

    // The texts of the run log's lines, without date and tab.
    std::vector<std::string> logLines() const {
        return logLineTexts(readHostFile(host("Lexitray_tester.log")));
    }
    // The run log of a mail request up to the mail's modal display, as
    // logWas compares it: the lines of a new mail's recipients, or of a
    // reopened mail; `started` when the request started Outlook.
    static std::string shownLog(std::string_view mailLines, bool started = false) {
        return std::string("Starting new instance of NaviMail Procedure\n"
                           "Try to get instance of outlook\n") +
               (started ? "No instances found , Opening up Outlook\n" : "") +
               "Lokaldrevet er C:\\Udveksling\\\n"
               "~Det er en Outlook version [0-9.]+\n"
               "Laver tempmappe\n"
               "~Tempmappen hedder Z:.*\\\\lexitray\\\\mail-[0-9]+-1\n"
               "Åbner instans af Outlook\n" +
               std::string(mailLines) + "Henter eventuelle dokumenter til vedhæftning\n" +
               DraftShownLines;
    }
    static constexpr const char* ReopenedMailLog = "Det er en gemt mail, som ikke er sendt\n"
                                                   "Viser mail med signatur\n";
    // A mail without a subject takes the case number, here from no "tmp.txt".
    static constexpr const char* NoCaseNumberLog = "Finder og indsætter vedrørende\n"
                                                   "Filen tmp.txt blev ikke fundet!\n";
    // The lines of a new mail, with those of reading "finmail.txt".
    static std::string newMailLog(std::string_view recipientLines) {
        return "Det er ny mail\nViser mail med signatur\nHenter modtagere\n" +
               std::string(recipientLines);
    }
    // Whether to save the changes of a reopened mail: asked, and answered.
    static std::string askedLog(std::string_view documentId, bool yes) {
        return (documentId.empty() ? "Ask With Empty GUID"
                                   : "Ask With Document " + std::string(documentId)) +
               "\nresponce from user found , will continue with IsSave True\n" +
               (yes ? "responce from user is YES Save\n" : "Bruger valgte ikke at gemme\n");
    }

    // Whether the run log holds exactly these lines, as testing::logIs
    // compares them; the log is emptied for what comes next.
    ::testing::AssertionResult logWas(std::string_view expected) {
        const ::testing::AssertionResult result = logIs(logLines(), expected);
        std::filesystem::remove(host("Lexitray_tester.log"));
        return result;
    }
    // Whether the lines of the text, separated by line feeds, are among the
    // log's lines in that order; the first missing one is added to the failure.
    ::testing::AssertionResult logHas(std::string_view expected) const {
        const auto lines = logLines();
        auto at = lines.begin();
        for (const std::string_view line : text::split(expected, "\n")) {
            if ((at = std::find(at, lines.end(), line)) == lines.end()) {
                return ::testing::AssertionFailure() << "missing, or out of order: " << line;
            }
        }
        return ::testing::AssertionSuccess();
    }

    OutlookApplication& app() { return *outlook.start(); }
    // The mail saved at the path, as Outlook opens it.
    ItemPtr savedMail(const std::string& path) { return app().createItemFromTemplate(path); }
    OutlookItems& folderItems(int folder) {
        items = app().session()->getDefaultFolder(folder)->items();
        return *items;
    }

    TempFolder root;
    // The work folder of a mail lies in the temporary folder: each test has
    // its own, so that tests running at once do not share it.
    ScopedVariable temporaryFolder{"TMPDIR", root.str()};
    fake::MemoryRegistry registry;
    RegistrySettings settings{registry};
    posix::PosixFileSystem files{posix::DriveTable({{'C', root.str() + "/c"}, {'Z', "/"}})};
    fake::FakeProcesses processes;
    fake::FakeShell shell;
    RecordingUi ui;
    fake::ManualClock clock{{2026, 12, 5, 14, 5, 33}};
    fake::ScriptedOutlookWindows windows;
    mailstore::FakeOutlook outlook{clock, ui, windows, files.drives()};
    posix::NoWord word;
    posix::NoWindows windowSearch;
    Platform platform{registry, settings, files,   processes, shell,
                      ui,       clock,    outlook, word,      windowSearch};
    RunLog log{files, processes, clock};
    ProgramState program;
    MailState state;
    MailContext context{platform, log, program, state};
    ItemsPtr items;
};

} // namespace lexi::testing
