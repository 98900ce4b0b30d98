#include "platform/posix/libreoffice/warm_office.h"

#include "platform/failure.h"
#include "platform/posix/argument_vector.h"
#include "platform/posix/file_lock.h"
#include "platform/posix/lexitray_home.h"
#include "platform/posix/libreoffice/uno_office.h"
#include "platform/posix/temp_file.h"

#include <atomic>
#include <chrono>
#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/bridge/UnoUrlResolver.hpp>
#include <com/sun/star/connection/NoConnectException.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/io/IOException.hpp>
#include <com/sun/star/lang/DisposedException.hpp>
#include <com/sun/star/lang/IllegalArgumentException.hpp>
#include <com/sun/star/lang/XServiceInfo.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <condition_variable>
#include <cppuhelper/bootstrap.hxx>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <osl/file.hxx>
#include <rtl/bootstrap.hxx>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace lexi::posix {

using namespace com::sun::star;
using rtl::OUString;

namespace {

constexpr const char* Source = "WarmOffice";
constexpr auto StartTimeout = std::chrono::seconds(90);
constexpr auto EndTimeout = std::chrono::seconds(30);
constexpr auto PollInterval = std::chrono::milliseconds(20);

// The export filter for each kind of document LibreOffice opens.
struct PdfFilter {
    const char* documentService;
    const char* filter;
};
constexpr PdfFilter PdfFilters[] = {
    {"com.sun.star.text.TextDocument", "writer_pdf_Export"},
    {"com.sun.star.text.WebDocument", "writer_web_pdf_Export"},
    {"com.sun.star.sheet.SpreadsheetDocument", "calc_pdf_Export"},
    {"com.sun.star.presentation.PresentationDocument", "impress_pdf_Export"},
    {"com.sun.star.drawing.DrawingDocument", "draw_pdf_Export"},
};

// The pipe's name is the same for every process of the home and differs
// between homes (the tests' homes are workstations of their own): the home's
// path hashed (FNV-1a), as pipe names take letters and digits only.
std::string pipeName(const std::string& home) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const unsigned char byte : home) {
        hash = (hash ^ byte) * 1099511628211ull;
    }
    char name[40];
    std::snprintf(name, sizeof name, "lexitray_%016llx", static_cast<unsigned long long>(hash));
    return name;
}

// This process's end of UNO, made once and kept to the end: the bridges to
// the instance hang on it, and tearing it down at exit gains nothing.
// A bridge writing to an instance that was lost would otherwise end this
// process with SIGPIPE; ignored, the write fails and the bridge reports the
// instance gone, which the callers answer by starting a new one.
uno::Reference<uno::XComponentContext> localContext() {
    static const auto* context = [] {
        std::signal(SIGPIPE, SIG_IGN);
        rtl::Bootstrap::set("URE_BOOTSTRAP",
                            "vnd.sun.star.pathname:" LEXITRAY_OFFICE_PROGRAM "/fundamentalrc");
        return new uno::Reference<uno::XComponentContext>(
            cppu::defaultBootstrap_InitialComponentContext());
    }();
    return *context;
}

// The desktop of the instance listening on `pipe`; null when none listens or
// it is not ready yet.
uno::Reference<frame::XDesktop2> connect(const std::string& pipe) {
    try {
        const auto resolver = bridge::UnoUrlResolver::create(localContext());
        const uno::Reference<uno::XComponentContext> remote(
            resolver->resolve(toUno("uno:pipe,name=" + pipe + ";urp;StarOffice.ComponentContext")),
            uno::UNO_QUERY_THROW);
        return frame::Desktop::create(remote);
    } catch (const connection::NoConnectException&) {
        return {};
    } catch (const uno::RuntimeException&) {
        return {};
    } catch (const cppu::BootstrapException&) {
        throw Failure(failure::CannotCreateObject, Source);
    } catch (const uno::Exception&) {
        throw Failure(failure::CannotCreateObject, Source);
    }
}

// Starts LibreOffice in a session of its own, so that it outlives this
// process and its terminal; its id, or -1.
pid_t spawnOffice(const std::vector<std::string>& arguments) {
    std::vector<char*> argv = argumentVector(arguments);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    for (const int stream : {0, 1, 2}) {
        posix_spawn_file_actions_addopen(&actions, stream, "/dev/null", O_RDWR, 0);
    }
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    pid_t child = -1;
    const int rc = ::posix_spawnp(&child, argv[0], &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return rc == 0 ? child : -1;
}

std::string userInstallationArgument(const std::string& profile) {
    return "-env:UserInstallation=" +
           std::string(rtl::OUStringToOString(fileUrl(profile), RTL_TEXTENCODING_UTF8).getStr());
}

// The processes of the host that have `argument` among their arguments: the
// instance's processes carry their user installation's until they are gone.
std::vector<pid_t> processesWith(const std::string& argument) {
    std::vector<pid_t> found;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/proc", error)) {
        std::ifstream file(entry.path() / "cmdline", std::ios::binary);
        for (std::string word; std::getline(file, word, '\0');) {
            if (word == argument) {
                found.push_back(static_cast<pid_t>(std::atoi(entry.path().filename().c_str())));
                break;
            }
        }
    }
    return found;
}

