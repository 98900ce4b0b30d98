#include "platform/posix/msgfile/gsf_setup.h"

#include <gsf/gsf.h>
#include <mutex>

namespace lexi::msgfile {
namespace {

thread_local unsigned failedChecks = 0;

// libgsf reports a failed check of its input as a critical message, and a
// directory entry that fails one is left out of the file without an error.
void countFailedChecks(const gchar*, GLogLevelFlags level, const gchar*, gpointer) {
    if ((level & G_LOG_LEVEL_CRITICAL) != 0) {
        ++failedChecks;
    }
}

} // namespace

void setUpGsf() {
    static std::once_flag once;
    std::call_once(once, [] {
        gsf_init();
        const auto levels =
            static_cast<GLogLevelFlags>(G_LOG_LEVEL_CRITICAL | G_LOG_LEVEL_WARNING |
                                        G_LOG_LEVEL_MESSAGE | G_LOG_LEVEL_INFO | G_LOG_LEVEL_DEBUG);
        g_log_set_handler("libgsf:msole", levels, countFailedChecks, nullptr);
    });
}

unsigned gsfFailedChecks() {
    return failedChecks;
}

} // namespace lexi::msgfile
