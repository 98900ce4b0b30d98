#include "program/document_id.h"

namespace lexi {
namespace {

constexpr std::string_view NilId = "{00000000-0000-0000-0000-000000000000}";
constexpr std::size_t IdLength = 38;

} // namespace

bool IsEmptyId(std::string_view id) {
    return id.size() != IdLength || id == NilId;
}

} // namespace lexi
