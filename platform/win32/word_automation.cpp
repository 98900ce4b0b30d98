#include "platform/win32/word_automation.h"

#include <utility>

namespace lexi::win32 {
namespace {

constexpr const char* ProgrammaticName = "Word.Application";
// The mail-merge type of a document that is no main document of a merge.
constexpr int NotAMergeDocument = -1;

// Optional arguments are passed in the order the members list them; those
// after the last one given are left out.
class AutomationWordDocument final : public WordDocument {
public:
    explicit AutomationWordDocument(DispatchObject document) : document_(std::move(document)) {}

    void printOut(bool background) override { document_.call("PrintOut", background); }
    void setSaved(bool saved) override { document_.put("Saved", saved); }
    void setReadOnlyRecommended(bool recommended) override {
        document_.put("ReadOnlyRecommended", recommended);
    }
    // In the format the document has, whatever format Word is set to save
    // in by default.
    void saveAs(std::string_view fileName) override {
        document_.call("SaveAs", fileName, document_.get("SaveFormat"));
    }
    void close(bool saveChanges) override { document_.call("Close", saveChanges); }
    std::string mailMergeDataSource() override {
        const DispatchObject merge = document_.object("MailMerge");
        if (merge.get("MainDocumentType").number() == NotAMergeDocument) {
            return {};
        }
        return merge.object("DataSource").get("Name").text();
    }

private:
    DispatchObject document_;
};

class AutomationWordApplication final : public WordApplication {
public:
    explicit AutomationWordApplication(DispatchObject application)
        : application_(std::move(application)) {}

    std::string activePrinter() override { return application_.get("ActivePrinter").text(); }
    void setActivePrinter(std::string_view printer) override {
        application_.put("ActivePrinter", printer);
    }
    void setVisible(bool visible) override { application_.put("Visible", visible); }
    std::unique_ptr<WordDocument> open(std::string_view fileName, bool confirmConversions,
                                       bool readOnly, bool addToRecentFiles) override {
        DispatchObject document =
            application_.object("Documents")
                .call("Open", fileName, confirmConversions, readOnly, addToRecentFiles)
                .object();
        if (!document) {
            return nullptr;
        }
        return std::make_unique<AutomationWordDocument>(std::move(document));
    }
    void quit() override { application_.call("Quit"); }

private:
    DispatchObject application_;
};

} // namespace

std::unique_ptr<WordApplication> wordOf(DispatchObject application) {
    return std::make_unique<AutomationWordApplication>(std::move(application));
}

std::unique_ptr<WordApplication> AutomationWordConnector::running() {
    DispatchObject found = DispatchObject::running(ProgrammaticName);
    return found ? wordOf(std::move(found)) : nullptr;
}

std::unique_ptr<WordApplication> AutomationWordConnector::start() {
    return wordOf(DispatchObject::create(ProgrammaticName));
}

} // namespace lexi::win32