// Kills the processes that have `argument` among their arguments and returns
// once they are gone.
void killProcessesWith(const std::string& argument) {
    const auto deadline = std::chrono::steady_clock::now() + EndTimeout;
    for (auto found = processesWith(argument);
         !found.empty() && std::chrono::steady_clock::now() < deadline;
         found = processesWith(argument)) {
        for (const pid_t process : found) {
            ::kill(process, SIGKILL);
        }
        std::this_thread::sleep_for(PollInterval);
    }
}

bool hasEnded(pid_t child) {
    int status = 0;
    return ::waitpid(child, &status, WNOHANG) == child;
}

// Closes a loaded document however the job ends.
class DocumentGuard {
public:
    explicit DocumentGuard(uno::Reference<lang::XComponent> document)
        : document_(std::move(document)) {}
    ~DocumentGuard() {
        try {
            const uno::Reference<util::XCloseable> closeable(document_, uno::UNO_QUERY);
            closeable.is() ? closeable->close(true) : document_->dispose();
        } catch (const uno::Exception&) {
            // A document that will not close, or an instance gone, leaves
            // nothing of this job to tidy.
        }
    }
    DocumentGuard(const DocumentGuard&) = delete;
    DocumentGuard& operator=(const DocumentGuard&) = delete;

private:
    uno::Reference<lang::XComponent> document_;
};

OUString pdfFilter(const uno::Reference<lang::XComponent>& document) {
    const uno::Reference<lang::XServiceInfo> info(document, uno::UNO_QUERY_THROW);
    for (const PdfFilter& kind : PdfFilters) {
        if (info->supportsService(OUString::createFromAscii(kind.documentService))) {
            return OUString::createFromAscii(kind.filter);
        }
    }
    throw Failure(failure::PathFileAccessError, Source);
}

void exportPdf(const uno::Reference<frame::XDesktop2>& desktop, const OUString& sourceUrl,
               const OUString& pdfUrl) {
    const auto document =
        desktop->loadComponentFromURL(sourceUrl, "_blank", 0, hiddenLoadArguments(true));
    if (!document.is()) {
        throw Failure(failure::PathFileAccessError, Source);
    }
    const DocumentGuard guard(document);
    uno::Sequence<beans::PropertyValue> store(2);
    store.getArray()[0] = property("FilterName", pdfFilter(document));
    store.getArray()[1] = property("Overwrite", true);
    uno::Reference<frame::XStorable>(document, uno::UNO_QUERY_THROW)->storeToURL(pdfUrl, store);
}

} // namespace

JobTimer::JobTimer(std::chrono::milliseconds limit, std::string instanceArgument)
    : thread_([this, limit, argument = std::move(instanceArgument)] {
          std::unique_lock lock(mutex_);
          if (!finished_.wait_for(lock, limit, [this] { return done_; })) {
              expired_ = true;
              killProcessesWith(argument);
          }
      }) {}

JobTimer::~JobTimer() {
    {
        const std::lock_guard lock(mutex_);
        done_ = true;
    }
    finished_.notify_one();
    thread_.join();
}

std::string WarmOffice::Connection::instanceArgument() const {
    return userInstallationArgument(profile);
}

OUString toUno(const std::string& text) {
    return rtl::OStringToOUString(rtl::OString(text.c_str(), text.size()), RTL_TEXTENCODING_UTF8);
}

uno::Sequence<beans::PropertyValue> hiddenLoadArguments(bool readOnly) {
    constexpr sal_Int16 NeverExecute = 0; // MacroExecutionMode
    constexpr sal_Int16 NoUpdate = 0;     // UpdateDocMode
    uno::Sequence<beans::PropertyValue> load(4);
    load.getArray()[0] = property("Hidden", true);
    load.getArray()[1] = property("ReadOnly", readOnly);
    load.getArray()[2] = property("MacroExecutionMode", NeverExecute);
    load.getArray()[3] = property("UpdateDocMode", NoUpdate);
    return load;
}

OUString fileUrl(const std::string& hostPath) {
    OUString url;
    osl::FileBase::getFileURLFromSystemPath(toUno(std::filesystem::absolute(hostPath).string()),
                                            url);
    return url;
}

uno::Reference<frame::XDesktop2> WarmOffice::Connection::running() {
    const JobTimer timer(timeLimit, instanceArgument());
    try {
        auto desktop = connect(pipe);
        if (!timer.expired()) {
            return desktop;
        }
    } catch (const Failure&) {
        if (!timer.expired()) {
            throw;
        }
    }
    throw Failure(failure::AutomationError,
                  "LibreOffice did not answer within " + std::to_string(timeLimit.count() / 1000) +
                      " seconds and was ended",
                  Source);
}

