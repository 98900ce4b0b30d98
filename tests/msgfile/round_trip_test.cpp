#include "platform/posix/msgfile/message_fields.h"
#include "platform/posix/msgfile/message_file.h"
#include "tests/msgfile/message_parts.h"

#include <chrono>
#include <functional>
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
        EXPECT_TRUE(fieldsOnly(readMessage(writeMessage(written))) == written)
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

std::string utf16(std::string_view ascii) {
    std::string bytes;
    for (const char c : ascii) {
        bytes += {c, '\0'};
    }
    return bytes;
}

// Little-endian 32-bit numbers, as lists of lengths and fixed values are kept.
std::string numbers(std::initializer_list<std::uint32_t> values) {
    std::string bytes;
    for (const std::uint32_t value : values) {
        for (int i = 0; i < 4; ++i) {
            bytes += static_cast<char>(value >> (8 * i));
        }
    }
    return bytes;
}

constexpr Guid PsPublicStrings{0x29, 0x03, 0x02, 0, 0, 0, 0, 0, 0xC0, 0, 0, 0, 0, 0, 0, 0x46};
constexpr Guid PsInternetHeaders{0x86, 0x03, 0x02, 0, 0, 0, 0, 0, 0xC0, 0, 0, 0, 0, 0, 0, 0x46};
constexpr Guid OwnSet{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};

TEST(MsgPropertyBag, KeepsEveryPropertyAsTheFileHadIt) {
    // clang-format off
    const Property kept[] = {
        {tagged(0x6601), 0x0002, 0x2, 0x1234}, {tagged(0x6602), 0x0003, 0x6, 0x89ABCDEF},
        {tagged(0x6603), 0x0004, 0x6, 0x3F800000}, {tagged(0x6604), 0x0005, 0x6, 0x3FF0000000000000},
        {tagged(0x6605), 0x0006, 0x6, 123456789012}, {tagged(0x6606), 0x0007, 0x6, 0x40E5000000000000},
        {tagged(0x6607), 0x000A, 0x6, 0x80004005}, {tagged(0x6608), 0x000B, 0x7, 1},
        {tagged(0x6609), 0x0014, 0x6, 0xFEDCBA9876543210},
        // Send and delivery time: no time, as 0 and as the largest time.
        {tagged(0x0039), 0x0040, 0x6, 0}, {tagged(0x0E06), 0x0040, 0x6, 0x7FFFFFFFFFFFFFFF},
        {tagged(0x0037), 0x001E, 0x6, 0, "Emne \xE6"}, {tagged(0x660B), 0x001F, 0x6, 0, utf16("Unicode")},
        {tagged(0x660C), 0x0102, 0x6, 0, std::string("\0\1\2", 3)},
        {tagged(0x660D), 0x0048, 0x6, 0, std::string(16, 'G')},
        {tagged(0x660E), 0x1003, 0x6, 0, numbers({7, 8, 9})},
        {tagged(0x6610), 0x101F, 0x6, 0, numbers({4, 6}), {utf16("a"), utf16("bc")}},
        {tagged(0x6611), 0x1102, 0x6, 0, numbers({3, 0, 0, 0}), {"xyz", ""}},
        {named(OwnSet, 0x9001), 0x0003, 0x6, 42},
        {named(PsInternetHeaders, "X-Sagsnummer"), 0x001F, 0x6, 0, utf16("2024-117")},
        {named(PsPublicStrings, "Keywords"), 0x101F, 0x6, 0, numbers({8}), {utf16("Sag")}},
    };
    // clang-format on
    Message written{.subject = "Emne æ"};
    for (const Property& property : kept) {
        written.properties.put(property);
    }
    const Message read = readMessage(writeMessage(written));
    for (const Property& property : kept) {
        const Property* found = read.properties.find(property.key, property.type);
        EXPECT_TRUE(found != nullptr && *found == property) << std::hex << property.type;
    }
    // The subject was not changed, so it stays 8-bit; the times read as none.
    EXPECT_EQ(read.properties.find(tagged(0x0037), property_type::Unicode), nullptr);
    EXPECT_TRUE(read.sentOn == NoDate && read.receivedTime == NoDate);
}

Message mailAtLevel(int level) {
    const std::string n = std::to_string(level);
    Message m{.subject = "Niveau " + n,
              .recipients = {{RecipientType::Cc, "Modtager " + n, n + "@example.dk", "SMTP", ""}},
              .attachments = {{.data = "bilag " + n, .longFileName = "bilag" + n + ".txt"}},
              .billingInformation = "Sag " + n};
    if (level < 3) {
        m.attachments.push_back({.method = AttachMethod::EmbeddedMessage,
                                 .displayName = "Videresendt",
                                 .embeddedMessage = mailAtLevel(level + 1)});
    }
    return m;
}

TEST(MsgAttachedMail, IsReadAndWrittenAtAnyDepth) {
    const Message written = mailAtLevel(1);
    const Message read = readMessage(writeMessage(written));
    EXPECT_TRUE(fieldsOnly(read) == written);
    EXPECT_TRUE(readMessage(writeMessage(read)) == read);
}

