#include "platform/posix/msgfile/message_file.h"

#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>

using namespace lexi::msgfile;

// Files we write must open in an independent reader: Debian's msgconvert
// (Email::Outlook::Message) turns them into a MIME mail, summarised by
// mime_summary.pl.
namespace {

bool msgconvertInstalled() {
    return std::system("command -v msgconvert >/dev/null 2>&1") == 0;
}

std::string run(const std::string& command) {
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::string output;
    char buffer[4096];
    while (pipe && std::fgets(buffer, sizeof buffer, pipe.get()) != nullptr) {
        output += buffer;
    }
    return output;
}

std::string convertedSummary(const Message& message, const std::string& name) {
    const std::string msg = testing::TempDir() + "/" + name + ".msg";
    writeMessageFile(message, msg);
    return run("perl '" LEXITRAY_SOURCE_DIR "/tests/msgfile/mime_summary.pl' '" + msg + "' 2>&1");
}

TEST(Msgconvert, ReadsOurMailWithItsHeadersBodyAndAttachments) {
    if (!msgconvertInstalled()) {
        GTEST_SKIP() << "msgconvert is not installed (package libemail-outlook-message-perl)";
    }
    Message m;
    m.subject = "Stævning i sag 117 – Ærø";
    m.body = "Kære Søren\r\nHermed stævningen.";
    m.senderName = "Jørgen";
    m.senderAddress = "jorgen@advokat.dk";
    m.displayTo = "Åse Øster";
    m.displayCc = "Bent";
    m.recipients = {{RecipientType::To, "Åse Øster", "aase@example.dk", "SMTP", ""},
                    {RecipientType::Cc, "Bent", "bent@example.dk", "SMTP", ""}};
    std::string pdf(3000, '\0');
    for (std::size_t i = 0; i < pdf.size(); ++i) {
        pdf[i] = static_cast<char>(i % 251);
    }
    m.attachments = {
        {AttachMethod::ByValue, pdf, "STAEVN~1.PDF", "stævning.pdf", "stævning.pdf",
         "application/pdf", -1},
        {AttachMethod::ByValue, "bilag", "", "bilag.txt", "bilag.txt", "text/plain", -1}};

    const std::string summary = convertedSummary(m, "msgconvert-mail");
    EXPECT_NE(summary.find("Subject: Stævning i sag 117 – Ærø\n"), std::string::npos) << summary;
    EXPECT_NE(summary.find("From: Jørgen <jorgen@advokat.dk>\n"), std::string::npos) << summary;
    EXPECT_NE(summary.find("To: Åse Øster <aase@example.dk>\n"), std::string::npos) << summary;
    EXPECT_NE(summary.find("Cc: Bent <bent@example.dk>\n"), std::string::npos) << summary;
    EXPECT_NE(summary.find("Body: Kære Søren\r\nHermed stævningen.\n"), std::string::npos)
        << summary;
    // The MD5 sums of the two attachments' bytes.
    EXPECT_NE(summary.find("Attachment: stævning.pdf 3000 a216503cb86d01a23e71e047d4ccf001"),
              std::string::npos)
        << summary;
    EXPECT_NE(summary.find("Attachment: bilag.txt 5 ada290b0ef6651f157a7e5dccd88e245"),
              std::string::npos)
        << summary;
}

TEST(Msgconvert, ReadsOurHtmlBody) {
    if (!msgconvertInstalled()) {
        GTEST_SKIP() << "msgconvert is not installed (package libemail-outlook-message-perl)";
    }
    Message m;
    m.subject = "Html";
    m.htmlBody = "<html><body><p>Venlig hilsen, Søren</p></body></html>";
    m.bodyFormat = BodyFormat::Html;
    EXPECT_NE(convertedSummary(m, "msgconvert-html").find("Html: " + m.htmlBody),
              std::string::npos);
}

} // namespace
