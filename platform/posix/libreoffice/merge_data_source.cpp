#include "platform/posix/libreoffice/merge_data_source.h"

#include "platform/posix/msgfile/compound_reader.h"
#include "platform/posix/msgfile/gsf_setup.h"
#include "platform/posix/msgfile/little_endian.h"
#include "platform/posix/msgfile/text_encoding.h"

#include <cctype>
#include <fstream>
#include <gsf/gsf-infile-zip.h>
#include <gsf/gsf-input-memory.h>
#include <initializer_list>
#include <optional>
#include <sstream>
#include <vector>

namespace lexi::posix {
namespace {

using msgfile::GObjectPtr;
using msgfile::readLittleEndian;

std::string readBytes(const std::string& hostPath) {
    std::ifstream file(hostPath, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

// Word 97: the file information block in the WordDocument stream gives the
// place of the associated strings in the table stream; the ninth of them is
// the data document.
std::string wordDataDocument(std::string_view fileBytes) {
    constexpr std::uint64_t WordIdent = 0xA5EC;
    constexpr std::uint64_t Encrypted = 0x0100;
    constexpr std::uint64_t WhichTable = 0x0200;
    constexpr std::size_t AssociatedStringsPair = 32; // fcSttbfAssoc, lcbSttbfAssoc
    constexpr std::size_t DataDocument = 8;

    msgfile::CompoundReader reader(fileBytes);
    const std::optional<std::string> word = reader.root().stream("WordDocument");
    const auto number = [](std::string_view bytes, std::size_t offset, std::size_t size) {
        if (offset + size > bytes.size()) {
            throw std::out_of_range("short");
        }
        return readLittleEndian(bytes, offset, size);
    };
    if (!word || number(*word, 0, 2) != WordIdent || number(*word, 10, 2) & Encrypted) {
        return {};
    }
    std::size_t offset = 32;
    offset += 2 + 2 * number(*word, offset, 2);              // fibRgW
    offset += 2 + 4 * number(*word, offset, 2);              // fibRgLw
    if (number(*word, offset, 2) <= AssociatedStringsPair) { // fibRgFcLcb
        return {};
    }
    offset += 2 + 8 * AssociatedStringsPair;
    const std::size_t place = number(*word, offset, 4);
    const std::size_t size = number(*word, offset + 4, 4);
    const std::optional<std::string> table =
        reader.root().stream(number(*word, 10, 2) & WhichTable ? "1Table" : "0Table");
    if (!table || size == 0 || place + size > table->size()) {
        return {};
    }
    const std::string_view strings = std::string_view(*table).substr(place, size);
    if (number(strings, 0, 2) != 0xFFFF) { // Unicode strings
        return {};
    }
    const std::size_t count = number(strings, 2, 2);
    const std::size_t extra = number(strings, 4, 2);
    std::size_t at = 6;
    for (std::size_t index = 0; index < count; ++index) {
        const std::size_t length = 2 * number(strings, at, 2);
        if (at + 2 + length > strings.size()) {
            return {};
        }
        if (index == DataDocument) {
            return msgfile::utf16ToUtf8(strings.substr(at + 2, length));
        }
        at += 2 + length + extra;
    }
    return {};
}

// The value of an attribute of the element starting at `element`; the
// attribute is matched by its local name.
std::string attribute(std::string_view xml, std::size_t element, std::string_view name) {
    const std::size_t end = xml.find('>', element);
    const std::string_view tag = xml.substr(element, end - element);
    for (std::size_t at = tag.find(name); at != std::string_view::npos;
         at = tag.find(name, at + 1)) {
        const char before = tag[at - 1];
        if ((before == ' ' || before == ':') && tag.substr(at + name.size(), 2) == "=\"") {
            const std::size_t start = at + name.size() + 2;
            return std::string(tag.substr(start, tag.find('"', start) - start));
        }
    }
    return {};
}

// The first element of that local name, after `from`.
std::size_t findElement(std::string_view xml, std::string_view name, std::size_t from = 0) {
    for (std::size_t at = xml.find(name, from); at != std::string_view::npos;
         at = xml.find(name, at + 1)) {
        const char before = at > 0 ? xml[at - 1] : ' ';
        const char after = at + name.size() < xml.size() ? xml[at + name.size()] : ' ';
        if ((before == '<' || before == ':') && (after == ' ' || after == '/' || after == '>')) {
            return xml.rfind('<', at);
        }
    }
    return std::string_view::npos;
}

// Where the element of that name starting at `element` ends: at its closing
// tag, or at its own end when it has no content.
std::size_t elementEnd(std::string_view xml, std::size_t element, std::string_view name) {
    const std::size_t tagEnd = xml.find('>', element);
    if (tagEnd == std::string_view::npos || xml[tagEnd - 1] == '/') {
        return tagEnd;
    }
    for (std::size_t at = xml.find(name, tagEnd); at != std::string_view::npos;
         at = xml.find(name, at + 1)) {
        const std::size_t tag = xml.rfind('<', at);
        if (xml[tag + 1] == '/') {
            return tag;
        }
    }
    return std::string_view::npos;
}

std::string unescapeXml(std::string text) {
    for (const auto& [entity, character] : {std::pair{"&lt;", "<"},
                                            {"&gt;", ">"},
                                            {"&quot;", "\""},
                                            {"&apos;", "'"},
                                            {"&amp;", "&"}}) {
        for (std::size_t at; (at = text.find(entity)) != std::string::npos;) {
            text.replace(at, std::string_view(entity).size(), character);
        }
    }
    return text;
}

// "file:///C:/Data/adresser%20ny.xlsx" as Word names it: C:\Data\adresser ny.xlsx.
std::string workstationPath(std::string target) {
    for (const char* scheme : {"file:///", "file://"}) {
        if (target.starts_with(scheme)) {
            target.erase(0, std::string_view(scheme).size());
            break;
        }
    }
    std::string path;
    for (std::size_t at = 0; at < target.size(); ++at) {
        if (target[at] == '%' && at + 2 < target.size() &&
            std::isxdigit(static_cast<unsigned char>(target[at + 1])) &&
            std::isxdigit(static_cast<unsigned char>(target[at + 2]))) {
            path += static_cast<char>(std::stoi(target.substr(at + 1, 2), nullptr, 16));
            at += 2;
        } else {
            path += target[at] == '/' ? '\\' : target[at];
        }
    }
    return path;
}

// A member of a zip package by its path's names; empty when it is missing.
std::string member(GsfInfile* package, std::initializer_list<const char*> path) {
    std::vector<const char*> names(path);
    names.push_back(nullptr);
    GObjectPtr<GsfInput> input(gsf_infile_child_by_aname(package, names.data()));
    if (!input) {
        return {};
    }
    const gsf_off_t size = gsf_input_size(input.get());
    std::string bytes(static_cast<std::size_t>(size), '\0');
    if (size > 0 && !gsf_input_read(input.get(), size, reinterpret_cast<guint8*>(bytes.data()))) {
        return {};
    }
    return bytes;
}

// Word 2007: the mail merge settings name their data source by a
// relationship of the settings part.
std::string packageDataSource(std::string_view fileBytes) {
    msgfile::setUpGsf();
    GObjectPtr<GsfInput> input(gsf_input_memory_new(
        reinterpret_cast<const guint8*>(fileBytes.data()), fileBytes.size(), false));
    GObjectPtr<GsfInfile> package(gsf_infile_zip_new(input.get(), nullptr));
    if (!package) {
        return {};
    }
    const std::string settings = member(package.get(), {"word", "settings.xml"});
    const std::size_t merge = findElement(settings, "mailMerge");
    if (merge == std::string::npos) {
        return {};
    }
    const std::size_t source = findElement(settings, "dataSource", merge);
    if (source == std::string::npos || source > elementEnd(settings, merge, "mailMerge")) {
        return {};
    }
    const std::string id = attribute(settings, source, "id");
    const std::string links = member(package.get(), {"word", "_rels", "settings.xml.rels"});
    for (std::size_t link = findElement(links, "Relationship"); link != std::string::npos;
         link = findElement(links, "Relationship", link + 1)) {
        if (!id.empty() && attribute(links, link, "Id") == id) {
            return workstationPath(unescapeXml(attribute(links, link, "Target")));
        }
    }
    return {};
}

} // namespace

std::string mergeDataSource(const std::string& hostPath) {
    const std::string bytes = readBytes(hostPath);
    try {
        if (bytes.starts_with("PK")) {
            return packageDataSource(bytes);
        }
        if (bytes.starts_with("\xD0\xCF\x11\xE0")) {
            return wordDataDocument(bytes);
        }
    } catch (const std::exception&) {
        // A damaged document names no data source.
    }
    return {};
}

} // namespace lexi::posix
