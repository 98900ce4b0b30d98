// fake_outlook.dll: the double of Outlook.Application. What the user does in
// the mail windows comes from LEXITRAY_FAKE_OUTLOOK_USER: words ("send",
// "close") separated by spaces.

#include "platform/text.h"
#include "platform/win32/fake/fake_outlook.h"
#include "platform/win32/fake/fake_server.h"
#include "platform/win32/wide_text.h"

#include <cstdlib>

namespace lexi::fakecom {

AutomationValue newServedApplication() {
    static const auto mailbox = [] {
        auto made = std::make_shared<FakeMailbox>();
        const wchar_t* user = _wgetenv(L"LEXITRAY_FAKE_OUTLOOK_USER");
        const std::string actions = user ? win32::fromWide(user) : std::string();
        for (std::string_view action : text::split(actions, " ")) {
            if (!action.empty()) {
                made->userActions.emplace_back(action);
            }
        }
        return made;
    }();
    return newFakeOutlook(mailbox);
}

} // namespace lexi::fakecom
