#include "platform/posix/msgfile/message_file.h"

#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>

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
    for (std::size_t i = 0; i < pdf.size(); ++i) {
        pdf[i] = static_cast<char>(i % 251);
    }
    Message m;
    m.subject = "Stævning i sag 117 – Ærø";
    m.body = "Kære Søren\r\nHermed stævningen.";
    m.htmlBody = "<html><body><p>Venlig hilsen, Søren</p></body></html>";
    m.bodyFormat = BodyFormat::Html;
    m.senderName = "Jørgen";
    m.senderAddress = "jorgen@advokat.dk";
    m.displayTo = "Åse Øster";
    m.displayCc = "Bent";
    m.recipients = {{RecipientType::To, "Åse Øster", "aase@example.dk", "SMTP", ""},
                    {RecipientType::Cc, "Bent", "bent@example.dk", "SMTP", ""}};
    m.attachments = {
        {AttachMethod::ByValue, pdf, "STAEVN~1.PDF", "stævning.pdf", "stævning.pdf",
         "application/pdf", -1},
        {AttachMethod::ByValue, "bilag", "", "bilag.txt", "bilag.txt", "text/plain", -1}};
    const std::string msg = testing::TempDir() + "/msgconvert.msg";
    writeMessageFile(m, msg);

    const std::string command =
        "perl '" LEXITRAY_SOURCE_DIR "/tests/msgfile/mime_summary.pl' '" + msg + "' 2>/dev/null";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::string summary;
    char buffer[4096];
    while (pipe && std::fgets(buffer, sizeof buffer, pipe.get()) != nullptr) {
        summary += buffer;
    }
    EXPECT_EQ(summary, "Subject: Stævning i sag 117 – Ærø\n"
                       "From: Jørgen <jorgen@advokat.dk>\n"
                       "To: Åse Øster <aase@example.dk>\n"
                       "Cc: Bent <bent@example.dk>\n"
                       "Body: Kære Søren\r\nHermed stævningen.\n"
                       "Html: <html><body><p>Venlig hilsen, Søren</p></body></html>\n"
                       "Attachment: stævning.pdf 3000 a216503cb86d01a23e71e047d4ccf001\n"
                       "Attachment: bilag.txt 5 ada290b0ef6651f157a7e5dccd88e245\n");
}

} // namespace
