#pragma once

#include "library/variant.h"
#include "platform/win32/automation_value.h"

#include <oaidl.h>

namespace lexi::com {

using win32::fromBstr;
using win32::newBstr;

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
