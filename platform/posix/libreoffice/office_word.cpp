#include "platform/posix/libreoffice/office_word.h"

#include "platform/failure.h"
#include "platform/posix/libreoffice/merge_data_source.h"
#include "platform/posix/libreoffice/uno_office.h"
#include "platform/posix/temp_file.h"
#include "platform/text.h"

#include <cerrno>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/io/IOException.hpp>
#include <com/sun/star/lang/DisposedException.hpp>
#include <com/sun/star/lang/IllegalArgumentException.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <com/sun/star/util/XModifiable.hpp>
#include <unistd.h>

namespace lexi::posix {

using namespace com::sun::star;
using rtl::OUString;

namespace {

constexpr const char* Source = "Word.Application";

// Runs a UNO call within the instance's time limit, turning what LibreOffice
// throws into Word's failures. An instance that does not answer in time is
// ended, as it would hang the program with it.
template <typename Call> auto automation(WarmOffice::Connection& office, Call call) {
    const JobTimer timer(office.timeLimit, office.instanceArgument());
    try {
        return call();
    } catch (const uno::Exception&) {
        if (timer.expired()) {
            throw Failure(failure::AutomationError, "LibreOffice did not answer in time", Source);
        }
        try {
            throw;
        } catch (const lang::IllegalArgumentException&) {
            throw Failure(failure::PathFileAccessError, Source);
        } catch (const io::IOException&) {
            throw Failure(failure::PathFileAccessError, Source);
        } catch (const uno::Exception&) {
            throw Failure(failure::AutomationError, Source);
        }
    }
}

std::string hostPath(const DriveTable& drives, std::string_view fileName) {
    const auto host = drives.toHost(fileName);
    if (!host) {
        throw Failure(failure::PathNotFound, Source);
    }
    return *host;
}

Failure unsupported(const char* member) {
    return Failure(failure::UnsupportedMember,
                   std::string(member) + " is not available with LibreOffice", Source);
}

// Word's text for a printer: its name, " on " and its port, or the name alone.
std::string wordPrinterText(Printers& printers, const std::string& name) {
    const std::string port = printers.port(name);
    return port.empty() ? name : name + " on " + port;
}

// The printers' name of a printer as Word names it, with its port or without.
std::string printerName(Printers& printers, std::string_view text) {
    constexpr std::string_view On = " on ";
    const std::size_t on = text.rfind(On);
    if (on != std::string_view::npos) {
        const std::string name(text.substr(0, on));
        const std::string port = printers.port(name);
        if (!port.empty() && text::equalsIgnoreCase(port, text.substr(on + On.size()))) {
            return name;
        }
    }
    return std::string(text);
}

// The printer in force: the one set as active, else the default printer.
std::string printerInForce(Printers& printers, const std::string& activePrinter) {
    return activePrinter.empty() ? printers.defaultPrinter() : activePrinter;
}

class OfficeDocument final : public WordDocument {
public:
    OfficeDocument(WarmOffice::Connection& office, const DriveTable& drives, Printers& printers,
                   const std::string& activePrinter, uno::Reference<frame::XModel> model,
                   std::string hostPath)
        : office_(office), drives_(drives), printers_(printers), activePrinter_(activePrinter),
          model_(std::move(model)), hostPath_(std::move(hostPath)) {}
    ~OfficeDocument() override {
        try {
            closeModel();
        } catch (const Failure&) {
            // An instance gone has closed the document with it.
        }
    }
    OfficeDocument(const OfficeDocument&) = delete;
    OfficeDocument& operator=(const OfficeDocument&) = delete;

    // The printer has the job when this returns, printing in the background
    // or not: the PDF writer's driver writes the PDF on its own.
    void printOut(bool) override {
        model();
        const std::string printer = printerInForce(printers_, activePrinter_);
        const int answer = printers_.print(drives_.toWindows(hostPath_), printer);
        if (answer == 2) {
            throw Failure(failure::FileNotFound, Source);
        }
        if (answer == 3) {
            throw Failure(failure::PathNotFound, Source);
        }
        if (answer <= 32) {
            throw Failure(failure::AutomationError,
                          "The printer " + printer + " did not take the print job", Source);
        }
    }
    void setSaved(bool saved) override {
        automation(office_, [&] { modifiable()->setModified(!saved); });
    }

    // Word's read-only recommendation is the document setting that opens it
    // read-only, which the Word filters write as that recommendation.
    void setReadOnlyRecommended(bool recommended) override {
        automation(office_, [&] {
            const uno::Reference<beans::XPropertySet> settings(
                uno::Reference<lang::XMultiServiceFactory>(model(), uno::UNO_QUERY_THROW)
                    ->createInstance("com.sun.star.document.Settings"),
                uno::UNO_QUERY_THROW);
            if (settings->getPropertySetInfo()->hasPropertyByName("LoadReadonly")) {
                settings->setPropertyValue("LoadReadonly", uno::Any(recommended));
            } else if (recommended) {
                throw unsupported("ReadOnlyRecommended");
            }
        });
    }

    // In the document's own format, written beside the file and renamed
    // into place; the document is that file from then on.
    void saveAs(std::string_view fileName) override {
        const std::string target = hostPath(drives_, fileName);
        store(target);
        hostPath_ = target;
    }

