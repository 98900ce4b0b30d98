// Casebench's Kalender on Windows: its members called by name through the
// library's frame, over Outlook reached by automation (the double of
// Outlook.Application), the Win32 file system and the Win32 window search.
// The rules of each member are the portable library's and are tested there;
// these tests show that they hold over automation.

#include "library/casebench_library.h"
#include "platform/fake/fake_processes.h"
#include "platform/fake/fake_word.h"
#include "platform/fake/memory_registry.h"
#include "platform/registry_settings.h"
#include "platform/script/scripted_ui.h"
#include "platform/win32/outlook_automation.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_filesystem.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_window_search.h"
#include "platform/win32/fake/fake_outlook.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace lexi::win32 {
namespace {

// The double of Outlook as the running instance.
class RunningDouble final : public OutlookConnector {
public:
    explicit RunningDouble(DispatchObject application) : application_(std::move(application)) {}
    std::shared_ptr<OutlookApplication> running() override { return outlookOf(application_); }
    std::shared_ptr<OutlookApplication> start() override { return outlookOf(application_); }

private:
    DispatchObject application_;
};

class KalenderOnAutomation : public ::testing::Test {
protected:
    KalenderOnAutomation() { std::filesystem::create_directories(folder_); }
    ~KalenderOnAutomation() override { std::filesystem::remove_all(folder_); }

    Variant call(std::string_view member, std::vector<Variant> arguments = {}) {
        args = std::move(arguments);
        return kalender->invoke(kalender->classInfo().member(member)->dispatchId, args);
    }
    std::string text(std::string_view member, std::vector<Variant> arguments) {
        return call(member, std::move(arguments)).toText();
    }
    std::size_t count(int folder) { return mailbox->folders[folder].size(); }
    // A folder of the test's own, as a Windows path ending in "\".
    std::string folder() const { return fromWide(folder_.wstring()) + "\\"; }

