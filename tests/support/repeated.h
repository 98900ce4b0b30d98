#pragma once

#include <string>
#include <string_view>

namespace lexi::testing {

// The text `count` times over: names of letters that take two or three bytes.
inline std::string repeated(std::string_view text, int count) {
    std::string all;
    for (int i = 0; i < count; ++i) {
        all += text;
    }
    return all;
}

} // namespace lexi::testing
