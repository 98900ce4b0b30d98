#pragma once

#include <windows.h>

namespace lexi::win32 {

// A function of a Windows library that is loaded the first time one of its
// functions is asked for, so that a request that never needs it (a printer,
// a file dialog, a tool tip) does not pay for loading it. Null when the
// library or the function is missing. The library stays loaded.
template <typename Function> Function* systemFunction(const wchar_t* library, const char* name) {
    const HMODULE module = LoadLibraryW(library);
    const FARPROC address = module ? GetProcAddress(module, name) : nullptr;
    // Through the generic function pointer type, which converts to any other.
    return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(address));
}

} // namespace lexi::win32
