#include "platform/script/scripted_ui.h"

#include "platform/text.h"

#include <cstdlib>

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

} // namespace

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

ScriptedUi::ScriptedUi(std::string_view script, Transcript transcript)
    : transcript_(std::move(transcript)) {
    std::size_t start = 0;
    while (start < script.size()) {
        std::size_t end = script.find('\n', start);
        if (end == std::string_view::npos) {
            end = script.size();
        }
        std::string_view line = script.substr(start, end - start);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        line = text::trimSpaces(line);
        if (!line.empty() && !line.starts_with('#')) {
            const std::size_t space = line.find(' ');
            answers_.push_back({std::string(line.substr(0, space)),
                                space == std::string_view::npos
                                    ? std::string()
                                    : unescape(text::trimSpaces(line.substr(space + 1)))});
        }
        start = end + 1;
    }
}

std::optional<std::string> ScriptedUi::takeAnswer(std::string_view kind) {
    if (answers_.empty() || answers_.front().kind != kind) {
        return std::nullopt;
    }
    std::string argument = std::move(answers_.front().argument);
    answers_.pop_front();
    return argument;
}

int ScriptedUi::messageBox(std::string_view text, int style, std::string_view title) {
    int answer = msgbox::defaultAnswer(style);
    if (const auto scripted = takeAnswer("msgbox")) {
        const int named = msgbox::answerNamed(*scripted);
        const int number = std::atoi(scripted->c_str());
        if (named != 0) {
            answer = named;
        } else if (!msgbox::answerName(number).empty()) {
            answer = number;
        }
    }
    record({"msgbox",
            {{"title", std::string(title)},
             {"style", std::to_string(style)},
             {"text", std::string(text)},
             {"answer", msgbox::answerName(answer)}}});
    return answer;
}

} // namespace lexi::script
