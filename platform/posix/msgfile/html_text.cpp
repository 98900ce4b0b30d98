#include "platform/posix/msgfile/html_text.h"

#include "platform/cp1252.h"
#include "platform/utf8.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>

namespace lexi::msgfile {
namespace {

constexpr std::string_view LineEnd = "\r\n";

// The names of the characters U+00A0 to U+00FF, in order.
constexpr std::array<std::string_view, 96> Latin1Names = {
    "nbsp",   "iexcl",  "cent",   "pound",  "curren", "yen",    "brvbar", "sect",   "uml",
    "copy",   "ordf",   "laquo",  "not",    "shy",    "reg",    "macr",   "deg",    "plusmn",
    "sup2",   "sup3",   "acute",  "micro",  "para",   "middot", "cedil",  "sup1",   "ordm",
    "raquo",  "frac14", "frac12", "frac34", "iquest", "Agrave", "Aacute", "Acirc",  "Atilde",
    "Auml",   "Aring",  "AElig",  "Ccedil", "Egrave", "Eacute", "Ecirc",  "Euml",   "Igrave",
    "Iacute", "Icirc",  "Iuml",   "ETH",    "Ntilde", "Ograve", "Oacute", "Ocirc",  "Otilde",
    "Ouml",   "times",  "Oslash", "Ugrave", "Uacute", "Ucirc",  "Uuml",   "Yacute", "THORN",
    "szlig",  "agrave", "aacute", "acirc",  "atilde", "auml",   "aring",  "aelig",  "ccedil",
    "egrave", "eacute", "ecirc",  "euml",   "igrave", "iacute", "icirc",  "iuml",   "eth",
    "ntilde", "ograve", "oacute", "ocirc",  "otilde", "ouml",   "divide", "oslash", "ugrave",
    "uacute", "ucirc",  "uuml",   "yacute", "thorn",  "yuml"};

struct NamedCharacter {
    std::string_view name;
    char32_t character;
};
constexpr std::array<NamedCharacter, 32> OtherNames = {{
    {"amp", U'&'},       {"lt", U'<'},          {"gt", U'>'},        {"quot", U'"'},
    {"apos", U'\''},     {"euro", U'€'},        {"ndash", U'–'},     {"mdash", U'—'},
    {"lsquo", U'‘'},     {"rsquo", U'’'},       {"sbquo", U'‚'},     {"ldquo", U'“'},
    {"rdquo", U'”'},     {"bdquo", U'„'},       {"bull", U'•'},      {"hellip", U'…'},
    {"trade", U'™'},     {"dagger", U'†'},      {"Dagger", U'‡'},    {"permil", U'‰'},
    {"lsaquo", U'‹'},    {"rsaquo", U'›'},      {"OElig", U'Œ'},     {"oelig", U'œ'},
    {"Scaron", U'Š'},    {"scaron", U'š'},      {"Yuml", U'Ÿ'},      {"ensp", U'\u2002'},
    {"emsp", U'\u2003'}, {"thinsp", U'\u2009'}, {"zwnj", U'\u200C'}, {"zwj", U'\u200D'},
}};

std::optional<char32_t> namedCharacter(std::string_view name) {
    if (const auto latin1 = std::ranges::find(Latin1Names, name); latin1 != Latin1Names.end()) {
        return static_cast<char32_t>(0xA0 + (latin1 - Latin1Names.begin()));
    }
    const auto other = std::ranges::find(OtherNames, name, &NamedCharacter::name);
    return other != OtherNames.end() ? std::optional(other->character) : std::nullopt;
}

// Elements that start on a line of their own and end it.
constexpr std::array<std::string_view, 30> BlockElements = {
    "address", "article", "aside",    "blockquote", "caption", "center", "dd", "div",
    "dl",      "dt",      "fieldset", "figure",     "footer",  "form",   "h1", "h2",
    "h3",      "h4",      "h5",       "h6",         "header",  "hr",     "li", "main",
    "nav",     "ol",      "p",        "section",    "table",   "tr"};

// Elements whose content is never shown.
constexpr std::array<std::string_view, 3> HiddenElements = {"script", "style", "title"};

bool isAlnum(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0;
}

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

template <std::size_t N>
bool contains(const std::array<std::string_view, N>& names, std::string_view name) {
    return std::ranges::find(names, name) != names.end();
}

class HtmlText {
public:
    explicit HtmlText(std::string_view html) : html_(html), lastTagEnd_(html.rfind('>')) {}

