#include "platform/failure.h"
#include "platform/posix/msgfile/message_file.h"

#include <chrono>
#include <gtest/gtest.h>
#include <string>

using namespace lexi::msgfile;
using namespace std::chrono;

namespace {

std::string allByteValues(std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>(i * 7 + i / 256);
    }
    return bytes;
}

const std::string Danish = "Ærø, Åbenrå og Søren Kierkegaards gade – «citat» ✓ 😀";

Time at(sys_days day, hours h, minutes m) {
    return Time{day + h + m};
}

Message fullMail() {
    Message m;
    m.messageClass = "IPM.Note";
    m.subject = "Sag 2024-117: " + Danish;
    m.body = Danish + "\r\n" + std::string(100'000, 'x') + "\r\nslut";
    m.htmlBody = "<html><body><p>" + Danish + "</p></body></html>";
    m.bodyFormat = BodyFormat::Html;
    m.importance = Importance::High;
    m.flags = message_flag::Read | message_flag::HasAttachments;
    m.senderName = "Jørgen Æbelø";
    m.senderAddress = "jorgen@advokat.dk";
    m.senderAddressType = "SMTP";
    m.senderSmtpAddress = "jorgen@advokat.dk";
    m.displayTo = "Åse Øster";
    m.displayCc = "Bent Ærø";
    m.displayBcc = "Arkiv";
    m.sentOn = at(2024y / March / 5, 9h, 30min) + Ticks{1234567};
    m.receivedTime = at(2024y / March / 5, 9h, 31min);
    m.creationTime = at(2024y / March / 4, 17h, 0min);
    m.billingInformation = "Timer: 2,5 á 1.800 kr.";
    m.mileage = "42 km";
    m.recipients = {
        {RecipientType::To, "Åse Øster", "aase@example.dk", "SMTP", "aase@example.dk"},
        {RecipientType::Cc, "Bent Ærø", "/o=Firma/cn=bent", "EX", "bent@example.dk"},
        {RecipientType::Bcc, "Arkiv", "arkiv@example.dk", "SMTP", ""},
    };
    m.attachments = {
        {AttachMethod::ByValue, allByteValues(70'000), "STAEVN~1.PDF", "Stævning – endelig.pdf",
         "Stævning – endelig.pdf", "application/pdf", -1},
        {AttachMethod::ByValue, "", "TOM.TXT", "tom.txt", "tom.txt", "text/plain", 12},
        {AttachMethod::ByValue, allByteValues(100), "", "", "", "", 0},
    };
    return m;
}

Message task() {
    Message m;
    m.messageClass = "IPM.Task";
    m.subject = "Frist: svarskrift";
    m.taskDueDate = Time{sys_days{2024y / June / 30}};
    m.taskStatus = TaskStatus::Complete;
    m.taskDateCompleted = at(2024y / June / 28, 14h, 5min);
    m.flags = message_flag::Unsent;
    return m;
}

Message contact() {
    Message m;
    m.messageClass = "IPM.Contact";
    m.contactFullName = "Søren Ødegård";
    m.companyName = "Ødegård & Sønner ApS";
    m.businessAddress = "Åboulevarden 1\r\n8000 Aarhus C";
    m.email1Address = "soren@odegard.dk";
    m.businessTelephoneNumber = "+45 86 12 34 56";
    m.businessFaxNumber = "+45 86 12 34 57";
    m.profession = "Advokat";
    return m;
}

Message meeting(const std::string& messageClass) {
    Message m;
    m.messageClass = messageClass;
    m.subject = "Retsmøde";
    m.meetingStart = at(2024y / September / 2, 8h, 0min);
    m.recipients = {{RecipientType::To, "Dommer", "dommer@ret.dk", "SMTP", ""}};
    return m;
}

Message manyRecipientsAndAttachments() {
    Message m;
    m.subject = "Mange";
    for (int i = 0; i < 40; ++i) {
        const std::string n = std::to_string(i);
        m.recipients.push_back({static_cast<RecipientType>(1 + i % 3), "Modtager " + n,
                                "m" + n + "@example.dk", "SMTP", ""});
        m.attachments.push_back({AttachMethod::ByValue,
                                 allByteValues(static_cast<std::size_t>(i) * 997), "",
                                 "bilag " + n + ".bin", "Bilag " + n, "", i});
    }
    return m;
}

Message plainDraft() {
    Message m;
    m.body = "Kun tekst";
    m.bodyFormat = BodyFormat::Plain;
    m.importance = Importance::Low;
    m.flags = message_flag::Unsent;
    return m;
}

struct RoundTripCase {
    const char* name;
    Message message;
};

class MsgRoundTrip : public testing::TestWithParam<RoundTripCase> {};

TEST_P(MsgRoundTrip, EveryFieldReadsBackUnchanged) {
    const Message& written = GetParam().message;
    const Message read = readMessage(writeMessage(written));
    // Field by field first, so that a failure names the field.
    EXPECT_EQ(read.messageClass, written.messageClass);
    EXPECT_EQ(read.subject, written.subject);
    EXPECT_EQ(read.body, written.body);
    EXPECT_EQ(read.htmlBody, written.htmlBody);
    EXPECT_EQ(read.sentOn, written.sentOn);
    EXPECT_EQ(read.recipients, written.recipients);
    ASSERT_EQ(read.attachments.size(), written.attachments.size());
    for (std::size_t i = 0; i < read.attachments.size(); ++i) {
        EXPECT_EQ(read.attachments[i], written.attachments[i]) << "attachment " << i;
    }
    EXPECT_EQ(read, written);
}

INSTANTIATE_TEST_SUITE_P(
    Items, MsgRoundTrip,
    testing::Values(RoundTripCase{"FullMail", fullMail()}, RoundTripCase{"Task", task()},
                    RoundTripCase{"Contact", contact()},
                    RoundTripCase{"Appointment", meeting("IPM.Appointment")},
                    RoundTripCase{"MeetingRequest", meeting("IPM.Schedule.Meeting.Request")},
                    RoundTripCase{"MeetingCancellation", meeting("IPM.Schedule.Meeting.Canceled")},
                    RoundTripCase{"Report",
                                  [] {
                                      Message m = plainDraft();
                                      m.messageClass = "REPORT.IPM.Note.NDR";
                                      return m;
                                  }()},
                    RoundTripCase{"ManyRecipientsAndAttachments", manyRecipientsAndAttachments()},
                    RoundTripCase{"PlainDraft", plainDraft()}, RoundTripCase{"Empty", Message{}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MsgRoundTrip, AbsentTimesReadAsTheYear4501) {
    const Message read = readMessage(writeMessage(Message{}));
    EXPECT_EQ(read.sentOn, Time{sys_days{4501y / January / 1}});
    EXPECT_EQ(read.receivedTime, Time{sys_days{4501y / January / 1}});
}

TEST(MsgRoundTrip, BodyFormatNotStatedIsInferredFromTheBodies) {
    struct Case {
        std::string body, html;
        BodyFormat expected;
    };
    for (const Case& c :
         {Case{"", "", BodyFormat::Unspecified}, Case{"tekst", "", BodyFormat::Plain},
          Case{"tekst", "<p>x</p>", BodyFormat::Html}}) {
        Message m;
        m.body = c.body;
        m.htmlBody = c.html;
        EXPECT_EQ(readMessage(writeMessage(m)).bodyFormat, c.expected) << c.body << c.html;
    }
}

TEST(MsgWriter, RefusesAttachmentsNotCarriedByValue) {
    Message m;
    m.attachments.push_back({AttachMethod::EmbeddedMessage, "", "", "", "Videresendt", "", -1});
    try {
        writeMessage(m);
        FAIL() << "an embedded message was written";
    } catch (const lexi::Failure& failure) {
        EXPECT_EQ(failure.number(), lexi::failure::InvalidProcedureCall);
    }
}

} // namespace
