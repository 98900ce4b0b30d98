#pragma once

#include "platform/posix/drive_table.h"
#include "platform/posix/libreoffice/warm_office.h"
#include "platform/word.h"

#include <string>

namespace lexi::posix {

// Word on this workstation: the user's warm LibreOffice instance, the one the
// PDF writer driver converts with, steered through UNO. Workstation paths go
// through the drive table. The instance is headless: documents are loaded
// hidden, without running their macros or updating their links, and are never
// shown; a document let go without being closed is closed, unsaved, as no
// one could close it later. The instance is shared and stays running: quit()
// leaves it alone.
//
// Failures, as Word's automation errors would come: CannotCreateObject (429)
// when no instance can be started, FileNotFound or PathNotFound for a
// missing document, PermissionDenied (70) for a document that can only be
// opened read-only (locked or write-protected) when writing was asked for,
// PathFileAccessError (75) for a document LibreOffice cannot read or write,
// AutomationError (440) when the instance fails in a call, and
// UnsupportedMember (438) for the printing and mail merge members, which
// this Word does not offer yet.
class OfficeWord final : public WordConnector {
public:
    OfficeWord(const DriveTable& drives, std::string home, std::string program = "soffice");

    std::unique_ptr<WordApplication> running() override;
    std::unique_ptr<WordApplication> start() override;

private:
    const DriveTable& drives_;
    WarmOffice office_;
};

} // namespace lexi::posix
