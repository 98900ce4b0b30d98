#include "apps/lexitray-cleaner/xml_tree.h"

#include "platform/failure.h"

#include <libxml/parser.h>

namespace lexi {
namespace {

void removeComments(xmlNode* parent) {
    for (xmlNode* child = parent->children; child;) {
        xmlNode* next = child->next;
        if (child->type == XML_COMMENT_NODE) {
            xmlUnlinkNode(child);
            xmlFreeNode(child);
        } else if (child->type == XML_ELEMENT_NODE) {
            removeComments(child);
        }
        child = next;
    }
}

} // namespace

XmlTree::XmlTree(std::string_view bytes, const std::string& partName)
    : document_(xmlReadMemory(bytes.data(), static_cast<int>(bytes.size()), partName.c_str(),
                              nullptr, XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING)) {
    if (!document_ || !root()) {
        throw Failure(failure::PathFileAccessError, partName + " is not well-formed XML",
                      "XmlTree");
    }
    removeComments(reinterpret_cast<xmlNode*>(document_.get()));
}

std::string XmlTree::serialize() const {
    xmlChar* bytes = nullptr;
    int size = 0;
    xmlDocDumpMemoryEnc(document_.get(), &bytes, &size, "UTF-8");
    std::string text(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(size));
    xmlFree(bytes);
    return text;
}

bool isElement(const xmlNode* node, std::string_view ns, std::string_view localName) {
    return node && node->type == XML_ELEMENT_NODE && node->ns &&
           ns == reinterpret_cast<const char*>(node->ns->href) &&
           localName == reinterpret_cast<const char*>(node->name);
}

xmlNode* childElement(const xmlNode* node, std::string_view ns, std::string_view localName) {
    for (xmlNode* child = node ? node->children : nullptr; child; child = child->next) {
        if (isElement(child, ns, localName)) {
            return child;
        }
    }
    return nullptr;
}

std::string attributeValue(const xmlNode* node, std::string_view ns, std::string_view localName) {
    const std::string name(localName);
    xmlChar* value = ns.empty()
                         ? xmlGetNoNsProp(node, reinterpret_cast<const xmlChar*>(name.c_str()))
                         : xmlGetNsProp(node, reinterpret_cast<const xmlChar*>(name.c_str()),
                                        reinterpret_cast<const xmlChar*>(std::string(ns).c_str()));
    if (!value) {
        return {};
    }
    std::string text(reinterpret_cast<const char*>(value));
    xmlFree(value);
    return text;
}

} // namespace lexi
