#include "platform/posix/msgfile/encapsulated_html.h"

#include "platform/posix/msgfile/text_encoding.h"
#include "platform/utf8.h"

#include <array>
#include <cctype>
#include <cstdint>
#include <vector>

namespace lexi::msgfile {
namespace {

constexpr std::uint32_t DefaultCodePage = 1252;

// Groups whose text is not part of the HTML.
constexpr std::array<std::string_view, 8> SkippedDestinations = {
    "fonttbl", "colortbl", "stylesheet", "info", "pict", "object", "header", "footer"};

struct Group {
    bool skipped = false;    // a destination the HTML does not contain
    bool htmlTag = false;    // {\*\htmltagN ...}: HTML markup, always copied
    bool rtfOnly = false;    // inside \htmlrtf ... \htmlrtf0: RTF rendering only
    int unicodeFallback = 1; // \ucN: bytes that follow each \uN for older readers
};

struct ControlWord {
    std::string_view name;
    std::optional<long> parameter;
};

// The HTML in the RTF: the markup of the htmltag groups and the text between
// them that is not marked RTF-only. Bytes decode in the \ansicpg code page.
class Deencapsulator {
public:
    explicit Deencapsulator(std::string_view rtf) : rtf_(rtf) {}

    std::optional<std::string> run() {
        groups_.push_back({});
        bool fromHtml = false;
        while (pos_ < rtf_.size()) {
            const char c = rtf_[pos_++];
            if (c == '{') {
                openGroup();
            } else if (c == '}') {
                if (groups_.size() > 1) {
                    groups_.pop_back();
                }
            } else if (c == '\\') {
                fromHtml = controlSymbol() || fromHtml;
            } else if (c != '\r' && c != '\n') {
                text(c);
            }
        }
        if (!fromHtml) {
            return std::nullopt;
        }
        flushBytes();
        return std::move(html_);
    }

private:
    Group& group() { return groups_.back(); }
    bool copying() { return !group().skipped && (group().htmlTag || !group().rtfOnly); }

    void text(char c) {
        if (skipFallback_ > 0) {
            --skipFallback_;
        } else if (copying()) {
            bytes_ += c;
        }
    }

    // A group inherits its parent's state; some destinations change it.
    void openGroup() {
        groups_.push_back(group());
        const bool optional = rtf_.substr(pos_, 2) == "\\*";
        const std::string_view name = controlWordNameAt(pos_ + (optional ? 2 : 0));
        if (optional) {
            // Of the optional destinations, only htmltag holds HTML.
            group().htmlTag = name == "htmltag";
            group().skipped = group().skipped || !group().htmlTag;
        }
        for (std::string_view skipped : SkippedDestinations) {
            group().skipped = group().skipped || name == skipped;
        }
    }

    std::string_view controlWordNameAt(std::size_t at) const {
        if (at >= rtf_.size() || rtf_[at] != '\\') {
            return {};
        }
        std::size_t end = ++at;
        while (end < rtf_.size() && std::isalpha(static_cast<unsigned char>(rtf_[end]))) {
            ++end;
        }
        return rtf_.substr(at, end - at);
    }

    // After a backslash. Returns whether it was \fromhtml1.
    bool controlSymbol() {
        if (pos_ >= rtf_.size()) {
            return false;
        }
        const char c = rtf_[pos_];
        if (c == '\\' || c == '{' || c == '}') {
            ++pos_;
            text(c);
        } else if (c == '\'') {
            hexByte();
        } else if (std::isalpha(static_cast<unsigned char>(c))) {
            return controlWord(readControlWord());
        } else {
            ++pos_; // \~, \-, \_ and \*: nothing in the HTML
        }
        return false;
    }

    void hexByte() {
        ++pos_;
        if (pos_ + 2 > rtf_.size() || !std::isxdigit(static_cast<unsigned char>(rtf_[pos_])) ||
            !std::isxdigit(static_cast<unsigned char>(rtf_[pos_ + 1]))) {
            return;
        }
        const auto value =
            static_cast<char>(std::stoi(std::string(rtf_.substr(pos_, 2)), nullptr, 16));
        pos_ += 2;
        text(value);
    }

    ControlWord readControlWord() {
        const std::size_t start = pos_;
        while (pos_ < rtf_.size() && std::isalpha(static_cast<unsigned char>(rtf_[pos_]))) {
            ++pos_;
        }
        ControlWord word{rtf_.substr(start, pos_ - start), std::nullopt};
        const std::size_t digits = pos_ + (pos_ < rtf_.size() && rtf_[pos_] == '-' ? 1 : 0);
        std::size_t end = digits;
        while (end < rtf_.size() && end - digits < 10 &&
               std::isdigit(static_cast<unsigned char>(rtf_[end]))) {
            ++end;
        }
        if (end > digits) {
            word.parameter = std::stol(std::string(rtf_.substr(pos_, end - pos_)));
            pos_ = end;
        }
        if (pos_ < rtf_.size() && rtf_[pos_] == ' ') {
            ++pos_;
        }
        return word;
    }

    bool controlWord(const ControlWord& word) {
        if (word.name == "fromhtml") {
            return word.parameter.value_or(1) == 1;
        }
        if (word.name == "ansicpg" && word.parameter) {
            flushBytes();
            decoder_.emplace(static_cast<std::uint32_t>(*word.parameter));
        } else if (word.name == "htmlrtf") {
            group().rtfOnly = word.parameter.value_or(1) != 0;
        } else if (word.name == "uc" && word.parameter) {
            group().unicodeFallback = static_cast<int>(std::max(0L, std::min(*word.parameter, 8L)));
        } else if (word.name == "u" && word.parameter) {
            unicode(*word.parameter);
        } else if (word.name == "par" || word.name == "line") {
            if (copying()) {
                bytes_ += "\r\n";
            }
        } else if (word.name == "tab") {
            text('\t');
        }
        return false;
    }

    // \uN gives a UTF-16 unit as a signed 16-bit number.
    void unicode(long value) {
        if (copying()) {
            flushBytes();
            const auto unit = static_cast<char32_t>(static_cast<std::uint16_t>(value));
            if (unit >= 0xD800 && unit <= 0xDBFF) {
                highSurrogate_ = unit;
            } else if (unit >= 0xDC00 && unit <= 0xDFFF && highSurrogate_ != 0) {
                utf8::append(html_, 0x10000 + ((highSurrogate_ - 0xD800) << 10) + (unit - 0xDC00));
                highSurrogate_ = 0;
            } else {
                utf8::append(html_, unit);
            }
        }
        skipFallback_ = group().unicodeFallback;
    }

    void flushBytes() {
        html_ += decoder_->toUtf8(bytes_);
        bytes_.clear();
    }

    std::string_view rtf_;
    std::size_t pos_ = 0;
    std::vector<Group> groups_;
    std::optional<CodePageDecoder> decoder_{DefaultCodePage};
    std::string bytes_; // text not yet decoded
    std::string html_;
    char32_t highSurrogate_ = 0;
    int skipFallback_ = 0;
};

} // namespace

std::optional<std::string> htmlFromRtf(std::string_view rtf) {
    return Deencapsulator(rtf).run();
}

} // namespace lexi::msgfile
