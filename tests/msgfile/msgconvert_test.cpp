#include "platform/posix/msgfile/message_file.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <numeric>

// Messages are written with designated initializers: the fields left out keep
// their defaults, as intended.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

using namespace lexi::msgfile;

namespace {

// Files we write must open in an independent reader: Debian's msgconvert
// (Email::Outlook::Message) turns them into a MIME mail, summarised by
// mime_summary.pl with the MD5 sums of the attachments' bytes.
TEST(Msgconvert, ReadsOurMailWithItsHeadersBodiesAndAttachments) {
    if (std::system("command -v msgconvert >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "msgconvert is not installed (package libemail-outlook-message-perl)";
    }
    std::string pdf(3000, '\0');
    std::iota(pdf.begin(), pdf.end(), '\0');
    // clang-format off
    const Message m{
        .subject = "Stævning i sag 117 – Ærø", .body = "Kære Søren\r\nHermed stævningen.",
        .htmlBody = "<html><body><p>Venlig hilsen, Søren</p></body></html>", .senderName = "Jørgen",
        .senderAddress = "jorgen@advokat.dk", .displayTo = "Åse Øster", .displayCc = "Bent",
        .recipients = {{RecipientType::To, "Åse Øster", "aase@example.dk", "SMTP", ""},
                       {RecipientType::Cc, "Bent", "bent@example.dk", "SMTP", ""}},
        .attachments = {{AttachMethod::ByValue, pdf, "STAEVN~1.PDF", "stævning.pdf", "stævning.pdf",
                         "application/pdf", -1},
                        {.data = "bilag", .longFileName = "bilag.txt", .mimeType = "text/plain"}}};
    // clang-format on
    const std::string msg = testing::TempDir() + "/msgconvert.msg", summary = msg + ".txt";
    writeMessageFile(m, msg);
    const std::string script = LEXITRAY_SOURCE_DIR "/tests/msgfile/mime_summary.pl";
    const std::string command =
        "perl '" + script + "' '" + msg + "' >'" + summary + "' 2>/dev/null";
    EXPECT_EQ(std::system(command.c_str()), 0);
    std::ifstream in(summary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}),
              "Subject: Stævning i sag 117 – Ærø\n"
              "From: Jørgen <jorgen@advokat.dk>\n"
              "To: Åse Øster <aase@example.dk>\nCc: Bent <bent@example.dk>\n"
              "Body: Kære Søren\r\nHermed stævningen.\n"
              "Html: <html><body><p>Venlig hilsen, Søren</p></body></html>\n"
              "Attachment: stævning.pdf 3000 241659bbc1d98d0b9b510038036fef68\n"
              "Attachment: bilag.txt 5 ada290b0ef6651f157a7e5dccd88e245\n");
}

} // namespace