uno::Reference<frame::XDesktop2> WarmOffice::Connection::connectOrStart() {
    try {
        if (auto desktop = running(); desktop.is()) {
            return desktop;
        }
    } catch (const Failure&) {
        // An instance that did not answer has been ended: a new one takes
        // over, as when none runs.
    }
    const auto lock = lockFile(lockPath, true, Source);
    if (auto running = connect(pipe); running.is()) {
        return running;
    }
    return start();
}

uno::Reference<frame::XDesktop2> WarmOffice::Connection::start() {
    // What is left of an instance that no longer answers (killed and still
    // dying, or hung and ended) goes first: a new instance would hand its
    // work over to it and end.
    killProcessesWith(instanceArgument());
    std::error_code ignored;
    std::filesystem::create_directories(profile, ignored);
    const pid_t child =
        spawnOffice({program, userInstallationArgument(profile), "--headless", "--invisible",
                     "--norestore", "--accept=pipe,name=" + pipe + ";urp;"});
    if (child < 0) {
        throw Failure(failure::CannotCreateObject, Source);
    }
    const auto deadline = std::chrono::steady_clock::now() + StartTimeout;
    for (;;) {
        if (auto started = connect(pipe); started.is()) {
            // Reaps the instance when it ends while this process lives.
            std::thread([child] { ::waitpid(child, nullptr, 0); }).detach();
            return started;
        }
        if (hasEnded(child)) {
            throw Failure(failure::CannotCreateObject, Source);
        }
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(-child, SIGKILL);
            ::waitpid(child, nullptr, 0);
            throw Failure(failure::CannotCreateObject, Source);
        }
        std::this_thread::sleep_for(PollInterval);
    }
}

WarmOffice::WarmOffice(std::string home, std::string program, std::chrono::milliseconds timeLimit)
    : home_(std::move(home)), program_(std::move(program)), timeLimit_(timeLimit) {}

WarmOffice::~WarmOffice() = default;

WarmOffice::Connection& WarmOffice::connection() {
    if (!connection_) {
        const std::filesystem::path home(home_);
        createPrivateFolder(home_);
        connection_ =
            std::make_unique<Connection>(Connection{program_,
                                                    pipeName(home_),
                                                    (home / "libreoffice-warm").string(),
                                                    (home / "libreoffice-warm.lock").string(),
                                                    timeLimit_,
                                                    {}});
    }
    return *connection_;
}

void WarmOffice::convertToPdf(const std::string& hostSource, const std::string& hostPdf) {
    runDocumentJob(hostSource, hostPdf, exportPdf);
}

void WarmOffice::runDocumentJob(const std::string& hostSource, const std::string& hostTarget,
                                const DocumentJob& job) {
    if (::access(hostSource.c_str(), F_OK) != 0) {
        throw failureFromErrno(errno, hostSource, Source);
    }
    Connection& office = connection();
    TempFile partial(hostTarget, Source);
    const JobTimer timer(timeLimit_, office.instanceArgument());
    try {
        // A desktop kept from an earlier job may belong to an instance that
        // has ended since: the job then gets a second try on a fresh one.
        for (bool kept = office.desktop.is();; kept = false) {
            try {
                if (!office.desktop.is()) {
                    office.desktop = office.connectOrStart();
                }
                job(office.desktop, fileUrl(hostSource), fileUrl(partial.path()));
                break;
            } catch (const lang::DisposedException&) {
                office.desktop.clear();
                if (!kept || timer.expired()) {
                    throw Failure(failure::AutomationError, Source);
                }
            } catch (const lang::IllegalArgumentException&) {
                throw Failure(failure::PathFileAccessError, Source);
            } catch (const io::IOException&) {
                throw Failure(failure::PathFileAccessError, Source);
            } catch (const uno::Exception&) {
                office.desktop.clear();
                throw Failure(failure::AutomationError, Source);
            }
        }
        partial.keep();
    } catch (...) {
        if (timer.expired()) {
            office.desktop.clear();
            throw Failure(failure::AutomationError,
                          "LibreOffice did not finish converting " +
                              std::filesystem::path(hostSource).filename().string() + " within " +
                              std::to_string(timeLimit_.count() / 1000) + " seconds",
                          Source);
        }
        throw;
    }
}

void WarmOffice::endInstance() {
    Connection& office = connection();
    office.desktop.clear();
    // No one starts the instance while it ends.
    const auto lock = lockFile(office.lockPath, true, Source);
    auto desktop = connect(office.pipe);
    if (!desktop.is()) {
        return;
    }
    try {
        desktop->terminate();
    } catch (const uno::Exception&) {
        // The bridge goes down with the instance as it ends.
    }
    desktop.clear();
    const auto deadline = std::chrono::steady_clock::now() + EndTimeout;
    while (!processesWith(userInstallationArgument(office.profile)).empty() &&
           std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(PollInterval);
    }
}

} // namespace lexi::posix
