// The mail transfer dialog on a store in memory, with drive C: in a temporary
// folder and a scripted user.

#include "library/save_outlook_mails.h"
#include "platform/posix/mailstore/local_time.h"
#include "tests/mail/mail_fixture.h"
#include "tests/support/repeated.h"

#include <algorithm>
#include <csignal>
#include <sys/resource.h>

namespace lexi {
namespace {

using testing::repeated;
using Fields = std::vector<std::string>;

class FrmOutlookTest : public testing::MailFixture {
protected:
    FrmOutlookTest() { std::filesystem::create_directories(host("Sager")); }

    // An item in the Inbox, received `minute` minutes after 10:00.
    void deliver(std::string messageClass, std::string subject, int minute = 0) {
        msgfile::Message item;
        item.messageClass = std::move(messageClass);
        item.subject = std::move(subject);
        item.senderName = "Advokat Jens Ærø-Christiansen, Partner";
        item.displayTo = "Klient Karen Hansen; Sekretær Ole";
        item.receivedTime = mailstore::fromLocal({2026, 5, 12, 10, minute, 7});
        item.creationTime = mailstore::fromLocal({2026, 5, 11, 9, 30, 0});
        item.meetingStart = mailstore::fromLocal({2026, 6, 1, 13, 0, 0});
        outlook.storage().add(outlook::FolderInbox, item);
    }
    std::int16_t transfer(const std::string& folder, const std::string& answers) {
        ui.addAnswers(answers);
        return SaveOutlookMails(folder, state, platform);
    }
    Fields record(int r) {
        Fields fields(7);
        std::ranges::generate(fields, [&, f = 0]() mutable { return state.OlMailInfo.at(r, f++); });
        return fields;
    }
    // The field of the "outlook" records of an event, in order.
    Fields shown(const std::string& event, const std::string& field) {
        Fields values;
        for (const script::Record& r : ui.records) {
            if (r.kind == "outlook" && r.field("event") == event) {
                values.push_back(r.field(field));
            }
        }
        return values;
    }

