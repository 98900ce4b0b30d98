#include "platform/posix/msgfile/rtf_walker.h"

#include "platform/posix/msgfile/text_encoding.h"
#include "platform/utf8.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <optional>
#include <vector>

namespace lexi::msgfile {
namespace {

constexpr std::uint32_t DefaultCodePage = 1252;

// Destinations whose text the document does not show.
constexpr std::array<std::string_view, 24> SkippedDestinations = {
    "fonttbl",   "colortbl",          "stylesheet", "info",    "pict",    "object",  "header",
    "headerl",   "headerr",           "headerf",    "footer",  "footerl", "footerr", "footerf",
    "listtable", "listoverridetable", "revtbl",     "rsidtbl", "fldinst", "filetbl", "xmlnstbl",
    "themedata", "latentstyles",      "datastore"};

// Control words that stand for a character.
struct CharacterWord {
    std::string_view name;
    char32_t character;
};
constexpr std::array<CharacterWord, 11> CharacterWords = {{
    {"tab", U'\t'},
    {"cell", U'\t'},
    {"emdash", U'—'},
    {"endash", U'–'},
    {"bullet", U'•'},
    {"lquote", U'‘'},
    {"rquote", U'’'},
    {"ldblquote", U'“'},
    {"rdblquote", U'”'},
    {"emspace", U'\u2003'},
    {"enspace", U'\u2002'},
}};

constexpr std::array<std::string_view, 3> LineEndWords = {"par", "line", "row"};

struct Group {
    bool skipped = false;    // a destination whose text is left out
    bool htmlTag = false;    // {\*\htmltagN ...}: HTML markup, always kept
    bool rtfOnly = false;    // inside \htmlrtf ... \htmlrtf0: RTF rendering only
    int unicodeFallback = 1; // \ucN: characters that follow each \uN for older readers
};

struct ControlWord {
    std::string_view name;
    std::optional<long> parameter;
};

bool isAlpha(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) != 0;
}

class Walker {
public:
    Walker(std::string_view rtf, RtfContent content) : rtf_(rtf), content_(content) {}

    RtfReading run() {
        groups_.push_back({});
        while (pos_ < rtf_.size()) {
            const char c = rtf_[pos_++];
            if (c == '{') {
                skipFallback_ = 0;
                openGroup();
            } else if (c == '}') {
                skipFallback_ = 0;
                if (groups_.size() > 1) {
                    groups_.pop_back();
                }
            } else if (c == '\\') {
                controlSymbol();
            } else if (c != '\r' && c != '\n') {
                text(c);
            }
        }
        flushBytes();
        return {std::move(out_), fromHtml_};
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

    void character(char32_t c) {
        if (copying()) {
            flushBytes();
            utf8::append(out_, c);
        }
    }

    void lineEnd() {
        if (copying()) {
            bytes_ += "\r\n";
        }
    }

    // A group inherits its parent's state; some destinations change it.
    void openGroup() {
        groups_.push_back(group());
        const bool optional = rtf_.substr(pos_, 2) == "\\*";
        const std::string_view name = controlWordNameAt(pos_ + (optional ? 2 : 0));
        if (optional) {
            // Of the optional destinations, only htmltag holds HTML.
            group().htmlTag = content_ == RtfContent::Html && name == "htmltag";
            group().skipped = group().skipped || !group().htmlTag;
        }
        group().skipped = group().skipped ||
                          std::ranges::find(SkippedDestinations, name) != SkippedDestinations.end();
    }

    std::string_view controlWordNameAt(std::size_t at) const {
        if (at >= rtf_.size() || rtf_[at] != '\\') {
            return {};
        }
        std::size_t end = ++at;
        while (end < rtf_.size() && isAlpha(rtf_[end])) {
            ++end;
        }
        return rtf_.substr(at, end - at);
    }

    // After a backslash.
    void controlSymbol() {
        if (pos_ >= rtf_.size()) {
            return;
        }
        const char c = rtf_[pos_];
        if (isAlpha(c)) {
            controlWord(readControlWord());
            return;
        }
        ++pos_;
        if (c == '\\' || c == '{' || c == '}') {
            text(c);
        } else if (c == '\'') {
            hexByte();
        } else if (c == '\r' || c == '\n') {
            lineEnd(); // a backslash before a line break is a \par
        } else if (c == '~') {
            character(U'\u00A0');
        } else if (c == '_') {
            character(U'\u2011');
        } // \- (optional hyphen) and \* show nothing
    }

    void hexByte() {
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
        while (pos_ < rtf_.size() && isAlpha(rtf_[pos_])) {
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

    void controlWord(const ControlWord& word) {
        if (word.name == "fromhtml") {
            fromHtml_ = fromHtml_ || word.parameter.value_or(1) == 1;
        } else if (word.name == "ansicpg" && word.parameter) {
            flushBytes();
            decoder_.emplace(static_cast<std::uint32_t>(*word.parameter));
        } else if (word.name == "htmlrtf" && content_ == RtfContent::Html) {
            group().rtfOnly = word.parameter.value_or(1) != 0;
        } else if (word.name == "uc" && word.parameter) {
            group().unicodeFallback = static_cast<int>(std::clamp(*word.parameter, 0L, 8L));
        } else if (word.name == "u" && word.parameter) {
            unicode(*word.parameter);
        } else if (word.name == "bin" && word.parameter) {
            // Binary data, as in a picture: never text, and its bytes are no RTF.
            pos_ += std::min(rtf_.size() - pos_,
                             static_cast<std::size_t>(std::max(0L, *word.parameter)));
        } else if (std::ranges::find(LineEndWords, word.name) != LineEndWords.end()) {
            lineEnd();
        } else {
            const auto symbol = std::ranges::find(CharacterWords, word.name, &CharacterWord::name);
            if (symbol != CharacterWords.end()) {
                character(symbol->character);
            }
        }
    }

    // \uN gives a UTF-16 unit as a signed 16-bit number.
    void unicode(long value) {
        if (copying()) {
            flushBytes();
            const auto unit = static_cast<char32_t>(static_cast<std::uint16_t>(value));
            if (unit >= 0xD800 && unit <= 0xDBFF) {
                highSurrogate_ = unit;
            } else if (unit >= 0xDC00 && unit <= 0xDFFF && highSurrogate_ != 0) {
                utf8::append(out_, 0x10000 + ((highSurrogate_ - 0xD800) << 10) + (unit - 0xDC00));
                highSurrogate_ = 0;
            } else {
                utf8::append(out_, unit);
            }
        }
        skipFallback_ = group().unicodeFallback;
    }

    void flushBytes() {
        out_ += decoder_->toUtf8(bytes_);
        bytes_.clear();
    }

    std::string_view rtf_;
    RtfContent content_;
    std::size_t pos_ = 0;
    std::vector<Group> groups_;
    std::optional<CodePageDecoder> decoder_{DefaultCodePage};
    std::string bytes_; // text not yet decoded
    std::string out_;
    bool fromHtml_ = false;
    char32_t highSurrogate_ = 0;
    int skipFallback_ = 0;
};

} // namespace

RtfReading readRtf(std::string_view rtf, RtfContent content) {
    return Walker(rtf, content).run();
}

} // namespace lexi::msgfile
