#pragma once

#include "platform/posix/msgfile/message.h"
#include "platform/posix/msgfile/property_key.h"

#include <string>

// Where each field of Message, Recipient and Attachment lives among the file's
// properties (MS-OXPROPS). Reader and writer share these tables, so a field
// listed here travels both ways.
namespace lexi::msgfile {

namespace property_set {
inline constexpr Guid Appointment{0x02, 0x20, 0x06, 0, 0, 0, 0, 0, 0xC0, 0, 0, 0, 0, 0, 0, 0x46};
inline constexpr Guid Task{0x03, 0x20, 0x06, 0, 0, 0, 0, 0, 0xC0, 0, 0, 0, 0, 0, 0, 0x46};
inline constexpr Guid Address{0x04, 0x20, 0x06, 0, 0, 0, 0, 0, 0xC0, 0, 0, 0, 0, 0, 0, 0x46};
inline constexpr Guid Common{0x08, 0x20, 0x06, 0, 0, 0, 0, 0, 0xC0, 0, 0, 0, 0, 0, 0, 0x46};
} // namespace property_set

// Properties the reader and writer handle outside the tables.
namespace property_id {
inline constexpr std::uint16_t HtmlBody = 0x1013;      // PidTagHtml
inline constexpr std::uint16_t RtfCompressed = 0x1009; // PidTagRtfCompressed
inline constexpr std::uint16_t NativeBody = 0x1016;    // PidTagNativeBody
inline constexpr std::uint16_t MessageCodepage = 0x3FFD;
inline constexpr std::uint16_t InternetCodepage = 0x3FDE;
inline constexpr std::uint16_t StoreSupportMask = 0x340D;
inline constexpr std::uint16_t AttachDataBinary = 0x3701;
inline constexpr std::uint16_t RowId = 0x3000;
inline constexpr std::uint16_t AttachNumber = 0x0E21;
inline constexpr std::uint16_t ObjectType = 0x0FFE;
inline constexpr std::uint16_t RtfInSync = 0x0E1F; // PidTagRtfInSync
// The checksums and counts that tie the RTF body to the plain one.
inline constexpr std::uint16_t RtfSync[] = {0x1006, 0x1007, 0x1008, 0x1010, 0x1011};
} // namespace property_id

// A member of Owner kept in the property `key`. Texts are PT_UNICODE (or
// PT_STRING8 when read), times PT_SYSTIME, numbers and enums PT_LONG. The
// binary attachment data (AttachDataBinary) is Attachment::data.
template <class Owner, class Value> struct Field {
    Value Owner::*member;
    PropertyKey key;
};

inline const Field<Message, std::string> messageTexts[] = {
    {&Message::messageClass, tagged(0x001A)},                            // PidTagMessageClass
    {&Message::subject, tagged(0x0037)},                                 // PidTagSubject
    {&Message::senderName, tagged(0x0C1A)},                              // PidTagSenderName
    {&Message::senderAddress, tagged(0x0C1F)},                           // PidTagSenderEmailAddress
    {&Message::senderAddressType, tagged(0x0C1E)},                       // PidTagSenderAddressType
    {&Message::senderSmtpAddress, tagged(0x5D01)},                       // PidTagSenderSmtpAddress
    {&Message::displayTo, tagged(0x0E04)},                               // PidTagDisplayTo
    {&Message::displayCc, tagged(0x0E03)},                               // PidTagDisplayCc
    {&Message::displayBcc, tagged(0x0E02)},                              // PidTagDisplayBcc
    {&Message::internetMessageId, tagged(0x1035)},                       // PidTagInternetMessageId
    {&Message::billingInformation, named(property_set::Common, 0x8535)}, // PidLidBilling
    {&Message::mileage, named(property_set::Common, 0x8534)},            // PidLidMileage
    {&Message::contactFullName, tagged(0x3001)},                         // PidTagDisplayName
    {&Message::companyName, tagged(0x3A16)},                             // PidTagCompanyName
    {&Message::businessAddress, named(property_set::Address, 0x801B)},   // PidLidWorkAddress
    {&Message::email1Address, named(property_set::Address, 0x8083)},     // PidLidEmail1EmailAddress
    {&Message::businessTelephoneNumber, tagged(0x3A08)}, // PidTagBusinessTelephoneNumber
    {&Message::businessFaxNumber, tagged(0x3A24)},       // PidTagBusinessFaxNumber
    {&Message::profession, tagged(0x3A46)},              // PidTagProfession
};

inline const Field<Message, Time> messageTimes[] = {
    {&Message::sentOn, tagged(0x0039)},                               // PidTagClientSubmitTime
    {&Message::receivedTime, tagged(0x0E06)},                         // PidTagMessageDeliveryTime
    {&Message::creationTime, tagged(0x3007)},                         // PidTagCreationTime
    {&Message::taskDueDate, named(property_set::Task, 0x8105)},       // PidLidTaskDueDate
    {&Message::taskDateCompleted, named(property_set::Task, 0x810F)}, // PidLidTaskDateCompleted
    {&Message::meetingStart,
     named(property_set::Appointment, 0x820D)}, // PidLidAppointmentStartWhole
};

// The plain body, read and compared through readBody.
inline const Field<Message, std::string> messageBody{&Message::body, tagged(0x1000)}; // PidTagBody

inline const Field<Message, Importance> messageImportance{&Message::importance,
                                                          tagged(0x0017)}; // PidTagImportance
inline const Field<Message, std::uint32_t> messageFlags{&Message::flags,
                                                        tagged(0x0E07)}; // PidTagMessageFlags
inline const Field<Message, TaskStatus> messageTaskStatus{
    &Message::taskStatus, named(property_set::Task, 0x8101)}; // PidLidTaskStatus

inline const Field<Recipient, std::string> recipientTexts[] = {
    {&Recipient::displayName, tagged(0x3001)}, // PidTagDisplayName
    {&Recipient::address, tagged(0x3003)},     // PidTagEmailAddress
    {&Recipient::addressType, tagged(0x3002)}, // PidTagAddressType
    {&Recipient::smtpAddress, tagged(0x39FE)}, // PidTagSmtpAddress
};
inline const Field<Recipient, RecipientType> recipientType{&Recipient::type,
                                                           tagged(0x0C15)}; // PidTagRecipientType

inline const Field<Attachment, std::string> attachmentTexts[] = {
    {&Attachment::fileName, tagged(0x3704)},     // PidTagAttachFilename
    {&Attachment::longFileName, tagged(0x3707)}, // PidTagAttachLongFilename
    {&Attachment::displayName, tagged(0x3001)},  // PidTagDisplayName
    {&Attachment::mimeType, tagged(0x370E)},     // PidTagAttachMimeTag
    {&Attachment::contentId, tagged(0x3712)},    // PidTagAttachContentId
};
inline const Field<Attachment, AttachMethod> attachmentMethod{&Attachment::method,
                                                              tagged(0x3705)}; // PidTagAttachMethod
inline const Field<Attachment, std::int32_t> attachmentRenderingPosition{
    &Attachment::renderingPosition, tagged(0x370B)}; // PidTagRenderingPosition

} // namespace lexi::msgfile
