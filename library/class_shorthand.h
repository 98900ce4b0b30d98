#pragma once

#include "library/automation_object.h"

// The words the class tables are written in.
namespace lexi::shorthand {

inline constexpr VarType Text = VarType::Text;
inline constexpr VarType Integer = VarType::Integer;
inline constexpr VarType Boolean = VarType::Boolean;
inline constexpr VarType Date = VarType::Date;
inline constexpr VarType Any = VarType::Variant;
inline constexpr VarType Object = VarType::Object;
inline constexpr MemberKind Method = MemberKind::Method;
inline constexpr MemberKind Property = MemberKind::Property;
inline constexpr bool Optional = true;

// Methods are numbered from here in interface order.
inline constexpr std::int32_t FirstMethod = 0x60030000;
// Properties are numbered from here.
inline constexpr std::int32_t FirstProperty = 0x40030000;

} // namespace lexi::shorthand
