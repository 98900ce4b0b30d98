#include "platform/failure.h"
#include "platform/posix/msgfile/message_file.h"

#include <chrono>
#include <gtest/gtest.h>
#include <string>

// Messages are written with designated initializers: the fields left out keep
// their defaults, as intended.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

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
// clang-format off
const Message EveryField{
    .messageClass = "IPM.Schedule.Meeting.Request", .subject = "Sag 2024-117: " + Danish,
    .body = Danish + "\r\n" + std::string(100'000, 'x') + "\r\nslut",
    .htmlBody = "<html><body><p>" + Danish + "</p></body></html>", .bodyFormat = BodyFormat::Html,
    .importance = Importance::High, .flags = message_flag::Read | message_flag::HasAttachments,
    .senderName = "Jørgen Æbelø", .senderAddress = "/o=Firma/cn=jorgen", .senderAddressType = "EX",
    .senderSmtpAddress = "jorgen@advokat.dk", .displayTo = "Åse Øster", .displayCc = "Bent Ærø",
    .displayBcc = "Arkiv",
    .recipients = {{RecipientType::To, "Åse Øster", "aase@example.dk", "SMTP", ""},
                   {RecipientType::Cc, "Bent Ærø", "/o=Firma/cn=bent", "EX", "bent@example.dk"},
                   {RecipientType::Bcc, "Arkiv", "arkiv@example.dk", "SMTP", ""}},
    .attachments = {{AttachMethod::ByValue, allByteValues(70'000), "STAEVN~1.PDF",
                     "Stævning – endelig.pdf", "Stævning", "application/pdf", -1},
                    {AttachMethod::ByValue, "", "TOM.TXT", "tom.txt", "tom.txt", "text/plain", 12},
                    {AttachMethod::ByValue, allByteValues(100), "", "", "", "", 0}},
    .sentOn = at(2024y / March / 5, 9h, 30min) + Ticks{1234567},
    .receivedTime = at(2024y / March / 5, 9h, 31min),
    .creationTime = at(2024y / March / 4, 17h, 0min),
    .billingInformation = "Timer: 2,5 á 1.800 kr.", .mileage = "42 km",
    .taskDueDate = Time{sys_days{2024y / June / 30}}, .taskStatus = TaskStatus::Complete,
    .taskDateCompleted = at(2024y / June / 28, 14h, 5min), .contactFullName = "Søren Ødegård",
    .companyName = "Ødegård & Sønner ApS", .businessAddress = "Åboulevarden 1\r\n8000 Aarhus C",
    .email1Address = "soren@odegard.dk", .businessTelephoneNumber = "+45 86 12 34 56",
    .businessFaxNumber = "+45 86 12 34 57", .profession = "Advokat",
    .meetingStart = at(2024y / September / 2, 8h, 0min)};

// A task with a plain body: some named properties only, and the values of
// importance and format that are 0 and 1 in the file.
const Message PlainTask{
    .messageClass = "IPM.Task", .body = "Kun tekst", .bodyFormat = BodyFormat::Plain,
    .importance = Importance::Low, .flags = message_flag::Unsent,
    .taskDueDate = Time{sys_days{2024y / June / 30}}, .taskStatus = TaskStatus::InProgress};
// clang-format on

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
    const std::tuple<std::string, std::string, BodyFormat> cases[] = {
        {"", "", BodyFormat::Unspecified},
        {"tekst", "", BodyFormat::Plain},
        {"tekst", "<p>x</p>", BodyFormat::Html}};
    for (const auto& [body, html, expected] : cases) {
        EXPECT_EQ(readMessage(writeMessage({.body = body, .htmlBody = html})).bodyFormat, expected);
    }
}

TEST(MsgWriter, RefusesAttachmentsNotCarriedByValue) {
    try {
        writeMessage({.attachments = {{.method = AttachMethod::EmbeddedMessage,
                                       .displayName = "Videresendt"}}});
        FAIL() << "an embedded message was written";
    } catch (const lexi::Failure& failure) {
        EXPECT_EQ(failure.number(), lexi::failure::InvalidProcedureCall);
    }
}

} // namespace