    std::string run() {
        while (pos_ < html_.size()) {
            const char c = html_[pos_];
            if (c == '<' && markup()) {
                continue;
            }
            if (c == '&') {
                reference();
            } else {
                ++pos_;
                character(c);
            }
        }
        if (pendingBreak_ && !atLineStart()) {
            out_ += LineEnd; // the last block's line ends too
        }
        return std::move(out_);
    }

private:
    bool atLineStart() const { return out_.empty() || out_.back() == '\n'; }

    // Text that shows: it settles the breaks and separators before it.
    void show(std::string_view text) {
        if (inHead_) {
            return;
        }
        if (pendingBreak_ && !atLineStart()) {
            out_ += LineEnd;
        } else if (separator_ != 0 && !atLineStart()) {
            out_ += separator_;
        }
        pendingBreak_ = false;
        separator_ = 0;
        out_ += text;
    }

    void lineBreak() {
        if (inHead_) {
            return;
        }
        if (pendingBreak_ && !atLineStart()) {
            out_ += LineEnd;
        }
        out_ += LineEnd;
        pendingBreak_ = false;
        separator_ = 0;
    }

    void character(char c) {
        if (preDepth_ > 0 && (c == '\r' || c == '\n')) {
            if (c == '\r' && pos_ < html_.size() && html_[pos_] == '\n') {
                ++pos_;
            }
            lineBreak();
        } else if (preDepth_ > 0 || !isSpace(c)) {
            show(std::string_view(&c, 1));
        } else if (separator_ != '\t') {
            separator_ = ' ';
        }
    }

    // &name; &#decimal; &#xhex; a '&' that starts none of them is text.
    void reference() {
        std::size_t at = pos_ + 1;
        std::optional<char32_t> value;
        if (at < html_.size() && html_[at] == '#') {
            value = numericReference(++at);
        } else {
            const std::size_t start = at;
            while (at < html_.size() && at - start < 10 && isAlnum(html_[at])) {
                ++at;
            }
            value = namedCharacter(html_.substr(start, at - start));
        }
        if (!value) {
            ++pos_;
            show("&");
            return;
        }
        pos_ = at < html_.size() && html_[at] == ';' ? at + 1 : at;
        std::string text;
        utf8::append(text, *value);
        show(text);
    }

    std::optional<char32_t> numericReference(std::size_t& at) const {
        const bool hex = at < html_.size() && (html_[at] == 'x' || html_[at] == 'X');
        const std::size_t start = hex ? ++at : at;
        char32_t value = 0;
        while (at < html_.size() && (hex ? std::isxdigit(static_cast<unsigned char>(html_[at]))
                                         : std::isdigit(static_cast<unsigned char>(html_[at])))) {
            const char32_t digit = std::isdigit(static_cast<unsigned char>(html_[at]))
                                       ? html_[at] - '0'
                                       : (html_[at] | 0x20) - 'a' + 10;
            value = std::min<char32_t>(value * (hex ? 16 : 10) + digit, 0x110000);
            ++at;
        }
        if (at == start) {
            return std::nullopt;
        }
        if (value >= 0x80 && value <= 0x9F) {
            // As browsers do: the number a Windows-1252 byte gives in error.
            std::size_t decoded = 0;
            return utf8::decode(cp1252::toUtf8(std::string(1, static_cast<char>(value))), decoded);
        }
        const bool invalid = value == 0 || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF);
        return invalid ? U'\uFFFD' : value;
    }

