#pragma once

#include "mail/mail_context.h"

#include <string>
#include <string_view>

namespace lexi {

// The work folders of mail requests are noted in the registry while they
// exist, so that what a killed request had prepared in its folder (the
// documents, PDFs made with a password among them) does not stay: a later
// start of the program removes the folders of requests whose process no
// longer runs.

// Notes the request's work folder; the note's name, empty when it was not
// stored.
std::string noteWorkFolder(MailContext& context, const std::string& folder);

// Removes the work folder with all it holds, then its note; throws
// lexi::Failure, keeping the note, when the folder cannot be removed.
void removeWorkFolder(MailContext& context, const std::string& folder, const std::string& noteName);

// Removes the work folders left by requests of processes of the program
// (`imageName`) that no longer run.
void removeLeftWorkFolders(MailContext& context, std::string_view imageName);

} // namespace lexi
