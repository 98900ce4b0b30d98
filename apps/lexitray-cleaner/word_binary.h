#pragma once

#include <string>

namespace lexi {
namespace posix {
class ColdOffice;
class WarmOffice;
} // namespace posix

// Writes the cleaned copy of the Word 97 document at `hostSource` to
// `hostTarget`, whole or not at all. `converter` writes it as Office Open XML
// in a private folder, which is cleaned as a package is (the tracked changes
// accepted, comments, hidden text and properties removed); the user's
// LibreOffice then loads that, removes what hides text in fields and
// sections, empties the document properties it sets itself on loading and
// saves it as a Word 97 document. A LibreOffice of the job's own does the
// first step: the user's instance, without its user interface files, ends
// when it loads a document with comments. Throws lexi::Failure.
void cleanWordBinary(posix::ColdOffice& converter, posix::WarmOffice& office,
                     const std::string& hostSource, const std::string& hostTarget);

} // namespace lexi