    // At a '<': consumes a tag, comment or declaration and returns true, or
    // returns false for a '<' that is text.
    bool markup() {
        std::size_t at = pos_ + 1;
        if (html_.substr(at, 3) == "!--") {
            const std::size_t end = html_.find("-->", at + 3);
            pos_ = end == std::string_view::npos ? html_.size() : end + 3;
            return true;
        }
        if (lastTagEnd_ == std::string_view::npos || at > lastTagEnd_) {
            return false;
        }
        if (html_[at] == '!' || html_[at] == '?') {
            pos_ = html_.find('>', at) + 1; // <!DOCTYPE ...>, <![if ...]>, <?xml ...?>
            return true;
        }
        const bool endTag = html_[at] == '/';
        at += endTag ? 1 : 0;
        std::string name;
        while (at < html_.size() && (isAlnum(html_[at]) || html_[at] == ':' || html_[at] == '-')) {
            name += static_cast<char>(std::tolower(static_cast<unsigned char>(html_[at++])));
        }
        if (name.empty() || !std::isalpha(static_cast<unsigned char>(name[0]))) {
            return false;
        }
        pos_ = tagEnd(at);
        element(name, endTag);
        return true;
    }

    // After a tag's name: past its '>'. A quoted attribute value may hold a
    // '>'; one that is never closed does not.
    std::size_t tagEnd(std::size_t at) const {
        const std::size_t start = at;
        while (at <= lastTagEnd_) {
            const char c = html_[at++];
            if (c == '>') {
                return at;
            }
            if (c != '=') {
                continue;
            }
            while (at < html_.size() && isSpace(html_[at])) {
                ++at;
            }
            if (at < html_.size() && (html_[at] == '"' || html_[at] == '\'')) {
                const std::size_t close = html_.find(html_[at], at + 1);
                if (close == std::string_view::npos) {
                    break;
                }
                at = close + 1;
            }
        }
        return html_.find('>', start) + 1;
    }

    void element(std::string_view name, bool endTag) {
        if (name == "br") {
            lineBreak();
        } else if (name == "head") {
            inHead_ = !endTag;
        } else if (name == "body") {
            inHead_ = false;
        } else if (!endTag && contains(HiddenElements, name)) {
            skipPast(name);
        } else if (name == "pre") {
            pendingBreak_ = true;
            inHead_ = false;
            if (endTag) {
                preDepth_ = std::max(preDepth_ - 1, 0);
            } else {
                ++preDepth_;
                skipLineEnd(); // a line end right after <pre> does not show
            }
        } else if (endTag && (name == "td" || name == "th")) {
            separator_ = '\t';
        } else if (contains(BlockElements, name)) {
            pendingBreak_ = true;
            inHead_ = false;
        }
    }

    void skipLineEnd() {
        if (html_.substr(pos_, 2) == LineEnd) {
            pos_ += 2;
        } else if (pos_ < html_.size() && html_[pos_] == '\n') {
            ++pos_;
        }
    }

    // Past the end tag of a hidden element, or to the end of a document that
    // lacks it.
    void skipPast(std::string_view name) {
        for (std::size_t at = html_.find("</", pos_); at != std::string_view::npos;
             at = html_.find("</", at + 2)) {
            const std::size_t after = at + 2 + name.size();
            if (after <= html_.size() &&
                std::ranges::equal(
                    html_.substr(at + 2, name.size()), name, {},
                    [](char c) { return std::tolower(static_cast<unsigned char>(c)); }) &&
                (after == html_.size() || !isAlnum(html_[after]))) {
                const std::size_t close = html_.find('>', after);
                pos_ = close == std::string_view::npos ? html_.size() : close + 1;
                return;
            }
        }
        pos_ = html_.size();
    }

    std::string_view html_;
    std::size_t lastTagEnd_; // no tag ends after it
    std::size_t pos_ = 0;
    std::string out_;
    bool inHead_ = false;
    bool pendingBreak_ = false; // a block ended: the next text starts a line
    char separator_ = 0;        // white space or a table cell before the next text
    int preDepth_ = 0;
};

} // namespace

std::string plainTextFromHtml(std::string_view html) {
    return HtmlText(html).run();
}

} // namespace lexi::msgfile
