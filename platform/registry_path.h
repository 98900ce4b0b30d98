#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The shape of registry key paths, shared by every registry implementation.
namespace lexi::registry_path {

// The subkey path without a final "\"; nothing when a component is empty
// ("a\\b", "\a"), which no registry accepts.
std::optional<std::string> canonical(std::string_view subkey);

// The form under which names are compared: letter case folded.
std::string folded(std::string_view name);

// Every ancestor of a canonical subkey path and the path itself, nearest the
// root first: "a\b\c" gives "a", "a\b", "a\b\c". The root ("") gives nothing.
std::vector<std::string> lineage(std::string_view canonicalSubkey);

// True when `key` lies below `ancestor` (both canonical and folded).
bool isBelow(std::string_view key, std::string_view ancestor);

} // namespace lexi::registry_path
