#include "apps/lexitray-cleaner/package_cleaning.h"
#include "apps/lexitray-cleaner/xml_tree.h"
#include "platform/failure.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <deque>
#include <map>
#include <set>
#include <string>
#include <string_view>

namespace lexi {
namespace {

constexpr const char* Source = "OfficeOpenXml";
constexpr std::string_view RelationshipsNs =
    "http://schemas.openxmlformats.org/package/2006/relationships";
constexpr std::string_view ContentTypesNs =
    "http://schemas.openxmlformats.org/package/2006/content-types";
constexpr std::string_view WordNs = "http://schemas.openxmlformats.org/wordprocessingml/2006/main";
constexpr std::string_view VmlNs = "urn:schemas-microsoft-com:vml";
constexpr std::string_view ExcelVmlNs = "urn:schemas-microsoft-com:office:excel";
constexpr std::string_view ContentTypes = "[Content_Types].xml";
constexpr std::string_view RootRelationships = "_rels/.rels";

// Relationships (by the last segment of their type) to the parts that hold
// hidden data: properties, comments and their authors, the revision log of a
// workbook, the attached template, the picture of the first page as it was
// before cleaning, and the data of the document's custom XML (a client's
// record that fields are bound to, say).
const std::set<std::string_view> DroppedRelationships = {
    "core-properties",    "extended-properties",
    "custom-properties",  "comments",
    "commentsExtended",   "commentsIds",
    "commentsExtensible", "people",
    "threadedComment",    "person",
    "commentAuthors",     "authors",
    "revisionHeaders",    "usernames",
    "attachedTemplate",   "thumbnail",
    "customXml",          "customXmlProps",
};

// Word elements that go with everything in them: deleted and moved-away
// text, the records of formatting changes, comment anchors, revision ids,
// the template, document variables, the switch that records changes, and
// the custom XML's attributes and bindings to its data.
const std::set<std::string_view> RemovedWordElements = {
    "del",
    "moveFrom",
    "moveFromRangeStart",
    "moveFromRangeEnd",
    "moveToRangeStart",
    "moveToRangeEnd",
    "rPrChange",
    "pPrChange",
    "sectPrChange",
    "tblPrChange",
    "trPrChange",
    "tcPrChange",
    "tblGridChange",
    "numberingChange",
    "cellIns",
    "cellDel",
    "cellMerge",
    "customXmlInsRangeStart",
    "customXmlInsRangeEnd",
    "customXmlDelRangeStart",
    "customXmlDelRangeEnd",
    "customXmlMoveFromRangeStart",
    "customXmlMoveFromRangeEnd",
    "customXmlMoveToRangeStart",
    "customXmlMoveToRangeEnd",
    "commentRangeStart",
    "commentRangeEnd",
    "commentReference",
    "rsids",
    "attachedTemplate",
    "docVars",
    "trackRevisions",
    "customXmlPr",
    "dataBinding",
};

std::string_view localName(const xmlNode* node) {
    return reinterpret_cast<const char*>(node->name);
}

bool isWord(const xmlNode* node) {
    return node->ns && WordNs == reinterpret_cast<const char*>(node->ns->href);
}

// "word/_rels/document.xml.rels" for "word/document.xml"; the package's own
// relationships for "".
std::string relationshipsOf(const std::string& part) {
    const std::size_t slash = part.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : part.substr(0, slash + 1);
    return folder + "_rels/" + part.substr(folder.size()) + ".rels";
}

// The part a relationship of `source` targets: relative to the source's
// folder unless it starts with "/", percent escapes decoded, "." and ".."
// resolved.
std::string resolveTarget(const std::string& source, const std::string& target) {
    std::string decoded;
    for (std::size_t i = 0; i < target.size(); ++i) {
        if (target[i] == '%' && i + 2 < target.size() &&
            std::isxdigit(static_cast<unsigned char>(target[i + 1])) &&
            std::isxdigit(static_cast<unsigned char>(target[i + 2]))) {
            decoded += static_cast<char>(std::strtol(target.substr(i + 1, 2).c_str(), nullptr, 16));
            i += 2;
        } else {
            decoded += target[i];
        }
    }
    std::string path = decoded;
    if (!decoded.starts_with('/')) {
        const std::size_t slash = source.rfind('/');
        path = (slash == std::string::npos ? "" : source.substr(0, slash + 1)) + decoded;
    }
    std::deque<std::string> segments;
    for (std::size_t start = 0; start <= path.size();) {
        std::size_t end = path.find('/', start);
        if (end == std::string::npos) {
            end = path.size();
        }
        const std::string segment = path.substr(start, end - start);
        if (segment == "..") {
            if (!segments.empty()) {
                segments.pop_back();
            }
        } else if (!segment.empty() && segment != ".") {
            segments.push_back(segment);
        }
        start = end + 1;
    }
    std::string resolved;
    for (const std::string& segment : segments) {
        resolved += (resolved.empty() ? "" : "/") + segment;
    }
    return resolved;
}

// Part names compare without regard to letter case.
std::string folded(std::string_view name) {
    std::string lower(name);
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return lower;
}

std::string_view lastSegment(std::string_view type) {
    const std::size_t slash = type.rfind('/');
    return slash == std::string_view::npos ? type : type.substr(slash + 1);
}

bool switchedOn(const xmlNode* toggle) {
    if (!toggle) {
        return false;
    }
    const std::string value = attributeValue(toggle, WordNs, "val");
    return value != "0" && value != "false" && value != "off";
}

// The ids of the styles whose text is hidden.
std::set<std::string> hiddenStyles(const XmlTree& styles) {
    std::set<std::string> hidden;
    for (xmlNode* style = styles.root()->children; style; style = style->next) {
        if (isElement(style, WordNs, "style") &&
            switchedOn(childElement(childElement(style, WordNs, "rPr"), WordNs, "vanish"))) {
            hidden.insert(attributeValue(style, WordNs, "styleId"));
        }
    }
    return hidden;
}

// What cleaning does with each element of a package's XML parts.
class PartRules {
public:
    explicit PartRules(const std::set<std::string>& hiddenStyles) : hiddenStyles_(hiddenStyles) {}

