#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The files the case-management system and the program hand each other in
// the exchange folder: Windows-1252 text with CR LF line ends.
namespace lexi::exchange {

inline constexpr const char* Recipients = "finmail.txt";
inline constexpr const char* Documents = "findoc.txt";
inline constexpr const char* CaseData = "tmp.txt";

// A file's bytes as UTF-8 text.
std::string decode(std::string_view bytes);
// UTF-8 text as a file's bytes.
std::string encode(std::string_view text);

// What "finmail.txt" asks for: recipient entries in order, and the subjects
// of its "[subject]=" lines (compared without regard to case) in order; the
// last one is the mail's.
struct MailRequest {
    std::vector<std::string> recipients;
    std::vector<std::string> subjects;
};
MailRequest parseRecipients(std::string_view text);

// The lines of "tmp.txt", split at CR LF pairs only.
std::vector<std::string> splitCaseData(std::string_view text);

// Where "tmp.txt" puts the mail: with a document ID (line 7) the save path is
// line 4 as it stands; without one it is the case folder (lines 1 to 3, each
// ending in "\\") + line 4 + ".msg", and the case folder is to be created
// when missing. Throws Failure 9 for fewer than seven lines.
struct CaseTarget {
    std::string savePath;
    std::string documentId;
    // Empty when no folder is to be created.
    std::string caseFolder;
};
CaseTarget caseTarget(std::string_view text);

// The callback file of a document ID.
std::string callbackFileName(std::string_view documentId);

} // namespace lexi::exchange
