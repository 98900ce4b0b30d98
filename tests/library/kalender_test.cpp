#include "library/kalender.h"
#include "platform/posix/mailstore/local_time.h"
#include "platform/posix/msgfile/message_file.h"
#include "tests/library/library_fixture.h"

namespace lexi {
namespace {

using testing::LibraryTest;

class KalenderTest : public LibraryTest {
protected:
    std::string text(std::string_view member, std::vector<Variant> arguments) {
        return call(*kalender, member, std::move(arguments)).toText();
    }
    std::string newTask(const std::string& recipient = "") {
        return text("TilOpgave", {"A-12", "100", "Hansen", "Lejetvist", "Svarskrift", "Frist",
                                  "24-12-2026", recipient});
    }
    ItemsPtr items(int folder) {
        return outlook.running()->session()->getDefaultFolder(folder)->items();
    }
    std::shared_ptr<AutomationObject> kalender = create("Casebench.Kalender");
};

TEST_F(KalenderTest, ATaskIsCreatedAndKeptInStepByItsIdentity) {
    const std::string id = newTask();
    const ItemPtr task = outlook.running()->session()->getItemFromId(id);
    EXPECT_EQ(std::tuple(task->subject(), task->body(), items(outlook::FolderTasks)->count()),
              std::tuple("A-12: Frist",
                         "Sag: A-12 Lejetvist\rKlient: 100 Hansen\rAktivitet: Svarskrift", 1));
    const struct {
        const char* member;
        std::vector<Variant> arguments;
        const char* answer;
    } steps[] = {
        {"CheckDato", {id}, "24-12-2026"},   {"MarkerStatus", {id, "True"}, "OK"},
        {"Checkstatus", {id}, "02-01-2026"}, {"MarkerStatus", {id, "False"}, "OK"},
        {"Checkstatus", {id}, ""},
    };
    for (const auto& step : steps) {
        EXPECT_EQ(text(step.member, step.arguments), step.answer) << step.member;
    }
}

TEST_F(KalenderTest, ATaskForARecipientIsARequestOnScreenAndNotSaved) {
    EXPECT_EQ(newTask("modpart@advokat.dk"), "OK");
    EXPECT_EQ(std::tuple(records.back().field("kind"), records.back().field("to")),
              std::tuple("taskrequest", "modpart@advokat.dk"));
    EXPECT_EQ(items(outlook::FolderTasks)->count(), 0);
}

TEST_F(KalenderTest, EveryFailureIsAnsweredWithError) {
    text("TilKontakt", {"Hansen", "", "", "", "", "", "", "", "", "False"});
    const std::string contact = items(outlook::FolderContacts)->item(1)->entryId();
    const struct {
        const char* member;
        std::vector<Variant> arguments;
    } cases[] = {
        {"CheckDato", {"00000000UKENDT"}},
        {"Checkstatus", {"00000000UKENDT"}},
        {"SkiftDato", {"00000000UKENDT", "1-1-2027"}},
        {"MarkerStatus", {"00000000UKENDT", "True"}},
        {"VisOpgave", {"00000000UKENDT"}},
        {"SletOpgave", {"00000000UKENDT"}},
        {"CheckDato", {contact}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(text(c.member, c.arguments), "ERROR") << c.member;
    }
    outlook.storage().writeFailure = "Disken er fuld";
    EXPECT_EQ(newTask(), "ERROR");
    EXPECT_EQ(text("TilKontakt", {"Hansen", "", "", "", "", "", "", "", "", "False"}), "ERROR");
}

TEST_F(KalenderTest, AContactsAddressJoinsItsLinesWithCarriageReturns) {
    const struct {
        const char* line1;
        const char* line2;
        const char* town;
        const char* address;
    } cases[] = {
        {"", "", "9000 Aalborg", "\r9000 Aalborg"},
        {"Vestergade 1", "2. tv.", "9000 Aalborg", "Vestergade 1\r2. tv.\r9000 Aalborg"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(text("TilKontakt", {"Jens Hansen", "Hansen ApS", c.line1, c.line2, c.town,
                                      "jh@hansen.dk", "11223344", "55667788", "Tømrer", "True"}),
                  "OK");
    }
    const ItemsPtr contacts = items(outlook::FolderContacts);
    ASSERT_EQ(contacts->count(), 2);
    for (int i = 1; i <= 2; ++i) {
        EXPECT_EQ(contacts->item(i)->businessAddress(), cases[i - 1].address);
    }
    const ItemPtr last = contacts->item(2);
    EXPECT_EQ(
        std::tuple(last->fullName(), last->companyName(), last->email1Address(),
                   last->businessTelephoneNumber(), last->businessFaxNumber(), last->profession()),
        std::tuple("Jens Hansen", "Hansen ApS", "jh@hansen.dk", "11223344", "55667788", "Tømrer"));
}

TEST_F(KalenderTest, OutlookRunsWhenItsMainWindowHasTheExactTitle) {
    windows.windows = {{"mspim_wnd32", "Indbakke - Microsoft Outlook"}};
    EXPECT_EQ(call(*kalender, "CheckOutlook", {""}), Variant::boolean(false));
    EXPECT_EQ(args[0], Variant("Microsoft Outlook")) << "written back";
    windows.windows.emplace_back("mspim_wnd32", "Microsoft Outlook");
    EXPECT_EQ(call(*kalender, "CheckOutlook", {Variant::missing()}), Variant::boolean(true));
}

TEST_F(KalenderTest, AnalyzeMailReadsTheHeaderOfASavedMail) {
    msgfile::Message mail;
    mail.senderName = "Advokatfirmaet Hansen & Partnere I/S";
    mail.displayTo = "Jens Hansen; Birgitte Kjærgaard Ølund";
    mail.subject = std::string(80, 's') + "t";
    mail.receivedTime = mailstore::fromLocal({2026, 3, 5, 8, 7, 9});
    msgfile::writeMessageFile(mail, root.str() + "/brev.MSG");
    mail.messageClass = "IPM.Contact";
    msgfile::writeMessageFile(mail, root.str() + "/kontakt.msg");
    const auto header = [&] {
        std::vector<std::string> columns;
        for (std::int16_t column = 1; column <= 5; ++column) {
            columns.push_back(call(*kalender, "GetMailPrps", {Variant::integer(column)}).text());
        }
        return columns;
    };

    EXPECT_EQ(call(*kalender, "AnalyzeMail", {" C:\\brev.MSG"}), Variant::boolean(true));
    EXPECT_EQ(header(), (std::vector<std::string>{
                            "Advokatfirmaet Hansen & Partne", "Jens Hansen; Birgitte Kjærgaar",
                            std::string(75, 's') + "....", "05-03-2026", "08:07:09"}));
    for (const char* refused : {"C:\\brev.txt", "C:\\kontakt.msg", "C:\\mangler.msg"}) {
        EXPECT_EQ(call(*kalender, "AnalyzeMail", {refused}), Variant::boolean(false)) << refused;
        EXPECT_EQ(header(), std::vector<std::string>(5)) << refused;
    }
    EXPECT_THROW(call(*kalender, "GetMailPrps", {Variant::integer(6)}), Failure);
    call(*kalender, "FlushMailPrps");
    EXPECT_THROW(call(*kalender, "GetMailPrps", {Variant::integer(2)}), Failure);
}

TEST(KalenderDateTest, ATwoDigitYearIsTakenAsThisCentury) {
    EXPECT_EQ(registerDate({2026, 3, 5, 0, 0, 0}), "05-03-2026");
    EXPECT_EQ(registerDate({26, 11, 30, 0, 0, 0}), "30-11-2026");
}

TEST_F(LibraryTest, AKalenderCannotBeMadeWithoutOutlook) {
    outlook.canStart = false;
    EXPECT_THROW(create("Casebench.Kalender"), Failure);
}

} // namespace
} // namespace lexi
