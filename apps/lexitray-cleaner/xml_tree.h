#pragma once

#include <libxml/tree.h>
#include <memory>
#include <string>
#include <string_view>

namespace lexi {

// One XML part of a document package, parsed with libxml2: no network, no
// entity expansion, whitespace kept, so that what is written back differs from
// what was read only where the cleaner changed it, and in its comments, which
// a reader never shows and which are left out.
class XmlTree {
public:
    // Throws lexi::Failure (PathFileAccessError) naming `partName` when the
    // bytes are not well-formed XML.
    XmlTree(std::string_view bytes, const std::string& partName);

    xmlNode* root() const { return xmlDocGetRootElement(document_.get()); }
    std::string serialize() const;

private:
    struct Free {
        void operator()(xmlDoc* document) const { xmlFreeDoc(document); }
    };
    std::unique_ptr<xmlDoc, Free> document_;
};

// What a cleaning rule does with one element.
enum class XmlAction {
    Keep,   // keep it, then look at its children
    Remove, // remove it with everything in it
    Unwrap, // put its children, once looked at, in its place
};

// Walks the elements under `parent` in document order and applies `rule` to
// each; the rule may change the element's attributes and its following
// siblings, not the elements before it.
template <typename Rule> void cleanChildren(xmlNode* parent, const Rule& rule) {
    for (xmlNode* child = parent->children; child;) {
        xmlNode* next = child->next;
        if (child->type == XML_ELEMENT_NODE) {
            switch (rule(child)) {
            case XmlAction::Remove:
                next = child->next; // the rule may have moved siblings
                xmlUnlinkNode(child);
                xmlFreeNode(child);
                break;
            case XmlAction::Unwrap:
                cleanChildren(child, rule);
                while (xmlNode* inner = child->children) {
                    xmlUnlinkNode(inner);
                    xmlAddPrevSibling(child, inner);
                }
                next = child->next;
                xmlUnlinkNode(child);
                xmlFreeNode(child);
                break;
            case XmlAction::Keep:
                cleanChildren(child, rule);
                next = child->next;
                break;
            }
        }
        child = next;
    }
}

// Whether `node` is the element `localName` of the namespace `ns`.
bool isElement(const xmlNode* node, std::string_view ns, std::string_view localName);

// The first child element `localName` of the namespace `ns`, or null.
xmlNode* childElement(const xmlNode* node, std::string_view ns, std::string_view localName);

// The value of the attribute `localName` of the namespace `ns` (no namespace
// when empty); empty when it is missing.
std::string attributeValue(const xmlNode* node, std::string_view ns, std::string_view localName);

// Removes the attributes of the namespace `ns` for which `drop(localName)`
// holds.
template <typename Predicate>
void removeAttributes(xmlNode* node, std::string_view ns, const Predicate& drop) {
    for (xmlAttr* attribute = node->properties; attribute;) {
        xmlAttr* next = attribute->next;
        if (attribute->ns && ns == reinterpret_cast<const char*>(attribute->ns->href) &&
            drop(std::string_view(reinterpret_cast<const char*>(attribute->name)))) {
            xmlRemoveProp(attribute);
        }
        attribute = next;
    }
}

} // namespace lexi
