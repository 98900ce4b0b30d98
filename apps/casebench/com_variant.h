#pragma once

#include "library/variant.h"

#include <oaidl.h>
#include <string>
#include <string_view>

namespace lexi::com {

// Texts between the frame (UTF-8) and automation (UTF-16 strings).
std::string narrow(const OLECHAR* text, std::size_t length);
std::string narrow(BSTR text);
// A new automation string, which the receiver frees.
BSTR newBstr(std::string_view text);

// The frame's value of an automation argument, read through a reference.
// An optional argument left out (an error value DISP_E_PARAMNOTFOUND) is
// Missing. Failure 13 for what the frame's values cannot hold: arrays, error
// values and objects of other servers.
Variant fromVariant(const VARIANT& value);

// Sets `out`, which holds nothing, to a frame value.
void toVariant(const Variant& value, VARIANT& out);

// Stores a frame value in the caller's variable that a by-reference argument
// points at, converted to the variable's type when it is typed. Failure 13
// when it does not convert.
void writeBack(const Variant& value, const VARIANT& byReference);

} // namespace lexi::com