    XmlAction operator()(xmlNode* node) const {
        removeAttributes(node, WordNs,
                         [](std::string_view name) { return name.starts_with("rsid"); });
        if (isElement(node, VmlNs, "shape")) {
            // A comment's box on a worksheet.
            const xmlNode* data = childElement(node, ExcelVmlNs, "ClientData");
            return data && attributeValue(data, "", "ObjectType") == "Note" ? XmlAction::Remove
                                                                            : XmlAction::Keep;
        }
        if (!isWord(node)) {
            return XmlAction::Keep;
        }
        const std::string_view name = localName(node);
        if (RemovedWordElements.contains(name)) {
            return XmlAction::Remove;
        }
        // Inserted and moved text, accepted, and the text in custom XML
        // elements stay without the elements around them.
        if (name == "ins" || name == "moveTo" || name == "customXml") {
            return XmlAction::Unwrap;
        }
        if (name == "r" && hiddenRun(node)) {
            return XmlAction::Remove;
        }
        if (name == "tr" && childElement(childElement(node, WordNs, "trPr"), WordNs, "del")) {
            return XmlAction::Remove;
        }
        if (name == "p" && mergeDeletedMark(node)) {
            return XmlAction::Remove;
        }
        return XmlAction::Keep;
    }

private:
    bool hiddenRun(const xmlNode* run) const {
        const xmlNode* properties = childElement(run, WordNs, "rPr");
        const xmlNode* style = childElement(properties, WordNs, "rStyle");
        return switchedOn(childElement(properties, WordNs, "vanish")) ||
               (style && hiddenStyles_.contains(attributeValue(style, WordNs, "val")));
    }

