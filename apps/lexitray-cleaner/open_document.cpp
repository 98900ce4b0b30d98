#include "apps/lexitray-cleaner/package_cleaning.h"
#include "apps/lexitray-cleaner/xml_tree.h"
#include "platform/failure.h"

#include <algorithm>
#include <set>
#include <string>
#include <string_view>

namespace lexi {
namespace {

constexpr const char* Source = "OpenDocument";
constexpr std::string_view OfficeNs = "urn:oasis:names:tc:opendocument:xmlns:office:1.0";
constexpr std::string_view TextNs = "urn:oasis:names:tc:opendocument:xmlns:text:1.0";
constexpr std::string_view TableNs = "urn:oasis:names:tc:opendocument:xmlns:table:1.0";
constexpr std::string_view StyleNs = "urn:oasis:names:tc:opendocument:xmlns:style:1.0";
constexpr std::string_view ConfigNs = "urn:oasis:names:tc:opendocument:xmlns:config:1.0";
constexpr std::string_view ManifestNs = "urn:oasis:names:tc:opendocument:xmlns:manifest:1.0";
// LibreOffice's own extensions: revision ids, and the comments of
// presentations.
constexpr std::string_view LibreOfficeNs = "http://openoffice.org/2009/office";
constexpr std::string_view Manifest = "META-INF/manifest.xml";

// The files that hold nothing but hidden data: the document properties, the
// stored versions, and the picture of the first page as it was before
// cleaning.
bool isDropped(std::string_view name) {
    return name == "meta.xml" || name == "VersionList.xml" || name.starts_with("Versions/") ||
           name.starts_with("Thumbnails/");
}

// Settings that name the people and machines the document went through.
const std::set<std::string_view> DroppedSettings = {"Rsid", "RsidRoot", "PrinterName",
                                                    "PrinterSetup"};

// The names of the styles whose text is hidden, among the styles under
// `styles` (office:styles or office:automatic-styles), with the styles that
// inherit from one of them.
void collectHiddenStyles(const xmlNode* styles, std::set<std::string>& hidden) {
    for (bool grew = true; grew;) {
        grew = false;
        for (const xmlNode* style = styles ? styles->children : nullptr; style;
             style = style->next) {
            if (!isElement(style, StyleNs, "style")) {
                continue;
            }
            const std::string name = attributeValue(style, StyleNs, "name");
            const bool hides = attributeValue(childElement(style, StyleNs, "text-properties"),
                                              TextNs, "display") == "none" ||
                               hidden.contains(attributeValue(style, StyleNs, "parent-style-name"));
            if (hides && hidden.insert(name).second) {
                grew = true;
            }
        }
    }
}

std::set<std::string> hiddenStyles(const XmlTree& part, const std::set<std::string>& common) {
    std::set<std::string> hidden = common;
    collectHiddenStyles(childElement(part.root(), OfficeNs, "styles"), hidden);
    collectHiddenStyles(childElement(part.root(), OfficeNs, "automatic-styles"), hidden);
    return hidden;
}

class PartRules {
public:
    explicit PartRules(std::set<std::string> hiddenStyles)
        : hiddenStyles_(std::move(hiddenStyles)) {}

    XmlAction operator()(xmlNode* node) const {
        removeAttributes(node, LibreOfficeNs, [](std::string_view name) {
            return name == "rsid" || name == "paragraph-rsid";
        });
        const std::string_view name = reinterpret_cast<const char*>(node->name);
        const std::string_view ns =
            node->ns ? reinterpret_cast<const char*>(node->ns->href) : std::string_view();
        if (ns == OfficeNs || ns == LibreOfficeNs) {
            return name == "annotation" || name == "annotation-end" ? XmlAction::Remove
                                                                    : XmlAction::Keep;
        }
        if (ns == TableNs) {
            return name == "tracked-changes" ? XmlAction::Remove : XmlAction::Keep;
        }
        if (ns == ConfigNs) {
            return name == "config-item" &&
                           DroppedSettings.contains(attributeValue(node, ConfigNs, "name"))
                       ? XmlAction::Remove
                       : XmlAction::Keep;
        }
        if (ns != TextNs) {
            return XmlAction::Keep;
        }
        // Accepting the changes: the region list goes, with the deleted text
        // in it, and so do the marks around the inserted text.
        if (name == "tracked-changes" || name == "change" || name == "change-start" ||
            name == "change-end" || name == "hidden-text" || name == "hidden-paragraph") {
            return XmlAction::Remove;
        }
        if (name == "section") {
            return attributeValue(node, TextNs, "display") == "none" ? XmlAction::Remove
                                                                     : XmlAction::Keep;
        }
        if (name == "span" || name == "p" || name == "h") {
            return hiddenStyles_.contains(attributeValue(node, TextNs, "style-name"))
                       ? XmlAction::Remove
                       : XmlAction::Keep;
        }
        return XmlAction::Keep;
    }

private:
    std::set<std::string> hiddenStyles_;
};

PackageEntry* findEntry(std::vector<PackageEntry>& entries, std::string_view name) {
    const auto found = std::find_if(entries.begin(), entries.end(),
                                    [&](const PackageEntry& entry) { return entry.name == name; });
    return found == entries.end() ? nullptr : &*found;
}

} // namespace

std::vector<PackageEntry> cleanOpenDocument(std::vector<PackageEntry> entries) {
    PackageEntry* manifest = findEntry(entries, Manifest);
    if (!manifest || !findEntry(entries, "mimetype")) {
        throw Failure(failure::PathFileAccessError, "The file is not an OpenDocument package",
                      Source);
    }
    // A file the manifest does not list is no part of the document, which
    // readers show; it goes, whatever it holds.
    std::set<std::string> listed = {"mimetype", std::string(Manifest)};
    const XmlTree manifestTree(manifest->data, manifest->name);
    for (xmlNode* file = manifestTree.root()->children; file;) {
        xmlNode* next = file->next;
        if (isElement(file, ManifestNs, "file-entry")) {
            const std::string path = attributeValue(file, ManifestNs, "full-path");
            if (isDropped(path)) {
                xmlUnlinkNode(file);
                xmlFreeNode(file);
            } else {
                listed.insert(path);
            }
        }
        file = next;
    }
    manifest->data = manifestTree.serialize();
    std::erase_if(entries, [&](const PackageEntry& entry) { return !listed.contains(entry.name); });
    // The package's type comes first, as readers look for it there.
    std::stable_partition(entries.begin(), entries.end(),
                          [](const PackageEntry& entry) { return entry.name == "mimetype"; });

    std::set<std::string> common;
    if (const PackageEntry* styles = findEntry(entries, "styles.xml")) {
        const XmlTree tree(styles->data, styles->name);
        collectHiddenStyles(childElement(tree.root(), OfficeNs, "styles"), common);
    }
    for (PackageEntry& entry : entries) {
        if (entry.name == "content.xml" || entry.name == "styles.xml" ||
            entry.name == "settings.xml") {
            const XmlTree tree(entry.data, entry.name);
            cleanChildren(tree.root(), PartRules(hiddenStyles(tree, common)));
            entry.data = tree.serialize();
        } else if (entry.name.ends_with(".xml") || entry.name.ends_with(".rdf")) {
            // Read and written again without its comments.
            entry.data = XmlTree(entry.data, entry.name).serialize();
        }
    }
    return entries;
}

} // namespace lexi