    std::shared_ptr<fakecom::FakeMailbox> mailbox = std::make_shared<fakecom::FakeMailbox>();
    DispatchObject application = fakecom::newFakeOutlook(mailbox).object();
    RunningDouble outlook{application};
    fake::MemoryRegistry registry;
    RegistrySettings settings{registry};
    Win32FileSystem files;
    fake::FakeProcesses processes;
    Win32Shell shell;
    script::ScriptedUi ui{"", [](const script::Record&) {
                          }};
    Win32Clock clock;
    fake::FakeWord word{files};
    Win32WindowSearch windows;
    Platform platform{registry, settings, files,   processes, shell,
                      ui,       clock,    outlook, word,      windows};
    CasebenchLibrary library{platform};
    std::shared_ptr<AutomationObject> kalender = library.create("Casebench.Kalender");
    std::vector<Variant> args;

private:
    std::filesystem::path folder_ = std::filesystem::temp_directory_path() /
                                    ("kalender-" + std::to_string(GetCurrentProcessId()));
};

// A task is created, read, re-dated, completed and deleted by the identity
// Outlook gave it; the due date the host passes reaches Outlook unchanged.
TEST_F(KalenderOnAutomation, KeepsATaskInStepByItsIdentity) {
    const std::string id = text("TilOpgave", {"A-12", "100", "Hansen", "Lejetvist", "Svarskrift",
                                              "Frist", Variant::date(46380), ""});
    ASSERT_NE(id, "ERROR");
    const ItemPtr task = outlook.running()->session()->getItemFromId(id);
    EXPECT_EQ(task->subject(), "A-12: Frist");
    EXPECT_EQ(task->body(), "Sag: A-12 Lejetvist\rKlient: 100 Hansen\rAktivitet: Svarskrift");
    EXPECT_EQ(count(outlook::FolderTasks), 1u);
    const struct {
        const char* member;
        std::vector<Variant> arguments;
        const char* answer;
    } steps[] = {
        {"CheckDato", {id}, "24-12-2026"},
        {"SkiftDato", {id, Variant::date(46381.5)}, "OK"},
        {"CheckDato", {id}, "25-12-2026 12:00:00"},
        {"MarkerStatus", {id, Variant::boolean(true)}, "OK"},
        {"MarkerStatus", {id, Variant::boolean(false)}, "OK"},
        {"Checkstatus", {id}, ""},
        {"VisOpgave", {id}, "OK"},
        {"CheckDato", {"FFFF"}, "ERROR"},
        {"SletOpgave", {id}, "OK"},
    };
    for (const auto& step : steps) {
        EXPECT_EQ(text(step.member, step.arguments), step.answer) << step.member;
    }
    EXPECT_EQ(count(outlook::FolderTasks), 0u);
}

TEST_F(KalenderOnAutomation, SavesAContactAndLooksForOutlooksWindow) {
    EXPECT_EQ(text("TilKontakt", {"Anna Ø", "Firma A/S", "", "", "Århus", "anna@firma.dk", "1", "2",
                                  "Advokat", Variant::boolean(false)}),
              "OK");
    const ItemsPtr contacts =
        outlook.running()->session()->getDefaultFolder(outlook::FolderContacts)->items();
    ASSERT_EQ(contacts->count(), 1);
    EXPECT_EQ(contacts->item(1)->businessAddress(), "\rÅrhus");

    // Outlook's main window by its class and exact title.
    WNDCLASSW outlookClass{};
    outlookClass.lpfnWndProc = DefWindowProcW;
    outlookClass.lpszClassName = L"mspim_wnd32";
    RegisterClassW(&outlookClass);
    const HWND main =
        CreateWindowExW(0, L"mspim_wnd32", L"Indbakke - Microsoft Outlook", WS_OVERLAPPED, 0, 0, 10,
                        10, nullptr, nullptr, nullptr, nullptr);
    EXPECT_FALSE(call("CheckOutlook", {""}).toBoolean());
    EXPECT_EQ(args[0].toText(), "Microsoft Outlook");
    EXPECT_TRUE(call("CheckOutlook", {"Indbakke - Microsoft Outlook"}).toBoolean());
    SetWindowTextW(main, L"Microsoft Outlook");
    EXPECT_TRUE(call("CheckOutlook", {Variant::missing()}).toBoolean());
    DestroyWindow(main);
}

// Three items of a folder looked up are saved in the case folder through
// Outlook's SaveAs, and their records read back; a saved mail's header is
// read from its file.
TEST_F(KalenderOnAutomation, TransfersTheSelectedItemsAndReadsASavedMail) {
    for (const char* subject : {"Re: Møde 12.05 - aftale", "Dom", "Dom"}) {
        const ItemPtr mail = outlook.running()->createItem(outlook::MailItem);
        mail->setSubject(subject);
        mail->save();
    }
    mailbox->pickedFolder = outlook::FolderDrafts;
    ui.addAnswers("outlook lookup\noutlook select 1 2 3\noutlook transfer");
    EXPECT_EQ(call("SaveOutlookMails", {folder()}).toInteger(), 3);
    std::vector<std::string> subjects;
    for (int record = 1; record <= 3; ++record) {
        subjects.push_back(
            text("GetOlMailInfo",
                 {Variant::integer(static_cast<std::int16_t>(record)), Variant::integer(3)}));
        const std::string path =
            text("GetOlMailInfo",
                 {Variant::integer(static_cast<std::int16_t>(record)), Variant::integer(6)});
        EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(toWide(path)))) << path;
    }
    std::sort(subjects.begin(), subjects.end());
    EXPECT_EQ(subjects, (std::vector<std::string>{"Dom", "Dom", "Re: Møde 12.05 - aftale"}));
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(toWide(folder() + "Do1.msg"))));

    const std::string saved = text("GetOlMailInfo", {Variant::integer(1), Variant::integer(6)});
    const std::string upper = folder() + "brev.MSG";
    std::filesystem::copy_file(std::filesystem::path(toWide(saved)),
                               std::filesystem::path(toWide(upper)));
    EXPECT_TRUE(call("AnalyzeMail", {upper}).toBoolean());
    EXPECT_EQ(text("GetMailPrps", {Variant::integer(3)}),
              text("GetOlMailInfo", {Variant::integer(1), Variant::integer(3)}));
}

} // namespace
} // namespace lexi::win32