    // A paragraph whose mark was deleted joins the paragraph after it, which
    // keeps its own properties: its content moves to the front of the next
    // paragraph. True when it did and the paragraph is to go.
    static bool mergeDeletedMark(xmlNode* paragraph) {
        xmlNode* properties = childElement(paragraph, WordNs, "pPr");
        if (!childElement(childElement(properties, WordNs, "rPr"), WordNs, "del")) {
            return false;
        }
        xmlNode* next = paragraph->next;
        while (next && next->type != XML_ELEMENT_NODE) {
            next = next->next;
        }
        if (!isElement(next, WordNs, "p")) {
            return false;
        }
        xmlNode* nextProperties = childElement(next, WordNs, "pPr");
        xmlNode* before = nextProperties ? nextProperties->next : next->children;
        for (xmlNode* child = paragraph->children; child;) {
            xmlNode* following = child->next;
            if (child != properties) {
                xmlUnlinkNode(child);
                before ? xmlAddPrevSibling(before, child) : xmlAddChild(next, child);
            }
            child = following;
        }
        return true;
    }

    const std::set<std::string>& hiddenStyles_;
};

PackageEntry* findEntry(std::vector<PackageEntry>& entries, std::string_view name) {
    const auto found = std::find_if(entries.begin(), entries.end(),
                                    [&](const PackageEntry& entry) { return entry.name == name; });
    return found == entries.end() ? nullptr : &*found;
}

} // namespace

std::vector<PackageEntry> cleanOfficeOpenXml(std::vector<PackageEntry> entries) {
    if (!findEntry(entries, ContentTypes) || !findEntry(entries, RootRelationships)) {
        throw Failure(failure::PathFileAccessError, "The file is not an Office Open XML package",
                      Source);
    }
    // The parts reached from the package's relationships, leaving out the
    // dropped ones: what nothing else leads to goes with them.
    std::set<std::string> kept = {folded(ContentTypes)};
    std::deque<std::string> sources = {""};
    while (!sources.empty()) {
        const std::string source = sources.front();
        sources.pop_front();
        const std::string relsName = relationshipsOf(source);
        PackageEntry* rels = findEntry(entries, relsName);
        if (!rels || !kept.insert(folded(relsName)).second) {
            continue;
        }
        const XmlTree tree(rels->data, relsName);
        for (xmlNode* relation = tree.root()->children; relation;) {
            xmlNode* next = relation->next;
            if (isElement(relation, RelationshipsNs, "Relationship")) {
                if (DroppedRelationships.contains(
                        lastSegment(attributeValue(relation, "", "Type")))) {
                    xmlUnlinkNode(relation);
                    xmlFreeNode(relation);
                } else if (attributeValue(relation, "", "TargetMode") != "External") {
                    const std::string part =
                        resolveTarget(source, attributeValue(relation, "", "Target"));
                    if (kept.insert(folded(part)).second) {
                        sources.push_back(part);
                    }
                }
            }
            relation = next;
        }
        rels->data = tree.serialize();
    }
    std::erase_if(entries,
                  [&](const PackageEntry& entry) { return !kept.contains(folded(entry.name)); });

    PackageEntry& types = *findEntry(entries, ContentTypes);
    const XmlTree typesTree(types.data, types.name);
    for (xmlNode* type = typesTree.root()->children; type;) {
        xmlNode* next = type->next;
        if (isElement(type, ContentTypesNs, "Override") &&
            !kept.contains(folded(resolveTarget("", attributeValue(type, "", "PartName"))))) {
            xmlUnlinkNode(type);
            xmlFreeNode(type);
        }
        type = next;
    }
    types.data = typesTree.serialize();

    std::set<std::string> hidden;
    if (const PackageEntry* styles = findEntry(entries, "word/styles.xml")) {
        hidden = hiddenStyles(XmlTree(styles->data, styles->name));
    }
    const PartRules rules(hidden);
    for (PackageEntry& entry : entries) {
        const bool isXml = entry.name.ends_with(".xml") || entry.name.ends_with(".vml");
        if (isXml && entry.name != ContentTypes) {
            const XmlTree tree(entry.data, entry.name);
            if (rules(tree.root()) == XmlAction::Keep) {
                cleanChildren(tree.root(), rules);
            }
            entry.data = tree.serialize();
        }
    }
    return entries;
}

} // namespace lexi
