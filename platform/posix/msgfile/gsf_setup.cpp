#include "platform/posix/msgfile/gsf_setup.h"

#include <gsf/gsf.h>
#include <mutex>

namespace lexi::msgfile {
namespace {

void ignoreMessage(const gchar*, GLogLevelFlags, const gchar*, gpointer) {}

} // namespace

void setUpGsf() {
    static std::once_flag once;
    std::call_once(once, [] {
        gsf_init();
        const auto levels =
            static_cast<GLogLevelFlags>(G_LOG_LEVEL_CRITICAL | G_LOG_LEVEL_WARNING |
                                        G_LOG_LEVEL_MESSAGE | G_LOG_LEVEL_INFO | G_LOG_LEVEL_DEBUG);
        g_log_set_handler("libgsf:msole", levels, ignoreMessage, nullptr);
    });
}

} // namespace lexi::msgfile
