// A whole mail request with documents, run once for every change it makes to
// the file system, with that change failing: the mail is sent all the same
// and filed only whole, what the case-management system handed over is
// neither lost nor taken by the next request, and the user's default printer
// comes back.

#include "platform/cp1252.h"
#include "platform/fake/failing_file_system.h"
#include "shared/pdfwriter/driver_values.h"
#include "shared/pdfwriter/md_pdf_writer.h"
#include "shared/registry/md_registry.h"
#include "tests/mail/mail_fixture.h"

#include <algorithm>

namespace lexi {
namespace {

using fake::ScriptedOutlookWindows;
using testing::DocumentId;

const std::string Office = "Kontor,winspool,Ne01:";
const std::string OtherId = "{11111111-2222-3333-4444-555555555555}";
const std::string Recipient = "klient@firma.dk";
// The documents of "findoc.txt", the names they are attached under and what
// the attachments hold.
const std::string Documents = "C:\\Sager\\bilag.pdf\r\nC:\\Sager\\regnskab.xlsx\r\n";
const struct {
    const char* source;
    const char* attached;
    std::string_view bytes;
} Attachments[] = {{"bilag.pdf", "bilag.pdf", "%PDF-bilag"},
                   {"regnskab.xlsx", "regnskab.pdf", "%PDF-regnskab"}};

// One workstation for one run: request A for case A with two documents (a PDF
// copied, a spreadsheet printed to a PDF by the driver) whose file system
// fails at one change, sent by the user; then request B for case B, which the
// case-management system starts without exchange files of its own.
class FaultyRun : public testing::MailFixture {
public:
    explicit FaultyRun(int failingChange) {
        std::ofstream(host("Sager/bilag.pdf")) << Attachments[0].bytes;
        std::ofstream(host("Sager/regnskab.xlsx")) << "regnskab";
        writeExchangeFile("finmail.txt", Recipient + "\r\n[subject]=Sag A\r\n");
        writeExchangeFile("findoc.txt", Documents);
        writeCaseData("C:\\Sager\\Klient\\A.msg", DocumentId);
        writeRegistry(driver::DevicesKey, PdfWriterName, "winspool,Ne00:");
        writeRegistry(driver::WindowsKey, driver::DeviceValue, Office);
        // The driver is a process of its own: it writes past the failing disk.
        shell.onExecute = [this](const fake::FakeShell::Request&) {
            const std::string pdf =
                readRegistryText(registry_, PdfWriterSettingsKey, driver::OutputFile);
            std::ofstream(*files.drives().toHost(pdf)) << Attachments[1].bytes;
        };
        ui.addAnswers("naming OK\nnaming txtFilnavn regnskab.pdf\nnaming txtPassword hemmelig\n"
                      "naming OK\n");
        windows.users.push_back(ScriptedOutlookWindows::sends());
        failing.failChange(failingChange);
        NaviMail(faultyContext, "");
        failing.failChange(0);
    }
    void TestBody() override {}

    int changes() const { return failing.changes(); }

    // No change of the file system is needed for the mail itself.
    void expectSent() {
        OutlookItems& sent = folderItems(outlook::FolderSentItems);
        EXPECT_TRUE(sent.count() == 1 && sent.item(1)->subject() == "Sag A")
            << "the mail of request A is not sent";
    }

    // The case is told to take the mail only when it is there whole.
    void expectFiledOnlyWhole() {
        if (callback() != DocumentId + "\r\n1\r\n") {
            return;
        }
        const ItemPtr filed = savedMail("C:\\Sager\\Klient\\A.msg");
        EXPECT_EQ(filed->subject() + " " + filed->to(), "Sag A " + Recipient)
            << "reported to the case as filed";
    }

