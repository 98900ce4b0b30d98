#include "mail/request_files.h"

#include "mail/exchange_files.h"
#include "mail/running_requests.h"
#include "platform/failure.h"
#include "platform/text.h"

#include <cstdlib>

namespace lexi {
namespace {

// What the folder of a request notes it was for.
const char* const RequestNote = "anmodning.txt";
const char* const Taken[] = {exchange::Recipients, exchange::Documents};

// "finmail.txt" only for a request that reads recipients; "findoc.txt" only
// when it lists something.
bool wanted(FileSystem& files, const std::string& path, const char* name, bool withRecipients) {
    if (!files.exists(path)) {
        return false;
    }
    if (std::string_view(name) == exchange::Recipients) {
        return withRecipients;
    }
    return files.fileSize(path) > 5;
}

// One line of the message about a mail that was not made: its subject and
// recipients, and how many documents it was to carry.
std::string describe(FileSystem& files, const std::string& folder) {
    std::string line = "- en mail";
    const std::string recipients = folder + exchange::Recipients;
    if (files.exists(recipients)) {
        const exchange::MailRequest request =
            exchange::parseRecipients(exchange::decode(files.readFile(recipients)));
        if (!request.subjects.empty()) {
            line += " med emnet \"" + request.subjects.back() + "\"";
        }
        std::string to;
        for (const std::string& recipient : request.recipients) {
            to += (to.empty() ? "" : "; ") + recipient;
        }
        if (!to.empty()) {
            line += " til " + to;
        }
    }
    const std::string documents = folder + exchange::Documents;
    if (files.exists(documents)) {
        std::size_t count = 0;
        for (const std::string& document :
             text::readLines(exchange::decode(files.readFile(documents)))) {
            count += document.empty() ? 0 : 1;
        }
        line += ", " + std::to_string(count) + (count == 1 ? " dokument" : " dokumenter");
    }
    return line;
}

} // namespace

RequestFiles::RequestFiles(MailContext& context, std::string request)
    : context_(context), request_(std::move(request)) {}

std::string RequestFiles::base() const {
    return context_.program.exchangeFolder + "Lexitray\\";
}

bool RequestFiles::makeOwnFolder() {
    FileSystem& files = context_.platform.files;
    try {
        if (!files.isFolder(base())) {
            // Another request may make it at the same moment.
            ignoringFailure([&] { files.createFolder(base()); });
        }
        const std::string prefix =
            base() + std::to_string(context_.platform.processes.currentProcessId()) + "-";
        for (int number = 1; number <= 100; ++number) {
            const std::string folder = prefix + std::to_string(number);
            if (files.exists(folder)) {
                continue;
            }
            files.createFolder(folder);
            folder_ = folder + "\\";
            files.writeFile(folder_ + RequestNote, request_);
            return true;
        }
    } catch (const Failure&) {
        if (!folder_.empty()) {
            ignoringFailure([&] { files.removeFolder(folder_, true); });
            folder_.clear();
        }
    }
    return false;
}

std::vector<RequestFiles::Left> RequestFiles::leftByEndedRequests() {
    FileSystem& files = context_.platform.files;
    const std::set<long> running = otherRunningRequests(context_.platform.processes);
    std::vector<Left> left;
    for (const std::string& name : files.list(base() + "*")) {
        const std::string folder = base() + name + "\\";
        if (folder == folder_ || !files.isFolder(folder) ||
            running.contains(std::atol(name.c_str()))) {
            continue;
        }
        Left request{folder, {}};
        // A request killed before it noted what it was for took nothing yet.
        ignoringFailure([&] { request.request = files.readFile(folder + RequestNote); });
        left.push_back(std::move(request));
    }
    return left;
}

bool RequestFiles::moveIn(const std::string& from, const char* name) {
    try {
        context_.platform.files.moveFile(from, folder_ + name);
        taken_.push_back(name);
        return true;
    } catch (const Failure&) {
        return false;
    }
}

void RequestFiles::take(bool withRecipients) {
    FileSystem& files = context_.platform.files;
    RunLog& log = context_.log;
    const std::string& exchangeFolder = context_.program.exchangeFolder;
    if (!makeOwnFolder()) {
        for (const char* name : Taken) {
            if (wanted(files, exchangeFolder + name, name, withRecipients)) {
                inPlace_.push_back(name);
            }
        }
        return;
    }
    std::vector<Left> left = leftByEndedRequests();
    for (const char* name : Taken) {
        const std::string handed = exchangeFolder + name;
        if (wanted(files, handed, name, withRecipients)) {
            if (!moveIn(handed, name)) {
                inPlace_.push_back(name);
            }
            continue;
        }
        for (const Left& earlier : left) {
            const std::string kept = earlier.folder + name;
            if (earlier.request == request_ && files.exists(kept) && moveIn(kept, name)) {
                log.WriteLog("Tager " + std::string(name) +
                             " fra en afbrudt anmodning på samme sag igen");
                break;
            }
        }
    }
    std::vector<Left> others;
    for (Left& earlier : left) {
        if (earlier.request != request_) {
            others.push_back(std::move(earlier));
            continue;
        }
        // The same request handed over anew: what it handed before is
        // replaced.
        for (const char* name : Taken) {
            if (files.exists(earlier.folder + name)) {
                log.WriteLog("Fjerner " + std::string(name) +
                             " fra en afbrudt anmodning på samme sag; sagen har sendt en ny");
            }
        }
        ignoringFailure([&] { files.removeFolder(earlier.folder, true); });
    }
    dropLeft(others);
}

void RequestFiles::dropLeft(const std::vector<Left>& left) {
    FileSystem& files = context_.platform.files;
    std::string notMade;
    for (const Left& earlier : left) {
        const bool tookFiles = files.exists(earlier.folder + exchange::Recipients) ||
                               files.exists(earlier.folder + exchange::Documents);
        if (tookFiles) {
            std::string line;
            try {
                line = describe(files, earlier.folder);
            } catch (const Failure&) {
                line = "- en mail, hvis filer ikke kan læses";
            }
            context_.log.WriteLog("Mail fra en afbrudt anmodning er ikke sendt og fjernes: " +
                                  line.substr(2));
            notMade += line + "\r\n";
        }
        ignoringFailure([&] { files.removeFolder(earlier.folder, true); });
    }
    if (!notMade.empty()) {
        context_.platform.ui.messageBox(
            "Disse mails blev ikke lavet færdige og er ikke sendt:\r\n\r\n" + notMade +
                "\r\nStart dem igen fra sagen, hvis de stadig skal sendes.",
            msgbox::Exclamation, "Lexitray");
    }
}

std::string RequestFiles::path(const char* name) const {
    for (const std::string& taken : taken_) {
        if (taken == name) {
            return folder_ + name;
        }
    }
    for (const std::string& inPlace : inPlace_) {
        if (inPlace == name) {
            return context_.program.exchangeFolder + name;
        }
    }
    return {};
}

void RequestFiles::read(const char* name) {
    for (const std::string& inPlace : inPlace_) {
        if (inPlace == name &&
            !deleteReadFile(context_.platform.files, context_.program.exchangeFolder + name)) {
            context_.log.WriteLog("Kunne ikke slette " + std::string(name));
        }
    }
}

void RequestFiles::release() {
    if (folder_.empty()) {
        return;
    }
    FileSystem& files = context_.platform.files;
    for (const std::string& name : taken_) {
        if (!deleteReadFile(files, folder_ + name)) {
            context_.log.WriteLog("Kunne ikke slette " + name);
        }
    }
    ignoringFailure([&] { files.removeFolder(folder_, true); });
    folder_.clear();
    taken_.clear();
}

} // namespace lexi
