#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace lexi::qt {

// A text of the core (UTF-8) as Qt holds it.
inline QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The models give sizes and positions in twips, 1440 to the inch; the views
// draw at 96 dots per inch unless they say otherwise.
inline constexpr int TwipsPerInch = 1440;
inline constexpr int DotsPerInch = 96;

inline int pixels(int twips, int dotsPerInch = DotsPerInch) {
    return twips * dotsPerInch / TwipsPerInch;
}
inline int twips(int pixels, int dotsPerInch = DotsPerInch) {
    return pixels * TwipsPerInch / dotsPerInch;
}

} // namespace lexi::qt
