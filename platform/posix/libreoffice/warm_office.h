#pragma once

#include "platform/posix/libreoffice/office_converter.h"

#include <chrono>
#include <functional>
#include <memory>
#include <string>

namespace com::sun::star {
namespace frame {
class XDesktop2;
}
namespace uno {
template <class interface_type> class Reference;
}
} // namespace com::sun::star
namespace rtl {
class OUString;
}

namespace lexi::posix {

// The user's LibreOffice kept running between jobs, as Word stays running on
// the workstation, and steered through its automation interface (UNO). The
// first job starts it (headless, with a user installation of its own in the
// home, listening on a pipe named after the home) and leaves it running;
// later jobs, from this process or from others, use the same instance. A lock
// in the home makes two processes that start it at once end with one
// instance. Each document is loaded hidden, without running its macros or
// updating its links, stored as PDF with the export filter of its kind and
// closed again. A job that outlasts its time limit ends the instance, which
// has stopped answering: the job fails, and the next one starts a fresh
// instance.
class WarmOffice final : public OfficeConverter {
public:
    static constexpr std::chrono::milliseconds DefaultTimeLimit{100'000};

    // `home` is the user's Lexitray home; `program` starts LibreOffice (found
    // on PATH when it holds no slash); `timeLimit` bounds a job, the start of
    // the instance included.
    explicit WarmOffice(std::string home, std::string program = "soffice",
                        std::chrono::milliseconds timeLimit = DefaultTimeLimit);
    ~WarmOffice() override;
    WarmOffice(const WarmOffice&) = delete;
    WarmOffice& operator=(const WarmOffice&) = delete;

    // Failures: CannotCreateObject when no instance can be started or
    // reached, FileNotFound or PathNotFound for a missing document,
    // PathFileAccessError when LibreOffice cannot read the document or write
    // the PDF, AutomationError when the instance fails during the job or
    // does not finish it within the time limit. The
    // PDF is written beside `hostPdf` and renamed into place.
    void convertToPdf(const std::string& hostSource, const std::string& hostPdf) override;

    // A job of the caller's on one document: it is given the instance's
    // desktop, the file URL of `hostSource` and the URL of the file it is to
    // write, beside `hostTarget`, which is renamed into place once the job has
    // returned. A job throws lexi::Failure or UNO's exceptions; the failures
    // are those of convertToPdf, and a job that fails leaves no file behind.
    using DocumentJob = std::function<void(
        const com::sun::star::uno::Reference<com::sun::star::frame::XDesktop2>& desktop,
        const rtl::OUString& sourceUrl, const rtl::OUString& targetUrl)>;
    void runDocumentJob(const std::string& hostSource, const std::string& hostTarget,
                        const DocumentJob& job);

    // Ends the home's instance, when one runs, and returns once it is gone.
    void endInstance();

    // The instance's connection, for this library's other users of the
    // instance (Word's members); defined in uno_office.h.
    struct Connection;
    Connection& connection();

private:
    std::string home_;
    std::string program_;
    std::chrono::milliseconds timeLimit_;
    std::unique_ptr<Connection> connection_;
};

} // namespace lexi::posix
