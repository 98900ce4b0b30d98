#include "platform/posix/msgfile/message_file.h"
#include "tests/msgfile/sample_files.h"

#include <chrono>
#include <gtest/gtest.h>
#include <vector>

using namespace lexi::msgfile;
using namespace std::chrono;

namespace {

struct ExpectedRecipient {
    RecipientType type;
    std::string displayName;
    std::string address;
};

struct ExpectedAttachment {
    std::string longFileName;
    std::size_t size;
};

struct Sample {
    const char* file;
    std::string subject;
    std::string senderName;
    std::string senderAddress;
    Time sentOn;
    std::uint32_t flags;
    // Outlook shows a mail whose RTF body encapsulates HTML as an HTML mail.
    BodyFormat bodyFormat;
    std::string bodyStart;
    std::vector<ExpectedRecipient> recipients;
    std::vector<ExpectedAttachment> attachments;
};

Time utc(sys_days day, hours h, minutes m, seconds s) {
    return Time{day + h + m + s};
}

const Sample Samples[] = {
    {"simple-sent.msg",
     "(outlookEMLandMSGconverter Trial Version Import) BitDaddys Software",
     "John Doe",
     "jdoes@someserver.com",
     utc(2006y / August / 12, 18h, 25min, 25s),
     message_flag::Read,
     BodyFormat::RichText,
     "Dear BitDaddys Corp.,",
     {{RecipientType::To, "sales@bitdaddys.com", "sales@bitdaddys.com"}},
     {}},
    {"unsent-draft.msg",
     "MSG Test File",
     "",
     "",
     NoDate,
     message_flag::Unsent,
     BodyFormat::Html,
     "MSG test file\r\nPurpose: Provide example of this file type",
     {{RecipientType::To, "time2talk@online-convert.com", "time2talk@online-convert.com"}},
     {}},
    {"attachments.msg",
     "Delivery delayed:RE: Bosco Fraud Cases [ 2 of 8]",
     "Microsoft Outlook",
     "MicrosoftExchange329e71ec88ae4615bbc36ab6ce41109e@coab.us",
     utc(2016y / April / 11, 17h, 11min, 10s),
     0x31,
     BodyFormat::Html,
     "Delivery is delayed to these recipients or groups:",
     {{RecipientType::To, "darlington@coab.us", "darlington@coab.us"}},
     {{"", 401}, {"", 1677}}},
    {"html-attachment-embedded-image.msg",
     "hey",
     "Benny Bottema",
     "b.bottema@gmail.com",
     utc(2017y / March / 5, 11h, 11min, 31s),
     message_flag::Read | message_flag::HasAttachments,
     BodyFormat::Html,
     "We should meet up!",
     {{RecipientType::To, "Bottema, Benny",
       "/o=aegon/ou=exchange administrative group "
       "(fydibohf23spdlt)/cn=recipients/cn=bottema, benny7d7"}},
     {{"thumbsup", 433}, {"dresscode.txt", 18}, {"location.txt", 12}}},
    {"to-and-cc-multiple.msg",
     "Test E-Mail",
     "elias.laugher@gmail.com",
     "elias.laugher@gmail.com",
     utc(2020y / January / 8, 7h, 25min, 42s),
     0x30000,
     BodyFormat::Html,
     "Just a test to get an email with multiple to/cc/bcc recipients.",
     {{RecipientType::Bcc, "egi.carn.carby@gmail.com", "egi.carn.carby@gmail.com"},
      {RecipientType::Bcc, "egi.dink.meeker@gmail.com", "egi.dink.meeker@gmail.com"},
      {RecipientType::To, "elias.laugher@gmail.com", "elias.laugher@gmail.com"},
      {RecipientType::To, "niklas.lindson@gmail.com", "niklas.lindson@gmail.com"},
      {RecipientType::Cc, "egi.champi.titu@gmail.com", "egi.champi.titu@gmail.com"},
      {RecipientType::Cc, "egi.han.tzu@gmail.com", "egi.han.tzu@gmail.com"}},
     {}},
    {"plain-chain.msg",
     "RE: [Redmine - Bug #10180] redmine not truncating emails properly",
     "Robert Duncan",
     "/o=ANCA Enterprise/ou=Exchange Administrative Group "
     "(FYDIBOHF23SPDLT)/cn=Recipients/cn=robertd",
     utc(2012y / October / 24, 0h, 44min, 56s),
     message_flag::Read,
     BodyFormat::Html,
     "Another test email to obtain raw data for Jean-Philippe.",
     {{RecipientType::To, "'applsoft-redmine@anca.com'", "applsoft-redmine@anca.com"},
      {RecipientType::To, "'rob@thegopedal.com'", "rob@thegopedal.com"}},
     {}},
};

void PrintTo(const Sample& sample, std::ostream* out) {
    *out << sample.file;
}

class MsgOutlookSample : public testing::TestWithParam<Sample> {};

TEST_P(MsgOutlookSample, ReadsLikeOutlookShowsIt) {
    SKIP_WITHOUT_SAMPLES();
    const Sample& expected = GetParam();
    const Message m = readMessageFile(samplePath(expected.file));
    EXPECT_EQ(m.messageClass, "IPM.Note");
    EXPECT_EQ(m.subject, expected.subject);
    EXPECT_EQ(m.senderName, expected.senderName);
    EXPECT_EQ(m.senderAddress, expected.senderAddress);
    // Whole seconds: Outlook shows no more, and some files store milliseconds.
    EXPECT_EQ(floor<seconds>(m.sentOn).time_since_epoch().count(),
              floor<seconds>(expected.sentOn).time_since_epoch().count());
    EXPECT_EQ(m.flags & 0xFF, expected.flags & 0xFF);
    EXPECT_EQ(m.bodyFormat, expected.bodyFormat);
    EXPECT_TRUE(m.body.starts_with(expected.bodyStart)) << m.body.substr(0, 200);
    ASSERT_EQ(m.recipients.size(), expected.recipients.size());
    for (std::size_t i = 0; i < m.recipients.size(); ++i) {
        EXPECT_EQ(m.recipients[i].type, expected.recipients[i].type) << i;
        EXPECT_EQ(m.recipients[i].displayName, expected.recipients[i].displayName) << i;
        EXPECT_EQ(m.recipients[i].address, expected.recipients[i].address) << i;
    }
    ASSERT_EQ(m.attachments.size(), expected.attachments.size());
    for (std::size_t i = 0; i < m.attachments.size(); ++i) {
        EXPECT_EQ(m.attachments[i].longFileName, expected.attachments[i].longFileName) << i;
        EXPECT_EQ(m.attachments[i].data.size(), expected.attachments[i].size) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(RealFiles, MsgOutlookSample, testing::ValuesIn(Samples),
                         [](const auto& info) {
                             std::string name = info.param.file;
                             std::erase_if(name, [](char c) { return !std::isalnum(c); });
                             return name;
                         });

TEST(MsgOutlookSample, AttachmentsKeepTheirNamesAndBytes) {
    SKIP_WITHOUT_SAMPLES();
    const Message m = readMessageFile(samplePath("html-attachment-embedded-image.msg"));
    ASSERT_EQ(m.attachments.size(), 3u);
    EXPECT_EQ(m.attachments[1].fileName, "dressc~1.txt");
    EXPECT_EQ(m.attachments[1].mimeType, "text/plain");
    EXPECT_EQ(m.attachments[0].data.substr(1, 3), "PNG");
}

TEST(MsgOutlookSample, HtmlKeptOnlyInTheRtfBodyIsTakenOut) {
    SKIP_WITHOUT_SAMPLES();
    const Message m = readMessageFile(samplePath("html-attachment-embedded-image.msg"));
    EXPECT_EQ(m.htmlBody, "<b>We should meet up!</b><img src=\"cid:thumbsup\">");
}

TEST(MsgOutlookSample, ReadsBackUnchangedAfterWeSaveIt) {
    SKIP_WITHOUT_SAMPLES();
    for (const Sample& sample : Samples) {
        const Message original = readMessageFile(samplePath(sample.file));
        EXPECT_EQ(readMessage(writeMessage(original)), original) << sample.file;
    }
}

} // namespace
