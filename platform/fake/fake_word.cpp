#include "platform/fake/fake_word.h"

#include "platform/failure.h"

namespace lexi::fake {
namespace {

class FakeDocument final : public WordDocument {
public:
    FakeDocument(FakeWord& word, FileSystem& files, std::string fileName)
        : word_(word), files_(files), fileName_(std::move(fileName)) {}

    void printOut(bool) override { word_.call("printOut " + word_.activePrinter); }
    void setSaved(bool saved) override { word_.call(saved ? "saved" : "unsaved"); }
    void setReadOnlyRecommended(bool recommended) override {
        word_.call(recommended ? "readOnlyRecommended" : "notReadOnlyRecommended");
    }
    void saveAs(std::string_view fileName) override {
        word_.call("saveAs " + std::string(fileName));
        files_.copyFile(fileName_, fileName, true);
        fileName_ = fileName;
    }
    void close(bool saveChanges) override { word_.call(saveChanges ? "close saving" : "close"); }
    std::string mailMergeDataSource() override { return word_.mailMergeDataSource; }

private:
    FakeWord& word_;
    FileSystem& files_;
    std::string fileName_;
};

class FakeApplication final : public WordApplication {
public:
    FakeApplication(FakeWord& word, FileSystem& files) : word_(word), files_(files) {}

    std::string activePrinter() override { return word_.activePrinter; }
    void setActivePrinter(std::string_view printer) override { word_.activePrinter = printer; }
    void setVisible(bool visible) override { word_.call(visible ? "visible" : "invisible"); }
    std::unique_ptr<WordDocument> open(std::string_view fileName, bool, bool readOnly,
                                       bool) override {
        word_.call("open " + std::string(fileName) + (readOnly ? " readOnly" : ""));
        if (!files_.exists(fileName)) {
            throw Failure(failure::FileNotFound, "FakeWord");
        }
        return std::make_unique<FakeDocument>(word_, files_, std::string(fileName));
    }
    void quit() override { word_.call("quit"); }

private:
    FakeWord& word_;
    FileSystem& files_;
};

} // namespace

void FakeWord::call(std::string text) {
    calls.push_back(text);
    if (onCall) {
        onCall(text);
    }
    int& failing = failures[text.substr(0, text.find(' '))];
    if (failing > 0) {
        --failing;
        throw Failure(failure::AutomationError, "FakeWord");
    }
}

std::unique_ptr<WordApplication> FakeWord::running() {
    return isRunning ? std::make_unique<FakeApplication>(*this, files_) : nullptr;
}

std::unique_ptr<WordApplication> FakeWord::start() {
    isRunning = true;
    return std::make_unique<FakeApplication>(*this, files_);
}

} // namespace lexi::fake