TEST(MsgOleAttachment, KeepsItsStorageAndClassIds) {
    const StorageTree object{
        {0x0C, 0x08, 0x02, 0, 0, 0, 0, 0, 0xC0, 0, 0, 0, 0, 0, 0, 0x46},
        {{"\x01Ole", std::string(20, '\0')}, {"CONTENTS", allByteValues(5000)}},
        {{"Indhold", {OwnSet, {{"x", "y"}}}}}};
    Attachment ole{.method = AttachMethod::Ole, .displayName = "Regneark"};
    ole.properties.put({tagged(0x3701), property_type::Object, 0x6, 0xFFFFFFFF, {}, {}, object});
    const Message read = readMessage(writeMessage({.attachments = {ole}}));
    const Property* kept =
        read.attachments.at(0).properties.find(tagged(0x3701), property_type::Object);
    EXPECT_TRUE(kept != nullptr && kept->object == object);
}

// The RTF body matches the plain one only until the program changes a body.
TEST(MsgBodies, TheRtfBodyGoesWithAChangedBody) {
    const std::string rtf("\x10\0\0\0\x04\0\0\0MELA\0\0\0\0{}xy", 20);
    Message original{.body = "Tekst", .bodyFormat = BodyFormat::RichText};
    for (const Property& property : std::initializer_list<Property>{
             {tagged(0x1000), property_type::Unicode, 0x6, 0, utf16("Tekst")},
             {tagged(0x1009), property_type::Binary, 0x6, 0, rtf},
             {tagged(0x0E1F), property_type::Boolean, 0x6, 1},
             {tagged(0x1006), property_type::Long, 0x6, 0x1234},
             {tagged(0x1016), property_type::Long, 0x6, 2}}) {
        original.properties.put(property);
    }
    // What changes; then whether the RTF and its checksum stay, the native
    // body (2 RTF, 1 plain, 3 HTML), whether the RTF is in sync, and the code page.
    const std::tuple<std::function<void(Message&)>, bool, int, int, int> cases[] = {
        {[](Message&) {}, true, 2, 1, 0},
        {[](Message& m) { m.body = "Ny tekst"; }, false, 1, 0, 0},
        {[](Message& m) { m.htmlBody = "<p>Ny</p>"; }, false, 3, 0, 65001},
    };
    for (const auto& [change, rtfKept, nativeBody, inSync, codePage] : cases) {
        Message m = original;
        change(m);
        const PropertyBag read = readMessage(writeMessage(m)).properties;
        const auto fixed = [&](std::uint16_t id, std::uint16_t type) {
            const Property* property = read.find(tagged(id), type);
            return property != nullptr ? static_cast<int>(property->entry) : 0;
        };
        EXPECT_EQ(read.find(tagged(0x1009), property_type::Binary) != nullptr, rtfKept);
        EXPECT_EQ(fixed(0x1006, property_type::Long) != 0, rtfKept);
        EXPECT_EQ(fixed(0x1016, property_type::Long), nativeBody);
        EXPECT_EQ(fixed(0x0E1F, property_type::Boolean), inSync);
        EXPECT_EQ(fixed(0x3FDE, property_type::Long), codePage) << nativeBody;
    }
}

// An item without a plain body shows the text of its HTML or RTF body, and
// keeps that body as its only one.
TEST(MsgBodies, WithoutAPlainBodyTheTextComesFromTheOtherBody) {
    const std::string rtf = "{\\rtf1\\ansi Hej S\\'f8ren\\par}";
    Message rtfOnly{.body = "Hej Søren\r\n", .bodyFormat = BodyFormat::RichText};
    rtfOnly.properties.put({tagged(0x1009), property_type::Binary, 0x6, 0,
                            numbers({static_cast<std::uint32_t>(rtf.size() + 12),
                                     static_cast<std::uint32_t>(rtf.size())}) +
                                "MELA" + numbers({0}) + rtf});
    const Message htmlOnly{.htmlBody = "<p>Hej S&oslash;ren</p>", .bodyFormat = BodyFormat::Html};
    for (const Message& written : {rtfOnly, htmlOnly}) {
        const Message read = readMessage(writeMessage(readMessage(writeMessage(written))));
        EXPECT_EQ(read.body, "Hej Søren\r\n");
        EXPECT_EQ(read.bodyFormat, written.bodyFormat);
        EXPECT_EQ(read.properties.find(messageBody.key, property_type::Unicode), nullptr);
    }
}

// A new item gets only what it holds: no default task status or importance,
// no address type for a recipient without an address.
TEST(MsgWriter, AddsNoPropertyTheItemDoesNotHave) {
    const Message read = readMessage(writeMessage({.recipients = {{.displayName = "Ingen"}}}));
    EXPECT_EQ(read.properties.find(messageTaskStatus.key, property_type::Long), nullptr);
    EXPECT_EQ(read.properties.find(messageImportance.key, property_type::Long), nullptr);
    EXPECT_EQ(read.recipients[0].properties.find(tagged(0x3002), property_type::Unicode), nullptr);
}

} // namespace
