#pragma once

#include "platform/filesystem.h"
#include "platform/word.h"

#include <string>
#include <vector>

namespace lexi::fake {

// Word for tests, over a file system: opening needs the file there (53
// otherwise), saving under another name copies the opened file's bytes. Each
// call on an application or document is recorded in `calls` as one text
// ("open C:\a.doc readOnly", "saveAs C:\a.doc_", "close", "printOut").
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

private:
    FileSystem& files_;
};

} // namespace lexi::fake