    // Each exchange file of request A went into its mail (each document
    // whole), was named to the user, or is kept; request B took nothing of it.
    void expectExchangeFilesKept() {
        const std::vector<ItemPtr> mails = mailsOfA();
        EXPECT_TRUE(!mails.empty() || keptOnDisk(Recipient))
            << "the recipients of finmail.txt lost without a word";
        for (const auto& document : Attachments) {
            EXPECT_TRUE(attachedWholeToAll(mails, document.attached, document.bytes.size()) ||
                        toldAbout(document.source) ||
                        keptOnDisk(std::string("C:\\Sager\\") + document.source))
                << document.source << " of findoc.txt lost without a word, or attached cut";
        }
        runRequestB();
        const auto& shown = windows.shown.back();
        EXPECT_EQ(shown.to + "|" + shown.subject, "|0001") << "request B took request A's mail";
        const ItemPtr filedB = savedMail("C:\\Sager\\Klient\\B.msg");
        EXPECT_EQ(filedB->attachments().count(), 0) << "request B took request A's documents";
    }

    void expectDefaultPrinterBack() {
        EXPECT_EQ(readRegistryText(registry_, driver::WindowsKey, driver::DeviceValue), Office);
    }

private:
    void writeRegistry(std::string_view key, std::string_view name, const std::string& value) {
        registry_.WriteRegistryValue(key, name, value, false);
    }

    // Every mail of request A in the store, wherever it lies, and as filed.
    std::vector<ItemPtr> mailsOfA() {
        std::vector<ItemPtr> mails;
        for (const int folder : {outlook::FolderDrafts, outlook::FolderOutbox,
                                 outlook::FolderSentItems, outlook::FolderDeletedItems}) {
            OutlookItems& items = folderItems(folder);
            for (int i = 1; i <= items.count(); ++i) {
                if (items.item(i)->subject() == "Sag A") {
                    mails.push_back(items.item(i));
                }
            }
        }
        if (std::filesystem::exists(host("Sager/Klient/A.msg"))) {
            mails.push_back(savedMail("C:\\Sager\\Klient\\A.msg"));
        }
        return mails;
    }

    static bool attachedWholeToAll(const std::vector<ItemPtr>& mails, const std::string& name,
                                   std::size_t size) {
        return !mails.empty() && std::ranges::all_of(mails, [&](const ItemPtr& mail) {
            for (int i = 1; i <= mail->attachments().count(); ++i) {
                const auto attachment = mail->attachments().item(i);
                if (attachment->displayName() == name) {
                    return attachment->size() == static_cast<std::int64_t>(size);
                }
            }
            return false;
        });
    }

    bool toldAbout(const std::string& document) {
        return std::ranges::any_of(ui.messages(), [&](const std::string& message) {
            return message.find(document) != std::string::npos;
        });
    }

    // Whether a file on the workstation, other than the run log, still holds
    // the text as the case-management system wrote it.
    bool keptOnDisk(const std::string& text) {
        const std::string bytes = cp1252::fromUtf8(text);
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root.path())) {
            if (entry.is_regular_file() && entry.path().extension() != ".log" &&
                testing::readHostFile(entry.path()).find(bytes) != std::string::npos) {
                return true;
            }
        }
        return false;
    }

    void runRequestB() {
        writeCaseData("C:\\Sager\\Klient\\B.msg", OtherId);
        state = MailState{};
        program.DocumentID.clear();
        windows.users.push_back(ScriptedOutlookWindows::sends());
        NaviMail(context, "");
    }

    mdRegistry registry_{registry, ui};
    fake::FailingFileSystem failing{files};
    Platform faulty{registry, settings, failing, processes, shell,
                    ui,       clock,    outlook, word,      windowSearch};
    RunLog faultyLog{failing, processes, clock};
    MailContext faultyContext{faulty, faultyLog, program, state};
};

TEST(RequestUnderFaults, EveryFailingChangeLeavesNothingLostAndNothingFalselyFiled) {
    const int changes = FaultyRun(0).changes();
    ASSERT_GT(changes, 10);
    for (int n = 1; n <= changes; ++n) {
        SCOPED_TRACE("change " + std::to_string(n) + " of " + std::to_string(changes) + " fails");
        FaultyRun run(n);
        run.expectSent();
        run.expectFiledOnlyWhole();
        run.expectDefaultPrinterBack();
        run.expectExchangeFilesKept();
    }
}

} // namespace
} // namespace lexi