    LibraryState state;
};

// The subjects of the selected mails, newest first, and the files they give;
// one name counter for the whole transfer.
TEST_F(FrmOutlookTest, NamesTheFilesAfterTheCleanedSubjects) {
    const std::string longFolder = "C:\\Sager\\" + std::string(140, 'f') + "\\";
    const std::string sixty = std::string(59, 's') + "æ";
    struct Case {
        std::string folder;
        Fields subjects;
        Fields existing;
        Fields names;
    };
    for (const Case& c : std::vector<Case>{
             {"C:\\Sager", {"Re: Møde 12.05 - aftale"}, {}, {"ReMøde1205aftale.msg"}},
             {"C:\\Sager", {"- . -", "..."}, {}, {"email.msg", "emai1.msg"}},
             {"C:\\Sager\\",
              {"Referat", "Referat", "Notat"},
              {"Notat.msg"},
              {"Referat.msg", "Refera1.msg", "Nota2.msg"}},
             {"C:\\Sager", {"Faktura\t2026\x7f"}, {}, {"Faktura2026.msg"}},
             {longFolder, {sixty}, {}, {sixty + ".....msg"}},
             // Cut where the file system, which counts bytes, needs it.
             {"C:\\Sager", {repeated("€", 100)}, {}, {repeated("€", 71) + ".....msg"}}}) {
        const std::filesystem::path sager = host("Sager");
        std::filesystem::remove_all(sager);
        std::filesystem::create_directories(sager / std::string(140, 'f'));
        for (const std::string& name : c.existing) {
            std::ofstream(sager / name) << "x";
        }
        const std::string folder = c.folder.ends_with('\\') ? c.folder : c.folder + "\\";
        for (std::size_t i = 0; i < c.subjects.size(); ++i) {
            deliver("IPM.Note", c.subjects[i], 50 - static_cast<int>(i));
        }
        ASSERT_EQ(transfer(c.folder, "outlook select 1 2 3\noutlook transfer\n"),
                  static_cast<int>(c.names.size()))
            << c.subjects[0];
        for (std::size_t i = 0; i < c.names.size(); ++i) {
            EXPECT_EQ(record(static_cast<int>(i) + 1)[6], folder + c.names[i]);
            EXPECT_TRUE(files.exists(folder + c.names[i])) << c.names[i];
        }
        for (const auto& item : outlook.storage().items(outlook::FolderInbox, {})) {
            outlook.storage().remove(item.entryId);
        }
    }
}

TEST_F(FrmOutlookTest, RecordsEachItemByItsClass) {
    const std::string subject81 = std::string(80, 'e') + "!";
    deliver("IPM.Note", subject81, 4);
    deliver("REPORT.IPM.Note.NDR", "Ikke leveret", 3);
    deliver("IPM.Schedule.Meeting.Request", "Møde", 2);
    deliver("IPM.Contact", "Karen", 1);
    mailstore::Account account;
    account.displayName = "Bruger med et meget langt navn, Aps";
    outlook.storage().setAccount(account);
    ASSERT_EQ(transfer("C:\\Sager", "outlook select 1 2 3 4\noutlook transfer\n"), 4);
    const Fields expected[] = {
        {"", "Advokat Jens Ærø-Christiansen,", "Klient Karen Hansen; Sekretær ",
         std::string(76, 'e') + "...", "12-05-2026", "10:04:07",
         "C:\\Sager\\" + std::string(80, 'e') + "!.msg"},
        {"", "Outlook - System report", "Bruger med et meget langt navn", "Ikke leveret",
         "11-05-2026", "09:30:00", "C:\\Sager\\Ikkeleveret.msg"},
        {"", "Outlook - Meeting", "Bruger med et meget langt navn", "Møde", "01-06-2026",
         "13:00:00", "C:\\Sager\\Møde.msg"},
        {"", "Outlook", "NA", "Karen", "", "", "C:\\Sager\\Karen.msg"}};
    for (int r = 1; r <= 4; ++r) {
        EXPECT_EQ(record(r), expected[r - 1]);
    }
}

// How a showing ends: the count, the table left behind and the case folder.
TEST_F(FrmOutlookTest, EndsWithTheCountAndTableOfHowItClosed) {
    deliver("IPM.Note", "Sag");
    // Answers, then the count, the table's last record and field, and the folder.
    for (const auto& [answers, after] : std::vector<std::pair<std::string, std::string>>{
             {"outlook transfer", "0 0 6 "},
             {"outlook next\noutlook cancel", "0 1 1 C:\\Sager"},
             {"outlook select 1\noutlook close", "0 1 1 C:\\Sager"}}) {
        state.OlMailInfo.redim(3, 6);
        state.OlMailCount = 3;
        const int count = transfer("C:\\Sager", answers);
        EXPECT_EQ(std::to_string(count) + " " + std::to_string(state.OlMailInfo.lastRow()) + " " +
                      std::to_string(state.OlMailInfo.lastColumn()) + " " + state.TransferFolder,
                  after)
            << answers;
    }
}

// Next turns Inbox, Sent Items, Deleted Items and back; previous the other
// way; the tool tips name the neighbours. Lookup insists on a mail folder and
// leaves the ring where it was. The place and size are kept, the size never
// below the smallest.
TEST_F(FrmOutlookTest, TurnsTheRingBothWaysAndKeepsItsPlace) {
    windows.folderChoices = {5, 4, 1, -1};
    settings.saveSetting("Casebench", "Outlook", "Width", "9000.5");
    settings.saveSetting("Casebench", "Outlook", "Top", "1200");
    transfer("C:\\Sager", "outlook next\noutlook next\noutlook next\noutlook previous\n"
                          "outlook previous\noutlook lookup\noutlook lookup\noutlook next\n"
                          "outlook resize 4000 2000\noutlook cancel");
    EXPECT_EQ(shown("folder", "caption"),
              Fields({"Sendt post", "Slettet post", "Indbakke", "Slettet post", "Sendt post",
                      "Udbakke", "Slettet post"}));
    EXPECT_EQ(shown("folder", "ForrigeKnap"),
              Fields({"Indbakke", "Sendt post", "Slettet post", "Sendt post", "Indbakke",
                      "Indbakke", "Sendt post"}));
    EXPECT_EQ(shown("folder", "NæsteKnap"),
              Fields({"Slettet post", "Indbakke", "Sendt post", "Indbakke", "Slettet post",
                      "Slettet post", "Indbakke"}));
    EXPECT_EQ(windows.pickerFolders.size(), 4u);
    EXPECT_EQ(shown("shown", "width"), Fields({"9000"}));
    EXPECT_EQ(shown("resized", "width")[0] + "x" + shown("resized", "height")[0], "5000x3000");
    std::string kept;
    for (const char* key : {"Width", "Height", "Top", "Left"}) {
        kept += settings.getSetting("Casebench", "Outlook", key, "none") + " ";
    }
    EXPECT_EQ(kept, "5000 3000 1200 0 ");
}

// The user learns of what was not filed and of a case folder that could not
// be made; No to the question shows nothing and keeps the last count.
TEST_F(FrmOutlookTest, TellsWhatCouldNotBeDone) {
    // A disk that takes no file above 64 KiB: the large item is not filed.
    msgfile::Message large;
    large.messageClass = "IPM.Note";
    large.subject = "Stort bilag";
    large.body = std::string(1 << 17, 'x');
    outlook.storage().add(outlook::FolderInbox, large);
    deliver("IPM.Note", "Kvittering", 1);
    rlimit unlimited{};
    ::getrlimit(RLIMIT_FSIZE, &unlimited);
    const rlimit small{1 << 16, unlimited.rlim_max};
    const auto signal = std::signal(SIGXFSZ, SIG_IGN);
    ::setrlimit(RLIMIT_FSIZE, &small);
    EXPECT_EQ(transfer("C:\\Sager", "outlook select 1 2\noutlook transfer"), 1);
    ::setrlimit(RLIMIT_FSIZE, &unlimited);
    std::signal(SIGXFSZ, signal);
    state.OlMailCount = 7;
    EXPECT_EQ(transfer("C:\\Ny\\Sag", "msgbox No"), 7);
    std::filesystem::create_directories(host("Fil"));
    std::ofstream(host("Fil/Sag")) << "x";
    EXPECT_EQ(transfer("C:\\Fil\\Sag\\Mappe", "msgbox Yes"), 7);
    EXPECT_EQ(transfer("C:\\Ny\\Sag", "msgbox Yes\noutlook close"), 0);
    const std::vector<std::string> messages = ui.messages();
    ASSERT_EQ(messages.size(), 5u);
    EXPECT_EQ(messages[0].rfind("Casebench|48|Disse elementer kunne ikke gemmes i sagen og er "
                                "ikke overført:\r\nStort bilag: ",
                                0),
              0u);
    EXPECT_EQ(messages[1], "Casebench|324|Mappen C:\\Ny\\Sag findes ikke!\r\n\r\nSkal mappen "
                           "oprettes?");
    EXPECT_EQ(messages[3].rfind("Casebench|16|Mappen C:\\Fil\\Sag\\Mappe kunne ikke oprettes.", 0),
              0u);
    EXPECT_TRUE(std::filesystem::is_directory(host("Ny/Sag")));
}

} // namespace
} // namespace lexi
