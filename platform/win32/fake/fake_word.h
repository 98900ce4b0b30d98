#pragma once

#include "platform/win32/fake/fake_dispatch.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

// A test double of Word.Application: the members the program calls, through
// IDispatch only, over documents held in memory. It writes down every call
// with the arguments as they arrived.
namespace lexi::fakecom {

struct FakeWordFile {
    int saveFormat = 0;        // the document's own format, as Word numbers it
    int mainDocumentType = -1; // -1: no main document of a mail merge
    std::string dataSource;    // the merge's data source
    bool opens = true;         // false: Open gives Nothing
};

struct FakeWord {
    std::map<std::string, FakeWordFile> files; // by the path the program names
    // Whether a file `files` does not name opens as a plain document when it
    // exists on disk.
    bool opensFilesOnDisk = false;
    std::string activePrinter = "HP LaserJet on Ne00:";
    // What the printer does with a document printed on it, given the
    // printer's name; nothing when not set.
    std::function<void(const std::string& printer)> printer;
    // One line a call: the member and its arguments, "-" for one left out,
    // True and False for Booleans; a property set as Name=value.
    std::vector<std::string> calls;
};

// The application object over that state. Opening a file the state does not
// hold fails as an automation error.
AutomationValue newFakeWord(std::shared_ptr<FakeWord> word);

} // namespace lexi::fakecom
