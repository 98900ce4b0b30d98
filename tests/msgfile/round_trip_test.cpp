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

// Every field differs from its default: the reader and writer share one table
// of fields, and this finds a field either of them leaves out or misplaces.
const Message EveryField = [] {
    Message m;
    m.messageClass = "IPM.Schedule.Meeting.Request";
    m.subject = "Sag 2024-117: " + Danish;
    m.body = Danish + "\r\n" + std::string(100'000, 'x') + "\r\nslut";
    m.htmlBody = "<html><body><p>" + Danish + "</p></body></html>";
    m.bodyFormat = BodyFormat::Html;
    m.importance = Importance::High;
    m.flags = message_flag::Read | message_flag::HasAttachments;
    m.senderName = "Jørgen Æbelø";
    m.senderAddress = "/o=Firma/cn=jorgen";
    m.senderAddressType = "EX";
    m.senderSmtpAddress = "jorgen@advokat.dk";
    m.displayTo = "Åse Øster";
    m.displayCc = "Bent Ærø";
    m.displayBcc = "Arkiv";
    m.recipients = {{RecipientType::To, "Åse Øster", "aase@example.dk", "SMTP", ""},
                    {RecipientType::Cc, "Bent Ærø", "/o=Firma/cn=bent", "EX", "bent@example.dk"},
                    {RecipientType::Bcc, "Arkiv", "arkiv@example.dk", "SMTP", ""}};
    m.attachments = {{AttachMethod::ByValue, allByteValues(70'000), "STAEVN~1.PDF",
                      "Stævning – endelig.pdf", "Stævning", "application/pdf", -1},
                     {AttachMethod::ByValue, "", "TOM.TXT", "tom.txt", "tom.txt", "text/plain", 12},
                     {AttachMethod::ByValue, allByteValues(100), "", "", "", "", 0}};
    m.sentOn = at(2024y / March / 5, 9h, 30min) + Ticks{1234567};
    m.receivedTime = at(2024y / March / 5, 9h, 31min);
    m.creationTime = at(2024y / March / 4, 17h, 0min);
    m.billingInformation = "Timer: 2,5 á 1.800 kr.";
    m.mileage = "42 km";
    m.taskDueDate = Time{sys_days{2024y / June / 30}};
    m.taskStatus = TaskStatus::Complete;
    m.taskDateCompleted = at(2024y / June / 28, 14h, 5min);
    m.contactFullName = "Søren Ødegård";
    m.companyName = "Ødegård & Sønner ApS";
    m.businessAddress = "Åboulevarden 1\r\n8000 Aarhus C";
    m.email1Address = "soren@odegard.dk";
    m.businessTelephoneNumber = "+45 86 12 34 56";
    m.businessFaxNumber = "+45 86 12 34 57";
    m.profession = "Advokat";
    m.meetingStart = at(2024y / September / 2, 8h, 0min);
    return m;
}();

// A task with a plain body: some named properties only, and the values of
// importance and format that are 0 and 1 in the file.
const Message PlainTask = [] {
    Message m;
    m.messageClass = "IPM.Task";
    m.body = "Kun tekst";
    m.bodyFormat = BodyFormat::Plain;
    m.importance = Importance::Low;
    m.flags = message_flag::Unsent;
    m.taskDueDate = Time{sys_days{2024y / June / 30}};
    m.taskStatus = TaskStatus::InProgress;
    return m;
}();

Message manyRecipientsAndAttachments() {
    Message m;
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

TEST(MsgRoundTrip, EveryFieldReadsBackUnchanged) {
    // The empty item also shows that absent times read back as NoDate.
    const Message items[] = {EveryField, PlainTask, manyRecipientsAndAttachments(), Message{}};
    for (const Message& written : items) {
        EXPECT_TRUE(readMessage(writeMessage(written)) == written)
            << written.messageClass << ", " << written.recipients.size() << " recipients";
    }
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
