#pragma once

#include "platform/failure.h"

#include <exception>
#include <oaidl.h>
#include <string>
#include <string_view>

namespace lexi::win32 {

// What was thrown as the failure the host is told of: a Failure as it is,
// anything else as an automation error (440) with its text.
Failure failureOf(const std::exception& thrown, std::string source);

// Hands a failure to the host the way automation reports errors: as the
// thread's error object (IErrorInfo) with the failure's description and
// source, and, for Invoke, in its exception information. The answer is
// DISP_E_EXCEPTION when `exception` is given, else the failure's own result
// in the control facility (0x800A0000 + number), from which the host's
// runtime takes the number back. A failure without a source names `server`.
HRESULT reportFailure(const Failure& failed, std::string_view server, REFIID interfaceId,
                      EXCEPINFO* exception = nullptr);

} // namespace lexi::win32