    void close(bool saveChanges) override {
        if (saveChanges && automation(office_, [&] { return modifiable()->isModified(); })) {
            store(hostPath_);
        }
        closeModel();
    }

    std::string mailMergeDataSource() override {
        model();
        return mergeDataSource(hostPath_);
    }

private:
    const uno::Reference<frame::XModel>& model() const {
        if (!model_.is()) {
            throw Failure(failure::ObjectNotSet, Source);
        }
        return model_;
    }
    uno::Reference<util::XModifiable> modifiable() const {
        return uno::Reference<util::XModifiable>(model(), uno::UNO_QUERY_THROW);
    }

    void store(const std::string& target) {
        TempFile partial(target, Source);
        automation(office_, [&] {
            OUString filter;
            for (const beans::PropertyValue& argument : model()->getArgs()) {
                if (argument.Name == "FilterName") {
                    argument.Value >>= filter;
                }
            }
            uno::Sequence<beans::PropertyValue> arguments(2);
            arguments.getArray()[0] = property("FilterName", filter);
            arguments.getArray()[1] = property("Overwrite", true);
            uno::Reference<frame::XStorable>(model(), uno::UNO_QUERY_THROW)
                ->storeToURL(fileUrl(partial.path()), arguments);
        });
        partial.keep();
    }

    void closeModel() {
        if (!model_.is()) {
            return;
        }
        const auto closing = std::move(model_);
        automation(office_, [&] {
            const uno::Reference<util::XCloseable> closeable(closing, uno::UNO_QUERY);
            closeable.is() ? closeable->close(true) : closing->dispose();
        });
    }

    WarmOffice::Connection& office_;
    const DriveTable& drives_;
    Printers& printers_;
    const std::string& activePrinter_;
    uno::Reference<frame::XModel> model_;
    std::string hostPath_;
};

class OfficeApplication final : public WordApplication {
public:
    OfficeApplication(WarmOffice::Connection& office, const DriveTable& drives, Printers& printers,
                      std::string& activePrinter, uno::Reference<frame::XDesktop2> desktop)
        : office_(office), drives_(drives), printers_(printers), activePrinter_(activePrinter),
          desktop_(std::move(desktop)) {}

    std::string activePrinter() override {
        return wordPrinterText(printers_, printerInForce(printers_, activePrinter_));
    }
    void setActivePrinter(std::string_view printer) override {
        activePrinter_ = printerName(printers_, printer);
    }
    // The instance shows no window either way.
    void setVisible(bool) override {}

    std::unique_ptr<WordDocument> open(std::string_view fileName, bool, bool readOnly,
                                       bool) override {
        const std::string host = hostPath(drives_, fileName);
        if (::access(host.c_str(), readOnly ? R_OK : R_OK | W_OK) != 0) {
            throw failureFromErrno(errno, host, Source);
        }
        const uno::Reference<frame::XModel> model(load(host, readOnly), uno::UNO_QUERY);
        if (!model.is()) {
            throw Failure(failure::PathFileAccessError, Source);
        }
        auto document = std::make_unique<OfficeDocument>(office_, drives_, printers_,
                                                         activePrinter_, model, host);
        // LibreOffice opens a document that another holds read-only rather
        // than failing, where writing was asked for.
        if (!readOnly && automation(office_, [&] {
                return uno::Reference<frame::XStorable>(model, uno::UNO_QUERY_THROW)->isReadonly();
            })) {
            throw Failure(failure::PermissionDenied, Source);
        }
        return document;
    }

    // The instance serves the PDF writer driver and other programs as well.
    void quit() override {}

private:
    // Loads the document hidden. An instance gone since it was attached
    // (ended, or killed) is replaced by a new one, as Word's next use would
    // start one; starting it is no part of the call's time limit.
    uno::Reference<lang::XComponent> load(const std::string& host, bool readOnly) {
        const auto arguments = hiddenLoadArguments(readOnly);
        bool gone = false;
        const auto loadHidden = [&] {
            try {
                return desktop_->loadComponentFromURL(fileUrl(host), "_blank", 0, arguments);
            } catch (const lang::DisposedException&) {
                gone = true;
                return uno::Reference<lang::XComponent>();
            }
        };
        auto document = automation(office_, loadHidden);
        if (gone) {
            desktop_ = office_.connectOrStart();
            document = automation(office_, loadHidden);
        }
        return document;
    }

    WarmOffice::Connection& office_;
    const DriveTable& drives_;
    Printers& printers_;
    std::string& activePrinter_;
    uno::Reference<frame::XDesktop2> desktop_;
};

} // namespace

OfficeWord::OfficeWord(const DriveTable& drives, Printers& printers, std::string home,
                       std::string program, std::chrono::milliseconds timeLimit)
    : drives_(drives), printers_(printers),
      office_(std::move(home), std::move(program), timeLimit) {}

std::unique_ptr<WordApplication> OfficeWord::running() {
    WarmOffice::Connection& office = office_.connection();
    auto desktop = office.running();
    return desktop.is() ? std::make_unique<OfficeApplication>(office, drives_, printers_,
                                                              activePrinter_, desktop)
                        : nullptr;
}

std::unique_ptr<WordApplication> OfficeWord::start() {
    WarmOffice::Connection& office = office_.connection();
    return std::make_unique<OfficeApplication>(office, drives_, printers_, activePrinter_,
                                               office.connectOrStart());
}

} // namespace lexi::posix
