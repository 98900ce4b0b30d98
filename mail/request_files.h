#pragma once

#include "mail/mail_context.h"

#include <string>
#include <vector>

namespace lexi {

// The exchange files a mail request reads, "finmail.txt" and "findoc.txt",
// bound to that request: as it starts, it moves them out of the exchange
// folder into a folder of its own (exchange folder + "Lexitray\" + process id
// + "-" + number), beside a note of what the request is for, so that no later
// request reads them as its own. They go once the draft holds what they
// carried.
//
// A request that failed or was killed before that leaves its folder behind. A
// later request for the same case (the same "tmp.txt", or the same saved
// mail) takes back what it was not handed anew; a request for anything else
// drops it, with a run-log line and one message naming the mails that were not
// made. Folders of requests that still run are theirs.
//
// When the exchange folder does not let the files be moved, they are read
// where they are and deleted at once, as the case-management system expects.
class RequestFiles {
public:
    // `request` tells what the request is for: the case data it was started
    // with, or the saved mail it reopens.
    RequestFiles(MailContext& context, std::string request);

    // Takes the request's files: "finmail.txt" only `withRecipients`, and
    // "findoc.txt" when it holds more than 5 bytes. Deals with what earlier
    // requests left as said above.
    void take(bool withRecipients);

    // Where the request's file `name` is to be read; empty when it has none.
    std::string path(const char* name) const;
    // The file has been read: one read where it lay goes now.
    void read(const char* name);
    // The draft holds what the files carried: they go.
    void release();

private:
    struct Left {
        std::string folder;
        std::string request;
    };

    std::string base() const;
    bool makeOwnFolder();
    std::vector<Left> leftByEndedRequests();
    // Moves the file into the own folder; false when it could not be.
    bool moveIn(const std::string& from, const char* name);
    // Drops what the requests for other cases left, telling the user once.
    void dropLeft(const std::vector<Left>& left);

    MailContext& context_;
    std::string request_;
    std::string folder_;
    std::vector<std::string> inPlace_;
    std::vector<std::string> taken_;
};

} // namespace lexi
