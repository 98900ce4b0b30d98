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

// The lines of a text, split as a line reader does: at CR LF, or at a CR
// alone. A final line end adds no empty line.
std::vector<std::string> readLines(std::string_view text);

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

// The callback file of a document ID.
std::string callbackFileName(std::string_view documentId);

} // namespace lexi::exchange
