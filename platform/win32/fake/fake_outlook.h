#pragma once

#include "platform/win32/fake/fake_dispatch.h"

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

// A test double of Outlook.Application: the members the program calls,
// through IDispatch only, over items held in memory. Its message files are
// its own plain text, not Outlook's format: the subject on the first line,
// the body after it, then each attachment as a line
// "[Attachment <name>, <size> bytes]" followed by its bytes.
namespace lexi::fakecom {

struct FakeItemData;
using FakeItemPtr = std::shared_ptr<FakeItemData>;

// What the double holds and what its user does.
struct FakeMailbox {
    std::map<int, std::vector<FakeItemPtr>> folders; // by default folder number
    // What the user does in a mail window, one word a press: "send" or
    // "close". A window with nothing left to do is closed.
    std::deque<std::string> userActions;
    // The folder the user picks; 0 cancels.
    int pickedFolder = 0;
    std::string currentUser = "Test Bruger";
    int lastEntryId = 0;
};

// The application object over a mailbox. The mailbox's default folders are
// made when they are missing.
AutomationValue newFakeOutlook(std::shared_ptr<FakeMailbox> mailbox);

} // namespace lexi::fakecom
