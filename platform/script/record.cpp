#include "platform/script/record.h"

namespace lexi::script {
namespace {

std::string escape(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    for (const char c : value) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\n':
            out += "\\n";
            break;
        default:
            out += c;
        }
    }
    return out;
}

} // namespace

std::string unescape(std::string_view value) {
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            out += value[i];
            continue;
        }
        switch (value[++i]) {
        case 't':
            out += '\t';
            break;
        case 'r':
            out += '\r';
            break;
        case 'n':
            out += '\n';
            break;
        default:
            out += value[i];
        }
    }
    return out;
}

std::string Record::toLine() const {
    std::string line = kind;
    for (const auto& [name, value] : fields) {
        line += '\t' + name + '=' + escape(value);
    }
    return line;
}

Record Record::fromLine(std::string_view line) {
    Record record;
    std::size_t start = 0;
    bool first = true;
    while (start <= line.size()) {
        std::size_t end = line.find('\t', start);
        if (end == std::string_view::npos) {
            end = line.size();
        }
        const std::string_view part = line.substr(start, end - start);
        if (first) {
            record.kind = part;
            first = false;
        } else {
            const std::size_t equals = part.find('=');
            record.fields.emplace_back(std::string(part.substr(0, equals)),
                                       equals == std::string_view::npos
                                           ? std::string()
                                           : unescape(part.substr(equals + 1)));
        }
        start = end + 1;
    }
    return record;
}

std::string Record::field(std::string_view name) const {
    for (const auto& [key, value] : fields) {
        if (key == name) {
            return value;
        }
    }
    return {};
}

} // namespace lexi::script
