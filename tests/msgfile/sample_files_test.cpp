#include "platform/posix/msgfile/message_file.h"
#include "tests/msgfile/message_parts.h"
#include "tests/msgfile/sample_files.h"

#include <ctime>
#include <gtest/gtest.h>
#include <iomanip>
#include <sstream>

using namespace lexi::msgfile;

namespace {

// What Outlook shows of a mail: a header line with the flags Outlook shows, the
// sending time in whole seconds (some files store milliseconds) and the sender;
// then one fact a line: the subject, the body's first line, each recipient, and
// the attachments as name, short name, type and size.
std::string shown(const Message& m) {
    const std::time_t sent = floor<std::chrono::seconds>(m.sentOn).time_since_epoch().count();
    const std::tm tm = *std::gmtime(&sent);
    std::ostringstream out;
    out << m.messageClass << ", format " << int(m.bodyFormat) << ", flags " << (m.flags & 0xFF)
        << ", sent " << std::put_time(&tm, "%F %T") << ", from " << m.senderName << " <"
        << m.senderAddress << ">\nSubject: " << m.subject
        << "\nBody: " << m.body.substr(0, m.body.find('\r'));
    for (const Recipient& r : m.recipients) {
        out << "\nTo" << int(r.type) << ": " << r.displayName << " <" << r.address << ">";
    }
    out << (m.attachments.empty() ? "" : "\nAttachments:");
    for (const Attachment& a : m.attachments) {
        out << ' ' << a.longFileName << '|' << a.fileName << '|' << a.mimeType << '|'
            << a.data.size();
    }
    return out.str();
}

// Format 2 is HTML, 3 rich text: Outlook shows a mail whose RTF body
// encapsulates HTML as an HTML mail. Recipient types: 1 To, 2 Cc, 3 Bcc.
// clang-format off
const std::pair<const char*, const char*> Samples[] = {
    {"simple-sent.msg", R"(IPM.Note, format 3, flags 1, sent 2006-08-12 18:25:25, from John Doe <jdoes@someserver.com>
Subject: (outlookEMLandMSGconverter Trial Version Import) BitDaddys Software
Body: Dear BitDaddys Corp.,
To1: sales@bitdaddys.com <sales@bitdaddys.com>)"},
    {"unsent-draft.msg", R"(IPM.Note, format 2, flags 8, sent 4501-01-01 00:00:00, from  <>
Subject: MSG Test File
Body: MSG test file
To1: time2talk@online-convert.com <time2talk@online-convert.com>)"},
    {"attachments.msg", R"(IPM.Note, format 2, flags 49, sent 2016-04-11 17:11:10, from Microsoft Outlook <MicrosoftExchange329e71ec88ae4615bbc36ab6ce41109e@coab.us>
Subject: Delivery delayed:RE: Bosco Fraud Cases [ 2 of 8]
Body: Delivery is delayed to these recipients or groups:
To1: darlington@coab.us <darlington@coab.us>
Attachments: ||message/delivery-status|401 ||text/rfc822-headers|1677)"},
    {"html-attachment-embedded-image.msg", R"(IPM.Note, format 2, flags 17, sent 2017-03-05 11:11:31, from Benny Bottema <b.bottema@gmail.com>
Subject: hey
Body: We should meet up!
To1: Bottema, Benny </o=aegon/ou=exchange administrative group (fydibohf23spdlt)/cn=recipients/cn=bottema, benny7d7>
Attachments: thumbsup|thumbsup|image/png|433 dresscode.txt|dressc~1.txt|text/plain|18 location.txt|location.txt|text/plain|12)"},
    {"to-and-cc-multiple.msg", R"(IPM.Note, format 2, flags 0, sent 2020-01-08 07:25:42, from elias.laugher@gmail.com <elias.laugher@gmail.com>
Subject: Test E-Mail
Body: Just a test to get an email with multiple to/cc/bcc recipients.
To3: egi.carn.carby@gmail.com <egi.carn.carby@gmail.com>
To3: egi.dink.meeker@gmail.com <egi.dink.meeker@gmail.com>
To1: elias.laugher@gmail.com <elias.laugher@gmail.com>
To1: niklas.lindson@gmail.com <niklas.lindson@gmail.com>
To2: egi.champi.titu@gmail.com <egi.champi.titu@gmail.com>
To2: egi.han.tzu@gmail.com <egi.han.tzu@gmail.com>)"},
};
// clang-format on

TEST(MsgOutlookSample, ReadsLikeOutlookShowsItAndBackUnchangedAfterWeSaveIt) {
    SKIP_WITHOUT_SAMPLES();
    for (const auto& [file, expected] : Samples) {
        const Message m = readMessageFile(samplePath(file));
        EXPECT_EQ(shown(m), expected) << file;
        const Message copy = readMessage(writeMessage(m));
        EXPECT_TRUE(fieldsOnly(copy) == fieldsOnly(m)) << file;
    }
    // An attachment keeps its bytes; HTML kept only in the RTF body is taken out.
    const Message m = readMessageFile(samplePath("html-attachment-embedded-image.msg"));
    EXPECT_EQ(m.attachments[0].data.substr(1, 3) + m.htmlBody,
              "PNG<b>We should meet up!</b><img src=\"cid:thumbsup\">");
}

} // namespace
