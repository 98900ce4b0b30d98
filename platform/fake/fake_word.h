#pragma once

#include "platform/filesystem.h"
#include "platform/word.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace lexi::fake {

// Word for tests, over a file system: opening needs the file there (53
// otherwise), saving under another name copies the opened file's bytes. Each
// call on an application or document is recorded in `calls` as one text
// ("open C:\a.doc readOnly", "saveAs C:\a.doc_", "close", "printOut Printer").
// Failures are scripted per member: the first so many calls of it fail as
// Word's automation errors (440) do, each still recorded.
class FakeWord final : public WordConnector {
public:
    explicit FakeWord(FileSystem& files) : files_(files) {}

    // Null unless `isRunning`.
    std::unique_ptr<WordApplication> running() override;
    std::unique_ptr<WordApplication> start() override;

    bool isRunning = false;
    std::string activePrinter = "Printer";
    // What every opened document answers for its mail merge data source.
    std::string mailMergeDataSource;
    std::vector<std::string> calls;
    // How many of the next calls of a member fail, by the member's first word
    // in `calls` ("open", "printOut", "saved", "close").
    std::map<std::string, int> failures;
    // Called with each call's text once it is recorded (a test's stand-in
    // for what takes time or happens beside Word).
    std::function<void(const std::string&)> onCall;

    // Records a call and throws when its member is to fail.
    void call(std::string text);

private:
    FileSystem& files_;
};

} // namespace lexi::fake
