#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace lexi {

// Word's object model, as far as the document features drive it. Every
// member throws lexi::Failure as an automation error would.
class WordDocument {
public:
    virtual ~WordDocument() = default;

    virtual void printOut(bool background) = 0;
    virtual void setSaved(bool saved) = 0;
    virtual void setReadOnlyRecommended(bool recommended) = 0;
    virtual void saveAs(std::string_view fileName) = 0;
    virtual void close(bool saveChanges) = 0;
    // The data source of the document's mail merge, empty when it has none.
    virtual std::string mailMergeDataSource() = 0;
};

class WordApplication {
public:
    virtual ~WordApplication() = default;

    virtual std::string activePrinter() = 0;
    virtual void setActivePrinter(std::string_view printer) = 0;
    virtual void setVisible(bool visible) = 0;
    // Documents.Open; null when Word returned no document.
    virtual std::unique_ptr<WordDocument> open(std::string_view fileName, bool confirmConversions,
                                               bool readOnly, bool addToRecentFiles) = 0;
    virtual void quit() = 0;
};

// Attaching to the running Word or starting a new one.
class WordConnector {
public:
    virtual ~WordConnector() = default;

    // The running instance; null when Word is not running.
    virtual std::unique_ptr<WordApplication> running() = 0;
    // A new instance.
    virtual std::unique_ptr<WordApplication> start() = 0;
};

} // namespace lexi
