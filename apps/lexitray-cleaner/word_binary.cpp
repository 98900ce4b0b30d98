#include "apps/lexitray-cleaner/word_binary.h"

#include "apps/lexitray-cleaner/document_cleaning.h"
#include "platform/failure.h"
#include "platform/posix/libreoffice/cold_office.h"
#include "platform/posix/libreoffice/uno_office.h"

#include <cerrno>
#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/beans/XPropertyContainer.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/document/XDocumentProperties.hpp>
#include <com/sun/star/document/XDocumentPropertiesSupplier.hpp>
#include <com/sun/star/document/XRedlinesSupplier.hpp>
#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/lang/XServiceInfo.hpp>
#include <com/sun/star/text/XTextFieldsSupplier.hpp>
#include <com/sun/star/text/XTextSection.hpp>
#include <com/sun/star/text/XTextSectionsSupplier.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <cstdlib>
#include <filesystem>
#include <vector>

namespace lexi {

using namespace com::sun::star;
using rtl::OUString;

namespace {

constexpr const char* Source = "WordBinary";

using posix::property;

// Closes the loaded document however the job ends.
class LoadedDocument {
public:
    explicit LoadedDocument(uno::Reference<lang::XComponent> document)
        : document_(std::move(document)) {
        if (!document_.is()) {
            throw Failure(failure::PathFileAccessError, Source);
        }
    }
    ~LoadedDocument() {
        try {
            uno::Reference<util::XCloseable>(document_, uno::UNO_QUERY_THROW)->close(true);
        } catch (const uno::Exception&) {
            // An instance gone leaves nothing to close.
        }
    }
    LoadedDocument(const LoadedDocument&) = delete;
    LoadedDocument& operator=(const LoadedDocument&) = delete;

    template <typename Interface> uno::Reference<Interface> as() const {
        return uno::Reference<Interface>(document_, uno::UNO_QUERY_THROW);
    }

private:
    uno::Reference<lang::XComponent> document_;
};

// The document's tracked changes are accepted already; one left means the
// copy is not clean.
void checkNoChanges(const LoadedDocument& document) {
    document.as<beans::XPropertySet>()->setPropertyValue("RecordChanges", uno::Any(false));
    if (document.as<document::XRedlinesSupplier>()->getRedlines()->hasElements()) {
        throw Failure(failure::AutomationError, "The tracked changes could not be accepted",
                      Source);
    }
}

// Removes the comments and the fields that hide text.
void removeFields(const LoadedDocument& document) {
    static const char* const Removed[] = {
        "com.sun.star.text.textfield.Annotation",
        "com.sun.star.text.textfield.HiddenText",
        "com.sun.star.text.textfield.HiddenParagraph",
    };
    std::vector<uno::Reference<lang::XComponent>> found;
    const auto fields =
        document.as<text::XTextFieldsSupplier>()->getTextFields()->createEnumeration();
    while (fields->hasMoreElements()) {
        const uno::Reference<lang::XServiceInfo> field(fields->nextElement(), uno::UNO_QUERY_THROW);
        for (const char* service : Removed) {
            if (field->supportsService(OUString::createFromAscii(service))) {
                found.emplace_back(field, uno::UNO_QUERY_THROW);
                break;
            }
        }
    }
    for (const auto& field : found) {
        field->dispose();
    }
}

// Removes the hidden sections with their text.
void removeHiddenSections(const LoadedDocument& document) {
    const auto sections = document.as<text::XTextSectionsSupplier>()->getTextSections();
    for (const OUString& name : sections->getElementNames()) {
        const uno::Reference<text::XTextSection> section(sections->getByName(name),
                                                         uno::UNO_QUERY_THROW);
        bool visible = true;
        uno::Reference<beans::XPropertySet>(section, uno::UNO_QUERY_THROW)
            ->getPropertyValue("IsVisible") >>= visible;
        if (!visible) {
            section->getAnchor()->setString("");
            uno::Reference<lang::XComponent>(section, uno::UNO_QUERY_THROW)->dispose();
        }
    }
}

// Empties the document properties: people, dates of use, descriptions, the
// template, and every property of the user's own.
void removeProperties(const LoadedDocument& document) {
    const auto properties =
        document.as<document::XDocumentPropertiesSupplier>()->getDocumentProperties();
    properties->resetUserData("");
    properties->setTitle("");
    properties->setSubject("");
    properties->setDescription("");
    properties->setKeywords({});
    properties->setTemplateName("");
    properties->setTemplateURL("");
    properties->setAutoloadURL("");
    properties->setDefaultTarget("");
    properties->setGenerator("");
    const auto custom = properties->getUserDefinedProperties();
    const uno::Reference<beans::XPropertySet> customSet(custom, uno::UNO_QUERY_THROW);
    for (const beans::Property& each : customSet->getPropertySetInfo()->getProperties()) {
        custom->removeProperty(each.Name);
    }
}

void saveCleaned(const uno::Reference<frame::XDesktop2>& desktop, const OUString& sourceUrl,
                 const OUString& targetUrl) {
    const LoadedDocument document(
        desktop->loadComponentFromURL(sourceUrl, "_blank", 0, posix::hiddenLoadArguments(false)));
    checkNoChanges(document);
    removeFields(document);
    removeHiddenSections(document);
    removeProperties(document);
    uno::Sequence<beans::PropertyValue> store(2);
    store.getArray()[0] = property("FilterName", OUString("MS Word 97"));
    store.getArray()[1] = property("Overwrite", true);
    document.as<frame::XStorable>()->storeToURL(targetUrl, store);
}

} // namespace

void cleanWordBinary(posix::ColdOffice& converter, posix::WarmOffice& office,
                     const std::string& hostSource, const std::string& hostTarget) {
    std::string folder =
        (std::filesystem::temp_directory_path() / "lexitray-clean-XXXXXX").string();
    if (!::mkdtemp(folder.data())) {
        throw failureFromErrno(errno, folder, Source);
    }
    const struct RemoveFolder {
        std::string path;
        ~RemoveFolder() {
            std::error_code ignored;
            std::filesystem::remove_all(path, ignored);
        }
    } removeFolder{folder};
    converter.convertTo(hostSource, folder + "/document.docx", "docx");
    cleanPackage(CleanableFormat::OfficeOpenXml, folder + "/document.docx",
                 folder + "/cleaned.docx");
    office.runDocumentJob(folder + "/cleaned.docx", hostTarget, saveCleaned);
}

} // namespace lexi
