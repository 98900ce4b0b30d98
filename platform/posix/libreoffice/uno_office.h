#pragma once

// What the code that speaks to LibreOffice through UNO shares: this
// library's files and the hidden-data cleaner's. It needs the SDK's headers
// (lexi_uno_sdk), so nothing else includes it.

#include "platform/posix/libreoffice/warm_office.h"

#include <atomic>
#include <chrono>
#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/frame/XDesktop2.hpp>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

namespace lexi::posix {

// A UTF-8 text as UNO's text.
rtl::OUString toUno(const std::string& text);

// The file URL of a host path, made absolute.
rtl::OUString fileUrl(const std::string& hostPath);

// The arguments that load a document hidden, with its macros never run and
// its links not updated; for reading only when `readOnly`.
com::sun::star::uno::Sequence<com::sun::star::beans::PropertyValue>
hiddenLoadArguments(bool readOnly);

template <typename Value>
com::sun::star::beans::PropertyValue property(const char* name, const Value& value) {
    return com::sun::star::beans::PropertyValue(rtl::OUString::createFromAscii(name), 0,
                                                com::sun::star::uno::Any(value),
                                                com::sun::star::beans::PropertyState_DIRECT_VALUE);
}

// The home's instance: its pipe, its user installation, the lock that lets
// one process start it, the time limit of a call to it, and the desktop the
// PDF conversions keep.
struct WarmOffice::Connection {
    std::string program;
    std::string pipe;
    std::string profile;
    std::string lockPath;
    std::chrono::milliseconds timeLimit;
    com::sun::star::uno::Reference<com::sun::star::frame::XDesktop2> desktop;

    // The running instance's desktop; null when none runs. An instance that
    // takes the connection but does not answer within the time limit (hung,
    // stopped) is ended, and the call fails (AutomationError).
    com::sun::star::uno::Reference<com::sun::star::frame::XDesktop2> running();
    // The running instance's desktop; a new instance started when none runs,
    // or when the one running did not answer within the time limit and was
    // ended.
    com::sun::star::uno::Reference<com::sun::star::frame::XDesktop2> connectOrStart();
    // The argument that the instance's processes carry.
    std::string instanceArgument() const;

private:
    com::sun::star::uno::Reference<com::sun::star::frame::XDesktop2> start();
};

// Watches a job: when it outlasts its limit, kills the instance's processes
// (those with `instanceArgument`), so that the UNO call waiting for them
// fails and the job with it.
class JobTimer {
public:
    JobTimer(std::chrono::milliseconds limit, std::string instanceArgument);
    ~JobTimer();
    JobTimer(const JobTimer&) = delete;
    JobTimer& operator=(const JobTimer&) = delete;

    bool expired() const { return expired_; }

private:
    std::mutex mutex_;
    std::condition_variable finished_;
    bool done_ = false;
    std::atomic<bool> expired_ = false;
    std::thread thread_; // last: it starts once the members above are made
};

} // namespace lexi::posix
