#pragma once

#include "platform/posix/msgfile/message.h"

#include <string>
#include <string_view>

// Reading and writing Outlook item files (.msg): a compound file (MS-CFB)
// holding the item's properties as MS-OXMSG lays them out.
//
// Failures are lexi::Failure with source "msgfile":
// - a file that cannot be opened, read or written: the runtime's number and
//   description for the system's error (failureFromErrno);
// - bytes that are not a readable item file (truncated, corrupt, hostile):
//   PathFileAccessError (75), described "Not an Outlook message file: " and
//   what is wrong.
// Descriptions never name the host path: a caller that shows one names the
// file by its workstation path.
// Reading allocates in proportion to the size of the file, whatever it says.
namespace lexi::msgfile {

// Whether reading keeps the bytes the attachments hold, or only checks them
// as it checks everything else, for a caller that looks at the item but not
// into its attachments.
enum class AttachedData { Read, Checked };

Message readMessage(std::string_view fileBytes, AttachedData attachedData = AttachedData::Read);
Message readMessageFile(const std::string& hostPath);
// The bytes of the file, unread: a file that cannot be read fails as above.
std::string readMessageFileBytes(const std::string& hostPath);

// An item read from a file is written back with every property it had; a
// field the program changed is written as Unicode text, the HTML body as
// UTF-8 bytes.
std::string writeMessage(const Message& message);
void writeMessageFile(const Message& message, const std::string& hostPath);

} // namespace lexi::msgfile
